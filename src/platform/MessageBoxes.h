#pragma once

#include <QString>

// Modal message boxes. The window shows real ones; tests answer with a double.
enum class MessageIcon { None, Critical, Exclamation };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    MessageIcon icon = MessageIcon::None;
    QString title;
    QString text; // lines joined by CR LF
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and waits for it to close.
    virtual MessageAnswer show(const Message& message) = 0;
};

// Shows a fatal message; the program ends when its box is closed.
[[noreturn]] void ShowFatalMessage(MessageBoxes& boxes, const Message& message);
