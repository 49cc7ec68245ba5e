#pragma once

#include "model/selection_state.h"

#include <QByteArray>

class QWidget;

namespace velnor {

enum class InfoPage { Notices, Promotions, AboutUs };

// Sets shared.infoPageAddress to the page's address on the shop's web server and shows the
// information pages modally over parent; returns once the window is closed again.
void openInfoPages(InfoPage page, SharedTexts& shared, const QByteArray& pictureServer, QWidget* parent);

} // namespace velnor
