#include "model/gbk.h"
#include "quote/print_layout.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace velnor;
using C = ComponentCategory;
using Items = std::vector<PrintItem>;

namespace {

// Page rows: y, category, caption. Speakers above the cooler.
struct Row {
    int y;
    C category;
    const char* caption;
};
// clang-format off
const Row kRows[] = {
    {100, C::Zb,  "主  板："}, {160, C::Cpu, "C P U ："}, {220, C::Yp,  "硬  盘："}, {280, C::Nc, "内  存："},
    {340, C::Xk,  "显  卡："}, {400, C::Gq,  "光  驱："}, {460, C::Jx,  "机  箱："}, {520, C::Dy, "电  源："},
    {580, C::Xsq, "显示器："}, {640, C::Js,  "键  鼠："}, {700, C::Yx,  "音  箱："}, {760, C::Srq, "散热器："},
};
// clang-format on

// Every field distinct, so a text in the wrong column or row shows.
QuoteSheet distinctSheet() {
    QuoteSheet sheet;
    for (const Row& row : kRows) {
        const QByteArray code = categoryInfo(row.category).code;
        QuoteLine& line = sheet.line(row.category);
        line.quantity = "q-" + code;
        line.costPrice = "c-" + code;
        line.retailPrice = "r-" + code;
        line.warranty = "w-" + code;
        line.model = "m-" + code;
    }
    sheet.costTotal = "8266";
    sheet.retailTotal = "8839.5";
    sheet.profit = "573.5";
    return sheet;
}

const std::array<QByteArray, 5> kExtra{gbk("星河电脑"), gbk("电话：0571-1234"), QByteArray(), "http://shop.example",
                                       gbk("文三路 1 号")};

Items header(std::initializer_list<std::pair<int, const char*>> texts) {
    Items out;
    for (const auto& [x, text] : texts) {
        out.push_back({x, 40, gbk(text)});
    }
    return out;
}

// The twelve rows as the test expects them, columns given per printout; -1 leaves a price column out.
Items rows(const QuoteSheet& sheet, int costX, int retailX, int warrantyX, int modelX) {
    Items out;
    for (const Row& row : kRows) {
        const QuoteLine& line = sheet.line(row.category);
        out.push_back({40, row.y, line.quantity});
        if (costX >= 0) {
            out.push_back({costX, row.y, line.costPrice});
        }
        if (retailX >= 0) {
            out.push_back({retailX, row.y, line.retailPrice});
        }
        out.push_back({warrantyX, row.y, line.warranty});
        out.push_back({modelX, row.y, gbk(row.caption) + line.model});
    }
    return out;
}

Items extraLines(int firstY) {
    Items out;
    for (int i = 0; i < 5; ++i) {
        out.push_back({40, firstY + 60 * i, kExtra[size_t(i)]});
    }
    return out;
}

Items concat(std::initializer_list<Items> parts) {
    Items out;
    for (const Items& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

QByteArray describe(const Items& items) {
    QByteArray out;
    for (const PrintItem& i : items) {
        out += QByteArray::number(i.x) + ',' + QByteArray::number(i.y) + ' ' + fromGbk(i.text).toUtf8() + '\n';
    }
    return out;
}

} // namespace

Q_DECLARE_METATYPE(PrintoutKind)

class TestPrintLayout : public QObject {
    Q_OBJECT

private slots:
    void wholePrintout_data();
    void wholePrintout();
    void emptyEditor_data();
    void emptyEditor();
};

void TestPrintLayout::wholePrintout_data() {
    QTest::addColumn<PrintoutKind>("kind");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<Items>("expected");

    const QuoteSheet s = distinctSheet();
    const Items costRows = rows(s, 140, -1, 300, 450);
    const Items retailRows = rows(s, -1, 140, 300, 450);
    const Items fullRows = rows(s, 140, 300, 460, 600);
    const Items costTotal{{40, 820, gbk("以上价格合计：￥8266（该报价不含税）")}};
    const Items retailTotal{{40, 820, gbk("以上价格合计：￥8839.5（该报价不含税）")}};
    const Items fullTotals{{40, 820, gbk("成本价合计(不含税)：￥8266")},
                           {40, 880, gbk("零售价合计(不含税)：￥8839.5")},
                           {40, 940, gbk("以上的利润(不含税)：￥573.5")}};

    QTest::newRow("cost, ticked") << PrintoutKind::Cost << true
                                  << concat({header({{40, "数量"}, {140, "成本价"}, {300, "保修"}, {650, "型号"}}),
                                             costRows, costTotal, extraLines(900)});
    QTest::newRow("cost, not ticked") << PrintoutKind::Cost << false
                                      << concat({header({{40, "数量"}, {140, "价格"}, {300, "保修"}, {650, "型号"}}),
                                                 costRows, costTotal});
    QTest::newRow("retail, ticked") << PrintoutKind::Retail << true
                                    << concat({header({{40, "数量"}, {140, "价格"}, {300, "保修"}, {650, "型号"}}),
                                               retailRows, retailTotal, extraLines(900)});
    QTest::newRow("retail, not ticked") << PrintoutKind::Retail << false
                                        << concat({header({{40, "数量"}, {140, "价格"}, {300, "保修"}, {650, "型号"}}),
                                                   retailRows, retailTotal});
    const Items fullHeader = header({{40, "数量"}, {140, "成本价"}, {300, "零售价"}, {460, "保修"}, {900, "型号"}});
    QTest::newRow("full, ticked") << PrintoutKind::Full << true
                                  << concat({fullHeader, fullRows, fullTotals, extraLines(1020)});
    QTest::newRow("full, not ticked") << PrintoutKind::Full << false << concat({fullHeader, fullRows, fullTotals});
}

void TestPrintLayout::wholePrintout() {
    QFETCH(PrintoutKind, kind);
    QFETCH(bool, ticked);
    QFETCH(Items, expected);

    const Items actual = printLayout(kind, distinctSheet(), ticked, kExtra);
    QVERIFY2(actual == expected, ("got:\n" + describe(actual) + "expected:\n" + describe(expected)).constData());
    // Everything fits on one A4 page in portrait.
    for (const PrintItem& item : actual) {
        QVERIFY(item.y <= 1260);
    }
}

void TestPrintLayout::emptyEditor_data() {
    QTest::addColumn<PrintoutKind>("kind");
    QTest::addColumn<QByteArray>("firstTotal");
    QTest::addColumn<int>("itemsPerRow");

    QTest::newRow("cost") << PrintoutKind::Cost << gbk("以上价格合计：￥（该报价不含税）") << 4;
    QTest::newRow("retail") << PrintoutKind::Retail << gbk("以上价格合计：￥（该报价不含税）") << 4;
    QTest::newRow("full") << PrintoutKind::Full << gbk("成本价合计(不含税)：￥") << 5;
}

void TestPrintLayout::emptyEditor() {
    QFETCH(PrintoutKind, kind);
    QFETCH(QByteArray, firstTotal);
    QFETCH(int, itemsPerRow);

    // Before the first refresh: nothing chosen, totals empty. A retail price typed on the board line.
    QuoteSheet sheet;
    sheet.line(C::Zb).retailPrice = "9x9";
    const Items items = printLayout(kind, sheet, false, kExtra);

    const int headerCount = kind == PrintoutKind::Full ? 5 : 4;
    QCOMPARE(int(items.size()), headerCount + 12 * itemsPerRow + (kind == PrintoutKind::Full ? 3 : 1));
    // Each row keeps its place: quantity "1", blank fields kept as empty items, the caption with nothing after it.
    for (int r = 0; r < 12; ++r) {
        const auto first = items.begin() + headerCount + r * itemsPerRow;
        QCOMPARE(first->text, QByteArray("1"));
        QCOMPARE(first->y, kRows[r].y);
        const PrintItem& model = *(first + itemsPerRow - 1);
        QCOMPARE(model.text, gbk(kRows[r].caption));
    }
    const auto board = items.begin() + headerCount;
    const bool showsRetail = kind != PrintoutKind::Cost;
    const bool retailTyped =
        std::any_of(board, board + itemsPerRow, [](const PrintItem& i) { return i.text == "9x9"; });
    QCOMPARE(retailTyped, showsRetail);
    QCOMPARE(items[size_t(headerCount + 12 * itemsPerRow)].text, firstTotal);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_print_layout.moc"
