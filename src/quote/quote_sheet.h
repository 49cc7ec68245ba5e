#pragma once

#include "model/categories.h"
#include "model/selection_state.h"

#include <QByteArray>

#include <array>

namespace velnor {

// One editor line; every field is the text the editor shows.
struct QuoteLine {
    QByteArray model;
    QByteArray costPrice;
    QByteArray warranty;
    QByteArray quantity = "1";
    QByteArray retailPrice;
    friend bool operator==(const QuoteLine&, const QuoteLine&) = default;
};

// The editor's whole state, lines indexed by ComponentCategory (canonical order).
struct QuoteSheet {
    std::array<QuoteLine, kCategoryCount> lines;
    QByteArray costTotal;   // 合计
    QByteArray retailTotal; // 合计1
    QByteArray profit;      // 利润

    QuoteLine& line(ComponentCategory c) { return lines[categoryIndex(c)]; }
    const QuoteLine& line(ComponentCategory c) const { return lines[categoryIndex(c)]; }
    friend bool operator==(const QuoteSheet&, const QuoteSheet&) = default;
};

// Totals from quantities and prices; profit from the two displayed totals.
void recalculateQuote(QuoteSheet& sheet);
// Copies model, cost price and warranty of every category from the selection, then recalculates.
void refreshFromSelection(QuoteSheet& sheet, const SelectionState& selection);
// Empties the line (quantity kept) and the category's selection entry, then recalculates.
void clearQuoteLine(QuoteSheet& sheet, SelectionState& selection, ComponentCategory category);

} // namespace velnor
