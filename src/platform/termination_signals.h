#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace tallimer::platform {

// SIGTERM, SIGHUP and SIGINT (the session's end, a closed terminal, Ctrl+C) become a call of
// `request` on the main loop, so the program ends as its window's close request ends it.
// The handler only writes a byte to a pipe; everything else runs outside the signal. One per
// process; the default handling returns when it goes.
class TerminationSignals {
  public:
    explicit TerminationSignals(std::function<void()> request);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    std::function<void()> request_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tallimer::platform
