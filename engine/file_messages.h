// What the programs say of a file they cannot open: one form everywhere, the file first, as
// command-line tools write it ("PATH: file not found").
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace sorvani {

std::string FileNotFoundMessage(const std::filesystem::path& file);
// With the system's reason, where there is one.
std::string FileUnreadableMessage(const std::filesystem::path& file,
                                  const std::error_code& reason = {});
// A folder, a pipe, a device: what may never end, or is no text at all.
std::string NotRegularFileMessage(const std::filesystem::path& file);

}  // namespace sorvani
