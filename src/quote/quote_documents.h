#pragma once

#include "quote/quote_sheet.h"

#include <QByteArray>

namespace velnor {

enum class DocumentKind { CostList, RetailList, FullList };

// The five lines that close every saved document. GBK.
struct ShopFooter {
    QByteArray companyName;
    QByteArray phone;      // without the "电话:" prefix
    QByteArray fax;        // without the "传真:" prefix
    QByteArray web;
    QByteArray address;    // without the "地址:" prefix
    QByteArray directions; // "(...)", after one space
};

// Clipboard layout: CostList and RetailList only (FullList renders as CostList).
QByteArray renderCopyLayout(DocumentKind kind, const QuoteSheet& sheet);
// .txt file layout.
QByteArray renderFileLayout(DocumentKind kind, const QuoteSheet& sheet, const ShopFooter& footer);

} // namespace velnor
