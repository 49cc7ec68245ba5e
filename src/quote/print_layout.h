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

// Every text of one printout, in the order it is written. Empty texts are kept (they print nothing).
std::vector<PrintItem> printLayout(PrintoutKind kind, const QuoteSheet& sheet, bool withExtraInfo,
                                   const std::array<QByteArray, 5>& extraInfo);

} // namespace velnor
