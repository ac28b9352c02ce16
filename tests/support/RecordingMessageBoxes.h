#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <deque>

// Message boxes for tests: records every box that was shown and closes it at
// once. An OK box answers Ok; a Yes/No box takes the next queued answer, or
// the standing one (Yes unless told otherwise) when none is queued.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override;

    // The answer to the next Yes/No box, before the standing one.
    void queueAnswer(MessageAnswer answer) { queued_.push_back(answer); }
    void answerYesNoWith(MessageAnswer answer) { standing_ = answer; }

    const QList<Message>& shown() const { return shown_; }
    // The last box shown; fails the calling test when none was.
    const Message& last() const;
    void clear() { shown_.clear(); }

private:
    QList<Message> shown_;
    std::deque<MessageAnswer> queued_;
    MessageAnswer standing_ = MessageAnswer::Yes;
};

// Readable comparisons in test failures.
char* toString(const Message& message);
bool operator==(const Message& a, const Message& b);
