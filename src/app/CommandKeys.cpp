#include "app/CommandKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

CommandKeys::CommandKeys(QWidget& window) : QObject(&window) {
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QKeySequence key = QKeySequence::mnemonic(button->text());
        if (!key.isEmpty())
            letters_.insert(key[0].key());
    }
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        field->installEventFilter(this);
}

bool CommandKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // Shift makes no other command; Control with Alt is AltGr on some keyboards.
    const Qt::KeyboardModifiers held = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return held == Qt::AltModifier && letters_.contains(key->key());
}
