// Placeholder until the quote core lands.
#include "quote/quote_documents.h"
namespace velnor {
QByteArray renderCopyLayout(DocumentKind, const QuoteSheet&) { return {}; }
QByteArray renderFileLayout(DocumentKind, const QuoteSheet&, const ShopFooter&) { return {}; }
} // namespace velnor
