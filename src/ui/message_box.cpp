#include "ui/message_box.h"

#include <QMessageBox>
#include <utility>

#include "resources/string_table.h"

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
    }
    return QMessageBox::NoIcon;
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

    const bool withCancel = buttons == MessageButtons::OkCancel;
    QMessageBox box(ToQtIcon(icon), shown.caption, text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, owner);
    // The texts are plain, with \n as line break; never guess rich text.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

MessageAnswer ShowMessage(QWidget* owner, int stringId, MessageIcon icon, MessageButtons buttons) {
    return ShowMessage(owner, LoadString(stringId), icon, buttons);
}

void SetMessageAnswerer(MessageAnswerer answerer) {
    Answerer() = std::move(answerer);
}

}  // namespace tallimer
