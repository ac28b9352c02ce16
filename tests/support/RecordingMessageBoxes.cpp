#include "support/RecordingMessageBoxes.h"

#include <QTest>
#include <stdexcept>

MessageAnswer RecordingMessageBoxes::show(const Message& message) {
    shown_.append(message);
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (queued_.empty())
        return standing_;
    const MessageAnswer answer = queued_.front();
    queued_.pop_front();
    return answer;
}

const Message& RecordingMessageBoxes::last() const {
    if (shown_.isEmpty())
        throw std::logic_error("no message box was shown");
    return shown_.last();
}

namespace {

const char* iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return "None";
    case MessageIcon::Critical:
        return "Critical";
    case MessageIcon::Exclamation:
        return "Exclamation";
    }
    return "?";
}

} // namespace

char* toString(const Message& m) {
    const QString text =
        QStringLiteral("Message(%1, \"%2\", \"%3\", %4)")
            .arg(QString::fromLatin1(iconName(m.icon)), m.title,
                 QString(m.text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")),
                 m.buttons == MessageButtons::Ok ? QStringLiteral("Ok") : QStringLiteral("YesNo"));
    return qstrdup(text.toUtf8().constData());
}

bool operator==(const Message& a, const Message& b) {
    return a.icon == b.icon && a.title == b.title && a.text == b.text && a.buttons == b.buttons;
}
