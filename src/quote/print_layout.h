#pragma once

#include "quote/quote_sheet.h"

#include <QByteArray>

#include <array>
#include <vector>

namespace velnor {

enum class PrintoutKind { Cost, Retail, Full };

// One text to draw, top-left corner at (x, y) in 0.1 mm from the printable area's origin. GBK.
struct PrintItem {
    int x = 0;
    int y = 0;
    QByteArray text;
    friend bool operator==(const PrintItem&, const PrintItem&) = default;
};

// Every text of one printout, in the order it is written: header row, twelve category rows (speakers
// before the cooler), total lines, then the five extra lines when withExtraInfo is set.
// Empty texts are kept as items, so every row has the same shape; the printer skips them. A text holding
// a line break is one item; continuing it lower is the printer's business.
std::vector<PrintItem> printLayout(PrintoutKind kind, const QuoteSheet& sheet, bool withExtraInfo,
                                   const std::array<QByteArray, 5>& extraInfo);

} // namespace velnor
