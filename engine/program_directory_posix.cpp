#include <string>
#include <system_error>

#include "program_directory.h"

#if defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#elif defined(__FreeBSD__) || defined(__DragonFly__) || defined(__NetBSD__)
#include <sys/sysctl.h>
#include <sys/types.h>
#endif

namespace sorvani {
namespace {

// The running program's file as the system names it, links resolved; empty when the system
// cannot tell.
std::filesystem::path ProgramFile() {
    std::error_code error;
#if defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string path(size, '\0');
    if (_NSGetExecutablePath(path.data(), &size) != 0) return {};
    path.resize(path.find('\0'));
    // The path the program was started by, which may be a link.
    const auto program = std::filesystem::canonical(path, error);
#elif defined(__FreeBSD__) || defined(__DragonFly__) || defined(__NetBSD__)
#if defined(__NetBSD__)
    int name[] = {CTL_KERN, KERN_PROC_ARGS, -1, KERN_PROC_PATHNAME};
#else
    int name[] = {CTL_KERN, KERN_PROC, KERN_PROC_PATHNAME, -1};
#endif
    size_t size = 0;
    if (sysctl(name, 4, nullptr, &size, nullptr, 0) != 0 || size == 0) return {};
    std::string path(size, '\0');
    if (sysctl(name, 4, path.data(), &size, nullptr, 0) != 0) return {};
    path.resize(path.find('\0'));
    const auto program = std::filesystem::canonical(path, error);
#else
    // Linux and systems like it: the link names the program's file itself.
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
    return error ? std::filesystem::path() : program;
}

}  // namespace

std::filesystem::path ProgramDirectory() {
    const std::filesystem::path program = ProgramFile();
    return program.empty() ? std::filesystem::current_path() : program.parent_path();
}

}  // namespace sorvani
