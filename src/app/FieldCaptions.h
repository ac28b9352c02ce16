#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QWidget;

// Ties each field of the main window to the caption that names it: the caption
// is the field's buddy, a click on it ticks a check box or puts the cursor into
// a field, and a screen reader names the field by its caption (and describes
// it by its tooltip). A heading over two fields names both.
class FieldCaptions final : public QObject {
public:
    explicit FieldCaptions(QWidget& window);

    // Names the fields after their captions as they read now; some captions
    // change at run time (the tax word, the volume unit, the totals).
    void nameFields() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Captioned {
        QWidget* field;
        QLabel* caption;
    };
    QList<Captioned> fields_;
};
