#include "platform/clock.h"

#include <optional>

namespace tallimer::platform {

namespace {
std::optional<QDateTime> fixedClock;
}  // namespace

QDateTime LocalNow() {
    return fixedClock ? *fixedClock : QDateTime::currentDateTime();
}

void SetClock(const QDateTime& fixed) {
    fixedClock = fixed;
}

void UseSystemClock() {
    fixedClock.reset();
}

}  // namespace tallimer::platform
