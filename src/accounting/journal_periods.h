#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/day_state.h"
#include "model/settings.h"

namespace tallimer {

// One period of work: an opening line and, once closed, the line that closed it.
struct Period {
    QDate date;
    int32_t start = 0;            // minutes since midnight
    std::optional<int32_t> stop;  // as written; none while the period is open
    // What the balance counts: the stop capped at the cut-off, less the start; 0 while open.
    int32_t minutes = 0;
    QString project;      // of the opening line
    QString stopProject;  // of the closing line; empty while open
};

// Every period of the journal, from its lines handed on one at a time; the lines of each date
// pair by position as the scan pairs them. A period is kept as a few numbers and each project
// text once, so a journal costs far less here than its bytes.
class PeriodList {
  public:
    explicit PeriodList(const Settings& settings) : settings_(settings) {}
    // A journal line as CutLine leaves it; lines without a date pass untouched.
    void AddLine(std::string_view line);
    size_t size() const { return periods_.size(); }
    // Hands on every period ordered by date, the periods of one date in journal order. The
    // first call puts them in that order.
    void ForEach(const std::function<void(const Period&)>& visit);

  private:
    struct Day {
        DayState state;
        size_t openPeriod = 0;  // the period the day's latest opening line began
    };
    // A period in 24 bytes.
    struct Kept {
        static constexpr uint32_t kOpen = UINT32_MAX;  // as the stop's project: not closed
        int32_t julianDay = 0;
        int32_t start = 0;
        int32_t stop = 0;
        int32_t minutes = 0;
        uint32_t project = 0;  // in projects_
        uint32_t stopProject = kOpen;
    };
    // Looked up by a line's bytes without copying them.
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const {
            return std::hash<std::string_view>{}(bytes);
        }
    };

    Day* DayOf(std::string_view line, int32_t* julianDay);
    uint32_t ProjectOf(std::string_view line);

    const Settings& settings_;
    std::unordered_map<int32_t, Day> days_;  // by Julian day; its nodes stay put
    // The date bytes and day of the line before: a journal's lines come a day at a time.
    std::array<char, 10> lastDate_{};
    Day* lastDay_ = nullptr;
    int32_t lastJulianDay_ = 0;
    // In blocks: a growing journal never has its periods copied to a larger room.
    std::deque<Kept> periods_;
    bool sorted_ = false;
    std::vector<QString> projects_;
    std::unordered_map<std::string, uint32_t, BytesHash, std::equal_to<>> projectIds_;
    // The project of the line before, which a Stop most often repeats.
    const std::pair<const std::string, uint32_t>* lastProject_ = nullptr;
};

}  // namespace tallimer
