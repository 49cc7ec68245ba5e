// Placeholder until the conversions land.
#include "model/amount.h"

namespace velnor {
QByteArray FoldFullWidth(QByteArrayView text) { return text.toByteArray(); }
double TextToNumber(QByteArrayView) { return 0; }
int32_t TextToInteger(QByteArrayView) { return 0; }
QByteArray NumberToText(double) { return {}; }
QByteArray AmountInCapitals(double) { return {}; }
} // namespace velnor
