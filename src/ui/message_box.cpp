#include "ui/message_box.h"

#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <utility>

#include "resources/string_table.h"
#include "ui/dialog_builder.h"
#include "ui/modal_dialog.h"

namespace tallimer {

namespace {

MessageAnswerer& Answerer() {
    static MessageAnswerer answerer;
    return answerer;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A box's buttons: the one that accepts, the one Escape and the close box press, and the one
// Enter presses.
struct ButtonSet {
    QMessageBox::StandardButton accept;
    QMessageBox::StandardButton decline;
    QMessageBox::StandardButton enter;
};

ButtonSet ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Ok};
        case MessageButtons::YesNo:
            return {QMessageBox::Yes, QMessageBox::No, QMessageBox::No};
        case MessageButtons::Ok:
            break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

// The handheld expands tabs to columns (the keys help lines up its second column so); a table
// keeps them aligned in any font. Each line's parts between runs of tabs are its cells.
QString TabColumnsHtml(const QString& text) {
    static const QRegularExpression tabs(QStringLiteral("\t+"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();  // the text's closing line break
    }
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
    for (const QString& line : lines) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : line.split(tabs)) {
            html += QStringLiteral("<td style=\"white-space: pre; padding-right: 12px\">") +
                    cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

MessageAnswer ShowMessage(QWidget* owner, const QString& text, MessageIcon icon,
                          MessageButtons buttons) {
    return ShowMessage(owner, ShownMessage{text, LoadString(StringId::AppTitle), icon, buttons});
}

MessageAnswer ShowMessage(QWidget* owner, const ShownMessage& shown) {
    const QString& text = shown.text;
    const MessageIcon icon = shown.icon;
    const MessageButtons buttons = shown.buttons;
    // A copy, so an answerer that replaces itself while answering stays alive.
    if (const MessageAnswerer answerer = Answerer()) {
        return answerer(shown);
    }

    const ButtonSet set = ButtonsOf(buttons);
    QMessageBox box(ToQtIcon(icon), shown.caption, text, set.accept | set.decline, owner);
    SetCloseBoxOnly(&box);
    // The texts are plain, with \n as line break, never taken for rich text; only their tab
    // columns are laid out as a table.
    if (text.contains(u'\t')) {
        box.setTextFormat(Qt::RichText);
        box.setText(TabColumnsHtml(text));
    } else {
        box.setTextFormat(Qt::PlainText);
    }
    box.setDefaultButton(set.enter);
    box.setEscapeButton(set.decline);
    ExecModal(box);
    const bool accepted = box.clickedButton() == box.button(set.accept);
    if (buttons == MessageButtons::YesNo) {
        return accepted ? MessageAnswer::Yes : MessageAnswer::No;
    }
    return accepted ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

MessageAnswer ShowMessage(QWidget* owner, int stringId, MessageIcon icon, MessageButtons buttons) {
    return ShowMessage(owner, LoadString(stringId), icon, buttons);
}

void SetMessageAnswerer(MessageAnswerer answerer) {
    Answerer() = std::move(answerer);
}

}  // namespace tallimer
