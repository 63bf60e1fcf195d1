#pragma once

#include <QString>

namespace tallimer::platform {

// Small files of the program's own beside the device folder's registry, addressed by host path
// (they are no handheld files). Every step goes through the fault seam; Replacement writes them.

// Removes `hostPath`; true when it is gone (a missing file counts).
bool RemoveHostFile(const QString& hostPath);

}  // namespace tallimer::platform
