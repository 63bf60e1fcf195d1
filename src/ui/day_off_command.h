#pragma once

#include <QTextStream>

#include "operations/day_off_request.h"

namespace tallimer {

// Runs a days-off request without a window: applied here while no instance runs for the device
// folder (its lock held meanwhile, so none starts), else handed to the running one, which
// alone may change the balance it holds. Prints the balance line or the error; the exit code.
int RunDayOffCommand(const DayOffRequest& request, QTextStream& out, QTextStream& err);
// The same on standard output and standard error.
int RunDayOffCommand(const DayOffRequest& request);

}  // namespace tallimer
