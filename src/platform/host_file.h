#pragma once

#include <QString>
#include <string>

namespace tallimer::platform {

// Small files of the program's own beside the device folder's registry, addressed by host path
// (they are no handheld files). Every step goes through the fault seam; Replacement writes them.

// Removes `hostPath`; true when it is gone (a missing file counts).
bool RemoveHostFile(const QString& hostPath);

// Reads at most `limit` bytes of `hostPath` into `out`; false when it cannot be read.
bool ReadHostFile(const QString& hostPath, long long limit, std::string& out);

}  // namespace tallimer::platform
