#include "temporary_files_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string_view>

namespace sorvani::annotate {
namespace {

constexpr std::string_view kPrefix = ".sorvani-";
constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kRandomLetters = 8;
// A run locks its file right after making it; a file this old that no run locks is no run's.
constexpr time_t kStaleSeconds = 60;

bool IsTemporaryName(std::string_view name) {
    if (!name.starts_with(kPrefix) || name.size() != kPrefix.size() + kRandomLetters) return false;
    name.remove_prefix(kPrefix.size());
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return kLetters.find(c) != std::string_view::npos; });
}

void RemoveIfStale(int folder, const char* name) {
    struct stat named;
    if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid() || named.st_mtime > ::time(nullptr) - kStaleSeconds)
        return;
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened;
    // Unlinked only while its lock is ours, and only if the name still holds the file checked.
    if (::fstat(fd, &opened) == 0 && opened.st_ino == named.st_ino &&
        opened.st_dev == named.st_dev && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(folder, name, 0);
    ::close(fd);
}

}  // namespace

int OpenUnnamedFile(const std::filesystem::path& folder, mode_t mode) {
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    // Kernels that predate it take the flag for O_DIRECTORY and refuse to open a folder so.
    if (fd < 0 && (errno == EISDIR || errno == EINVAL)) errno = EOPNOTSUPP;
    return fd;
#else
    (void)folder;
    (void)mode;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static std::random_device random;
    std::string name(kPrefix);
    for (size_t i = 0; i < kRandomLetters; ++i) name += kLetters[random() % kLetters.size()];
    return target.parent_path() / name;
}

void LockTemporary(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EINTR) {
    }
}

void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    DIR* entries = ::fdopendir(fd);
    if (!entries) {
        ::close(fd);
        return;
    }
    while (const dirent* entry = ::readdir(entries))
        if (IsTemporaryName(entry->d_name)) RemoveIfStale(fd, entry->d_name);
    ::closedir(entries);
}

}  // namespace sorvani::annotate
