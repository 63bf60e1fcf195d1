#include "platform/host_file.h"

#include <errno.h>
#include <unistd.h>

#include <QFile>

#include "platform/fault.h"

namespace tallimer::platform {

bool RemoveHostFile(const QString& hostPath) {
    if (StepFails(FileStep::Delete)) {
        return false;
    }
    return ::unlink(QFile::encodeName(hostPath).constData()) == 0 || errno == ENOENT;
}

}  // namespace tallimer::platform
