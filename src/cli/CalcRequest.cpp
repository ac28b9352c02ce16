#include "CalcRequest.h"

#include "commands/NotesLength.h"
#include "commands/ProgramVersion.h"

#include <QCommandLineParser>

namespace {

// The options that take a value, as --NAME VALUE or --NAME=VALUE.
const QStringList ValuedOptions = {
    QStringLiteral("dir"),   QStringLiteral("date2"), QStringLiteral("read2"),
    QStringLiteral("date1"), QStringLiteral("read1"), QStringLiteral("notes"),
    QStringLiteral("set"),   QStringLiteral("from"),  QStringLiteral("to")};

// The options only one command takes; the others are common to both.
const QStringList CalcOptions = {QStringLiteral("date2"), QStringLiteral("read2"),
                                 QStringLiteral("date1"), QStringLiteral("read1"),
                                 QStringLiteral("notes"), QStringLiteral("set"),
                                 QStringLiteral("save")};
const QStringList HistoryOptions = {QStringLiteral("csv"), QStringLiteral("reprice"),
                                    QStringLiteral("from"), QStringLiteral("to")};

QString unknownArgument(const QString& argument) {
    return QStringLiteral("unknown argument: %1").arg(argument);
}

// An option as typed: one or two dashes, its name, perhaps "=" and a value.
QString optionName(const QString& argument) {
    const QString bare = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return bare.section(u'=', 0, 0);
}

// Why the parser refused the command line, in meterwin-cli's own words: the
// first option it does not know or that takes no value but was given one, or
// a value missing after the last option.
QString parserError(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& argument : arguments) {
        const QString name = optionName(argument);
        if (argument.startsWith(u'-') &&
            (unknown.contains(name) || (argument.contains(u'=') && !ValuedOptions.contains(name))))
            return unknownArgument(argument);
    }
    const QString last = arguments.isEmpty() ? QString() : arguments.last();
    if (last.startsWith(u'-') && ValuedOptions.contains(optionName(last)))
        return QStringLiteral("%1 needs a value").arg(last);
    return parser.errorText();
}

} // namespace

const QStringList& settableNames() {
    static const QStringList names = {
        QStringLiteral("NRate1"), QStringLiteral("NRate2"),  QStringLiteral("BreakP"),
        QStringLiteral("CalVal"), QStringLiteral("CFactor"), QStringLiteral("SCharge"),
        QStringLiteral("VRate"),  QStringLiteral("Disc1"),   QStringLiteral("Disc2"),
        QStringLiteral("CORate"), QStringLiteral("Predict"), QStringLiteral("ConvertF")};
    return names;
}

QString usageText() {
    const QString text = QStringLiteral(
        "Usage: meterwin-cli [--dir DIR] calc --date2 DATE --read2 N [--date1 DATE] [--read1 N]\n"
        "                    [--notes TEXT] [--set NAME=VALUE]... [--save] [--json]\n"
        "       meterwin-cli [--dir DIR] history [--csv | --json] [--reprice]\n"
        "                    [--from DATE] [--to DATE]\n"
        "       meterwin-cli --help | --version\n"
        "\n"
        "Calculates the cost of the gas used between two meter readings exactly as the\n"
        "Calculate command of the Meterwin window does, in the installation directory DIR,\n"
        "which holds Data/Meterwin.ini and Log/ (default: the working directory; for the\n"
        "packaged program, the working directory when it holds Data/, else the user's own\n"
        "directory, $XDG_DATA_HOME/meterwin). As the program does at start-up, it checks\n"
        "that Data/ exists, reads the configuration file with its checks, creates missing\n"
        "logs and restores the last saved reading.\n"
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
        "                     result name to the text it shows, and under \"values\" each\n"
        "                     figure as a number and each date as yyyy-mm-dd (null when\n"
        "                     empty), instead of the report; refused by the checks, it\n"
        "                     prints {\"messages\": [...]} with the lines of the messages\n"
        "\n"
        "history prints the periods between the records of Log/Meterwin_H.log in a row,\n"
        "each calculated as calc calculates it on the tariff of its later record, as CSV\n"
        "with one header row: from,to,days,readingFrom,readingTo,volume,unit,kWh,\n"
        "kWhPerDay,cost,costPerDay[,repricedCost]. Dates are yyyy-mm-dd, numbers plain\n"
        "with \".\"; unit is m3 or ft3; cost and costPerDay include VAT and both\n"
        "discounts, rounded as calc shows them; kWhPerDay has 2 decimals. A record that\n"
        "cannot be read, or whose period calc would refuse, is skipped; the skipped\n"
        "lines are counted on standard error.\n"
        "\n"
        "  --csv              prints CSV (the default)\n"
        "  --json             prints {\"periods\": [{\"from\": ..., ...}], \"skipped\":\n"
        "                     [{\"line\": N, \"reason\": ...}]} with the same members\n"
        "  --reprice          adds repricedCost: each period priced on the tariff of\n"
        "                     Data/Meterwin.ini (empty or null where it fails its checks)\n"
        "  --from DATE        only periods that begin on or after DATE\n"
        "  --to DATE          only periods that end on or before DATE (both as --date2)\n"
        "\n"
        "  --help             shows this text\n"
        "  --version          shows the version\n"
        "\n"
        "An option's value may also follow an equals sign: --dir=DIR.\n"
        "\n"
        "Output: the results report on standard output (or the JSON object); messages on\n"
        "standard error, one line per message line.\n"
        "\n"
        "Exit status: 0 calculated; 1 refused by the checks (the messages say why);\n"
        "2 a fatal error (a missing or corrupted file or directory, an unexpected\n"
        "failure, a report that could not be written; for history, a history log that\n"
        "cannot be read); 64 a wrong command line.\n");
    return text.arg(NotesCharacterLimit);
}

QString versionText() {
    return QStringLiteral("meterwin-cli %1\n").arg(ProgramVersion);
}

namespace {

void addOptions(QCommandLineParser& parser) {
    // One dash or two, as users type them: -dir is --dir, -h is --help.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& name : ValuedOptions)
        parser.addOption(QCommandLineOption(name, {}, QStringLiteral("value")));
    parser.addOptions(
        {QCommandLineOption(QStringLiteral("save")), QCommandLineOption(QStringLiteral("json")),
         QCommandLineOption(QStringLiteral("csv")), QCommandLineOption(QStringLiteral("reprice")),
         QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}),
         QCommandLineOption(QStringLiteral("version"))});
}

bool isCommand(const QString& word) {
    return word == QStringLiteral("calc") || word == QStringLiteral("history");
}

// The one word that is not an option must be the command.
QString commandError(const QStringList& words) {
    if (words.isEmpty())
        return QStringLiteral("the command calc is missing");
    if (words.size() > 1 || !isCommand(words.first()))
        return unknownArgument(isCommand(words.first()) ? words.at(1) : words.first());
    return {};
}

// An option of the other command, named as it was typed.
QString foreignOption(const QCommandLineParser& parser, const QStringList& arguments,
                      const QStringList& foreign) {
    for (const QString& name : foreign)
        if (parser.isSet(name))
            for (const QString& argument : arguments)
                if (argument.startsWith(u'-') && optionName(argument) == name)
                    return unknownArgument(argument);
    return {};
}

QString readHistoryRequest(const QCommandLineParser& parser, HistoryRequest& request) {
    if (parser.isSet(QStringLiteral("csv")) && parser.isSet(QStringLiteral("json")))
        return QStringLiteral("history takes --csv or --json, not both");
    request.directory = parser.value(QStringLiteral("dir"));
    request.json = parser.isSet(QStringLiteral("json"));
    request.reprice = parser.isSet(QStringLiteral("reprice"));
    for (auto [name, date] : {std::pair{QStringLiteral("from"), &request.from},
                              std::pair{QStringLiteral("to"), &request.to}})
        if (parser.isSet(name))
            *date = parser.value(name);
    return {};
}

// Fills `request` from the options; returns why they are wrong, or an empty text.
QString readRequest(const QCommandLineParser& parser, CalcRequest& request) {
    const auto optional = [&](const QString& name) -> std::optional<QString> {
        if (!parser.isSet(name))
            return std::nullopt;
        return parser.value(name);
    };
    request.notes = optional(QStringLiteral("notes"));
    if (request.notes && characterCount(*request.notes) > NotesCharacterLimit)
        return QStringLiteral("--notes takes at most %1 characters").arg(NotesCharacterLimit);
    for (const QString& text : parser.values(QStringLiteral("set"))) {
        const qsizetype equals = text.indexOf(u'=');
        const QString name = text.left(equals);
        if (equals < 0 || !settableNames().contains(name))
            return QStringLiteral("--set takes NAME=VALUE with NAME one of %1")
                .arg(settableNames().join(u' '));
        request.settings.append({name, text.mid(equals + 1)});
    }
    if (!parser.isSet(QStringLiteral("date2")) || !parser.isSet(QStringLiteral("read2")))
        return QStringLiteral("calc needs --date2 and --read2");
    request.directory = parser.value(QStringLiteral("dir"));
    request.date2 = parser.value(QStringLiteral("date2"));
    request.read2 = parser.value(QStringLiteral("read2"));
    request.date1 = optional(QStringLiteral("date1"));
    request.read1 = optional(QStringLiteral("read1"));
    request.save = parser.isSet(QStringLiteral("save"));
    request.json = parser.isSet(QStringLiteral("json"));
    return {};
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    addOptions(parser);
    const bool understood = parser.parse(QStringList{QStringLiteral("meterwin-cli")} + arguments);
    ParsedCommandLine parsed;
    // --help and --version answer even beside a wrong option.
    parsed.help = parser.isSet(QStringLiteral("help"));
    parsed.version = !parsed.help && parser.isSet(QStringLiteral("version"));
    if (parsed.help || parsed.version)
        return parsed;
    parsed.error =
        understood ? commandError(parser.positionalArguments()) : parserError(parser, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
    if (parser.positionalArguments().first() == QStringLiteral("history")) {
        HistoryRequest history;
        parsed.error = foreignOption(parser, arguments, CalcOptions);
        if (parsed.error.isEmpty())
            parsed.error = readHistoryRequest(parser, history);
        if (parsed.error.isEmpty())
            parsed.history = history;
        return parsed;
    }
    CalcRequest request;
    parsed.error = foreignOption(parser, arguments, HistoryOptions);
    if (parsed.error.isEmpty())
        parsed.error = readRequest(parser, request);
    if (parsed.error.isEmpty())
        parsed.request = request;
    return parsed;
}
