#include "ConsoleMessageBoxes.h"

#include "platform/MessageTitles.h"

#include <QRegularExpression>
#include <QStringList>

MessageAnswer ConsoleMessageBoxes::show(const Message& message) {
    ++count_;
    if (message.title == Title::DataError)
        refusedByChecks_ = true;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = message.text.split(lineEnd);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QTextStream err(stderr);
    for (const QString& line : lines)
        err << line << '\n';
    err.flush();
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}
