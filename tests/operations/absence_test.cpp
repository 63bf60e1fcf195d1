// An absence from the desktop: which lock and suspend events make one, and what it records.

#include <gtest/gtest.h>

#include <QDateTime>
#include <vector>

#include "operations/absence.h"

namespace tallimer::test {
namespace {

enum class Event { Lock, Unlock, Sleep, Resume };

struct Step {
    Event event;
    const char* at;  // "dd hh:mm" in January 2004
    bool periodOpen = true;
};

QDateTime At(const char* text) {
    return QDateTime::fromString(QStringLiteral("2004/01/") + QLatin1String(text),
                                 QStringLiteral("yyyy/MM/dd hh:mm"));
}

// Runs the steps; what the last one leaves to record.
AbsenceRecords RunSteps(Absence& absence, const std::vector<Step>& steps,
                        const AbsenceRules& rules) {
    AbsenceRecords last;
    for (const Step& step : steps) {
        switch (step.event) {
            case Event::Lock:
                absence.lock(At(step.at), step.periodOpen);
                last = {};
                break;
            case Event::Sleep:
                absence.sleep(At(step.at), step.periodOpen);
                last = {};
                break;
            case Event::Unlock:
                last = absence.unlock(At(step.at), rules);
                break;
            case Event::Resume:
                last = absence.resume(At(step.at), rules);
                break;
        }
    }
    return last;
}

struct Case {
    const char* name;
    std::vector<Step> steps;
    AbsenceRecords expected;
    bool records = true;  // automatic mode with "Stop while the screen is locked"
    bool stillAbsent = false;
};

TEST(Absence, WhatEachRunOfEventsRecords) {
    const AbsenceRecords both{At("23 12:00"), true};
    const AbsenceRecords nothing{};
    const std::vector<Case> cases = {
        {"short lock", {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 12:04"}}, nothing},
        {"as long as the threshold",
         {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 12:05"}},
         nothing},
        {"long lock", {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 12:30"}}, both},
        {"suspend alone", {{Event::Sleep, "23 12:00"}, {Event::Resume, "23 12:30"}}, both},
        // A resume with the screen still locked does not end the absence: one from the lock.
        {"resume while locked",
         {{Event::Lock, "23 12:00"}, {Event::Sleep, "23 12:01"}, {Event::Resume, "23 12:50"}},
         nothing,
         true,
         true},
        {"lock, suspend, resume, unlock",
         {{Event::Lock, "23 12:00"},
          {Event::Sleep, "23 12:01"},
          {Event::Resume, "23 12:50"},
          {Event::Unlock, "23 12:51"}},
         both},
        {"locked while suspended, unlocked before the resume",
         {{Event::Sleep, "23 12:00"},
          {Event::Lock, "23 12:00"},
          {Event::Unlock, "23 12:40"},
          {Event::Resume, "23 12:41"}},
         both},
        // Two sources telling the same lock: the absence runs from the first.
        {"lock told twice",
         {{Event::Lock, "23 12:00"}, {Event::Lock, "23 12:20"}, {Event::Unlock, "23 12:30"}},
         both},
        {"unlock told twice",
         {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 12:30"}, {Event::Unlock, "23 12:31"}},
         nothing},
        {"manual mode", {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 12:30"}}, nothing, false},
        {"no period open at the start: the Start alone",
         {{Event::Lock, "23 12:00", false}, {Event::Unlock, "23 12:30", false}},
         {std::nullopt, true}},
        {"midnight: the Stop on the old date",
         {{Event::Lock, "23 23:50"}, {Event::Unlock, "24 00:20", false}},
         {At("23 23:50"), true}},
        {"clock set back", {{Event::Lock, "23 12:00"}, {Event::Unlock, "23 11:00"}}, nothing},
        {"unlock without a lock", {{Event::Unlock, "23 12:30"}}, nothing},
    };
    for (const Case& c : cases) {
        Absence absence;
        EXPECT_EQ(RunSteps(absence, c.steps, {c.records, 5 * 60}), c.expected) << c.name;
        EXPECT_EQ(absence.absent(), c.stillAbsent) << c.name;
    }
}

// The program ending while absent takes its Stop at the absence's start once it is long.
TEST(Absence, TheStopOfAProgramEndingWhileAbsent) {
    const AbsenceRules rules{true, 5 * 60};
    Absence absence;
    EXPECT_EQ(absence.stopAtEnd(At("23 12:00"), rules), std::nullopt);
    absence.lock(At("23 12:00"), true);
    absence.sleep(At("23 12:01"), true);
    EXPECT_EQ(absence.stopAtEnd(At("23 12:04"), rules), std::nullopt);
    EXPECT_EQ(absence.stopAtEnd(At("23 12:30"), rules), At("23 12:00"));
    EXPECT_EQ(absence.stopAtEnd(At("23 12:30"), {false, 5 * 60}), std::nullopt);
    absence.resume(At("23 12:40"), rules);
    EXPECT_EQ(absence.stopAtEnd(At("23 12:45"), rules), At("23 12:00"));  // still locked
    absence.unlock(At("23 12:50"), rules);
    EXPECT_EQ(absence.stopAtEnd(At("23 12:55"), rules), std::nullopt);

    absence.lock(At("23 13:00"), false);  // no period open: nothing to stop
    EXPECT_EQ(absence.stopAtEnd(At("23 14:00"), rules), std::nullopt);
}

// The Stop's time as the time lists round the clock, kept on the absence's own date.
TEST(Absence, TheStopTimeIsRoundedAsTheListsRoundTheClock) {
    const auto texts = [](const char* at, int32_t unit) {
        const AbsenceEntryTime t = AbsenceStopTime(At(at), unit);
        return t.date.toString(u"dd ") + t.hourText + u':' + t.minuteText;
    };
    EXPECT_EQ(texts("23 12:03", 5), "23 12:05");
    EXPECT_EQ(texts("23 12:02", 5), "23 12:00");
    EXPECT_EQ(texts("23 08:57", 15), "23 09:00");
    EXPECT_EQ(texts("23 12:03", 1), "23 12:03");
    EXPECT_EQ(texts("23 12:10", 7), "23 12:07");  // a unit that does not divide the hour
    // Rounding up to midnight would put the Stop before the day's Start.
    EXPECT_EQ(texts("23 23:58", 5), "23 23:55");
    EXPECT_EQ(texts("23 23:59", 0), "23 23:59");
}

}  // namespace
}  // namespace tallimer::test
