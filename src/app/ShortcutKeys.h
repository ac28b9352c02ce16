#pragma once

#include <QObject>

class QPushButton;
class QWidget;

// The keys a desktop user expects of the window: F1 asks for Help, Ctrl+Q
// exits, Enter in an entry or a setting field calculates. A key does what a
// click on its button does, and nothing while that button is disabled.
class ShortcutKeys final : public QObject {
public:
    explicit ShortcutKeys(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* calculate_;
};
