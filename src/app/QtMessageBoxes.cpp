#include "app/QtMessageBoxes.h"

#include "platform/LineEnds.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtMessageBoxes::show(const Message& message) {
    const bool question = message.buttons == MessageButtons::YesNo;
    QMessageBox box(boxIcon(message.icon), message.title, QString(),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
    // The texts are plain lines joined by CR LF; never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(message.text).replace(CrLf, QStringLiteral("\n")));
    const int answer = box.exec();
    if (!question)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}
