#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tallimer {

// Every message box of the program goes through here: caption = the application title,
// owner = the main window.
enum class MessageIcon { Stop, Information, Exclamation, Question };
// Yes and No press No on Enter: a held key or a stray press declines.
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct ShownMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    MessageButtons buttons;
};

MessageAnswer ShowMessage(QWidget* owner, const QString& text, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok);
// The same with a string-table text.
MessageAnswer ShowMessage(QWidget* owner, int stringId, MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok);

// A box with a caption of its own (the keys help).
MessageAnswer ShowMessage(QWidget* owner, const ShownMessage& shown);

// Tests install an answerer: it is given each box instead of a person and answers it.
using MessageAnswerer = std::function<MessageAnswer(const ShownMessage&)>;
void SetMessageAnswerer(MessageAnswerer answerer);

}  // namespace tallimer
