#pragma once

#include "platform/MessageBoxes.h"

#include <QStringList>
#include <QTextStream>

// Message boxes for the command line: each line of a message goes to standard
// error. A question is answered No, so nothing is ever changed unasked.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override;

    // The checks refused the calculation ("Meterwin Data Error").
    bool refusedByChecks() const { return refusedByChecks_; }
    // How many messages were shown since the count was last cleared.
    int count() const { return count_; }
    void clearCount() { count_ = 0; }
    // Every line written so far, for a refusal in JSON.
    const QStringList& lines() const { return lines_; }

private:
    bool refusedByChecks_ = false;
    int count_ = 0;
    QStringList lines_;
};
