#include "cli/report_pdf.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace tallimer {

namespace {

// The module's entry points (cli/report_pdf_module.cpp).
using MakeApplication = QCoreApplication* (*)(int* argc, char** argv);
using WritePdf = void (*)(const QString* html, QIODevice* out);

MakeApplication makeApplication = nullptr;
WritePdf writePdf = nullptr;

}  // namespace

bool LoadReportPdf(QString& error) {
    // Where the module lies from the program's folder: the same in the build as installed.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    QLibrary module(QDir(program).filePath(QStringLiteral(TALLIMER_PDF_MODULE)));
    makeApplication = reinterpret_cast<MakeApplication>(module.resolve("TallimerPdfApplication"));
    writePdf = reinterpret_cast<WritePdf>(module.resolve("TallimerWritePdf"));
    if (makeApplication == nullptr || writePdf == nullptr) {
        error = module.errorString();
        return false;
    }
    return true;  // the module stays loaded for the run
}

std::unique_ptr<QCoreApplication> ReportPdfApplication(int& argc, char** argv) {
    return std::unique_ptr<QCoreApplication>(makeApplication(&argc, argv));
}

bool WriteReportPdf(const QString& html, QIODevice& out) {
    if (writePdf == nullptr) {
        return false;
    }
    writePdf(&html, &out);
    return true;
}

}  // namespace tallimer
