#pragma once

#include "model/selection_state.h"

#include <QByteArray>
#include <QMainWindow>

class QLabel;
class QPushButton;
class QWebEngineView;

namespace velnor {

enum class InfoPage { Notices, Promotions, AboutUs };

// The page's path on the shop's web server, and its full address (pictureServer has no trailing slash). GBK.
QByteArray infoPagePath(InfoPage page);
QByteArray infoPageAddressOf(const QByteArray& pictureServer, InfoPage page);

// The shop's three pages in a browser, with a button per page and one to close. Reads the shared texts once, when
// created; it is created for one opening and deletes itself when closed.
class InfoPagesWindow : public QMainWindow {
    Q_OBJECT
public:
    InfoPagesWindow(const SharedTexts& shared, const QByteArray& pictureServer, QWidget* parent = nullptr);

    void showInfoPage(InfoPage page);

    QWebEngineView* browser() const { return m_browser; }

private:
    friend InfoPagesWindow* openInfoPages(InfoPage, SharedTexts&, const QByteArray&, QWidget*);

    // Exactly one page button is disabled: that of the page last asked for.
    void markPageButton(InfoPage page);
    QPushButton* pageButton(InfoPage page) const;

    QByteArray m_pictureServer;
    QPushButton* m_back = nullptr;
    QPushButton* m_notices = nullptr;
    QPushButton* m_promotions = nullptr;
    QPushButton* m_aboutUs = nullptr;
    QWebEngineView* m_browser = nullptr;
    QLabel* m_statusPart = nullptr;
};

// Sets shared.infoPageAddress to the page's address and shows a new InfoPagesWindow on that page, modal over the
// whole application (so parent cannot be used while it is open), then returns the window at once. There is no
// waiting loop here: the window is shown with application modality and the caller's handler simply ends, which
// gives the user the same behaviour as a blocking call. The window deletes itself on closing; hold it in a
// QPointer if it is kept.
InfoPagesWindow* openInfoPages(InfoPage page, SharedTexts& shared, const QByteArray& pictureServer, QWidget* parent);

} // namespace velnor
