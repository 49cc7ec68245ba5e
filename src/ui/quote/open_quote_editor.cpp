// Placeholder until the editor lands.
#include "ui/quote/open_quote_editor.h"

namespace velnor {
void openQuoteEditor(const Deployment&, SelectionState&, const SharedTexts&) {}
} // namespace velnor
