#include "deployment_defaults.h"
#include "model/gbk.h"
#include "ui/quote/open_quote_editor.h"
#include "ui/quote/quote_editor_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

using namespace velnor;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

template <typename T = QWidget> T* child(QObject* window, const char* name) {
    return window->findChild<T*>(u(name));
}

QString textOf(QObject* window, const char* name) {
    QObject* object = window->findChild<QObject*>(u(name));
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return edit->text();
    }
    return QStringLiteral("<no text control %1>").arg(u(name));
}

void setBox(QObject* window, const char* name, const QString& text) {
    child<QLineEdit>(window, name)->setText(text);
}

} // namespace

class TestQuoteEditor : public QObject {
    Q_OBJECT
private:
    Deployment m_deployment = deploymentDefaults();

private slots:
    void formGeometry_data();
    void formGeometry();
    void everyControlPresent();
    void initialTexts();
    void outerPlacement();
    void tickCopiesSelectionAndTotals();
    void quantityTextsInTotals_data();
    void quantityTextsInTotals();
    void mainboardQuantityAtOnceOthersAtTick();
    void typedTotalsReplaced();
    void tickLeavesTypingAlone();
    void doubleClickClearsLine();
    void statusCapturedAtCreation();
    void openQuoteEditorKeepsOneWindow();
};

void TestQuoteEditor::formGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    auto row = [](const char* name, int x, int y, int w, int h) {
        QTest::newRow(name) << u(name) << QRect(x, y, w, h);
    };
    row("分类b", 5, 5, 55, 20);
    row("型号b", 59, 5, 300, 20);
    row("价格b", 358, 5, 50, 20);
    row("保修b", 407, 5, 40, 20);
    row("数量b", 446, 5, 55, 20);
    row("标签21", 500, 5, 50, 20);
    // first, second and last line
    row("标签b1", 5, 25, 55, 18);
    row("主板型号", 59, 25, 300, 18);
    row("主板价格", 358, 25, 50, 18);
    row("主板保修", 407, 25, 40, 18);
    row("主板数量", 446, 25, 55, 18);
    row("主板价格1", 500, 25, 50, 18);
    row("cpu型号", 59, 42, 300, 18);
    row("cpu价格1", 500, 42, 50, 18);
    row("标签b11", 5, 195, 55, 18);
    row("散热器型号", 59, 195, 300, 18);
    row("标签b12", 5, 212, 55, 18);
    row("音箱型号", 59, 212, 300, 18);
    row("音箱价格", 358, 212, 50, 18);
    row("音箱保修", 407, 212, 40, 18);
    row("音箱数量", 446, 212, 55, 18);
    row("音箱价格1", 500, 212, 50, 18);
    row("标签b13", 446, 230, 55, 18);
    row("合计", 500, 230, 50, 18);
    row("标签b14", 446, 247, 55, 18);
    row("合计1", 500, 247, 50, 18);
    row("标签1", 446, 264, 55, 18);
    row("利润", 500, 264, 50, 18);
    row("标签7", 5, 232, 248, 18);
    row("复制成本清单", 573, 5, 80, 25);
    row("复制零售清单", 573, 31, 80, 25);
    row("保存全部", 571, 88, 80, 25);
    row("保存成本清单", 571, 114, 80, 25);
    row("保存零售清单", 571, 140, 80, 25);
    row("打印全部", 571, 204, 80, 25);
    row("打印成本价", 571, 230, 80, 25);
    row("打印零售价", 571, 256, 80, 25);
    row("选择框", 448, 286, 152, 20);
    row("分组框1", 448, 311, 225, 154);
    row("标签2", 5, 25, 10, 20); // inside the group box
    row("编辑框1", 17, 25, 200, 20);
    row("标签6", 5, 125, 10, 20);
    row("编辑框5", 17, 125, 200, 20);
    row("超文本浏览框1", 5, 256, 435, 280);
    row("标签8", 448, 477, 177, 55);
}

void TestQuoteEditor::formGeometry() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    SelectionState selection;
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QWidget* widget = editor.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->geometry(), rect);
    // Form positions are measured from the window's client area (the group box's own for its children).
    QWidget* expectedParent = name.startsWith(u("标签")) && rect.x() == 5 && rect.width() == 10
                                  ? child(&editor, "分组框1")
                                  : editor.centralWidget();
    if (name.startsWith(u("编辑框"))) {
        expectedParent = child(&editor, "分组框1");
    }
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(editor.centralWidget()->pos(), QPoint(0, 0));
}

void TestQuoteEditor::everyControlPresent() {
    SelectionState selection;
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QStringList names;
    for (ComponentCategory c : canonicalOrder()) {
        const CategoryInfo& info = categoryInfo(c);
        for (const char* name : {info.lineLabelName, info.modelLabel, info.priceLabel, info.warrantyLabel,
                                 info.quantityBox, info.retailBox}) {
            names << u(name);
        }
        QCOMPARE(child<QLineEdit>(&editor, info.quantityBox) != nullptr, true);
        QCOMPARE(child<QLineEdit>(&editor, info.retailBox) != nullptr, true);
        QCOMPARE(child<QLabel>(&editor, info.modelLabel) != nullptr, true);
    }
    for (const char* name :
         {"分类b",    "型号b",        "价格b",        "保修b",         "数量b",        "标签21",
          "标签b13",  "标签b14",      "标签1",        "合计",          "合计1",        "利润",
          "标签7",    "复制成本清单", "复制零售清单", "保存全部",      "保存成本清单", "保存零售清单",
          "打印全部", "打印成本价",   "打印零售价",   "选择框",        "分组框1",      "标签2",
          "标签3",    "标签4",        "标签5",        "标签6",         "编辑框1",      "编辑框2",
          "编辑框3",  "编辑框4",      "编辑框5",      "超文本浏览框1", "标签8",        "状态条"}) {
        names << u(name);
    }
    for (const QString& name : names) {
        QCOMPARE(editor.findChildren<QWidget*>(name).size(), 1);
    }
    QVERIFY(qobject_cast<QWebEngineView*>(child(&editor, "超文本浏览框1")));
    QCOMPARE(editor.statusBar(), child<QStatusBar>(&editor, "状态条"));
    auto* timer = editor.findChild<QTimer*>(u("时钟1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(timer->isActive());
    for (const char* name : {"合计", "合计1", "利润"}) {
        QVERIFY(qobject_cast<QLineEdit*>(child(&editor, name)));
    }
    QVERIFY(qobject_cast<QPushButton*>(child(&editor, "打印零售价")));
}

void TestQuoteEditor::initialTexts() {
    SelectionState selection;
    selection.set(ComponentCategory::Zb, gbk("板"), gbk("1"), gbk("1年"));
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QCOMPARE(editor.windowTitle(), u("清单编辑器"));
    const std::pair<const char*, const char*> fixed[] = {
        {"分类b", "分 类"},      {"型号b", "型  号"},   {"价格b", "成本价"},
        {"保修b", "保修"},       {"数量b", "数 量"},    {"标签21", "零售价"},
        {"标签b1", " 主 板"},    {"标签b2", " C P U"},  {"标签b9", " 显示器"},
        {"标签b11", " 散热器"},  {"标签b12", " 音 箱"}, {"标签b13", "成本总价"},
        {"标签b14", "零售总价"}, {"标签1", "利  润"},   {"标签7", " 注：双击配件的型号，可以清空所选配件。"},
        {"标签2", "1"},          {"标签6", "5"},
    };
    for (const auto& [name, text] : fixed) {
        QCOMPARE(textOf(&editor, name), u(text));
    }
    // Until the first tick every line is empty, even with a choice waiting in the selection.
    for (ComponentCategory c : canonicalOrder()) {
        const CategoryInfo& info = categoryInfo(c);
        QCOMPARE(textOf(&editor, info.lineLabelName), u(info.lineLabelText));
        QCOMPARE(textOf(&editor, info.modelLabel), QString());
        QCOMPARE(textOf(&editor, info.priceLabel), QString());
        QCOMPARE(textOf(&editor, info.warrantyLabel), QString());
        QCOMPARE(textOf(&editor, info.quantityBox), u("1"));
        QCOMPARE(textOf(&editor, info.retailBox), QString());
    }
    for (const char* name : {"合计", "合计1", "利润"}) {
        QCOMPARE(textOf(&editor, name), QString());
    }
    for (const char* name : {"复制成本清单", "保存全部", "打印成本价"}) {
        QCOMPARE(child<QPushButton>(&editor, name)->text(), u(name));
    }
    auto* check = child<QCheckBox>(&editor, "选择框");
    QCOMPARE(check->text(), u("打印时加上 [附加信息]"));
    QVERIFY(!check->isChecked());
    QCOMPARE(child<QGroupBox>(&editor, "分组框1")->title(), u("附加信息"));
    QCOMPARE(textOf(&editor, "编辑框1"), fromGbk(m_deployment.shopName));
    QCOMPARE(textOf(&editor, "编辑框2"), u("电话：") + fromGbk(m_deployment.shopPhone));
    QCOMPARE(textOf(&editor, "编辑框3"), u("传真：") + fromGbk(m_deployment.shopFax));
    QCOMPARE(textOf(&editor, "编辑框4"), fromGbk(m_deployment.shopWeb));
    QCOMPARE(textOf(&editor, "编辑框5"), fromGbk(m_deployment.shopAddress));
    QVERIFY(!m_deployment.shopPhone.isEmpty());
    const QPixmap banner = child<QLabel>(&editor, "标签8")->pixmap();
    QCOMPARE(banner.size(), QSize(177, 55));
    // The browser reports its address once the load has begun (whether or not the server answers).
    QTRY_COMPARE_WITH_TIMEOUT(child<QWebEngineView>(&editor, "超文本浏览框1")->url(),
                              QUrl(fromGbk(m_deployment.pictureServer) + u("/zel_bjq.htm")), 5000);
}

void TestQuoteEditor::outerPlacement() {
    SelectionState selection;
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTRY_COMPARE(editor.frameGeometry(), QRect(50, 50, 685, 590));
}

void TestQuoteEditor::tickCopiesSelectionAndTotals() {
    SelectionState selection;
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), u("0"), 2500);
    QCOMPARE(textOf(&editor, "合计1"), u("0"));
    QCOMPARE(textOf(&editor, "利润"), u("0"));

    selection.set(ComponentCategory::Zb, gbk("华擎 B660M"), gbk("599"), gbk("三年"));
    selection.set(ComponentCategory::Cpu, gbk("i5-12400"), gbk("899"), gbk("一年"));
    setBox(&editor, "cpu数量", u("2"));
    setBox(&editor, "主板价格1", u("650"));
    setBox(&editor, "cpu价格1", u("950"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "主板型号"), u("华擎 B660M"), 2500);
    QCOMPARE(textOf(&editor, "主板价格"), u("599"));
    QCOMPARE(textOf(&editor, "主板保修"), u("三年"));
    QCOMPARE(textOf(&editor, "cpu型号"), u("i5-12400"));
    QCOMPARE(textOf(&editor, "合计"), u("2397"));
    QCOMPARE(textOf(&editor, "合计1"), u("2550"));
    QCOMPARE(textOf(&editor, "利润"), u("153"));

    // A new model in the same category keeps the typed retail price beside it.
    selection.set(ComponentCategory::Zb, gbk("微星 B760M"), gbk("699"), gbk("三年"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "主板型号"), u("微星 B760M"), 2500);
    QCOMPARE(textOf(&editor, "主板价格1"), u("650"));
    QCOMPARE(textOf(&editor, "cpu数量"), u("2"));
    QCOMPARE(textOf(&editor, "合计"), u("2497"));
    QCOMPARE(editor.displayedSheet().line(ComponentCategory::Zb).model, gbk("微星 B760M"));
}

void TestQuoteEditor::quantityTextsInTotals_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("costTotal");
    QTest::newRow("zero") << u("0") << u("100");
    QTest::newRow("empty") << QString() << u("100");
    QTest::newRow("letters") << u("abc") << u("100");
    QTest::newRow("fraction") << u("1.5") << u("400");
    QTest::newRow("full-width digit") << u("２") << u("500");
}

// Display texts go through the same conversions as the arithmetic: a quantity on the cpu line (price 200)
// next to a motherboard at 100.
void TestQuoteEditor::quantityTextsInTotals() {
    QFETCH(QString, quantity);
    QFETCH(QString, costTotal);
    SelectionState selection;
    selection.set(ComponentCategory::Zb, gbk("M"), gbk("100"), QByteArray());
    selection.set(ComponentCategory::Cpu, gbk("C"), gbk("200"), QByteArray());
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    setBox(&editor, "cpu数量", quantity);
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), costTotal, 2500);
    QCOMPARE(textOf(&editor, "cpu数量"), quantity); // typed text kept as typed
}

void TestQuoteEditor::mainboardQuantityAtOnceOthersAtTick() {
    SelectionState selection;
    selection.set(ComponentCategory::Zb, gbk("M"), gbk("100"), QByteArray());
    selection.set(ComponentCategory::Cpu, gbk("C"), gbk("200"), QByteArray());
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), u("300"), 2500);

    setBox(&editor, "主板数量", u("3"));
    QCOMPARE(textOf(&editor, "合计"), u("500")); // no event loop in between: recalculated by the edit itself

    QSignalSpy ticks(editor.findChild<QTimer*>(u("时钟1")), &QTimer::timeout);
    setBox(&editor, "cpu数量", u("2"));
    setBox(&editor, "cpu价格1", u("10"));
    QCOMPARE(textOf(&editor, "合计"), u("500"));
    QCOMPARE(textOf(&editor, "合计1"), u("0"));
    QVERIFY(ticks.wait(2000));
    QCOMPARE(textOf(&editor, "合计"), u("700"));
    QCOMPARE(textOf(&editor, "合计1"), u("20"));
    QCOMPARE(textOf(&editor, "利润"), u("-680"));
}

void TestQuoteEditor::typedTotalsReplaced() {
    SelectionState selection;
    selection.set(ComponentCategory::Yx, gbk("S"), gbk("35"), QByteArray());
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), u("35"), 2500);
    setBox(&editor, "合计", u("9999"));
    setBox(&editor, "利润", u("x"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), u("35"), 2500);
    QCOMPARE(textOf(&editor, "利润"), u("-35"));
}

// The tick rewrites only what changed, so the cursor of a box being typed in stays where it is.
void TestQuoteEditor::tickLeavesTypingAlone() {
    SelectionState selection;
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* box = child<QLineEdit>(&editor, "cpu价格1");
    box->setFocus();
    box->setText(u("1234"));
    box->setCursorPosition(2);
    QSignalSpy ticks(editor.findChild<QTimer*>(u("时钟1")), &QTimer::timeout);
    QVERIFY(ticks.wait(2000));
    QCOMPARE(box->cursorPosition(), 2);
    QCOMPARE(box->text(), u("1234"));
    QCOMPARE(textOf(&editor, "合计1"), u("1234"));
}

void TestQuoteEditor::doubleClickClearsLine() {
    SelectionState selection;
    selection.set(ComponentCategory::Xk, gbk("RTX 4060"), gbk("2399"), gbk("三年"));
    selection.set(ComponentCategory::Nc, gbk("DDR5 16G"), gbk("300"), gbk("终身"));
    QuoteEditorWindow editor(m_deployment, selection, SharedTexts{});
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    setBox(&editor, "显卡数量", u("2"));
    setBox(&editor, "显卡价格1", u("2500"));
    setBox(&editor, "内存价格1", u("350"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "合计"), u("5098"), 2500);

    QTest::mouseDClick(child(&editor, "显卡型号"), Qt::LeftButton);
    QCOMPARE(textOf(&editor, "显卡型号"), QString());
    QCOMPARE(textOf(&editor, "显卡价格"), QString());
    QCOMPARE(textOf(&editor, "显卡保修"), QString());
    QCOMPARE(textOf(&editor, "显卡价格1"), QString());
    QCOMPARE(textOf(&editor, "显卡数量"), u("2"));
    QCOMPARE(textOf(&editor, "合计"), u("300"));
    QCOMPARE(textOf(&editor, "合计1"), u("350"));
    QVERIFY(selection.get(ComponentCategory::Xk).isEmpty());
    QCOMPARE(selection.get(ComponentCategory::Nc).modelText, gbk("DDR5 16G"));

    // Stays empty over the next ticks; a new choice comes back without the old retail price.
    QSignalSpy ticks(editor.findChild<QTimer*>(u("时钟1")), &QTimer::timeout);
    QVERIFY(ticks.wait(2000));
    QCOMPARE(textOf(&editor, "显卡型号"), QString());
    selection.set(ComponentCategory::Xk, gbk("RX 7600"), gbk("1999"), gbk("两年"));
    QTRY_COMPARE_WITH_TIMEOUT(textOf(&editor, "显卡型号"), u("RX 7600"), 2500);
    QCOMPARE(textOf(&editor, "显卡价格1"), QString());
    QCOMPARE(textOf(&editor, "合计"), u("4298"));

    // A double-click elsewhere clears nothing.
    QTest::mouseDClick(child(&editor, "显卡价格"), Qt::LeftButton);
    QCOMPARE(textOf(&editor, "显卡型号"), u("RX 7600"));
}

void TestQuoteEditor::statusCapturedAtCreation() {
    SelectionState selection;
    SharedTexts shared;
    shared.statusTextForEditor = gbk("欢迎光临 星河电脑");
    QuoteEditorWindow editor(m_deployment, selection, shared);
    auto* label = editor.statusBar()->findChild<QLabel*>();
    QVERIFY(label);
    QCOMPARE(label->text(), u("欢迎光临 星河电脑"));
    shared.statusTextForEditor = gbk("改过的");
    QTest::qWait(1200);
    QCOMPARE(label->text(), u("欢迎光临 星河电脑"));
}

void TestQuoteEditor::openQuoteEditorKeepsOneWindow() {
    SelectionState selection;
    SharedTexts shared;
    QVERIFY(!currentQuoteEditor());
    openQuoteEditor(m_deployment, selection, shared);
    QPointer<QuoteEditorWindow> editor = currentQuoteEditor();
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!editor->isModal());
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    setBox(editor, "主板价格1", u("777"));
    setBox(editor, "键鼠数量", u("4"));

    openQuoteEditor(m_deployment, selection, shared);
    QCOMPARE(currentQuoteEditor(), editor.data());
    QCOMPARE(textOf(editor, "主板价格1"), u("777"));
    QCOMPARE(textOf(editor, "键鼠数量"), u("4"));
    int editors = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        editors += qobject_cast<QuoteEditorWindow*>(w) != nullptr;
    }
    QCOMPARE(editors, 1);

    editor->showMinimized();
    QTRY_VERIFY(editor->isMinimized());
    openQuoteEditor(m_deployment, selection, shared);
    QTRY_VERIFY(!editor->isMinimized());
    QCOMPARE(textOf(editor, "主板价格1"), u("777"));

    // Restoring brings a maximised editor back maximised, not to its normal size.
    editor->showMaximized();
    QTRY_VERIFY(editor->isMaximized());
    editor->showMinimized();
    QTRY_VERIFY(editor->isMinimized());
    openQuoteEditor(m_deployment, selection, shared);
    QTRY_VERIFY(!editor->isMinimized());
    QVERIFY(editor->isMaximized());

    // Closing discards the typed values; the next editor starts from the defaults.
    editor->close();
    QTRY_VERIFY(editor.isNull());
    QVERIFY(!currentQuoteEditor());
    openQuoteEditor(m_deployment, selection, shared);
    QVERIFY(currentQuoteEditor());
    QCOMPARE(textOf(currentQuoteEditor(), "主板价格1"), QString());
    QCOMPARE(textOf(currentQuoteEditor(), "键鼠数量"), u("1"));
    currentQuoteEditor()->close();
    QTRY_VERIFY(!currentQuoteEditor());
}

QTEST_MAIN(TestQuoteEditor)
#include "tst_quote_editor.moc"
