#include "file_messages.h"

#include "path_text.h"

namespace sorvani {

std::string FileNotFoundMessage(const std::filesystem::path& file) {
    return PathText(file) + ": file not found";
}

std::string FileUnreadableMessage(const std::filesystem::path& file,
                                  const std::error_code& reason) {
    return PathText(file) + ": file cannot be read" + (reason ? " (" + reason.message() + ")" : "");
}

std::string NotRegularFileMessage(const std::filesystem::path& file) {
    return PathText(file) + ": not a regular file";
}

}  // namespace sorvani
