#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <random>
#include <string>

#include "replacing_file.h"
#include "system_message.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

HANDLE Handle(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

// A short name of fixed length in the target's folder, so that any name the target may have
// leaves room for it.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device random;
    std::wstring name = L".sorvani-";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (std::size(kLetters) - 1)];
    return target.parent_path() / name;
}

// A console event (Ctrl+C, Ctrl+Break, the console closed, logoff, shutdown) ends the program from
// a thread of its own, while the main thread may be writing the temporary file or putting it in
// place. The handler deletes the file under the lock that Commit holds while it closes and moves
// the file, so that it never deletes the file just put in place.
std::mutex removalLock;
std::wstring pendingTemporary;  // guarded by removalLock; empty when nothing is to be removed

BOOL WINAPI RemoveTemporaryOnConsoleEvent(DWORD) {
    // Never unlocked: the default handler, next in line, ends the program, and until then the
    // file must not be put in place.
    removalLock.lock();
    // The main thread's handle allows deletion: the file goes once that handle is closed, at the
    // latest as the program ends.
    if (!pendingTemporary.empty()) DeleteFileW(pendingTemporary.c_str());
    return FALSE;
}

void ArmRemoval(const std::filesystem::path& temporary) {
    {
        const std::lock_guard lock(removalLock);
        pendingTemporary = temporary.native();
    }
    // Registered once and left in place: the system may hold its own lock while a handler runs,
    // so adding or removing one while holding removalLock could wait forever on the handler.
    [[maybe_unused]] static const bool registered =
        SetConsoleCtrlHandler(RemoveTemporaryOnConsoleEvent, TRUE);
}

// With removalLock held.
void DisarmRemoval() { pendingTemporary.clear(); }

// The file a link (symbolic link or junction) leads to; the path itself for anything else.
std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                             FILE_NAME_NORMALIZED);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()),
                                           FILE_NAME_NORMALIZED);
    }
    CloseHandle(file);
    if (length == 0 || length >= final.size()) return path;
    final.resize(length);
    return final;
}

}  // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : named_(std::move(target)) {
    target_ = named_;
    const DWORD attributes = GetFileAttributesW(named_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) target_ = FollowLinks(named_);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ThrowFileError(named_, "cannot write",
                           std::error_code(EISDIR, std::generic_category()));
        // Write protection is the user's wish; the replacement would keep the attribute anyway.
        if (attributes & FILE_ATTRIBUTE_READONLY) Fail("cannot write", "the file is read-only");
    }
    // Devices (NUL, CON) and named pipes are written directly.
    const HANDLE existing =
        CreateFileW(target_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        if (GetFileType(existing) != FILE_TYPE_DISK) {
            way_ = Way::Direct;
            file_ = reinterpret_cast<intptr_t>(existing);
            return;
        }
        CloseHandle(existing);
    }
    // The system is given the whole path: under Wine, ReplaceFileW refuses a bare name in the
    // current folder with "Directory name invalid".
    std::error_code error;
    if (std::filesystem::path whole = std::filesystem::absolute(target_, error); !error)
        target_ = std::move(whole);
    for (int attempt = 0; file_ == -1; ++attempt) {
        temporary_ = TemporaryName(target_);
        const HANDLE handle = CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD failure = GetLastError();
        if (handle == INVALID_HANDLE_VALUE && (failure != ERROR_FILE_EXISTS || attempt == 100)) {
            temporary_.clear();
            Fail("cannot write", static_cast<int>(failure));
        }
        file_ = reinterpret_cast<intptr_t>(handle);
    }
    ArmRemoval(temporary_);
}

ReplacingFile::~ReplacingFile() {
    if (committed_) return;
    const std::lock_guard lock(removalLock);
    Close();
    if (!temporary_.empty()) {
        DeleteFileW(temporary_.c_str());
        DisarmRemoval();
    }
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
    // The data reaches the disk before the name does.
    if (way_ != Way::Direct && !FlushFileBuffers(handle))
        Fail("cannot write", static_cast<int>(GetLastError()));
    if (way_ == Way::Direct) {
        file_ = -1;
        if (!CloseHandle(handle)) Fail("cannot write", static_cast<int>(GetLastError()));
        committed_ = true;
        return;
    }
    const std::lock_guard lock(removalLock);
    file_ = -1;
    if (!CloseHandle(handle)) Fail("cannot write", static_cast<int>(GetLastError()));
    // Replacing keeps the old file's attributes, security and creation time; hard links to it
    // keep the old text. A new file is moved into place.
    const bool replaced =
        GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES
            ? ReplaceFileW(target_.c_str(), temporary_.c_str(), nullptr,
                           REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                           nullptr)
            : MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!replaced) Fail("cannot replace", static_cast<int>(GetLastError()));
    DisarmRemoval();
    committed_ = true;
}

void ReplacingFile::Close() {
    if (file_ != -1) CloseHandle(Handle(file_));
    file_ = -1;
}

void ReplacingFile::Fail(const char* action, int error) const {
    Fail(action, SystemMessage(static_cast<unsigned long>(error)).c_str());
}

void ReplacingFile::Fail(const char* action, const char* cause) const {
    throw ToolError(PathText(named_) + ": " + action + " (" + cause + ")");
}

}  // namespace sorvani::annotate
