// Placeholder until the information pages land.
#include "ui/info/info_pages_window.h"

namespace velnor {
void openInfoPages(InfoPage, SharedTexts&, const QByteArray&, QWidget*) {}
} // namespace velnor
