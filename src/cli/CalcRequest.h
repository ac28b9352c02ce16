#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// What a `meterwin-cli calc` command line asks for.
struct CalcRequest {
    QString directory;
    QString date2;
    QString read2;
    std::optional<QString> date1;
    std::optional<QString> read1;
    std::optional<QString> notes;
    QList<std::pair<QString, QString>> settings; // --set NAME=VALUE, in order
    bool save = false;
    bool json = false;
};

// What a `meterwin-cli history` command line asks for.
struct HistoryRequest {
    QString directory;
    bool json = false;
    bool reprice = false;
    std::optional<QString> from; // dates as typed
    std::optional<QString> to;
};

// The outcome of reading the command line: a request, a wish for the help
// text or the version, or the reason the command line is wrong.
struct ParsedCommandLine {
    std::optional<CalcRequest> request;
    std::optional<HistoryRequest> history;
    bool help = false;
    bool version = false;
    QString error;
};

ParsedCommandLine parseCommandLine(const QStringList& arguments);

QString usageText();

// "meterwin-cli 2.0", the answer to --version.
QString versionText();

// The control names --set accepts.
const QStringList& settableNames();
