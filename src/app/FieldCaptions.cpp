#include "app/FieldCaptions.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <stdexcept>

namespace {

struct CaptionNames {
    const char* field;
    const char* caption;
};

// Each field with its caption; where a heading stands over two fields (the
// two readings, the actual and predicted result), the first one listed is the
// caption's buddy. The fields' tooltips tell the two apart.
const CaptionNames Captions[] = {
    {"Date1", "DateL"},        {"NRead1", "ReadingsL"},    {"Date2", "DateL"},
    {"NRead2", "ReadingsL"},   {"Notes", "NotesL"},        {"NRate1", "NRate1L"},
    {"NRate2", "NRate2L"},     {"BreakP", "BreakPL"},      {"SCharge", "SChargeL"},
    {"CORate", "CORateL"},     {"Predict", "PredictL"},    {"CalVal", "CalValL"},
    {"CFactor", "CFactorL"},   {"VRate", "VATH"},          {"Disc1", "Disc1L"},
    {"Disc2", "Disc2L"},       {"ConvertF", "ConvertFL"},  {"OnTop", "OnTopL"},
    {"AutoSave", "AutoSaveL"}, {"TDays", "DaysL"},         {"TDaysP", "DaysL"},
    {"NRUnits", "NRUnitsL"},   {"NRUnitsP", "NRUnitsL"},   {"CRUnits", "CRUnitsL"},
    {"CRUnitsP", "CRUnitsL"},  {"R1Units", "R1UnitsL"},    {"R1UnitsP", "R1UnitsL"},
    {"R2Units", "R2UnitsL"},   {"R2UnitsP", "R2UnitsL"},   {"NR1Cost", "NR1CostL"},
    {"NR1CostP", "NR1CostL"},  {"NR2Cost", "NR2CostL"},    {"NR2CostP", "NR2CostL"},
    {"TSCharge", "TSChargeL"}, {"TSChargeP", "TSChargeL"}, {"TCost", "THead"},
    {"TCostP", "THead"},       {"TVCost", "TVHead"},       {"TVCostP", "TVHead"},
    {"CDay", "CDayL"},         {"CDayP", "CDayL"},         {"TCO2", "TCO2L"},
    {"TCO2P", "TCO2L"},
};

template <typename Widget> Widget* control(QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        throw std::logic_error(std::string("the window has no control ") + name);
    return widget;
}

// What a caption says, without its layout spaces and closing colon.
QString spoken(const QLabel* label) {
    QString text = label->text().trimmed();
    if (text.endsWith(u':'))
        text.chop(1);
    return text;
}

} // namespace

FieldCaptions::FieldCaptions(QWidget& window) : QObject(&window) {
    for (const CaptionNames& names : Captions) {
        const Captioned field{control<QWidget>(window, names.field),
                              control<QLabel>(window, names.caption)};
        if (!field.caption->buddy()) {
            field.caption->setBuddy(field.field);
            field.caption->installEventFilter(this);
        }
        fields_ << field;
    }
    nameFields();
}

void FieldCaptions::nameFields() const {
    for (const Captioned& field : fields_)
        field.field->setAccessibleName(spoken(field.caption));
}

bool FieldCaptions::eventFilter(QObject* watched, QEvent* event) {
    auto* caption = qobject_cast<QLabel*>(watched);
    if (!caption || event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !caption->rect().contains(mouse->position().toPoint()))
        return QObject::eventFilter(watched, event);
    // As a click on a check box's own text would: it toggles the box and runs
    // its command (a click on a disabled one does nothing).
    QWidget* field = caption->buddy();
    if (auto* box = qobject_cast<QAbstractButton*>(field))
        box->click();
    else if (field->isEnabled())
        field->setFocus(Qt::MouseFocusReason);
    return true;
}
