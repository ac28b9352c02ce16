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
    const char* row = nullptr;
};

// Each field with its caption; where a heading stands over two fields, the
// first one listed is the caption's buddy.
const CaptionNames Captions[] = {
    {"Date1", "DateL", "Reading1L"},
    {"NRead1", "ReadingsL", "Reading1L"},
    {"Date2", "DateL", "Reading2L"},
    {"NRead2", "ReadingsL", "Reading2L"},
    {"Notes", "NotesL"},
    {"NRate1", "NRate1L"},
    {"NRate2", "NRate2L"},
    {"BreakP", "BreakPL"},
    {"SCharge", "SChargeL"},
    {"CORate", "CORateL"},
    {"Predict", "PredictL"},
    {"CalVal", "CalValL"},
    {"CFactor", "CFactorL"},
    {"VRate", "VATH"},
    {"Disc1", "Disc1L"},
    {"Disc2", "Disc2L"},
    {"ConvertF", "ConvertFL"},
    {"OnTop", "OnTopL"},
    {"AutoSave", "AutoSaveL"},
    {"TDays", "DaysL", "ActualL"},
    {"TDaysP", "DaysL", "PredictRowL"},
    {"NRUnits", "NRUnitsL", "ActualL"},
    {"NRUnitsP", "NRUnitsL", "PredictRowL"},
    {"CRUnits", "CRUnitsL", "ActualL"},
    {"CRUnitsP", "CRUnitsL", "PredictRowL"},
    {"R1Units", "R1UnitsL", "ActualL"},
    {"R1UnitsP", "R1UnitsL", "PredictRowL"},
    {"R2Units", "R2UnitsL", "ActualL"},
    {"R2UnitsP", "R2UnitsL", "PredictRowL"},
    {"NR1Cost", "NR1CostL", "ActualL"},
    {"NR1CostP", "NR1CostL", "PredictRowL"},
    {"NR2Cost", "NR2CostL", "ActualL"},
    {"NR2CostP", "NR2CostL", "PredictRowL"},
    {"TSCharge", "TSChargeL", "ActualL"},
    {"TSChargeP", "TSChargeL", "PredictRowL"},
    {"TCost", "THead", "ActualL"},
    {"TCostP", "THead", "PredictRowL"},
    {"TVCost", "TVHead", "ActualL"},
    {"TVCostP", "TVHead", "PredictRowL"},
    {"CDay", "CDayL", "ActualL"},
    {"CDayP", "CDayL", "PredictRowL"},
    {"TCO2", "TCO2L", "ActualL"},
    {"TCO2P", "TCO2L", "PredictRowL"},
};

template <typename Widget> Widget* control(QWidget& window, const char* name) {
    if (!name)
        return nullptr;
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
                              control<QLabel>(window, names.caption),
                              control<QLabel>(window, names.row)};
        if (!field.caption->buddy()) {
            field.caption->setBuddy(field.field);
            field.caption->installEventFilter(this);
        }
        fields_ << field;
    }
    nameFields();
}

void FieldCaptions::nameFields() const {
    for (const Captioned& field : fields_) {
        field.field->setAccessibleName(spoken(field.caption));
        if (field.row)
            field.field->setAccessibleDescription(spoken(field.row));
    }
}

bool FieldCaptions::eventFilter(QObject* watched, QEvent* event) {
    const auto* caption = qobject_cast<QLabel*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (!caption || event->type() != QEvent::MouseButtonRelease ||
        mouse->button() != Qt::LeftButton || !caption->rect().contains(mouse->position().toPoint()))
        return QObject::eventFilter(watched, event);
    // As a click on a check box's own text would: it ticks the box and runs
    // its command.
    QWidget* field = caption->buddy();
    if (auto* box = qobject_cast<QAbstractButton*>(field))
        box->click();
    else if (field->isEnabled())
        field->setFocus(Qt::MouseFocusReason);
    return true;
}
