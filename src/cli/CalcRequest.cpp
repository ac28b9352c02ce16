#include "CalcRequest.h"

#include "commands/NotesLength.h"
#include "settings/SettingRows.h"

namespace {

QString missingValue(const QString& option) {
    return QStringLiteral("%1 needs a value").arg(option);
}

} // namespace

const QStringList& settableNames() {
    static const QStringList names = [] {
        QStringList settable;
        for (const SettingRow& row : settingRows())
            if (row.commandLine)
                settable << QString::fromUtf8(row.commandLine);
        return settable;
    }();
    return names;
}

QString usageText() {
    const QString text = QStringLiteral(
        "Usage: meterwin-cli [--dir DIR] calc --date2 DATE --read2 N [--date1 DATE] [--read1 N]\n"
        "                    [--notes TEXT] [--set NAME=VALUE]... [--save] [--json]\n"
        "\n"
        "Calculates the cost of the gas used between two meter readings exactly as the\n"
        "Calculate command of the Meterwin window does, in the installation directory DIR\n"
        "(default: the working directory), which holds Data/Meterwin.ini and Log/. As the\n"
        "program does at start-up, it checks that Data/ exists, reads the configuration\n"
        "file with its checks, creates missing logs and restores the last saved reading.\n"
        "\n"
        "  --dir DIR          the installation directory\n"
        "  --date2 DATE       date of the new reading: the locale's short date form,\n"
        "                     yyyy-mm-dd, or day, month name and year (1 Mar 2015)\n"
        "  --read2 N          the new meter reading\n"
        "  --date1 DATE       date of the previous reading (default: the last saved one)\n"
        "  --read1 N          the previous reading (default: the last saved one)\n"
        "  --notes TEXT       a note stored with the calculation (at most %1 characters)\n"
        "  --set NAME=VALUE   replaces one setting for this run only; NAME is one of\n"
        "                     NRate1 NRate2 BreakP CalVal CFactor SCharge VRate Disc1\n"
        "                     Disc2 CORate Predict ConvertF (0 metres, 1 hundreds of\n"
        "                     cubic feet); may be given more than once\n"
        "  --save             saves the calculation: the report to Log/Meterwin.log and\n"
        "                     the record to Log/Meterwin_H.log, as the Save command does\n"
        "  --json             prints one JSON object that maps every entry, setting and\n"
        "                     result name to the text it shows, instead of the report\n"
        "  --help             shows this text\n"
        "\n"
        "Output: the results report on standard output (or the JSON object); messages on\n"
        "standard error, one line per message line.\n"
        "\n"
        "Exit status: 0 calculated; 1 refused by the checks (the messages say why);\n"
        "2 a fatal error (a missing or corrupted file or directory, an unexpected\n"
        "failure, a report that could not be written); 64 a wrong command line.\n");
    return text.arg(NotesCharacterLimit);
}

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    ParsedCommandLine parsed;
    CalcRequest request;
    bool sawCommand = false;
    bool sawDate2 = false;
    bool sawRead2 = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const auto value = [&](QString& target) {
            if (i + 1 >= arguments.size()) {
                parsed.error = missingValue(argument);
                return false;
            }
            target = arguments.at(++i);
            return true;
        };
        QString text;
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            parsed.help = true;
            return parsed;
        } else if (argument == QStringLiteral("calc") && !sawCommand) {
            sawCommand = true;
        } else if (argument == QStringLiteral("--dir")) {
            if (!value(request.directory))
                return parsed;
        } else if (argument == QStringLiteral("--date2")) {
            if (!value(request.date2))
                return parsed;
            sawDate2 = true;
        } else if (argument == QStringLiteral("--read2")) {
            if (!value(request.read2))
                return parsed;
            sawRead2 = true;
        } else if (argument == QStringLiteral("--date1")) {
            if (!value(text))
                return parsed;
            request.date1 = text;
        } else if (argument == QStringLiteral("--read1")) {
            if (!value(text))
                return parsed;
            request.read1 = text;
        } else if (argument == QStringLiteral("--notes")) {
            if (!value(text))
                return parsed;
            if (characterCount(text) > NotesCharacterLimit) {
                parsed.error =
                    QStringLiteral("--notes takes at most %1 characters").arg(NotesCharacterLimit);
                return parsed;
            }
            request.notes = text;
        } else if (argument == QStringLiteral("--set")) {
            if (!value(text))
                return parsed;
            const qsizetype equals = text.indexOf(u'=');
            const QString name = text.left(equals);
            if (equals < 0 || !settableNames().contains(name)) {
                parsed.error = QStringLiteral("--set takes NAME=VALUE with NAME one of %1")
                                   .arg(settableNames().join(u' '));
                return parsed;
            }
            request.settings.append({name, text.mid(equals + 1)});
        } else if (argument == QStringLiteral("--save")) {
            request.save = true;
        } else if (argument == QStringLiteral("--json")) {
            request.json = true;
        } else {
            parsed.error = QStringLiteral("unknown argument: %1").arg(argument);
            return parsed;
        }
    }
    if (!sawCommand)
        parsed.error = QStringLiteral("the command calc is missing");
    else if (!sawDate2 || !sawRead2)
        parsed.error = QStringLiteral("calc needs --date2 and --read2");
    else
        parsed.request = request;
    return parsed;
}
