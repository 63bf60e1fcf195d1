#include "operations/timesheet_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include "operations/timesheet_html.h"
#include "resources/app_info.h"

namespace tallimer {

namespace {

// Narrow enough for a month of two periods a day on one page.
const QMarginsF kMarginsMm(12, 7, 12, 7);

// The document of `html`. Qt sizes headings after the document's default font, which is the
// desktop's, where a browser sizes them after the body's: pinned to the body's size, they come
// out alike in the window, in tallimer-report and in a browser.
void SetTimesheet(QTextDocument& document, const QString& html) {
    QFont font = document.defaultFont();
    font.setPointSizeF(kTimesheetBodyPoints);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);  // the page has margins of its own
    document.setHtml(html);
}

// Lays the document out at the device's own resolution, in pages of its paint rect: so paginated,
// QTextDocument prints it as it is, without page numbers of its own.
void PrintOn(QTextDocument& document, QPagedPaintDevice& device) {
    document.documentLayout()->setPaintDevice(&device);
    document.setPageSize(QSizeF(device.width(), device.height()));
    document.print(&device);
}

}  // namespace

QPageLayout TimesheetPageLayout(const QLocale& locale) {
    const QPageSize paper(locale.measurementSystem() == QLocale::ImperialUSSystem
                              ? QPageSize::Letter
                              : QPageSize::A4);
    return QPageLayout(paper, QPageLayout::Portrait, kMarginsMm, QPageLayout::Millimeter);
}

void PrintTimesheet(const QString& html, QPagedPaintDevice& device) {
    QTextDocument document;
    SetTimesheet(document, html);
    PrintOn(document, device);
}

void WriteTimesheetPdf(const QString& html, QIODevice& out) {
    QTextDocument document;
    SetTimesheet(document, html);
    QPdfWriter writer(&out);
    writer.setPageLayout(TimesheetPageLayout());
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Tallimer %1").arg(QLatin1String(kAppVersion)));
    PrintOn(document, writer);
}

QString SaveTimesheetPdf(const QString& html, const QString& path) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        WriteTimesheetPdf(html, file);
        if (file.commit()) {
            return {};
        }
    }
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
}

}  // namespace tallimer
