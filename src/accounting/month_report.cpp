#include "accounting/month_report.h"

#include <QByteArray>
#include <limits>
#include <new>
#include <utility>

#include "accounting/month_days_off.h"
#include "accounting/time_text.h"
#include "base/saturating.h"
#include "journal/journal_line.h"
#include "platform/line_text.h"
#include "resources/string_table.h"

namespace tallimer {

namespace {

using State = ReportTree::State;
constexpr int kRoot = ReportTree::kRoot;
constexpr size_t kNoProject = std::numeric_limits<size_t>::max();

const char* Plural(int32_t n) {
    return n == 1 ? "" : "s";
}

// Only 1 and 2 have their own suffix: 3 gives "3th", 21 gives "21th".
const char* OrdinalSuffix(int day) {
    return day == 1 ? "st" : day == 2 ? "nd" : "th";
}

QString TimeOfDay(int32_t t) {
    return QString::asprintf("%02d:%02d", t / 60, t % 60);
}

}  // namespace

void MonthReport::BeginReport(const DayState& day) {
    tree_.Clear();
    projectIndex_.clear();
    textIndex_.clear();
    month_.projects.clear();
    month_.projectCount = 0;
    periodNode_ = kRoot;

    const int report = tree_.AddNode(QStringLiteral("REPORT"), kRoot, State::Expanded);
    const int flexitime = tree_.AddNode(QStringLiteral("Flexitime"), report);
    tree_.AddNode(SignedTimeAndHoursText(settings_.flexBalance), flexitime);
    const QString dayText = u' ' + day.selectedDateText;
    dayNode_ = tree_.AddNode(dayText, report);
    monthNode_ = tree_.AddNode(dayText.left(8), report);
}

void MonthReport::DayLine(int32_t entryCount, int32_t entryTime, std::string_view project) {
    const QString projectText = platform::LineText(project);
    if (entryCount % 2 != 0) {
        periodNode_ = tree_.AddNode(QString::number(entryCount) + u' ' + projectText, dayNode_);
        tree_.AddNode(QStringLiteral("Started ") + TimeOfDay(entryTime), periodNode_);
    } else if (periodNode_ != kRoot) {
        QString text = QStringLiteral("Stopped ") + TimeOfDay(entryTime);
        if (!projectText.isEmpty()) {
            text += QStringLiteral(" (") + projectText + u')';
        }
        tree_.AddNode(std::move(text), periodNode_);
    }
}

size_t MonthReport::AddProject(std::string_view project) {
    const size_t index = month_.projects.size();
    try {
        QString text = platform::LineText(project);
        if (const auto same = textIndex_.constFind(text); same != textIndex_.cend()) {
            const size_t known = *same;
            projectIndex_.emplace(project, known);
            return known;
        }
        month_.projects.push_back({text, 0});
        textIndex_.insert(std::move(text), index);
        projectIndex_.emplace(project, index);
    } catch (const std::bad_alloc&) {
        // Without memory for the record the project goes untotalled; the rest of the report
        // stands.
        if (month_.projects.size() > index) {
            textIndex_.remove(month_.projects[index].name);
            month_.projects.resize(index);
        }
        return kNoProject;
    }
    month_.projectCount = SatAdd(month_.projectCount, 1);
    return index;
}

void MonthReport::MonthLine(std::string_view line, int32_t entryTime, std::string_view project) {
    const int32_t signedTime = IsStopLine(line) ? entryTime : SatSub(0, entryTime);

    // Looked up by the line's own bytes, without a copy.
    const auto found = projectIndex_.find(project);
    const size_t index = found != projectIndex_.end() ? found->second : AddProject(project);
    if (index != kNoProject) {
        int32_t& minutes = month_.projects[index].minutes;
        minutes = SatAdd(minutes, signedTime);
    }
    month_.trackedTotal = SatAdd(month_.trackedTotal, signedTime);

    // A day field outside the table counts nowhere; a field that is no number is day 0.
    const int32_t dayOfMonth = IntegerAt(line, JournalColumn::Day);
    if (dayOfMonth < 0 || size_t(dayOfMonth) >= month_.dayTable.size()) {
        return;
    }
    int32_t& net = month_.dayTable[size_t(dayOfMonth)];
    if (net == -1) {
        net = 0;
    }
    net = SatAdd(net, signedTime);
    // -1 keeps a day whose lines cancel out apart from a day without lines.
    if (net == 0) {
        net = -1;
    }
}

void MonthReport::FinishReport(const DayState& day) {
    const int32_t breakPerDay = settings_.breakPerDay;
    const int32_t target = settings_.targetPerDay;

    const int credit = tree_.AddNode(QStringLiteral(" credit"), dayNode_);
    tree_.AddNode(SignedTimeText(day.credit), credit);
    tree_.AddNode(
        QString::asprintf(" %d:%02d hours presence ", day.presence / 60, day.presence % 60),
        dayNode_);
    const int32_t periods = day.entryCount / 2;
    tree_.AddNode(QString::asprintf(" %d period%s of time", periods, Plural(periods)), dayNode_);
    tree_.AddNode(QString::asprintf(" %d breaks", SatSub(day.entryCount, 1) / 2), dayNode_);
    if (day.periodOpen != 0) {
        tree_.AddNode(QStringLiteral("  OPEN"), dayNode_, State::Bold);
    }

    int32_t days = 0;
    int32_t actual = 0;
    const int32_t breakLimit = SatAdd(breakPerDay, 240);
    const QByteArray openFormat = LoadString(StringId::DayOpenError).toUtf8();
    for (int i = 1; i <= 31; ++i) {
        const int32_t v = month_.dayTable[size_t(i)];
        if (v != 0) {
            ++days;
        }
        if (v < -1) {
            tree_.AddNode(QString::asprintf(openFormat.constData(), i, OrdinalSuffix(i)),
                          monthNode_, State::Bold);
        }
        if (v > 0) {
            actual = SatAdd(actual, v);
        }
        if (v > breakLimit) {
            actual = SatSub(actual, breakPerDay);
        }
    }
    const int32_t targetTotal = SatMul(target, days);

    const int tracked = tree_.AddNode(QStringLiteral("total time tracked"), monthNode_);
    tree_.AddNode(SignedTimeAndHoursText(month_.trackedTotal), tracked);

    const int hours = tree_.AddNode(QStringLiteral("working hours"), monthNode_);
    const int actualNode =
        tree_.AddNode(QString::asprintf("actual (%d day%s)", days, Plural(days)), hours);
    tree_.AddNode(SignedTimeAndHoursText(actual), actualNode);
    const int targetNode =
        tree_.AddNode(QString::asprintf("target with %d day%s", days, Plural(days)), hours);
    tree_.AddNode(SignedTimeAndHoursText(targetTotal), targetNode);

    const int flexitime = tree_.AddNode(QStringLiteral("flexitime"), monthNode_);
    if (QString::asprintf("%d/%02d", today_.year(), today_.month()) == month_.selectedMonthText) {
        const int beginning = tree_.AddNode(QStringLiteral("at the beginning"), flexitime);
        tree_.AddNode(
            SignedTimeAndHoursText(SatAdd(SatSub(targetTotal, actual), settings_.flexBalance)),
            beginning);
    }
    const int thisMonth = tree_.AddNode(QStringLiteral("this month"), flexitime);
    tree_.AddNode(SignedTimeAndHoursText(SatSub(actual, targetTotal)), thisMonth);

    const int projects =
        tree_.AddNode(QString::asprintf(" %d project(s)", month_.projectCount), monthNode_);
    // Most recently met first, so of names that sort equal the later one stands first.
    for (size_t k = month_.projects.size(); k-- > 0;) {
        const ProjectTotal& total = month_.projects[k];
        const int node = tree_.AddNode(total.name, projects);
        tree_.AddNode(SignedTimeAndHoursText(total.minutes), node);
    }
    if (days_ != nullptr) {
        const QDate selected = QDate::fromString(day.selectedDateText, u"yyyy/MM/dd");
        if (selected.isValid()) {
            AddDaysOffNodes(tree_, {selected, dayNode_, monthNode_}, *days_, settings_, month_,
                            today_);
        }
    }
    // The records live from the month line that made them to here.
    month_.projects.clear();
    projectIndex_.clear();
}

}  // namespace tallimer
