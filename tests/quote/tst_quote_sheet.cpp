#include "model/amount.h"
#include "model/gbk.h"
#include "quote/quote_sheet.h"

#include <QTest>

#include <vector>

using namespace velnor;
using C = ComponentCategory;

namespace {

// What the user and the main window have put on one line; everything else keeps the editor's defaults.
struct LineInput {
    C category;
    QByteArray quantity;
    QByteArray costPrice;
    QByteArray retailPrice;
};
using LineInputs = std::vector<LineInput>;

} // namespace

Q_DECLARE_METATYPE(LineInputs)

class TestQuoteSheet : public QObject {
    Q_OBJECT

private slots:
    void totals_data();
    void totals();
    void profitComesFromDisplayedTotals();
    void emptyEditorAfterFirstRefresh();
    void refreshCopiesEverySelectionEntry();
    void refreshKeepsQuantityAndRetailAcrossModelChange();
    void clearQuoteLine();
};

void TestQuoteSheet::totals_data() {
    QTest::addColumn<LineInputs>("lines");
    QTest::addColumn<QByteArray>("costTotal");
    QTest::addColumn<QByteArray>("retailTotal");
    QTest::addColumn<QByteArray>("profit");

    QTest::newRow("board and two cpus") << LineInputs{{C::Zb, "1", "599", "650"}, {C::Cpu, "2", "899", "950"}}
                                        << QByteArray("2397") << QByteArray("2550") << QByteArray("153");
    QTest::newRow("retail on a line without a part")
        << LineInputs{{C::Gq, "1", "", "120"}} << QByteArray("0") << QByteArray("120") << QByteArray("120");
    QTest::newRow("quantity 0 removes the line") << LineInputs{{C::Zb, "0", "599", "650"}, {C::Cpu, "1", "899", "950"}}
                                                 << QByteArray("899") << QByteArray("950") << QByteArray("51");
    QTest::newRow("empty quantity removes the line")
        << LineInputs{{C::Zb, "", "599", "650"}, {C::Cpu, "1", "899", "950"}} << QByteArray("899") << QByteArray("950")
        << QByteArray("51");
    QTest::newRow("quantity without digits removes the line")
        << LineInputs{{C::Zb, "abc", "599", "650"}, {C::Cpu, "1", "899", "950"}} << QByteArray("899")
        << QByteArray("950") << QByteArray("51");
    QTest::newRow("fractional quantity") << LineInputs{{C::Nc, "1.5", "300", "330"}} << QByteArray("450")
                                         << QByteArray("495") << QByteArray("45");
    QTest::newRow("full-width quantity") << LineInputs{{C::Nc, gbk("２"), "300", "330"}} << QByteArray("600")
                                         << QByteArray("660") << QByteArray("60");
    // Counted as 2 although it stays "2 " on the line and in every document.
    QTest::newRow("quantity with a trailing space")
        << LineInputs{{C::Nc, "2 ", "300", "330"}} << QByteArray("600") << QByteArray("660") << QByteArray("60");
    QTest::newRow("loss gives a negative profit")
        << LineInputs{{C::Xk, "1", "2399", "2299"}} << QByteArray("2399") << QByteArray("2299") << QByteArray("-100");
    QTest::newRow("prices that are not numbers count as 0")
        << LineInputs{{C::Xk, "1", gbk("面议"), "abc"}, {C::Dy, "1", "399", "429"}} << QByteArray("399")
        << QByteArray("429") << QByteArray("30");
    // 1e16 + 1 rounds back to 1e16, so only strict canonical order (zb, …, srq, yx) gives 0 here;
    // any order that adds the speakers before the cooler gives 1.
    QTest::newRow("sum runs left to right in canonical order") << LineInputs{{C::Zb, "1", "10000000000000000", ""},
                                                                             {C::Srq, "1", "1", ""},
                                                                             {C::Yx, "1", "-10000000000000000", ""}}
                                                               << QByteArray("0") << QByteArray("0") << QByteArray("0");
    QTest::newRow("decimal sum shown to 13 digits")
        << LineInputs{{C::Js, "1", "0.1", "0.2"}, {C::Yx, "1", "0.2", "0.2"}} << QByteArray("0.3") << QByteArray("0.4")
        << QByteArray("0.1");
}

void TestQuoteSheet::totals() {
    QFETCH(LineInputs, lines);
    QFETCH(QByteArray, costTotal);
    QFETCH(QByteArray, retailTotal);
    QFETCH(QByteArray, profit);

    QuoteSheet sheet;
    SelectionState selection;
    for (const LineInput& in : lines) {
        selection.set(in.category, "M-" + QByteArray(categoryInfo(in.category).code), in.costPrice, "1y");
        sheet.line(in.category).quantity = in.quantity;
        sheet.line(in.category).retailPrice = in.retailPrice;
    }
    // Whatever was typed into the total boxes is overwritten.
    sheet.costTotal = sheet.retailTotal = sheet.profit = "typed";

    refreshFromSelection(sheet, selection);

    QCOMPARE(sheet.costTotal, costTotal);
    QCOMPARE(sheet.retailTotal, retailTotal);
    QCOMPARE(sheet.profit, profit);
    // Quantities stay exactly as typed.
    for (const LineInput& in : lines) {
        QCOMPARE(sheet.line(in.category).quantity, in.quantity);
    }
}

void TestQuoteSheet::profitComesFromDisplayedTotals() {
    // The cost total has 14 significant digits and shows as 1234567890123; the retail total is exact.
    QuoteSheet sheet;
    sheet.line(C::Zb).costPrice = "1234567890123.4";
    sheet.line(C::Zb).retailPrice = "1234567890124";
    recalculateQuote(sheet);

    QCOMPARE(sheet.costTotal, QByteArray("1234567890123"));
    QCOMPARE(sheet.retailTotal, QByteArray("1234567890124"));
    QCOMPARE(sheet.profit, QByteArray("1"));
    // The difference of the unrounded sums would have shown otherwise (1234567890123.4 is held as
    // 1234567890123.39990234375).
    QCOMPARE(NumberToText(TextToNumber("1234567890124") - TextToNumber("1234567890123.4")),
             QByteArray("0.60009765625"));
}

void TestQuoteSheet::emptyEditorAfterFirstRefresh() {
    QuoteSheet sheet;
    const SelectionState selection;
    refreshFromSelection(sheet, selection);

    QCOMPARE(sheet.costTotal, QByteArray("0"));
    QCOMPARE(sheet.retailTotal, QByteArray("0"));
    QCOMPARE(sheet.profit, QByteArray("0"));
    for (const QuoteLine& line : sheet.lines) {
        QCOMPARE(line, QuoteLine{});
    }
}

void TestQuoteSheet::refreshCopiesEverySelectionEntry() {
    SelectionState selection;
    for (C c : canonicalOrder()) {
        const QByteArray code = categoryInfo(c).code;
        selection.set(c, gbk("型号 ") + code, "1" + QByteArray::number(categoryIndex(c)), gbk("保修") + code);
    }
    QuoteSheet sheet;
    for (C c : canonicalOrder()) {
        sheet.line(c).quantity = "q" + QByteArray(categoryInfo(c).code);
        sheet.line(c).retailPrice = "r" + QByteArray(categoryInfo(c).code);
    }

    refreshFromSelection(sheet, selection);

    for (C c : canonicalOrder()) {
        const QByteArray code = categoryInfo(c).code;
        const QuoteLine& line = sheet.line(c);
        QCOMPARE(line.model, selection.get(c).modelText);
        QCOMPARE(line.costPrice, selection.get(c).priceText);
        QCOMPARE(line.warranty, selection.get(c).warrantyText);
        QCOMPARE(line.quantity, "q" + code);
        QCOMPARE(line.retailPrice, "r" + code);
    }
    // The selection is only read.
    QCOMPARE(selection.get(C::Yx).modelText, gbk("型号 yx"));
}

void TestQuoteSheet::refreshKeepsQuantityAndRetailAcrossModelChange() {
    SelectionState selection;
    selection.set(C::Cpu, "i5-13400", "1299", gbk("3年"));
    QuoteSheet sheet;
    refreshFromSelection(sheet, selection);
    sheet.line(C::Cpu).quantity = "2";
    sheet.line(C::Cpu).retailPrice = "1350";

    selection.set(C::Cpu, "i7-13700", "2599", gbk("3年"));
    refreshFromSelection(sheet, selection);

    const QuoteLine& cpu = sheet.line(C::Cpu);
    QCOMPARE(cpu.model, QByteArray("i7-13700"));
    QCOMPARE(cpu.costPrice, QByteArray("2599"));
    QCOMPARE(cpu.quantity, QByteArray("2"));
    QCOMPARE(cpu.retailPrice, QByteArray("1350"));
    QCOMPARE(sheet.costTotal, QByteArray("5198"));
    QCOMPARE(sheet.retailTotal, QByteArray("2700"));
    QCOMPARE(sheet.profit, QByteArray("-2498"));
}

void TestQuoteSheet::clearQuoteLine() {
    SelectionState selection;
    selection.set(C::Zb, "B760M", "899", gbk("3年"));
    selection.set(C::Nc, "DDR5 16G", "329", gbk("终身"));
    QuoteSheet sheet;
    refreshFromSelection(sheet, selection);
    sheet.line(C::Nc).quantity = "2";
    sheet.line(C::Nc).retailPrice = "359";
    sheet.line(C::Zb).retailPrice = "950";
    recalculateQuote(sheet);
    QCOMPARE(sheet.costTotal, QByteArray("1557"));

    velnor::clearQuoteLine(sheet, selection, C::Nc);

    const QuoteLine& nc = sheet.line(C::Nc);
    QCOMPARE(nc.model, QByteArray());
    QCOMPARE(nc.costPrice, QByteArray());
    QCOMPARE(nc.warranty, QByteArray());
    QCOMPARE(nc.retailPrice, QByteArray());
    QCOMPARE(nc.quantity, QByteArray("2"));
    QVERIFY(selection.get(C::Nc).isEmpty());
    // Recalculated at once, and the other lines are untouched.
    QCOMPARE(sheet.costTotal, QByteArray("899"));
    QCOMPARE(sheet.retailTotal, QByteArray("950"));
    QCOMPARE(sheet.profit, QByteArray("51"));
    QCOMPARE(sheet.line(C::Zb).model, QByteArray("B760M"));
    QCOMPARE(selection.get(C::Zb).modelText, QByteArray("B760M"));

    // The next tick keeps the line empty.
    refreshFromSelection(sheet, selection);
    QCOMPARE(sheet.line(C::Nc).model, QByteArray());
    QCOMPARE(sheet.costTotal, QByteArray("899"));

    // Choosing the part again brings model and price back, but not the retail price.
    selection.set(C::Nc, "DDR5 32G", "599", gbk("终身"));
    refreshFromSelection(sheet, selection);
    QCOMPARE(sheet.line(C::Nc).model, QByteArray("DDR5 32G"));
    QCOMPARE(sheet.line(C::Nc).retailPrice, QByteArray());
    QCOMPARE(sheet.costTotal, QByteArray("2097"));
}

QTEST_GUILESS_MAIN(TestQuoteSheet)
#include "tst_quote_sheet.moc"
