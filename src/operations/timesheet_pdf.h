#pragma once

#include <QLocale>
#include <QString>

class QIODevice;
class QPageLayout;
class QPagedPaintDevice;

namespace tallimer {

// The timesheet on paper, laid out by Qt from its HTML document, in the desktop's fonts. The
// window prints it and saves it as PDF, tallimer-report writes the PDF: the same pages. Needs
// a QGuiApplication (offscreen will do).

// The paper and margins: Letter where the locale measures in US units, else A4.
QPageLayout TimesheetPageLayout(const QLocale& locale = QLocale());

// Lays `html` out on the pages of `device` (a printer, a PDF writer) as they are set up, and
// paints it there.
void PrintTimesheet(const QString& html, QPagedPaintDevice& device);

// The PDF of `html` on the locale's paper, written to `out`.
void WriteTimesheetPdf(const QString& html, QIODevice& out);

// The same into the file at `path`, written beside it and renamed over once whole, so a failure
// never leaves half a file; empty, or why it could not be written ("PATH: reason").
QString SaveTimesheetPdf(const QString& html, const QString& path);

}  // namespace tallimer
