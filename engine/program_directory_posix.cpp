#include <system_error>

#include "program_directory.h"

namespace sorvani {

std::filesystem::path ProgramDirectory() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}

}  // namespace sorvani
