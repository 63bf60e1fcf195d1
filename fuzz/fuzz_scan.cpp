// The scan over arbitrary journal bytes, once per view kind, checked against a small model of
// what the day state, the new-month flag, the project list and the entry list must be.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "accounting/entry_list.h"
#include "accounting/month_report.h"
#include "fuzz_check.h"
#include "journal/journal_line.h"
#include "model/settings.h"
#include "operations/rescan_journal.h"
#include "platform/clock.h"
#include "platform/line_text.h"

using namespace tallimer;

namespace {

// The input's first bytes choose the selected date and the settings; the rest is the journal.
//   0      flags: bits 0-1 date mode, bit 2 spread the numbers over 32 bits, bit 3 extremes
//   1-2    year (date mode 2)
//   3, 4   month and day selectors
//   5-12   breakPerDay, targetPerDay, cutOffTime, flexBalance: 16-bit little-endian each
constexpr size_t kParameterBytes = 13;
const QDate kDefaultDate(2004, 1, 23);

struct Parameters {
    QDate date;
    Settings settings;
};

int16_t Int16At(const uint8_t* p) {
    return static_cast<int16_t>(uint16_t(p[0]) | uint16_t(p[1] << 8));
}

int32_t Widen(int16_t v, uint8_t flags) {
    if ((flags & 8) != 0) {
        return v < 0 ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    }
    if ((flags & 4) != 0) {
        return static_cast<int32_t>(uint32_t(uint16_t(v)) << 16 | uint16_t(v));
    }
    return v;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Digits(std::string_view text) {
    int v = 0;
    for (const char c : text) {
        v = v * 10 + (c - '0');
    }
    return v;
}

// The date of the first complete line that begins with a valid YYYY/MM/DD.
QDate FirstLineDate(std::string_view journal) {
    size_t start = 0;
    for (size_t lf = journal.find('\n'); lf != std::string_view::npos;
         start = lf + 1, lf = journal.find('\n', start)) {
        const std::string_view line = journal.substr(start, lf - start);
        if (line.size() < 10 || line[4] != '/' || line[7] != '/') {
            continue;
        }
        bool digits = true;
        for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
            digits = digits && IsDigit(line[i]);
        }
        if (!digits) {
            continue;
        }
        const QDate date(Digits(line.substr(0, 4)), Digits(line.substr(5, 2)),
                         Digits(line.substr(8, 2)));
        if (date.isValid()) {
            return date;
        }
    }
    return kDefaultDate;
}

QDate DayOfMonth(int year, int month, uint8_t selector) {
    const QDate first(year, month, 1);
    if (!first.isValid()) {
        return kDefaultDate;
    }
    return QDate(year, month, 1 + selector % first.daysInMonth());
}

Parameters ReadParameters(const uint8_t* p, std::string_view journal) {
    Parameters result;
    const uint8_t flags = p[0];
    switch (flags & 3) {
        case 0:
            result.date = kDefaultDate;
            break;
        case 1:
            result.date = FirstLineDate(journal);
            break;
        case 2: {
            // Any year QDate holds, five-digit and negative ones included; there is no year 0.
            const int year = Int16At(p + 1) == 0 ? 1 : Int16At(p + 1);
            result.date = DayOfMonth(year, 1 + p[3] % 12, p[4]);
            break;
        }
        default: {
            // Another day of the month the journal starts with.
            const QDate first = FirstLineDate(journal);
            result.date = DayOfMonth(first.year(), first.month(), p[4]);
            break;
        }
    }
    result.settings.breakPerDay = Widen(Int16At(p + 5), flags);
    result.settings.targetPerDay = Widen(Int16At(p + 7), flags);
    result.settings.cutOffTime = Widen(Int16At(p + 9), flags);
    result.settings.flexBalance = Widen(Int16At(p + 11), flags);
    return result;
}

// What the scan must find, worked out line by line without the scan's code paths.
struct Model {
    int32_t lines = 0;
    // The entry list: cells of the first line, then date, time and project of every later one.
    std::vector<std::array<QString, 3>> listCells;
    int32_t entryCount = 0;
    int32_t newMonthFlag = 1;
    std::vector<QString> projects;
    QString lastProject;
};

bool FoldedEqual(const QString& a, const QString& b) {
    const QList<uint> x = a.toUcs4();
    const QList<uint> y = b.toUcs4();
    if (x.size() != y.size()) {
        return false;
    }
    for (qsizetype i = 0; i < x.size(); ++i) {
        if (QChar::toCaseFolded(char32_t(x[i])) != QChar::toCaseFolded(char32_t(y[i]))) {
            return false;
        }
    }
    return true;
}

// Unsigned byte order, a shorter text first when it is a prefix of the longer.
int CompareBytes(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    if (const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n); c != 0) {
        return c;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

Model BuildModel(std::string_view journal, QDate date) {
    const QByteArray dateKey =
        QString::asprintf("%d/%02d/%02d", date.year(), date.month(), date.day())
            .toLatin1()
            .left(10);
    const std::string_view key(dateKey.constData(), size_t(dateKey.size()));
    const std::string_view monthKey = key.substr(0, 7);
    Model model;
    size_t start = 0;
    for (size_t lf = journal.find('\n'); lf != std::string_view::npos;
         start = lf + 1, lf = journal.find('\n', start)) {
        std::string_view text = journal.substr(start, lf - start);
        if (!text.empty()) {
            text.remove_suffix(1);
        }
        text = text.substr(0, text.find('\0'));
        if (model.lines != 0 && CompareBytes(text, monthKey) >= 0) {
            model.newMonthFlag = 0;
        }
        // Columns 0-9, 11-15 and 17 on; a Stop's time indented by two blanks.
        const auto cell = [text](size_t first, size_t end) {
            return text.size() > first ? platform::LineText(text.substr(first, end - first))
                                       : QString();
        };
        const bool stop = text.size() > 10 && text[10] == '\t';
        model.listCells.push_back(
            {cell(0, 10),
             (stop && model.lines != 0 ? QStringLiteral("  ") : QString()) + cell(11, 16),
             cell(17, text.size())});
        if (text.substr(0, key.size()) == key) {
            ++model.entryCount;
        }
        const QString project = text.size() > 17 ? platform::LineText(text.substr(17)) : QString();
        model.lastProject = project;
        if (!project.isEmpty() && EntryTime(text) != 0) {
            bool known = false;
            for (const QString& p : model.projects) {
                known = known || FoldedEqual(p, project);
            }
            if (!known) {
                model.projects.push_back(project);
            }
        }
        ++model.lines;
    }
    return model;
}

void CheckDay(const DayState& day, const ScanResult& result) {
    FUZZ_CHECK(result.opened);
    FUZZ_CHECK(day.periodOpen == 0 || day.periodOpen == 1);
    FUZZ_CHECK(day.entryCount >= 0);
    FUZZ_CHECK(day.entryCount % 2 == day.periodOpen);
    FUZZ_CHECK(result.removeEnabled == (day.entryCount != 0));
    FUZZ_CHECK(result.statusText == QLatin1String(day.periodOpen == 1 ? "Stop:" : "Start:"));
}

// Character by character after lower-casing, a shorter text first.
int CompareLowered(const QString& a, const QString& b) {
    for (qsizetype i = 0; i < a.size() && i < b.size(); ++i) {
        const char32_t x = QChar::toLower(char32_t(a[i].unicode()));
        const char32_t y = QChar::toLower(char32_t(b[i].unicode()));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void CheckList(const EntryList& list, const Model& model) {
    if (model.lines == 0) {
        FUZZ_CHECK(!list.hasColumns() && list.rowCount() == 0);
        return;
    }
    FUZZ_CHECK(list.hasColumns() && list.rowCount() == size_t(model.lines) - 1);
    FUZZ_CHECK(list.titles() == model.listCells[0]);
    for (size_t i = 0; i < list.rowCount(); ++i) {
        const EntryList::Row row = list.row(i);
        const std::array<QString, 3> cells = {row.date, row.time, row.project};
        FUZZ_CHECK(cells == model.listCells[i + 1]);
    }
    // A permutation of the rows, sorted by date, rows of one date in journal order.
    const std::vector<size_t> order = list.DisplayOrder();
    FUZZ_CHECK(order.size() == list.rowCount());
    std::vector<bool> seen(order.size(), false);
    for (size_t k = 0; k < order.size(); ++k) {
        FUZZ_CHECK(order[k] < order.size() && !seen[order[k]]);
        seen[order[k]] = true;
        if (k == 0) {
            continue;
        }
        const size_t a = order[k - 1];
        const size_t b = order[k];
        int c = CompareLowered(model.listCells[a + 1][0], model.listCells[b + 1][0]);
        if (list.descending()) {
            c = -c;
        }
        FUZZ_CHECK(c < 0 || (c == 0 && a < b));
    }
}

void CheckTree(const ReportTree& tree) {
    const std::vector<ReportTree::Line> lines = tree.DisplayOrder();
    FUZZ_CHECK(lines.size() == tree.size());
    FUZZ_CHECK(!lines.empty() && tree.node(lines.front().id).text == QLatin1String("REPORT"));
    std::vector<int> depth(tree.size(), -1);
    for (const ReportTree::Line& line : lines) {
        FUZZ_CHECK(line.id >= 0 && size_t(line.id) < tree.size() && depth[size_t(line.id)] < 0);
        const int parent = tree.node(line.id).parent;
        // A parent is shown before its children.
        const int expected = parent == ReportTree::kRoot ? 0 : depth[size_t(parent)] + 1;
        FUZZ_CHECK(parent == ReportTree::kRoot || depth[size_t(parent)] >= 0);
        FUZZ_CHECK(line.depth == expected);
        depth[size_t(line.id)] = line.depth;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    // The report reads the clock; a fixed one keeps every run the same.
    platform::SetClock(QDateTime(QDate(2004, 1, 23), QTime(12, 0)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t parameterBytes[kParameterBytes] = {};
    const size_t taken = size < kParameterBytes ? size : kParameterBytes;
    if (taken > 0) {
        std::memcpy(parameterBytes, data, taken);
    }
    const std::string_view journal(reinterpret_cast<const char*>(data) + taken, size - taken);
    const Parameters parameters = ReadParameters(parameterBytes, journal);
    const Model model = BuildModel(journal, parameters.date);

    Settings settings = parameters.settings;
    DayState day[3];
    MonthState month[3];
    ScanResult result[3];

    result[0] = ScanJournalBytes(journal, settings, parameters.date, day[0], month[0]);

    EntryList list;
    result[1] = ScanJournalBytes(journal, settings, parameters.date, day[1], month[1], &list);
    CheckList(list, model);
    list.ToggleSortDirection();
    CheckList(list, model);

    MonthReport report(settings, month[2], QDate(2004, 1, 23));  // the clock's date
    result[2] = ScanJournalBytes(journal, settings, parameters.date, day[2], month[2], &report);
    CheckTree(report.tree());

    for (int k = 0; k < 3; ++k) {
        CheckDay(day[k], result[k]);
        FUZZ_CHECK(day[k] == day[0]);
        FUZZ_CHECK(month[k].newMonthFlag == model.newMonthFlag);
        FUZZ_CHECK(result[k].projects == result[0].projects);
    }
    FUZZ_CHECK(day[0].entryCount == model.entryCount);
    FUZZ_CHECK(result[0].projectEditText == model.lastProject);
    FUZZ_CHECK(size_t(result[0].projects.size()) == model.projects.size());
    for (size_t i = 0; i < model.projects.size(); ++i) {
        FUZZ_CHECK(result[0].projects[qsizetype(i)] == model.projects[i]);
    }
    return 0;
}
