#include "program_arguments.h"

namespace sorvani::annotate {

// File names are byte strings here, taken as they come.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace sorvani::annotate
