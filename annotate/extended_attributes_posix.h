#pragma once

#include <filesystem>
#include <string>

namespace sorvani::annotate {

// Gives the open file `to` every extended attribute of the file `from` that it does not already
// have the same: its access control list, its security labels, the user's attributes. Returns ""
// when all are there, else why one could not be given. A file system without extended
// attributes has none to give.
std::string CopyExtendedAttributes(const std::filesystem::path& from, int to);

}  // namespace sorvani::annotate
