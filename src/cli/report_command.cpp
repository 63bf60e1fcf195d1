#include "cli/report_command.h"

#include <QDate>
#include <QDateTime>
#include <cerrno>
#include <new>
#include <optional>

#include "accounting/day_summary.h"
#include "accounting/entry_list.h"
#include "accounting/journal_periods.h"
#include "accounting/month_report.h"
#include "accounting/time_lists.h"
#include "accounting/week_summary.h"
#include "cli/export_records.h"
#include "cli/view_records.h"
#include "cli/week_periods_text.h"
#include "operations/read_journal.h"
#include "operations/rescan_journal.h"
#include "operations/settings_store.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "resources/app_info.h"

namespace tallimer {

namespace {

constexpr char kUsage[] =
    "usage: tallimer-report [--date YYYY/MM/DD] [--now \"YYYY/MM/DD HH:MM\"] "
    "[--view panel|day|list|report|week|periods] [--format text|csv|json] [--help]\n"
    "       [--version]\n";

constexpr char kHelp[] =
    "Prints what Tallimer's views show for a date, from the journal of the device folder\n"
    "(TALLIMER_HOME, by default ~/.local/share/Tallimer).\n"
    "\n"
    "  --date YYYY/MM/DD        the selected date (default: the date of --now)\n"
    "  --now \"YYYY/MM/DD HH:MM\" the clock (default: the real clock)\n"
    "  --view VIEW              panel, day, list or report (default: all four);\n"
    "                           week: the ISO week of the date, a line per day, totals and\n"
    "                           projects; periods: every period of the journal\n"
    "  --format FORMAT          text (default), csv (RFC 4180, CRLF) or json; csv and json\n"
    "                           for the views list, report, week and periods\n"
    "  --version                print the version\n"
    "\n"
    "Exit status: 0 done, 1 the journal cannot be opened, 2 bad arguments.\n";

// What is printed without --view; week and periods only when asked for.
const QStringList kViews = {"panel", "day", "list", "report"};
const QStringList kMoreViews = {"week", "periods"};
const QStringList kFormats = {"text", "csv", "json"};

struct Options {
    std::optional<QDate> date;
    std::optional<QDateTime> now;
    QStringList views = kViews;
    QString format = QStringLiteral("text");
    bool help = false;
    bool version = false;
};

// Parses the arguments; nullopt with `error` set when they are bad.
std::optional<Options> ParseArguments(const QStringList& arguments, QString& error) {
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = name.indexOf(u'='); name.startsWith(u"--") && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            hasValue = true;
        }
        if (name == u"--help" || name == u"-h") {
            options.help = true;
            continue;
        }
        if (name == u"--version") {
            options.version = true;
            continue;
        }
        if (name != u"--date" && name != u"--now" && name != u"--view" && name != u"--format") {
            error = QStringLiteral("unknown argument: %1").arg(arguments[i]);
            return std::nullopt;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("%1 needs a value").arg(name);
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (name == u"--date") {
            const QDate date = QDate::fromString(value, QStringLiteral("yyyy/MM/dd"));
            if (!date.isValid()) {
                error = QStringLiteral("not a date YYYY/MM/DD: %1").arg(value);
                return std::nullopt;
            }
            options.date = date;
        } else if (name == u"--now") {
            const QDateTime now = QDateTime::fromString(value, QStringLiteral("yyyy/MM/dd HH:mm"));
            if (!now.isValid()) {
                error = QStringLiteral("not a time \"YYYY/MM/DD HH:MM\": %1").arg(value);
                return std::nullopt;
            }
            options.now = now;
        } else if (name == u"--format") {
            if (!kFormats.contains(value)) {
                error = QStringLiteral("not a format (text, csv, json): %1").arg(value);
                return std::nullopt;
            }
            options.format = value;
        } else {
            if (!kViews.contains(value) && !kMoreViews.contains(value)) {
                error = QStringLiteral("not a view (panel, day, list, report, week, periods): %1")
                            .arg(value);
                return std::nullopt;
            }
            options.views = {value};
        }
    }
    // The panel and the day summary are a handful of texts, not records.
    if (!options.help && !options.version && options.format != u"text" &&
        (options.views.size() != 1 || options.views[0] == u"panel" || options.views[0] == u"day")) {
        error = QStringLiteral("--format %1 needs --view list, report, week or periods")
                    .arg(options.format);
        return std::nullopt;
    }
    return options;
}

void PrintPanel(QTextStream& out, const ScanResult& scan) {
    out << "Status\t" << scan.statusText << '\n';
    out << "Project\t" << scan.projectEditText << '\n';
    out << "Projects";
    for (const QString& project : scan.projects) {
        out << '\t' << project;
    }
    out << '\n';
    out << "Remove\t" << (scan.removeEnabled ? "enabled" : "disabled") << '\n';
}

void PrintDay(QTextStream& out, const DaySummaryTexts& texts) {
    out << "Debit\t" << texts.debit << '\n';
    out << "Credit\t" << texts.credit << '\n';
    out << "Presence\t" << texts.presence << '\n';
    out << "Flexitime in total\t" << texts.flexitime << '\n';
}

void PrintList(QTextStream& out, const EntryList& list) {
    if (!list.hasColumns()) {
        return;  // the scan read no line
    }
    const auto& titles = list.titles();
    out << titles[0] << '\t' << titles[1] << '\t' << titles[2] << '\n';
    for (const size_t index : list.DisplayOrder()) {
        const EntryList::Row row = list.row(index);
        out << row.date << '\t' << row.time << '\t' << row.project << '\n';
    }
}

void PrintReport(QTextStream& out, const ReportTree& tree) {
    for (const ReportTree::Line& line : tree.DisplayOrder()) {
        const ReportTree::Node& node = tree.node(line.id);
        out << QString(2 * line.depth, u' ') << node.text;
        if (node.state == ReportTree::State::Bold) {
            out << "\t(bold)";
        }
        out << '\n';
    }
}

int CannotOpen(QTextStream& err, const SettingsStore& store, int error) {
    err << "tallimer-report: Error with database access: cannot open "
        << platform::HostPath(store.journalPath) << ": " << platform::SystemReason(error) << '\n';
    return 1;
}

}  // namespace

int RunReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString error;
    const std::optional<Options> options = ParseArguments(arguments, error);
    if (!options) {
        err << "tallimer-report: " << error << '\n' << kUsage;
        return 2;
    }
    if (options->help) {
        out << kUsage << '\n' << kHelp;
        return 0;
    }
    if (options->version) {
        out << "Tallimer " << kAppVersion << '\n';
        return 0;
    }
    if (options->now) {
        platform::SetClock(*options->now);
    }
    const QDateTime now = platform::LocalNow();
    const QDate date = options->date.value_or(now.date());

    // As at start-up: the settings, then the time lists (which make a unit of 0 or less 1).
    SettingsStore store;
    LoadSettings(store);
    EffectiveMinuteUnit(store.settings);

    DayState day;
    MonthState month;
    const ScanResult scan = RescanJournal(store, date, day, month);
    if (!scan.opened) {
        return CannotOpen(err, store, scan.openError);
    }

    const auto write = [&out, &options](const std::vector<RecordSet>& sets) {
        if (options->format == u"csv") {
            WriteCsv(out, sets);
        } else {
            WriteJson(out, sets);
        }
    };
    const bool text = options->format == u"text";
    const bool headings = options->views.size() > 1;
    for (const QString& view : options->views) {
        if (headings) {
            out << "== " << view << " ==\n";
        }
        if (view == u"panel") {
            PrintPanel(out, scan);
        } else if (view == u"day") {
            PrintDay(out,
                     DaySummaryAt(day, store.settings, SummaryNow(now, store.settings.minuteUnit)));
        } else if (view == u"list") {
            EntryList list;
            if (const ScanResult r = RescanJournal(store, date, day, month, &list); !r.opened) {
                return CannotOpen(err, store, r.openError);
            }
            try {
                if (text) {
                    PrintList(out, list);
                } else {
                    write({ListRecords(list)});
                }
            } catch (const std::bad_alloc&) {
                return CannotOpen(err, store, ENOMEM);  // no room to put the rows in order
            }
        } else if (view == u"report") {
            MonthReport report(store.settings, month, now.date());
            if (const ScanResult r = RescanJournal(store, date, day, month, &report); !r.opened) {
                return CannotOpen(err, store, r.openError);
            }
            if (text) {
                PrintReport(out, report.tree());
            } else {
                write({ReportRecords(report.tree())});
            }
        } else {
            // Read from the journal's lines directly: neither view is one the scan feeds.
            WeekTally week(store.settings, date);
            PeriodList periods(store.settings);
            const bool isWeek = view == u"week";
            const auto take = [&](std::string_view line) {
                if (isWeek) {
                    week.AddLine(line);
                } else {
                    periods.AddLine(line);
                }
            };
            if (const int error = ReadJournalLines(store, take); error != 0) {
                return CannotOpen(err, store, error);
            }
            if (isWeek && text) {
                PrintWeek(out, week.Summary());
            } else if (isWeek) {
                write(WeekRecords(week.Summary()));
            } else if (text) {
                PrintPeriods(out, periods.Periods());
            } else {
                write({PeriodRecords(periods.Periods())});
            }
        }
    }
    return 0;
}

}  // namespace tallimer
