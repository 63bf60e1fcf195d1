#include "platform/fault.h"

#include <array>
#include <cerrno>
#include <climits>

namespace tallimer::platform {

namespace {
// Calls left until the armed call of each step (0: not armed). The file layer runs on the
// UI thread only, so plain globals do.
std::array<int, kFileStepCount> countdown{};
bool anyArmed = false;
}  // namespace

void FailStep(FileStep step, int skip) {
    if (skip < 0) {
        skip = 0;
    }
    countdown[static_cast<int>(step)] = skip < INT_MAX ? skip + 1 : INT_MAX;
    anyArmed = true;
}

void ClearFaults() {
    countdown.fill(0);
    anyArmed = false;
}

bool StepFails(FileStep step) {
    if (!anyArmed) {
        return false;
    }
    int& left = countdown[static_cast<int>(step)];
    if (left == 0) {
        return false;
    }
    --left;
    if (left != 0) {
        return false;
    }
    anyArmed = false;
    for (int other : countdown) {
        anyArmed = anyArmed || other != 0;
    }
    // The reason a real failure of the step would most likely give.
    errno = step == FileStep::Write ? ENOSPC : EIO;
    return true;
}

}  // namespace tallimer::platform
