#pragma once

#include <filesystem>

namespace sorvani {

// The directory that holds the running program's file, where its data files lie. A link to the
// program is followed to the file itself; the current directory stands in when the system cannot
// tell.
std::filesystem::path ProgramDirectory();

}  // namespace sorvani
