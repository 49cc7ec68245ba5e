#include "model/gbk.h"
#include "quote/quote_documents.h"

#include <QTest>

using namespace velnor;
using C = ComponentCategory;

namespace {

// An editor after its first refresh with nothing chosen and nothing typed.
QuoteSheet emptySheet() {
    QuoteSheet sheet;
    sheet.costTotal = "0";
    sheet.retailTotal = "0";
    sheet.profit = "0";
    return sheet;
}

void fill(QuoteSheet& sheet, C c, const char* model, const char* cost, const char* warranty, const char* quantity,
          const char* retail) {
    QuoteLine& line = sheet.line(c);
    line.model = gbk(model);
    line.costPrice = gbk(cost);
    line.warranty = gbk(warranty);
    line.quantity = gbk(quantity);
    line.retailPrice = gbk(retail);
}

QuoteSheet fullSheet() {
    QuoteSheet sheet;
    fill(sheet, C::Zb, "B760M-A", "899", "3年", "1", "950");
    fill(sheet, C::Cpu, "i5-13400", "1299", "3年", "1", "1350");
    fill(sheet, C::Yp, "SN770 1TB", "459", "5年", "2", "499");
    fill(sheet, C::Nc, "DDR5 16G", "329", "终身", "2", "359");
    fill(sheet, C::Xk, "RTX 4060", "2399", "3年", "1", "2499");
    fill(sheet, C::Gq, "DVD刻录", "99", "1年", "1", "120");
    fill(sheet, C::Jx, "M2 Pro", "199", "1年", "1", "229");
    fill(sheet, C::Dy, "550W 金牌", "399", "5年", "1", "429");
    fill(sheet, C::Xsq, "27寸 2K", "1099", "3年", "1", "1199");
    fill(sheet, C::Js, "键鼠套装", "89", "1年", "1", "99");
    fill(sheet, C::Srq, "风冷 4 热管", "129", "2年", "1", "149");
    fill(sheet, C::Yx, "2.0 音箱", "79", "1年", "1", "99");
    sheet.costTotal = "8266";
    sheet.retailTotal = "8839";
    sheet.profit = "573";
    return sheet;
}

ShopFooter testFooter() {
    return ShopFooter{gbk("星河电脑"),       "0571-1234",        "0571-5678",
                      "http://shop.example", gbk("文三路 1 号"), gbk("(地铁口)")};
}

const char* const kFooterText = "星河电脑\r\n"
                                "电话:0571-1234\r\n"
                                "传真:0571-5678\r\n"
                                "http://shop.example\r\n"
                                "地址:文三路 1 号 (地铁口)\r\n"
                                "------------------------------------------------------------";

QByteArray withFooter(const char* body) {
    return gbk(body) + gbk(kFooterText);
}

enum class Layout { Copy, File };

QByteArray render(Layout layout, DocumentKind kind, const QuoteSheet& sheet) {
    return layout == Layout::Copy ? renderCopyLayout(kind, sheet) : renderFileLayout(kind, sheet, testFooter());
}

} // namespace

Q_DECLARE_METATYPE(Layout)
Q_DECLARE_METATYPE(DocumentKind)

class TestQuoteDocuments : public QObject {
    Q_OBJECT

private slots:
    void wholeDocuments_data();
    void wholeDocuments();
    void fieldsCopiedVerbatim_data();
    void fieldsCopiedVerbatim();
    void shopFooterFromDeployment();
};

void TestQuoteDocuments::wholeDocuments_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<DocumentKind>("kind");
    QTest::addColumn<bool>("full");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray emptyCopy = gbk("主板：\t1X \t\r\n"
                                     "CPU：\t1X \t\r\n"
                                     "硬盘：\t1X \t\r\n"
                                     "内存：\t1X \t\r\n"
                                     "显卡：\t1X \t\r\n"
                                     "光驱：\t1X \t\r\n"
                                     "机箱：\t1X \t\r\n"
                                     "电源：\t1X \t\r\n"
                                     "显示器：1X \t\r\n"
                                     "键鼠：\t1X \t\r\n"
                                     "散热器：1X \t\r\n"
                                     "音箱：\t1X \t\r\n"
                                     "以上清单总价：0");
    QTest::newRow("copy cost, empty") << Layout::Copy << DocumentKind::CostList << false << emptyCopy;
    QTest::newRow("copy retail, empty") << Layout::Copy << DocumentKind::RetailList << false << emptyCopy;

    const QByteArray fullCopyCost = gbk("主板：\t1X 899\tB760M-A\r\n"
                                        "CPU：\t1X 1299\ti5-13400\r\n"
                                        "硬盘：\t2X 459\tSN770 1TB\r\n"
                                        "内存：\t2X 329\tDDR5 16G\r\n"
                                        "显卡：\t1X 2399\tRTX 4060\r\n"
                                        "光驱：\t1X 99\tDVD刻录\r\n"
                                        "机箱：\t1X 199\tM2 Pro\r\n"
                                        "电源：\t1X 399\t550W 金牌\r\n"
                                        "显示器：1X 1099\t27寸 2K\r\n"
                                        "键鼠：\t1X 89\t键鼠套装\r\n"
                                        "散热器：1X 129\t风冷 4 热管\r\n"
                                        "音箱：\t1X 79\t2.0 音箱\r\n"
                                        "以上清单总价：8266");
    QTest::newRow("copy cost, full") << Layout::Copy << DocumentKind::CostList << true << fullCopyCost;
    QTest::newRow("copy full list renders the cost list")
        << Layout::Copy << DocumentKind::FullList << true << fullCopyCost;
    QTest::newRow("copy retail, full") << Layout::Copy << DocumentKind::RetailList << true
                                       << gbk("主板：\t1X 950\tB760M-A\r\n"
                                              "CPU：\t1X 1350\ti5-13400\r\n"
                                              "硬盘：\t2X 499\tSN770 1TB\r\n"
                                              "内存：\t2X 359\tDDR5 16G\r\n"
                                              "显卡：\t1X 2499\tRTX 4060\r\n"
                                              "光驱：\t1X 120\tDVD刻录\r\n"
                                              "机箱：\t1X 229\tM2 Pro\r\n"
                                              "电源：\t1X 429\t550W 金牌\r\n"
                                              "显示器：1X 1199\t27寸 2K\r\n"
                                              "键鼠：\t1X 99\t键鼠套装\r\n"
                                              "散热器：1X 149\t风冷 4 热管\r\n"
                                              "音箱：\t1X 99\t2.0 音箱\r\n"
                                              "以上清单总价：8839");

    const QByteArray emptyFile = withFooter("1*\t\t主  板：\r\n"
                                            "1*\t\tC P U ：\r\n"
                                            "1*\t\t硬  盘：\r\n"
                                            "1*\t\t内  存：\r\n"
                                            "1*\t\t显  卡：\r\n"
                                            "1*\t\t光  驱：\r\n"
                                            "1*\t\t机  箱：\r\n"
                                            "1*\t\t电  源：\r\n"
                                            "1*\t\t显示器：\r\n"
                                            "1*\t\t键  鼠：\r\n"
                                            "1*\t\t音  箱：\r\n"
                                            "1*\t\t散热器：\r\n"
                                            "---------------------------------\r\n"
                                            "以上价格合计：￥0该报价不含税\r\n"
                                            "---------------------------------\r\n");
    QTest::newRow("file cost, empty") << Layout::File << DocumentKind::CostList << false << emptyFile;
    QTest::newRow("file retail, empty") << Layout::File << DocumentKind::RetailList << false << emptyFile;
    QTest::newRow("file full, empty") << Layout::File << DocumentKind::FullList << false
                                      << withFooter("数量\t成本单价\t零售单价\t保修\t\t型号\r\n"
                                                    "1\t\t\t\t主  板：\r\n"
                                                    "1\t\t\t\tC P U ：\r\n"
                                                    "1\t\t\t\t硬  盘：\r\n"
                                                    "1\t\t\t\t内  存：\r\n"
                                                    "1\t\t\t\t显  卡：\r\n"
                                                    "1\t\t\t\t光  驱：\r\n"
                                                    "1\t\t\t\t机  箱：\r\n"
                                                    "1\t\t\t\t电  源：\r\n"
                                                    "1\t\t\t\t显示器：\r\n"
                                                    "1\t\t\t\t键  鼠：\r\n"
                                                    "1\t\t\t\t音  箱：\r\n"
                                                    "1\t\t\t\t散热器：\r\n"
                                                    "---------------------------------\r\n"
                                                    "以上成本价格合计（报价不含税）：￥0\r\n"
                                                    "以上零售价格合计（报价不含税）：￥0\r\n"
                                                    "以上的配件利润是（报价不含税）：￥0\r\n"
                                                    "---------------------------------\r\n");

    QTest::newRow("file cost, full") << Layout::File << DocumentKind::CostList << true
                                     << withFooter("1*899\t3年\t主  板：B760M-A\r\n"
                                                   "1*1299\t3年\tC P U ：i5-13400\r\n"
                                                   "2*459\t5年\t硬  盘：SN770 1TB\r\n"
                                                   "2*329\t终身\t内  存：DDR5 16G\r\n"
                                                   "1*2399\t3年\t显  卡：RTX 4060\r\n"
                                                   "1*99\t1年\t光  驱：DVD刻录\r\n"
                                                   "1*199\t1年\t机  箱：M2 Pro\r\n"
                                                   "1*399\t5年\t电  源：550W 金牌\r\n"
                                                   "1*1099\t3年\t显示器：27寸 2K\r\n"
                                                   "1*89\t1年\t键  鼠：键鼠套装\r\n"
                                                   "1*79\t1年\t音  箱：2.0 音箱\r\n"
                                                   "1*129\t2年\t散热器：风冷 4 热管\r\n"
                                                   "---------------------------------\r\n"
                                                   "以上价格合计：￥8266该报价不含税\r\n"
                                                   "---------------------------------\r\n");
    QTest::newRow("file retail, full") << Layout::File << DocumentKind::RetailList << true
                                       << withFooter("1*950\t3年\t主  板：B760M-A\r\n"
                                                     "1*1350\t3年\tC P U ：i5-13400\r\n"
                                                     "2*499\t5年\t硬  盘：SN770 1TB\r\n"
                                                     "2*359\t终身\t内  存：DDR5 16G\r\n"
                                                     "1*2499\t3年\t显  卡：RTX 4060\r\n"
                                                     "1*120\t1年\t光  驱：DVD刻录\r\n"
                                                     "1*229\t1年\t机  箱：M2 Pro\r\n"
                                                     "1*429\t5年\t电  源：550W 金牌\r\n"
                                                     "1*1199\t3年\t显示器：27寸 2K\r\n"
                                                     "1*99\t1年\t键  鼠：键鼠套装\r\n"
                                                     "1*99\t1年\t音  箱：2.0 音箱\r\n"
                                                     "1*149\t2年\t散热器：风冷 4 热管\r\n"
                                                     "---------------------------------\r\n"
                                                     "以上价格合计：￥8839该报价不含税\r\n"
                                                     "---------------------------------\r\n");
    QTest::newRow("file full, full") << Layout::File << DocumentKind::FullList << true
                                     << withFooter("数量\t成本单价\t零售单价\t保修\t\t型号\r\n"
                                                   "1\t899\t950\t3年\t主  板：B760M-A\r\n"
                                                   "1\t1299\t1350\t3年\tC P U ：i5-13400\r\n"
                                                   "2\t459\t499\t5年\t硬  盘：SN770 1TB\r\n"
                                                   "2\t329\t359\t终身\t内  存：DDR5 16G\r\n"
                                                   "1\t2399\t2499\t3年\t显  卡：RTX 4060\r\n"
                                                   "1\t99\t120\t1年\t光  驱：DVD刻录\r\n"
                                                   "1\t199\t229\t1年\t机  箱：M2 Pro\r\n"
                                                   "1\t399\t429\t5年\t电  源：550W 金牌\r\n"
                                                   "1\t1099\t1199\t3年\t显示器：27寸 2K\r\n"
                                                   "1\t89\t99\t1年\t键  鼠：键鼠套装\r\n"
                                                   "1\t79\t99\t1年\t音  箱：2.0 音箱\r\n"
                                                   "1\t129\t149\t2年\t散热器：风冷 4 热管\r\n"
                                                   "---------------------------------\r\n"
                                                   "以上成本价格合计（报价不含税）：￥8266\r\n"
                                                   "以上零售价格合计（报价不含税）：￥8839\r\n"
                                                   "以上的配件利润是（报价不含税）：￥573\r\n"
                                                   "---------------------------------\r\n");
}

void TestQuoteDocuments::wholeDocuments() {
    QFETCH(Layout, layout);
    QFETCH(DocumentKind, kind);
    QFETCH(bool, full);
    QFETCH(QByteArray, expected);

    const QByteArray actual = render(layout, kind, full ? fullSheet() : emptySheet());
    QCOMPARE(actual, expected);
}

void TestQuoteDocuments::fieldsCopiedVerbatim_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<DocumentKind>("kind");
    QTest::addColumn<QByteArray>("boardLine");
    QTest::addColumn<QByteArray>("cpuLine");
    QTest::addColumn<QByteArray>("ending");

    QTest::newRow("copy cost") << Layout::Copy << DocumentKind::CostList << gbk("主板：\t２X 599\tA\tB\r\n")
                               << gbk("CPU：\t3 X 899\tX\nY\r\n") << gbk("以上清单总价：");
    QTest::newRow("copy retail") << Layout::Copy << DocumentKind::RetailList << gbk("主板：\t２X 650\tA\tB\r\n")
                                 << gbk("CPU：\t3 X \tX\nY\r\n") << gbk("以上清单总价：");
    QTest::newRow("file cost") << Layout::File << DocumentKind::CostList << gbk("２*599\t3年\t主  板：A\tB\r\n")
                               << gbk("3 *899\t\tC P U ：X\nY\r\n") << QByteArray(60, '-');
    QTest::newRow("file retail") << Layout::File << DocumentKind::RetailList << gbk("２*650\t3年\t主  板：A\tB\r\n")
                                 << gbk("3 *\t\tC P U ：X\nY\r\n") << QByteArray(60, '-');
    QTest::newRow("file full") << Layout::File << DocumentKind::FullList << gbk("２\t599\t650\t3年\t主  板：A\tB\r\n")
                               << gbk("3 \t899\t\t\tC P U ：X\nY\r\n") << QByteArray(60, '-');
}

void TestQuoteDocuments::fieldsCopiedVerbatim() {
    QFETCH(Layout, layout);
    QFETCH(DocumentKind, kind);
    QFETCH(QByteArray, boardLine);
    QFETCH(QByteArray, cpuLine);
    QFETCH(QByteArray, ending);

    // Totals left empty, as before the first refresh.
    QuoteSheet sheet;
    fill(sheet, C::Zb, "A\tB", "599", "3年", "２", "650");
    fill(sheet, C::Cpu, "X\nY", "899", "", "3 ", "");

    const QByteArray doc = render(layout, kind, sheet);
    QVERIFY2(doc.contains(boardLine), doc.constData());
    QVERIFY2(doc.contains(cpuLine), doc.constData());
    QVERIFY(doc.endsWith(ending));
}

void TestQuoteDocuments::shopFooterFromDeployment() {
    Deployment d;
    d.dbHost = "db";
    d.shopName = gbk("星河电脑");
    d.shopPhone = "111";
    d.shopFax = "222";
    d.shopWeb = "http://w";
    d.shopAddress = gbk("文三路");
    d.shopDirections = "(x)";

    const ShopFooter f = shopFooterFrom(d);
    QCOMPARE(f.companyName, d.shopName);
    QCOMPARE(f.phone, d.shopPhone);
    QCOMPARE(f.fax, d.shopFax);
    QCOMPARE(f.web, d.shopWeb);
    QCOMPARE(f.address, d.shopAddress);
    QCOMPARE(f.directions, d.shopDirections);
}

QTEST_GUILESS_MAIN(TestQuoteDocuments)
#include "tst_quote_documents.moc"
