#pragma once

#include <filesystem>

namespace sorvani {

// The directory that holds the running program, where its data files lie.
std::filesystem::path ProgramDirectory();

}  // namespace sorvani
