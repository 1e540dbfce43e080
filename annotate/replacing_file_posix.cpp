#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>

#include "replacing_file.h"
#include "tool_error.h"

namespace sorvani::annotate {

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    std::error_code error;
    if (std::filesystem::is_directory(target_, error)) Fail("cannot write", EISDIR);
    std::random_device random;
    for (int attempt = 0; file_ < 0; ++attempt) {
        temporary_ = target_;
        temporary_ += ".tmp-" + std::to_string(random());
        const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) Fail("cannot write", errno);
        file_ = fd;
    }
}

ReplacingFile::~ReplacingFile() {
    if (committed_) return;
    Close();
    ::unlink(temporary_.c_str());
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
    file_ = -1;
    if (::close(fd) != 0) Fail("cannot write", errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail("cannot replace", errno);
    committed_ = true;
}

void ReplacingFile::Close() {
    if (file_ >= 0) ::close(static_cast<int>(file_));
    file_ = -1;
}

void ReplacingFile::Fail(const char* action, int error) const {
    ThrowFileError(target_, action, std::error_code(error, std::generic_category()));
}

}  // namespace sorvani::annotate
