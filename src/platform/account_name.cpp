#include "platform/account_name.h"

#include <pwd.h>
#include <unistd.h>

namespace tallimer::platform {

QString AccountName() {
    const passwd* account = getpwuid(getuid());
    if (account == nullptr) {
        return QString();
    }
    const QString fullName =
        QString::fromLocal8Bit(account->pw_gecos != nullptr ? account->pw_gecos : "")
            .section(u',', 0, 0)
            .trimmed();
    return fullName.isEmpty() ? QString::fromLocal8Bit(account->pw_name) : fullName;
}

}  // namespace tallimer::platform
