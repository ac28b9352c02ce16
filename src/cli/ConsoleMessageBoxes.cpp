#include "ConsoleMessageBoxes.h"

#include "platform/MessageTitles.h"

#include <QRegularExpression>

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
    lines_ += lines;
    return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}
