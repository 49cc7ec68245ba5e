#include "quote/quote_sheet.h"

#include "model/amount.h"

namespace velnor {

namespace {

// Sum of quantity × price over the twelve lines, added strictly in canonical order so that the total
// matches the order the user reads the lines in (floating-point addition is not associative).
template <typename PriceOf> double sumOfLines(const QuoteSheet& sheet, PriceOf priceOf) {
    double sum = 0.0;
    for (ComponentCategory c : canonicalOrder()) {
        const QuoteLine& line = sheet.line(c);
        const double product = TextToNumber(line.quantity) * TextToNumber(priceOf(line));
        sum += product;
    }
    return sum;
}

} // namespace

void recalculateQuote(QuoteSheet& sheet) {
    sheet.costTotal =
        NumberToText(sumOfLines(sheet, [](const QuoteLine& l) -> const QByteArray& { return l.costPrice; }));
    sheet.retailTotal =
        NumberToText(sumOfLines(sheet, [](const QuoteLine& l) -> const QByteArray& { return l.retailPrice; }));
    // From the displayed texts, so that the profit always agrees with the two totals the user sees.
    sheet.profit = NumberToText(TextToNumber(sheet.retailTotal) - TextToNumber(sheet.costTotal));
}

void refreshFromSelection(QuoteSheet& sheet, const SelectionState& selection) {
    for (ComponentCategory c : tabOrder()) {
        const PartChoice& choice = selection.get(c);
        QuoteLine& line = sheet.line(c);
        line.model = choice.modelText;
        line.costPrice = choice.priceText;
        line.warranty = choice.warrantyText;
    }
    recalculateQuote(sheet);
}

void clearQuoteLine(QuoteSheet& sheet, SelectionState& selection, ComponentCategory category) {
    QuoteLine& line = sheet.line(category);
    line.model.clear();
    line.costPrice.clear();
    line.warranty.clear();
    line.retailPrice.clear();
    selection.clear(category);
    recalculateQuote(sheet);
}

} // namespace velnor
