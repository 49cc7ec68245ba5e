#include "ui/info/info_pages_window.h"

#include "model/gbk.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <QWebEngineView>

namespace velnor {

namespace {

QUrl toUrl(const QByteArray& address) {
    return QUrl(fromGbk(address));
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, int x) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, 0, 100, 30);
    return button;
}

} // namespace

QByteArray infoPagePath(InfoPage page) {
    switch (page) {
    case InfoPage::Notices:
        return QByteArrayLiteral("/zel_tz.htm");
    case InfoPage::Promotions:
        return QByteArrayLiteral("/zel_yh.htm");
    case InfoPage::AboutUs:
        return QByteArrayLiteral("/zel_lx.htm");
    }
    return {};
}

QByteArray infoPageAddressOf(const QByteArray& pictureServer, InfoPage page) {
    return pictureServer + infoPagePath(page);
}

InfoPagesWindow::InfoPagesWindow(const SharedTexts& shared, const QByteArray& pictureServer, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_pictureServer(pictureServer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(580, 450);
    move(50, 50);

    auto* body = new QWidget(this);
    setCentralWidget(body);
    m_back = makeButton(body, "返回", "返 回", 0);
    m_notices = makeButton(body, "最新通知", "最 新 通 知", 100);
    m_promotions = makeButton(body, "优惠信息", "优 惠 信 息", 200);
    m_aboutUs = makeButton(body, "关于我们", "关 于 我 们", 300);
    m_browser = new QWebEngineView(body);
    m_browser->setObjectName(QStringLiteral("超文本浏览框1"));
    m_browser->setGeometry(5, 35, 563, 357);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("状态条"));
    bar->setSizeGripEnabled(false);
    m_statusPart = new QLabel(bar);
    // The configured text as it is, even where it looks like markup.
    m_statusPart->setTextFormat(Qt::PlainText);
    bar->addWidget(m_statusPart, 1);
    setStatusBar(bar);

    connect(m_back, &QPushButton::clicked, this, &QWidget::close);
    connect(m_notices, &QPushButton::clicked, this, [this] { showInfoPage(InfoPage::Notices); });
    connect(m_promotions, &QPushButton::clicked, this, [this] { showInfoPage(InfoPage::Promotions); });
    connect(m_aboutUs, &QPushButton::clicked, this, [this] { showInfoPage(InfoPage::AboutUs); });

    m_statusPart->setText(fromGbk(shared.statusTextForInfoPages));
    m_browser->setUrl(toUrl(shared.infoPageAddress));
    setWindowTitle(fromGbk(shared.windowTitle));
}

QPushButton* InfoPagesWindow::pageButton(InfoPage page) const {
    switch (page) {
    case InfoPage::Notices:
        return m_notices;
    case InfoPage::Promotions:
        return m_promotions;
    case InfoPage::AboutUs:
        return m_aboutUs;
    }
    return nullptr;
}

void InfoPagesWindow::markPageButton(InfoPage page) {
    for (InfoPage p : {InfoPage::Notices, InfoPage::Promotions, InfoPage::AboutUs})
        pageButton(p)->setEnabled(p != page);
}

void InfoPagesWindow::showInfoPage(InfoPage page) {
    m_browser->setUrl(toUrl(infoPageAddressOf(m_pictureServer, page)));
    markPageButton(page);
}

InfoPagesWindow* openInfoPages(InfoPage page, SharedTexts& shared, const QByteArray& pictureServer, QWidget* parent) {
    shared.infoPageAddress = infoPageAddressOf(pictureServer, page);
    auto* window = new InfoPagesWindow(shared, pictureServer, parent);
    window->markPageButton(page);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

} // namespace velnor
