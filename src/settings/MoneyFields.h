#pragma once

#include "calc/Sheet.h"
#include "platform/RegionalForms.h"

#include <QList>

// The money fields, those the setting table marks as money.
// In display form a non-empty one carries the currency symbol in the place
// where the locale writes it (£0.12000, 0.12000 €); in plain form it holds the
// number alone. The symbol is put on and taken off as its whole text, so no
// digit is ever touched, whatever the locale.
QList<TextField*> moneyFields(Sheet& sheet);

// Display form to plain form: one symbol taken off each money field that has one.
void StripCurrencySymbols(Sheet& sheet, const RegionalForms& forms);

// Plain form to display form: the symbol put on each money field that is not empty.
void AddCurrencySymbols(Sheet& sheet, const RegionalForms& forms);

// The typed number of a money text after dropping its symbol, if it has one.
double moneyValue(const RegionalForms& forms, const QString& text);
