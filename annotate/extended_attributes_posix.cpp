#include "extended_attributes_posix.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace sorvani::annotate {
namespace {

#ifdef __linux__
// Calls `get` with a buffer large enough for its answer (the size may change between calls);
// false with errno set when it fails.
template <typename Get>
bool Fetch(std::vector<char>& bytes, Get get) {
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0) return false;
        bytes.resize(static_cast<size_t>(size));
        const ssize_t got = get(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;
    }
}

std::string Why(const std::string& what, int error) {
    return "cannot keep " + what + ": " + std::generic_category().message(error);
}
#endif

}  // namespace

std::string CopyExtendedAttributes(const std::filesystem::path& from, int to) {
#ifdef __linux__
    const char* path = from.c_str();
    std::vector<char> names, value, present;
    if (!Fetch(names, [&](char* list, size_t size) { return ::listxattr(path, list, size); }))
        return errno == ENOTSUP ? "" : Why("its extended attributes", errno);
    for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        const char* name = names.data() + at;
        if (!Fetch(value,
                   [&](char* bytes, size_t size) { return ::getxattr(path, name, bytes, size); })) {
            // Gone since it was listed.
            if (errno == ENODATA) continue;
            return Why(std::string("its attribute ") + name, errno);
        }
        // A security label the system gave the new file already may not be settable by us.
        if (Fetch(present,
                  [&](char* bytes, size_t size) { return ::fgetxattr(to, name, bytes, size); }) &&
            present == value)
            continue;
        if (::fsetxattr(to, name, value.data(), value.size(), 0) != 0)
            return Why(std::string("its attribute ") + name, errno);
    }
#else
    (void)from;
    (void)to;
#endif
    return "";
}

}  // namespace sorvani::annotate
