#pragma once

#include "model/deployment.h"
#include "quote/quote_sheet.h"

#include <QByteArray>

namespace velnor {

enum class DocumentKind { CostList, RetailList, FullList };

// The five lines that close every saved document. GBK.
struct ShopFooter {
    QByteArray companyName;
    QByteArray phone; // without the "电话:" prefix
    QByteArray fax;   // without the "传真:" prefix
    QByteArray web;
    QByteArray address;    // without the "地址:" prefix
    QByteArray directions; // "(...)", after one space
};

// The footer of this installation's saved documents.
ShopFooter shopFooterFrom(const Deployment& deployment);

// Clipboard layout. Only cost and retail lists are ever copied; asked for a FullList it renders the
// CostList, the copy layout having no place for a second price column or the profit.
// The result ends with the last byte of the total (no line break).
QByteArray renderCopyLayout(DocumentKind kind, const QuoteSheet& sheet);
// .txt file layout; ends with the long rule (no line break).
QByteArray renderFileLayout(DocumentKind kind, const QuoteSheet& sheet, const ShopFooter& footer);

} // namespace velnor
