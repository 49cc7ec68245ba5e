#include "deployment_defaults.h"
#include "model/gbk.h"
#include "ui/info/info_pages_window.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

using namespace velnor;

Q_DECLARE_METATYPE(velnor::InfoPage)

namespace {

constexpr int kLoadTimeout = 30000;

const char* buttonName(InfoPage page) {
    switch (page) {
    case InfoPage::Notices:
        return "最新通知";
    case InfoPage::Promotions:
        return "优惠信息";
    case InfoPage::AboutUs:
        return "关于我们";
    }
    return "";
}

const char* pagePath(InfoPage page) {
    switch (page) {
    case InfoPage::Notices:
        return "/zel_tz.htm";
    case InfoPage::Promotions:
        return "/zel_yh.htm";
    case InfoPage::AboutUs:
        return "/zel_lx.htm";
    }
    return "";
}

constexpr InfoPage kPages[] = {InfoPage::Notices, InfoPage::Promotions, InfoPage::AboutUs};

QPushButton* button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromUtf8(name));
}

QString statusText(QWidget* window) {
    auto* bar = window->findChild<QStatusBar*>(QStringLiteral("状态条"));
    if (!bar)
        return QStringLiteral("<no status bar>");
    auto* label = bar->findChild<QLabel*>();
    return label ? label->text() : QStringLiteral("<no status part>");
}

// Records how the browser's loads end. A missing page still "finishes" with the server's error body, so success
// means the engine saw no error at all, HTTP status included.
class LoadWatch {
public:
    explicit LoadWatch(QWebEngineView* view) {
        QObject::connect(view->page(), &QWebEnginePage::loadingChanged, &m_context,
                         [this](const QWebEngineLoadingInfo& info) {
                             if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                                 m_ends.append(info);
                         });
    }
    // Waits for the next load to end; empty text when it succeeded, else what went wrong.
    QString waitForEnd() {
        if (!QTest::qWaitFor([&] { return !m_ends.isEmpty(); }, kLoadTimeout))
            return QStringLiteral("load did not end");
        const QWebEngineLoadingInfo info = m_ends.takeFirst();
        // The engine reports every HTTP status here, 200 included.
        const bool httpOk =
            info.errorDomain() == QWebEngineLoadingInfo::NoErrorDomain ||
            (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain && info.errorCode() < 400);
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && httpOk && !info.isErrorPage())
            return {};
        return QStringLiteral("%1: %2 (code %3)").arg(info.url().toString(), info.errorString()).arg(info.errorCode());
    }

private:
    QObject m_context;
    QList<QWebEngineLoadingInfo> m_ends;
};

#define VERIFY_LOADED(watch)                                                                                           \
    do {                                                                                                               \
        const QString problem = (watch).waitForEnd();                                                                  \
        QVERIFY2(problem.isEmpty(), qPrintable(problem));                                                              \
    } while (false)

} // namespace

class TestInfoPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void form();
    void formControls_data();
    void formControls();
    void opensOnPage_data();
    void opensOnPage();
    void switchesPage_data();
    void switchesPage();
    void reopensOnClickedPage_data();
    void reopensOnClickedPage();
    void captionAndStatusFromSharedTexts_data();
    void captionAndStatusFromSharedTexts();
    void blocksParentWhileOpen();
    void unreachableServerKeepsButtonsWorking();

private:
    InfoPagesWindow* open(InfoPage page, const QByteArray& server = {});
    static void expectPageButtons(QWidget* window, InfoPage current);
    static QString plainText(QWebEngineView* view);

    QByteArray m_server;
    SharedTexts m_shared;
    std::unique_ptr<QWidget> m_parent;
};

void TestInfoPages::initTestCase() {
    m_server = deploymentDefaults().pictureServer;
    QVERIFY(!m_server.isEmpty());
}

void TestInfoPages::cleanup() {
    // Deleting the stand-in main window takes any still open information window with it.
    m_parent.reset();
    m_shared = {};
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

InfoPagesWindow* TestInfoPages::open(InfoPage page, const QByteArray& server) {
    if (!m_parent) {
        m_parent = std::make_unique<QWidget>();
        m_parent->setGeometry(700, 100, 300, 200);
        m_parent->show();
    }
    return openInfoPages(page, m_shared, server.isEmpty() ? m_server : server, m_parent.get());
}

void TestInfoPages::expectPageButtons(QWidget* window, InfoPage current) {
    for (InfoPage page : kPages) {
        QPushButton* b = button(window, buttonName(page));
        QVERIFY2(b, buttonName(page));
        QCOMPARE(b->isEnabled(), page != current);
    }
    QVERIFY(button(window, "返回")->isEnabled());
}

QString TestInfoPages::plainText(QWebEngineView* view) {
    // The callback may come after a failed wait; keep what it writes alive on its own.
    auto result = std::make_shared<std::pair<bool, QString>>(false, QString());
    view->page()->toPlainText([result](const QString& text) { *result = {true, text}; });
    if (!QTest::qWaitFor([&] { return result->first; }, kLoadTimeout))
        return {};
    return result->second;
}

void TestInfoPages::form() {
    QPointer<InfoPagesWindow> window = open(InfoPage::Notices);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->size(), QSize(580, 450));
    QCOMPARE(window->pos(), QPoint(50, 50));

    auto* bar = window->findChild<QStatusBar*>(QStringLiteral("状态条"));
    QVERIFY(bar);
    QVERIFY(bar->isVisible());
    // Along the bottom edge, below the browser.
    const QRect barRect(bar->mapTo(window.data(), QPoint(0, 0)), bar->size());
    QCOMPARE(barRect.bottom(), window->height() - 1);
    QCOMPARE(barRect.left(), 0);
    QCOMPARE(barRect.width(), window->width());
    QVERIFY(barRect.top() >= 35 + 357);
}

void TestInfoPages::formControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("back") << u"返回"_qs << u"返 回"_qs << QRect(0, 0, 100, 30);
    QTest::newRow("notices") << u"最新通知"_qs << u"最 新 通 知"_qs << QRect(100, 0, 100, 30);
    QTest::newRow("promotions") << u"优惠信息"_qs << u"优 惠 信 息"_qs << QRect(200, 0, 100, 30);
    QTest::newRow("about us") << u"关于我们"_qs << u"关 于 我 们"_qs << QRect(300, 0, 100, 30);
    QTest::newRow("browser") << u"超文本浏览框1"_qs << QString() << QRect(5, 35, 563, 357);
}

void TestInfoPages::formControls() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, rect);
    QPointer<InfoPagesWindow> window = open(InfoPage::Notices);
    QVERIFY(QTest::qWaitForWindowExposed(window));

    auto* control = window->findChild<QWidget*>(name);
    QVERIFY(control);
    QVERIFY(control->isVisible());
    QCOMPARE(QRect(control->mapTo(window.data(), QPoint(0, 0)), control->size()), rect);
    if (auto* b = qobject_cast<QPushButton*>(control))
        QCOMPARE(b->text(), caption);
    else
        QVERIFY(qobject_cast<QWebEngineView*>(control));
}

void TestInfoPages::opensOnPage_data() {
    QTest::addColumn<InfoPage>("page");
    QTest::newRow("notices") << InfoPage::Notices;
    QTest::newRow("promotions") << InfoPage::Promotions;
    QTest::newRow("about us") << InfoPage::AboutUs;
}

void TestInfoPages::opensOnPage() {
    QFETCH(InfoPage, page);
    const QByteArray address = m_server + pagePath(page);
    m_shared.infoPageAddress = "http://stale.example/zel_tz.htm";

    QPointer<InfoPagesWindow> window = open(page);
    QVERIFY(window);
    LoadWatch loads(window->browser());
    QCOMPARE(m_shared.infoPageAddress, address);
    QVERIFY(window->isVisible());
    expectPageButtons(window, page);

    VERIFY_LOADED(loads);
    QCOMPARE(window->browser()->url(), QUrl(QString::fromLatin1(address)));
    QVERIFY(!plainText(window->browser()).trimmed().isEmpty());
    expectPageButtons(window, page);
}

void TestInfoPages::switchesPage_data() {
    QTest::addColumn<InfoPage>("from");
    QTest::addColumn<InfoPage>("to");
    for (InfoPage from : kPages) {
        for (InfoPage to : kPages) {
            if (from != to)
                QTest::addRow("%s to %s", pagePath(from) + 1, pagePath(to) + 1) << from << to;
        }
    }
}

void TestInfoPages::switchesPage() {
    QFETCH(InfoPage, from);
    QFETCH(InfoPage, to);
    QPointer<InfoPagesWindow> window = open(from);
    LoadWatch loads(window->browser());
    VERIFY_LOADED(loads);

    QTest::mouseClick(button(window, buttonName(to)), Qt::LeftButton);
    expectPageButtons(window, to);
    VERIFY_LOADED(loads);
    const QByteArray address = m_server + pagePath(to);
    QCOMPARE(window->browser()->url(), QUrl(QString::fromLatin1(address)));
    QVERIFY(!plainText(window->browser()).trimmed().isEmpty());
    // Only the opening page is kept in the shared texts.
    QCOMPARE(m_shared.infoPageAddress, m_server + pagePath(from));
    QVERIFY(window->isVisible());
}

void TestInfoPages::reopensOnClickedPage_data() {
    QTest::addColumn<InfoPage>("first");
    QTest::addColumn<InfoPage>("switchTo");
    QTest::addColumn<InfoPage>("reopen");
    QTest::newRow("same button as before") << InfoPage::Notices << InfoPage::AboutUs << InfoPage::Notices;
    QTest::newRow("third button") << InfoPage::AboutUs << InfoPage::Promotions << InfoPage::Notices;
    QTest::newRow("page last shown") << InfoPage::Promotions << InfoPage::Notices << InfoPage::Notices;
}

void TestInfoPages::reopensOnClickedPage() {
    QFETCH(InfoPage, first);
    QFETCH(InfoPage, switchTo);
    QFETCH(InfoPage, reopen);
    QPointer<InfoPagesWindow> window = open(first);
    QTest::mouseClick(button(window, buttonName(switchTo)), Qt::LeftButton);
    expectPageButtons(window, switchTo);
    QTest::mouseClick(button(window, "返回"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());

    QPointer<InfoPagesWindow> again = open(reopen);
    LoadWatch loads(again->browser());
    expectPageButtons(again, reopen);
    VERIFY_LOADED(loads);
    QCOMPARE(again->browser()->url(), QUrl(QString::fromLatin1(m_server + pagePath(reopen))));
}

void TestInfoPages::captionAndStatusFromSharedTexts_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("status");
    QTest::newRow("chinese") << u"星河电脑报价系统 V1.7"_qs << u"欢迎光临星河电脑，本报价仅供参考！"_qs;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("markup is text") << u"<i>星河</i> V1.7"_qs << u"<b>欢迎</b> &amp; <br>再见"_qs;
}

void TestInfoPages::captionAndStatusFromSharedTexts() {
    QFETCH(QString, title);
    QFETCH(QString, status);
    m_shared.windowTitle = toGbk(title);
    m_shared.statusTextForInfoPages = toGbk(status);
    m_shared.statusTextForEditor = gbk("编辑器的状态条");

    QPointer<InfoPagesWindow> window = open(InfoPage::Promotions);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(statusText(window), status);
    // Shown character for character, not interpreted as markup.
    auto* part = window->findChild<QStatusBar*>(QStringLiteral("状态条"))->findChild<QLabel*>();
    QVERIFY(part->sizeHint().width() >= part->fontMetrics().horizontalAdvance(status));

    // The window read the texts once, when it was created.
    m_shared.windowTitle = gbk("改过的标题");
    m_shared.statusTextForInfoPages = gbk("改过的状态");
    QTest::mouseClick(button(window, "关于我们"), Qt::LeftButton);
    QTest::qWait(50);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(statusText(window), status);
}

void TestInfoPages::blocksParentWhileOpen() {
    m_parent = std::make_unique<QWidget>();
    m_parent->setGeometry(700, 100, 300, 200);
    auto* mainButton = new QPushButton(QStringLiteral("main"), m_parent.get());
    mainButton->setGeometry(10, 10, 120, 40);
    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
    QSignalSpy mainClicks(mainButton, &QPushButton::clicked);
    const QPoint buttonCentre = mainButton->geometry().center();

    // Sanity: a click through the window system reaches the parent while nothing is open.
    QTest::mouseClick(m_parent->windowHandle(), Qt::LeftButton, {}, buttonCentre);
    QTRY_COMPARE(mainClicks.size(), 1);

    QPointer<InfoPagesWindow> window = open(InfoPage::AboutUs);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(m_parent->windowHandle(), Qt::LeftButton, {}, buttonCentre);
    QTest::keyClick(m_parent->windowHandle(), Qt::Key_Space);
    QTest::qWait(100);
    QCOMPARE(mainClicks.size(), 1);
    QCOMPARE(QApplication::activeModalWidget(), window.data());
    QVERIFY(window->isVisible());

    QTest::mouseClick(button(window, "返回"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::mouseClick(m_parent->windowHandle(), Qt::LeftButton, {}, buttonCentre);
    QTRY_COMPARE(mainClicks.size(), 2);
}

void TestInfoPages::unreachableServerKeepsButtonsWorking() {
    // Nothing listens on port 9 of the loopback address.
    const QByteArray server = "http://127.0.0.1:9";
    QPointer<InfoPagesWindow> window = open(InfoPage::Notices, server);
    LoadWatch loads(window->browser());
    QVERIFY(!loads.waitForEnd().isEmpty());

    QTest::mouseClick(button(window, "优惠信息"), Qt::LeftButton);
    expectPageButtons(window, InfoPage::Promotions);
    QCOMPARE(window->browser()->url().path(), u"/zel_yh.htm"_qs);
    QTest::mouseClick(button(window, "返回"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(TestInfoPages)
#include "tst_info_pages.moc"
