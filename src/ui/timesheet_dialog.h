#pragma once

#include <QDate>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QPushButton;

namespace tallimer {

// "Timesheet…": the month of a date as the sheet to hand in, saved as a PDF or printed. The
// document is made when a button asks for it, from the journal as it is then.
class TimesheetDialog : public QDialog {
    Q_OBJECT
  public:
    // The month's HTML document; nullopt when it could not be made (the maker told why).
    using MakeHtml = std::function<std::optional<QString>()>;
    // The file to save to, `suggested` offered first; empty when none was chosen.
    using ChooseFile = std::function<QString(QWidget* owner, const QString& suggested)>;

    TimesheetDialog(QDate month, MakeHtml makeHtml, QWidget* owner);

    // In place of the file dialog (tests).
    void setFileChooser(ChooseFile choose) { chooseFile_ = std::move(choose); }
    // Timesheet-YYYY-MM.pdf in the documents folder.
    QString suggestedFile() const;

    QPushButton* saveButton() const { return save_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* closeButton() const { return close_; }

  private:
    void savePdf();
    void print();

    QDate month_;
    MakeHtml makeHtml_;
    ChooseFile chooseFile_;
    QPushButton* save_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace tallimer
