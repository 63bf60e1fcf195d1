#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "ui/key_filter.h"

namespace tallimer::test {

// Key timers on a clock the test moves: a timer fires only when advance() passes its time.
class ManualKeyTimers {
  public:
    KeyTimerFactory factory() {
        return [this](std::function<void()> timeout) {
            return std::make_unique<Timer>(*this, std::move(timeout));
        };
    }

    // Moves the clock on by `ms`, firing on the way every timer that falls due, in order.
    void advance(int ms) {
        const long long end = now_ + ms;
        for (;;) {
            const auto due = std::min_element(timers_.begin(), timers_.end(), Earlier);
            if (due == timers_.end() || !(*due)->active || (*due)->due > end) {
                break;
            }
            now_ = (*due)->due;
            (*due)->active = false;
            (*due)->timeout();
        }
        now_ = end;
    }

  private:
    struct Timer : KeyTimer {
        Timer(ManualKeyTimers& clock, std::function<void()> fire)
            : clock(clock), timeout(std::move(fire)) {
            clock.timers_.push_back(this);
        }
        ~Timer() override { std::erase(clock.timers_, this); }
        void start(int ms) override {
            due = clock.now_ + ms;
            active = true;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }

        ManualKeyTimers& clock;
        std::function<void()> timeout;
        long long due = 0;
        bool active = false;
    };
    // Active timers first, the earliest of them first.
    static bool Earlier(const Timer* a, const Timer* b) {
        return a->active != b->active ? a->active : a->due < b->due;
    }

    long long now_ = 0;
    std::vector<Timer*> timers_;
};

}  // namespace tallimer::test
