#pragma once

#include <QDateTime>

namespace tallimer::platform {

// The device's local date and time. Tests fix it; nothing else sets it.
QDateTime LocalNow();
void SetClock(const QDateTime& fixed);
void UseSystemClock();

}  // namespace tallimer::platform
