#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

// Sets `CurrencySymbol` from the locale, chooses the tax word (VAT where the
// currency is the euro or the pound, Tax elsewhere) and, from the tax rate,
// the total-cost headings and the tooltips of the tax, total and discount
// fields. With no tax rate the totals show in the with-tax column alone.
void ShowTaxLabels(Sheet& sheet, const RegionalForms& forms);
