#pragma once

#include "calc/Program.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <vector>

// What the benchmark programs share.

// Message boxes that print what they would show and close at once.
class PrintedMessages final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override;
    int shown() const { return shown_; }

private:
    int shown_ = 0;
};

class NoDesktop final : public Desktop {
public:
    bool openFile(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
};

// A history log of `records` records in pages of 36, as the program writes
// them: creates the logs if missing and repeats the entry the program
// composes for the sheet as it stands (its log names set).
bool writeHistoryLog(Program& program, qint64 records);

// The middle value of repeated timings.
double median(std::vector<double> values);

// Milliseconds that `work` takes.
double elapsedMs(const std::function<void()>& work);

// Milliseconds that a tool takes, started directly (no shell); its output
// goes to `output`.
double toolMs(const QString& program, const QStringList& arguments, QByteArray& output);
