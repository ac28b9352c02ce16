#pragma once

#include <QObject>
#include <QSet>

class QWidget;

// Alt and the underlined letter of a command belong to that command. An
// enabled command takes the key as its shortcut; a disabled one lets it pass
// to the focused field, which would type the letter. This swallows such a key
// in the window's fields, so that a disabled command's key does nothing.
class CommandKeys final : public QObject {
public:
    // Watches every text field below `window` for the keys of its buttons.
    explicit CommandKeys(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSet<int> letters_;
};
