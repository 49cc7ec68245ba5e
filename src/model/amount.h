#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace velnor {

// The only conversions between amount texts (GBK) and numbers. Pure; safe on any thread; never fail.

// Full-width digits, signs, letters and a few symbols typed by a Chinese input method become ASCII.
QByteArray FoldFullWidth(QByteArrayView text);
// Longest decimal prefix (exponent letters e, E, d, D) after folding and leading white space; 0 when none.
double TextToNumber(QByteArrayView text);
// Decimal digits after an optional sign, accumulated with 32-bit wrap-around; 0 when none.
int32_t TextToInteger(QByteArrayView text);
// As "%.13g" with a three-digit exponent, rounding half up at the 14th of 17 significant digits.
// Zero and -0 give "0"; infinity and NaN (only ever from overflowing terms) give "溢出", as AmountInCapitals.
QByteArray NumberToText(double value);
// Chinese capital-money words, to the fen; "溢出" at 10^13 yuan and above, for infinity and for NaN.
QByteArray AmountInCapitals(double amount);

} // namespace velnor
