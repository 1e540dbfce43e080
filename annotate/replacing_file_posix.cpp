#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <system_error>

#include "extended_attributes_posix.h"
#include "replacing_file.h"
#include "temporary_files_posix.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

// Signals that end the program by default and may come while the output is written: an
// interrupted or killed run must not leave its temporary file behind.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};

// What the signal handler removes, built before it is armed: the handler may only call
// async-signal-safe functions.
char pendingTemporary[PATH_MAX];
volatile sig_atomic_t temporaryPending = 0;
struct sigaction previousActions[std::size(kEndingSignals)];

extern "C" void RemoveTemporaryAndEnd(int signal) {
    if (temporaryPending) ::unlink(pendingTemporary);
    // The handler was reset to the default on entry: the signal ends the program as it would
    // have without us, once this returns.
    ::raise(signal);
}

void ArmRemoval(const std::filesystem::path& temporary) {
    const std::string& path = temporary.native();
    // The file was created under this name, so it fits.
    std::memcpy(pendingTemporary, path.c_str(), std::min(path.size() + 1, sizeof pendingTemporary));
    std::atomic_signal_fence(std::memory_order_seq_cst);
    temporaryPending = 1;
    struct sigaction action = {};
    action.sa_handler = RemoveTemporaryAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
        ::sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        // A signal the caller ignores (nohup) stays ignored.
        if (previousActions[i].sa_handler != SIG_IGN)
            ::sigaction(kEndingSignals[i], &action, nullptr);
    }
}

void DisarmRemoval() {
    for (size_t i = 0; i < std::size(kEndingSignals); ++i)
        ::sigaction(kEndingSignals[i], &previousActions[i], nullptr);
    temporaryPending = 0;
}

// The file the path names at the end of any chain of symbolic links; it need not exist.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    for (int links = 0;; ++links) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        if (links == 40) throw std::system_error(ELOOP, std::generic_category());
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error) throw std::system_error(error);
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
}

int Retrying(auto call) {
    for (;;) {
        const int result = call();
        if (result >= 0 || errno != EINTR) return result;
    }
}

// Gives the file without a name a fresh temporary name; false with errno set when it cannot.
bool LinkUnnamed(int fd, const std::filesystem::path& name) {
    // Through /proc any user may link the file; AT_EMPTY_PATH needs a privilege on most kernels.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
#ifdef AT_EMPTY_PATH
    if (errno == ENOENT) return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
#endif
    return false;
}

// Gives the file without a name a fresh temporary name beside the target, and arms its removal;
// an empty path with errno set when it cannot. No signal may come between the link and the arming.
std::filesystem::path LinkUnderTemporaryName(int fd, const std::filesystem::path& target) {
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (const int signal : kEndingSignals) sigaddset(&ending, signal);
    ::sigprocmask(SIG_BLOCK, &ending, &previous);
    std::filesystem::path name;
    for (int attempt = 0; name.empty(); ++attempt) {
        name = TemporaryName(target);
        if (LinkUnnamed(fd, name)) {
            ArmRemoval(name);
        } else {
            name.clear();
            if (errno != EEXIST || attempt == 100) break;
        }
    }
    const int error = errno;
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return name;
}

// Makes a rename in the folder last through a power loss. The data is already safe, so a folder
// that cannot be synced (some file systems refuse) is no failure.
void SyncFolder(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : named_(std::move(target)) {
    try {
        target_ = FollowLinks(named_);
    } catch (const std::system_error& error) {
        Fail("cannot write", error.code().value());
    }
    struct stat old;
    const bool exists = ::lstat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) Fail("cannot write", errno);
    if (exists) {
        if (S_ISDIR(old.st_mode)) Fail("cannot write", EISDIR);
        if (S_ISFIFO(old.st_mode) || S_ISCHR(old.st_mode) || S_ISBLK(old.st_mode)) {
            way_ = Way::Direct;
            file_ =
                Retrying([&] { return ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY); });
            if (file_ < 0) Fail("cannot write", errno);
            return;
        }
        if (!S_ISREG(old.st_mode)) Fail("cannot write", "not a regular file, FIFO or device");
        // Write protection is the user's wish, even where the folder would allow a rename.
        if ((old.st_mode & 0222) == 0) Fail("cannot write", "the file is read-only");
        if (::access(target_.c_str(), W_OK) != 0) Fail("cannot write", errno);
    }
    const std::filesystem::path folder = target_.parent_path();
    RemoveStaleTemporaries(folder);
    // A new file gets the permissions the umask leaves; a replacement is private until it is
    // given the old file's.
    const mode_t mode = exists ? 0600 : 0666;
    file_ = OpenUnnamedFile(folder.empty() ? "." : folder, mode);
    if (file_ < 0 && errno != EOPNOTSUPP) Fail("cannot write", errno);
    // Where the file system makes no file without a name, a named one is removed by the end of
    // the run, or by a later run should this one be killed.
    for (int attempt = 0; file_ < 0; ++attempt) {
        temporary_ = TemporaryName(target_);
        const int fd = ::open(temporary_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) {
            temporary_.clear();
            Fail("cannot write", errno);
        }
        file_ = fd;
    }
    if (!temporary_.empty()) ArmRemoval(temporary_);
    const int fd = static_cast<int>(file_);
    LockTemporary(fd);
    if (exists) {
        // Only the owner's group may be all a user can give; a failure keeps ours.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, -1, old.st_gid);
        // After the owner: changing it clears the set-user-ID bits.
        ::fchmod(fd, old.st_mode & 07777);
        // Last: an access control list sets the group's bits of the mode.
        const std::string lost = CopyExtendedAttributes(target_, fd);
        if (!lost.empty()) Fail("cannot write", lost.c_str());
    }
}

ReplacingFile::~ReplacingFile() {
    if (committed_) return;
    Close();
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        DisarmRemoval();
    }
}

void ReplacingFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(file_), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) Fail("cannot write", errno);
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

void ReplacingFile::Commit() {
    const int fd = static_cast<int>(file_);
    if (way_ == Way::Direct) {
        file_ = -1;
        if (::close(fd) != 0 && errno != EINTR) Fail("cannot write", errno);
        committed_ = true;
        return;
    }
    // The data reaches the disk before the name does: a power loss cannot leave an empty file in
    // place of the old one.
    if (::fsync(fd) != 0) Fail("cannot write", errno);
    if (temporary_.empty()) {
        temporary_ = LinkUnderTemporaryName(fd, target_);
        if (temporary_.empty()) Fail("cannot replace", errno);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail("cannot replace", errno);
    DisarmRemoval();
    temporary_.clear();
    committed_ = true;
    Close();
    SyncFolder(target_);
}

void ReplacingFile::Close() {
    if (file_ >= 0) ::close(static_cast<int>(file_));
    file_ = -1;
}

void ReplacingFile::Fail(const char* action, int error) const {
    ThrowFileError(named_, action, std::error_code(error, std::generic_category()));
}

void ReplacingFile::Fail(const char* action, const char* cause) const {
    throw ToolError(PathText(named_) + ": " + action + " (" + cause + ")");
}

}  // namespace sorvani::annotate
