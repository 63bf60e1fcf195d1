#include "cli/report_command.h"

#include <QDate>
#include <QDateTime>
#include <cerrno>
#include <new>
#include <optional>

#include "accounting/time_lists.h"
#include "cli/report_options.h"
#include "cli/report_views.h"
#include "operations/tracker.h"
#include "platform/clock.h"
#include "platform/device_folder.h"
#include "platform/diagnostics.h"
#include "resources/app_info.h"

namespace tallimer {

namespace {

int CannotOpen(QTextStream& err, const SettingsStore& store, int error) {
    err << "tallimer-report: Error with database access: cannot open "
        << platform::HostPath(store.journalPath) << ": " << platform::SystemReason(error) << '\n';
    return 1;
}

// The views that read lines again found the journal's file failing or cut short meanwhile.
int CannotReadAgain(QTextStream& err, const SettingsStore& store) {
    err << "tallimer-report: Error with database access: " << platform::HostPath(store.journalPath)
        << " changed or failed while it was printed\n";
    return 1;
}

// Reads the journal once for every chosen view, and puts the list in order, so that nothing
// is printed unless every view can be: 0, or the errno that makes the run fail.
int ReadJournal(ViewInputs& inputs, const QStringList& views) {
    for (const QString& name : views) {
        FindReportView(name).attach(inputs);
    }
    ViewFanOut fanOut(inputs);
    ScanSink* const target = fanOut.Target();
    inputs.tracker.setListsProjects(inputs.listsProjects);
    const Done<ScanOutcome> scanned = inputs.tracker.selectDate(
        inputs.date, target != nullptr ? ScanSinks(&target, 1) : ScanSinks(), {},
        inputs.readsAgain() ? &inputs.journal : nullptr);
    if (scanned.outcome != ScanOutcome::Read) {
        return scanned.error != 0 ? scanned.error : EIO;
    }
    inputs.snapshot = scanned.snapshot;
    if (inputs.list) {
        try {
            inputs.list->Sort(inputs.journal);
        } catch (const std::bad_alloc&) {
            return ENOMEM;  // no room to put the rows in order
        }
    }
    return 0;
}

}  // namespace

int RunReportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString error;
    const std::optional<ReportOptions> options =
        ParseReportArguments(arguments, ReportViewNames(), error);
    if (!options) {
        err << "tallimer-report: " << error << '\n' << kReportUsage;
        return 2;
    }
    if (options->help) {
        out << kReportUsage << '\n' << kReportHelp;
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

    // As at start-up: the settings, with a minute unit of 0 or less taken as 1.
    Tracker tracker;
    tracker.load();
    tracker.effectiveMinuteUnit();
    const SettingsStore& store = tracker.store();

    ViewInputs inputs(tracker, options->date.value_or(now.date()), now);
    inputs.dateGiven = options->date.has_value();
    if (const int failure = ReadJournal(inputs, options->views); failure != 0) {
        return CannotOpen(err, store, failure);
    }
    if (inputs.ledgerError != 0) {
        err << "tallimer-report: Error with database access: cannot read "
            << platform::HostPath(store.ledgerPath) << ": "
            << platform::SystemReason(inputs.ledgerError) << '\n';
        return 1;
    }
    const bool headings = options->views.size() > 1;
    try {
        for (const QString& name : options->views) {
            if (headings) {
                out << "== " << name << " ==\n";
            }
            const ReportView& view = FindReportView(name);
            const bool printed = options->html     ? view.html(out, inputs)
                                 : options->format ? view.records(out, *options->format, inputs)
                                                   : view.text(out, inputs);
            if (!printed) {
                return CannotReadAgain(err, store);  // what was printed stands
            }
        }
    } catch (const std::bad_alloc&) {
        return CannotOpen(err, store, ENOMEM);  // what was printed stands
    }
    return 0;
}

}  // namespace tallimer
