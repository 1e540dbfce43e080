#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "file_sync.h"

namespace sorvani::documents {

std::optional<QString> SyncToDisk(QFileDevice& file) {
    if (::fsync(file.handle()) == 0) return std::nullopt;
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace sorvani::documents
