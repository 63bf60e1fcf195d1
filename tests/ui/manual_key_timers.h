#pragma once

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

    // Moves the clock on by `ms`, firing on the way every timer that falls due, earliest first.
    void advance(int ms) {
        const long long end = now_ + ms;
        for (Timer* next = nullptr;; next = nullptr) {
            for (Timer* t : timers_) {
                next = t->active && t->due <= end && (!next || t->due < next->due) ? t : next;
            }
            if (next == nullptr) {
                break;
            }
            now_ = next->due;
            next->active = false;
            next->timeout();
        }
        now_ = end;
    }

  private:
    struct Timer : KeyTimer {
        Timer(ManualKeyTimers& clock, std::function<void()> fire) : clock(clock), timeout(fire) {
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

    long long now_ = 0;
    std::vector<Timer*> timers_;
};

}  // namespace tallimer::test
