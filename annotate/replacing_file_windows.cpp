#include <windows.h>

#include <algorithm>
#include <random>
#include <system_error>

#include "replacing_file.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

HANDLE Handle(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    std::error_code error;
    if (std::filesystem::is_directory(target_, error))
        Fail("cannot write", ERROR_DIRECTORY_NOT_SUPPORTED);
    std::random_device random;
    for (int attempt = 0; file_ == -1; ++attempt) {
        temporary_ = target_;
        temporary_ += ".tmp-" + std::to_string(random());
        const HANDLE handle = CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD failure = GetLastError();
        if (handle == INVALID_HANDLE_VALUE && (failure != ERROR_FILE_EXISTS || attempt == 100))
            Fail("cannot write", static_cast<int>(failure));
        file_ = reinterpret_cast<intptr_t>(handle);
    }
}

ReplacingFile::~ReplacingFile() {
    if (committed_) return;
    Close();
    DeleteFileW(temporary_.c_str());
}

void ReplacingFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 30));
        DWORD written = 0;
        if (!WriteFile(Handle(file_), bytes.data(), size, &written, nullptr))
            Fail("cannot write", static_cast<int>(GetLastError()));
        bytes.remove_prefix(written);
    }
}

void ReplacingFile::Commit() {
    const HANDLE handle = Handle(file_);
    file_ = -1;
    if (!CloseHandle(handle)) Fail("cannot write", static_cast<int>(GetLastError()));
    if (!MoveFileExW(temporary_.c_str(), target_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Fail("cannot replace", static_cast<int>(GetLastError()));
    committed_ = true;
}

void ReplacingFile::Close() {
    if (file_ != -1) CloseHandle(Handle(file_));
    file_ = -1;
}

void ReplacingFile::Fail(const char* action, int error) const {
    ThrowFileError(target_, action, std::error_code(error, std::system_category()));
}

}  // namespace sorvani::annotate
