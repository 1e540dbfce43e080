#pragma once

#include <string>
#include <vector>

namespace sorvani::annotate {

// The arguments after the program name, as UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace sorvani::annotate
