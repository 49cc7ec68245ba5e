// Placeholder until the quote core lands.
#include "quote/quote_sheet.h"
namespace velnor {
void recalculateQuote(QuoteSheet&) {}
void refreshFromSelection(QuoteSheet&, const SelectionState&) {}
void clearQuoteLine(QuoteSheet&, SelectionState&, ComponentCategory) {}
} // namespace velnor
