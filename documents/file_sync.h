#pragma once

#include <QFileDevice>
#include <QString>
#include <optional>

namespace sorvani::documents {

// Makes the system write the open file's data to its disk now. Some file systems (network ones,
// and those with quotas or delayed allocation) report a full disk only then. Nothing when all of
// it was written, else the system's reason.
std::optional<QString> SyncToDisk(QFileDevice& file);

}  // namespace sorvani::documents
