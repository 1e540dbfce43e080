#pragma once

#include <filesystem>

namespace sorvani::annotate {

// The temporary files an output is written to before it takes its place. A run holds a lock on
// its own from creation to the end, so that another run can tell a leftover of a run that was
// killed from a file still being written.

// Opens a file without a name in the folder, for reading and writing, or returns -1 with errno
// set; EOPNOTSUPP when the system or the file system cannot make one.
int OpenUnnamedFile(const std::filesystem::path& folder, mode_t mode);

// A fresh name in the target's folder, short and of fixed length so that any name the target may
// have leaves room for it, and recognisable as one of ours.
std::filesystem::path TemporaryName(const std::filesystem::path& target);

// Takes the lock of a temporary file where the file system has locks. Without them a file being
// written is still kept, since it changes more often than a leftover may.
void LockTemporary(int fd);

// Removes the folder's temporary files that runs killed before they could clean up left behind:
// ours by name and owner, locked by no run and unchanged for a while. Failures are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

}  // namespace sorvani::annotate
