#include "commands/EntryDates.h"

namespace {

void rewriteDate(TextField& field, const RegionalForms& forms) {
    if (const std::optional<QDate> date = forms.regionalDate(field.text))
        field.text = forms.shortDate(*date);
}

} // namespace

void RewriteEntryDates(Sheet& sheet, const RegionalForms& forms) {
    rewriteDate(sheet.Date1, forms);
    rewriteDate(sheet.Date2, forms);
}
