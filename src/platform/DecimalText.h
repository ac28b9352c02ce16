#pragma once

#include <QString>

// Decimal texts independent of any locale: "." as the decimal point, no grouping.

// The value rounded half away from zero to `places` decimals, working on its
// 15-significant-digit decimal form as a person rounding the written figure
// would (2.675 gives 2.68 where the binary value alone would give 2.67).
// Zero is never written with a minus sign. Non-finite values are a run-time failure.
// The largest doubles, whose 15-digit form would lie beyond the range of a
// double, are written as 1.79769313486231E+308 (rounded towards zero), here
// and in shortestDecimal, so that every text written reads back.
QString roundedDecimal(double value, int places);

// The shortest form with at most 15 significant digits (12.5, 91,
// 0.333333333333333), switching to an exponent below 1E-04 and from 1E+15 on
// (1.41111111133534E+16). Non-finite values are a run-time failure.
QString shortestDecimal(double value);

// The leading decimal number of a text: blanks, tabs and line feeds are skipped
// wherever they stand, "." (and `extraDecimalPoint`, when not null) is the
// decimal point, an exponent may be written with E or D, "&H" and "&O" read
// hexadecimal and octal. Reading stops at the first character that cannot
// continue the number; a text that does not begin with a number reads as 0.
// Never fails: an exponent beyond the range of a double reads as an infinite value.
double leadingDecimal(QStringView text, QChar extraDecimalPoint = QChar());
