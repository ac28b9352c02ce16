#include "app/SheetView.h"

#include "calc/SheetFields.h"

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <stdexcept>

namespace {

QList<Named<TextField>> allFields(Sheet& s) {
    return entryFields(s) + settingFields(s) + resultFields(s);
}

template <typename Widget, typename Control>
QHash<QString, Widget*> controls(QWidget& window, const QList<Named<Control>>& named) {
    QHash<QString, Widget*> widgets;
    for (const auto& control : named) {
        auto* widget = window.findChild<Widget*>(control.name);
        if (!widget)
            throw std::logic_error("the window has no control " + control.name.toStdString());
        widgets.insert(control.name, widget);
    }
    return widgets;
}

QColor colour(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The fields' own text colours are dark: whatever the desktop's theme, they
// stand on a light base. Results are shown, not typed: a grey one.
const QColor EntryBase(255, 255, 255);
const QColor ResultBase(236, 236, 236);

void showField(QLineEdit& edit, const TextField& field) {
    if (edit.text() != field.text)
        edit.setText(field.text);
    edit.setToolTip(field.toolTip);
    QPalette palette = edit.palette();
    palette.setColor(QPalette::Text, colour(field.colour));
    palette.setColor(QPalette::Base, edit.isReadOnly() ? ResultBase : EntryBase);
    edit.setPalette(palette);
}

} // namespace

SheetView::SheetView(QWidget& window) {
    Sheet names;
    fields_ = controls<QLineEdit>(window, allFields(names));
    checkBoxes_ = controls<QCheckBox>(window, checkBoxes(names));
    labels_ = controls<QLabel>(window, labels(names));
    buttons_ = controls<QPushButton>(window, buttons(names));
}

void SheetView::readInto(Sheet& sheet) const {
    for (const auto& field : allFields(sheet))
        field.control->text = fields_.value(field.name)->text();
    for (const auto& box : checkBoxes(sheet))
        box.control->value = checkBoxes_.value(box.name)->isChecked() ? 1 : 0;
}

void SheetView::show(Sheet& sheet) const {
    for (const auto& field : allFields(sheet))
        showField(*fields_.value(field.name), *field.control);
    for (const auto& box : checkBoxes(sheet)) {
        QCheckBox* widget = checkBoxes_.value(box.name);
        // The procedures ran the check box's action themselves.
        const QSignalBlocker quiet(widget);
        widget->setChecked(box.control->value == 1);
        widget->setToolTip(box.control->toolTip);
    }
    for (const auto& label : labels(sheet))
        labels_.value(label.name)->setText(label.control->caption);
    for (const auto& button : buttons(sheet)) {
        QPushButton* widget = buttons_.value(button.name);
        widget->setEnabled(button.control->enabled);
        widget->setToolTip(button.control->toolTip);
    }
}

void SheetView::showStatus(const Sheet& sheet) const {
    labels_.value(QStringLiteral("Status"))->setText(sheet.Status.caption);
}
