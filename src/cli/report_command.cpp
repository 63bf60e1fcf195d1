#include "cli/report_command.h"

#include <unistd.h>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <new>
#include <optional>

#include "accounting/time_lists.h"
#include "cli/report_options.h"
#include "cli/report_pdf.h"
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

int CannotWrite(QTextStream& err, const QSaveFile& file) {
    err << "tallimer-report: cannot write " << QDir::toNativeSeparators(file.fileName()) << ": "
        << file.errorString() << '\n';
    return 1;
}

// A PDF is bytes for a file or a pipe, never for a terminal. (A stream without a device, a
// string, takes no bytes either.)
bool NoPlaceForPdf(QTextStream& out) {
    const auto* file = qobject_cast<QFile*>(out.device());
    return file == nullptr || isatty(file->handle()) != 0;
}

// The view's HTML document laid out on pages, its bytes written where its text would go, by
// the module that main loaded for the run.
bool PrintPdf(QTextStream& out, const ReportView& view, ViewInputs& inputs) {
    QString html;
    QTextStream document(&html);
    if (!view.html(document, inputs)) {
        return false;
    }
    document.flush();
    out.flush();
    return WriteReportPdf(html, *out.device());
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

// Prints the chosen views from what the read left: 0, or 1 when a view's second read failed.
int PrintViews(QTextStream& out, QTextStream& err, const ReportOptions& options, ViewInputs& inputs,
               const SettingsStore& store) {
    const bool headings = options.views.size() > 1;
    try {
        for (const QString& name : options.views) {
            if (headings) {
                out << "== " << name << " ==\n";
            }
            const ReportView& view = FindReportView(name);
            const bool printed = options.pdf      ? PrintPdf(out, view, inputs)
                                 : options.html   ? view.html(out, inputs)
                                 : options.format ? view.records(out, *options.format, inputs)
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

}  // namespace

bool ReportWantsPdf(const QStringList& arguments) {
    QString error;
    const std::optional<ReportOptions> options =
        ParseReportArguments(arguments, ReportViewNames(), error);
    return options && options->pdf && !options->help && !options->version;
}

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
    if (options->pdf && !options->output && NoPlaceForPdf(out)) {
        err << "tallimer-report: a PDF is not written to a terminal; give --output FILE\n"
            << kReportUsage;
        return 2;
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
    if (!options->output) {
        return PrintViews(out, err, *options, inputs, store);
    }
    // Written beside FILE and renamed over it once the run succeeded: a failed run leaves FILE
    // as it was and no temporary behind.
    QSaveFile file(*options->output);
    if (!file.open(QIODevice::WriteOnly)) {
        return CannotWrite(err, file);
    }
    QTextStream fileOut(&file);
    fileOut.setEncoding(QStringConverter::Utf8);
    if (const int status = PrintViews(fileOut, err, *options, inputs, store); status != 0) {
        return status;
    }
    fileOut.flush();
    return file.commit() ? 0 : CannotWrite(err, file);
}

}  // namespace tallimer
