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

bool ReadHostFile(const QString& hostPath, long long limit, std::string& out) {
    QFile file(hostPath);
    if (StepFails(FileStep::Read) || !file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.read(limit);
    out.assign(bytes.constData(), size_t(bytes.size()));
    return file.error() == QFileDevice::NoError;
}

}  // namespace tallimer::platform
