#pragma once

#include "calc/Sheet.h"

#include <QHash>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Binds the main window's widgets to the sheet by control name: each widget
// carries the name of the sheet member it shows. The window copies what the
// user typed into the sheet before a command and shows the sheet afterwards.
class SheetView {
public:
    // Finds every control below `window`; a missing one is a fault of the form.
    explicit SheetView(QWidget& window);

    // What the user can change: the texts of the fields and the check boxes.
    void readInto(Sheet& sheet) const;
    // Everything the procedures may have changed: texts, tooltips, colours,
    // captions, check boxes, enabled states and the status line.
    void show(Sheet& sheet) const;
    // The status line alone, for the tick of its timer.
    void showStatus(const Sheet& sheet) const;

private:
    QHash<QString, QLineEdit*> fields_;
    QHash<QString, QCheckBox*> checkBoxes_;
    QHash<QString, QLabel*> labels_;
    QHash<QString, QPushButton*> buttons_;
};
