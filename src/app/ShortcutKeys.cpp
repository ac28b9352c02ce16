#include "app/ShortcutKeys.h"

#include "calc/SheetFields.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

// A click on a disabled button does nothing, so neither does its key.
void clickOn(QWidget& window, const QKeySequence& key, const QString& button) {
    auto* command = window.findChild<QPushButton*>(button);
    QObject::connect(new QShortcut(key, &window), &QShortcut::activated, command,
                     &QPushButton::click);
}

} // namespace

ShortcutKeys::ShortcutKeys(QWidget& window)
    : QObject(&window), calculate_(window.findChild<QPushButton*>(QStringLiteral("Calc"))) {
    clickOn(window, QKeySequence(Qt::Key_F1), QStringLiteral("Help1"));
    clickOn(window, QKeySequence(Qt::CTRL | Qt::Key_Q), QStringLiteral("Exit"));
    Sheet names;
    for (const auto& field : entryFields(names) + settingFields(names))
        window.findChild<QLineEdit*>(field.name)->installEventFilter(this);
}

bool ShortcutKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    calculate_->click();
    return true;
}
