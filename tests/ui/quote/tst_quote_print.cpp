#include "deployment_defaults.h"
#include "model/gbk.h"
#include "ui/common/dialogs.h"
#include "ui/quote/quote_editor_window.h"
#include "ui/quote/quote_printing.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace velnor;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void setBox(QObject* window, const char* name, const QString& text) {
    window->findChild<QLineEdit*>(u(name))->setText(text);
}

QByteArray controlText(QObject* window, const char* name) {
    QObject* object = window->findChild<QObject*>(u(name));
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return toGbk(label->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(object)) {
        return toGbk(edit->text());
    }
    return "<missing " + QByteArray(name) + ">";
}

struct PrintLog {
    bool startJob = true;
    int begins = 0;
    int ends = 0;
    std::vector<PrintItem> writes;
};

class RecordingSink : public QuoteTextSink {
public:
    explicit RecordingSink(std::shared_ptr<PrintLog> log) : m_log(std::move(log)) {}
    bool beginJob(QWidget*) override {
        ++m_log->begins;
        return m_log->startJob;
    }
    void writeText(int x, int y, const QByteArray& text) override { m_log->writes.push_back({x, y, text}); }
    void endJob() override { ++m_log->ends; }

private:
    std::shared_ptr<PrintLog> m_log;
};

// The page as the shop expects it, written out from the control names, independent of the layout code.
std::vector<PrintItem> expectedPage(QObject* editor, PrintoutKind kind, bool withExtra) {
    struct Row {
        const char* caption;
        const char* quantity;
        const char* cost;
        const char* retail;
        const char* warranty;
        const char* model;
    };
    static const Row rows[12] = {
        {"主  板：", "主板数量", "主板价格", "主板价格1", "主板保修", "主板型号"},
        {"C P U ：", "cpu数量", "cpu价格", "cpu价格1", "cpu保修", "cpu型号"},
        {"硬  盘：", "硬盘数量", "硬盘价格", "硬盘价格1", "硬盘保修", "硬盘型号"},
        {"内  存：", "内存数量", "内存价格", "内存价格1", "内存保修", "内存型号"},
        {"显  卡：", "显卡数量", "显卡价格", "显卡价格1", "显卡保修", "显卡型号"},
        {"光  驱：", "光驱数量", "光驱价格", "光驱价格1", "光驱保修", "光驱型号"},
        {"机  箱：", "机箱数量", "机箱价格", "机箱价格1", "机箱保修", "机箱型号"},
        {"电  源：", "电源数量", "电源价格", "电源价格1", "电源保修", "电源型号"},
        {"显示器：", "显示器数量", "显示器价格", "显示器价格1", "显示器保修", "显示器型号"},
        {"键  鼠：", "键鼠数量", "键鼠价格", "键鼠价格1", "键鼠保修", "键鼠型号"},
        {"音  箱：", "音箱数量", "音箱价格", "音箱价格1", "音箱保修", "音箱型号"},
        {"散热器：", "散热器数量", "散热器价格", "散热器价格1", "散热器保修", "散热器型号"},
    };
    std::vector<PrintItem> page;
    auto add = [&page](int x, int y, const QByteArray& text) {
        if (!text.isEmpty()) { // an empty control prints nothing
            page.push_back({x, y, text});
        }
    };
    const bool full = kind == PrintoutKind::Full;
    add(40, 40, gbk("数量"));
    if (full) {
        add(140, 40, gbk("成本价"));
        add(300, 40, gbk("零售价"));
        add(460, 40, gbk("保修"));
        add(900, 40, gbk("型号"));
    } else {
        add(140, 40, gbk(kind == PrintoutKind::Cost && withExtra ? "成本价" : "价格"));
        add(300, 40, gbk("保修"));
        add(650, 40, gbk("型号"));
    }
    for (int i = 0; i < 12; ++i) {
        const Row& row = rows[i];
        const int y = 100 + 60 * i;
        add(40, y, controlText(editor, row.quantity));
        if (kind != PrintoutKind::Retail) {
            add(140, y, controlText(editor, row.cost));
        }
        if (kind != PrintoutKind::Cost) {
            add(full ? 300 : 140, y, controlText(editor, row.retail));
        }
        add(full ? 460 : 300, y, controlText(editor, row.warranty));
        add(full ? 600 : 450, y, gbk(row.caption) + controlText(editor, row.model));
    }
    if (full) {
        add(40, 820, gbk("成本价合计(不含税)：￥") + controlText(editor, "合计"));
        add(40, 880, gbk("零售价合计(不含税)：￥") + controlText(editor, "合计1"));
        add(40, 940, gbk("以上的利润(不含税)：￥") + controlText(editor, "利润"));
    } else {
        add(40, 820,
            gbk("以上价格合计：￥") + controlText(editor, kind == PrintoutKind::Cost ? "合计" : "合计1") +
                gbk("（该报价不含税）"));
    }
    if (withExtra) {
        const char* boxes[5] = {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5"};
        for (int i = 0; i < 5; ++i) {
            add(40, (full ? 1020 : 900) + 60 * i, controlText(editor, boxes[i]));
        }
    }
    return page;
}

QString describe(const std::vector<PrintItem>& items) {
    QStringList lines;
    for (const PrintItem& item : items) {
        lines << QStringLiteral("(%1,%2) %3").arg(item.x).arg(item.y).arg(fromGbk(item.text));
    }
    return lines.join(u("\n"));
}

} // namespace

Q_DECLARE_METATYPE(velnor::PrintoutKind)

class TestQuotePrint : public QObject {
    Q_OBJECT
private:
    Deployment m_deployment = deploymentDefaults();
    Dialogs::TestAnswers m_answers;
    SelectionState m_selection;
    std::unique_ptr<QuoteEditorWindow> m_editor;
    std::shared_ptr<PrintLog> m_log;

private slots:
    void init();
    void cleanup();
    void printsEveryTextAtItsPlace_data();
    void printsEveryTextAtItsPlace();
    void printsTextsAsShownAtClick();
    void cancelledJobPrintsNothing();
    void pdfJobPlacesTexts();
    void otherPaperSamePlacesThenA4PortraitAgain();
    void printFontStyle();
    void realPrintDialogCancelled();
};

void TestQuotePrint::init() {
    m_answers = Dialogs::TestAnswers{};
    Dialogs::setTestAnswers(&m_answers);
    m_selection = SelectionState{};
    m_selection.set(ComponentCategory::Zb, gbk("华硕 B760M"), gbk("899"), gbk("三年"));
    m_selection.set(ComponentCategory::Cpu, gbk("i5-13400F"), gbk("1199"), gbk("一年"));
    m_selection.set(ComponentCategory::Xsq, gbk("AOC 27G2"), gbk("1099"), gbk("三年"));
    m_selection.set(ComponentCategory::Srq, gbk("利民 PA120"), gbk("199"), gbk("六年"));
    m_selection.set(ComponentCategory::Yx, gbk("漫步者 R12"), gbk("89"), QByteArray());
    m_editor = std::make_unique<QuoteEditorWindow>(m_deployment, m_selection, SharedTexts{});
    m_log = std::make_shared<PrintLog>();
    m_editor->setPrintSink(std::make_unique<RecordingSink>(m_log));
    setBox(m_editor.get(), "主板价格1", u("950"));
    setBox(m_editor.get(), "cpu数量", u("2"));
    setBox(m_editor.get(), "cpu价格1", u("1250"));
    setBox(m_editor.get(), "硬盘价格1", u("abc")); // a line without a part, typed retail price
    setBox(m_editor.get(), "音箱数量", u("２"));
    setBox(m_editor.get(), "编辑框3", QString()); // an empty extra line keeps the others in place
    m_editor->refreshFromSelection();
}

void TestQuotePrint::cleanup() {
    m_editor.reset();
    Dialogs::setTestAnswers(nullptr);
}

void TestQuotePrint::printsEveryTextAtItsPlace_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<PrintoutKind>("kind");
    QTest::addColumn<bool>("withExtra");
    for (bool extra : {false, true}) {
        const char* suffix = extra ? ", extra" : "";
        QTest::addRow("cost%s", suffix) << u("打印成本价") << PrintoutKind::Cost << extra;
        QTest::addRow("retail%s", suffix) << u("打印零售价") << PrintoutKind::Retail << extra;
        QTest::addRow("full%s", suffix) << u("打印全部") << PrintoutKind::Full << extra;
    }
}

void TestQuotePrint::printsEveryTextAtItsPlace() {
    QFETCH(QString, button);
    QFETCH(PrintoutKind, kind);
    QFETCH(bool, withExtra);
    m_editor->findChild<QCheckBox*>(u("选择框"))->setChecked(withExtra);
    const QuoteSheet before = m_editor->displayedSheet();
    m_editor->findChild<QPushButton*>(button)->click();
    QCOMPARE(m_log->begins, 1);
    QCOMPARE(m_log->ends, 1);
    const std::vector<PrintItem> expected = expectedPage(m_editor.get(), kind, withExtra);
    QVERIFY2(m_log->writes == expected,
             qPrintable(u("written:\n") + describe(m_log->writes) + u("\nexpected:\n") + describe(expected)));
    // Spot checks of the fixture itself, so that an empty editor could not pass.
    QVERIFY(std::any_of(expected.begin(), expected.end(),
                        [](const PrintItem& i) { return i.text == gbk("音  箱：漫步者 R12") && i.y == 700; }));
    QVERIFY(std::any_of(expected.begin(), expected.end(),
                        [](const PrintItem& i) { return i.text == gbk("散热器：利民 PA120") && i.y == 760; }));
    QCOMPARE(m_editor->displayedSheet(), before);
}

// The values come from the controls at the click, not from a recalculation.
void TestQuotePrint::printsTextsAsShownAtClick() {
    setBox(m_editor.get(), "合计", u("手写 12"));
    m_editor->findChild<QPushButton*>(u("打印成本价"))->click();
    QVERIFY(std::any_of(m_log->writes.begin(), m_log->writes.end(), [](const PrintItem& i) {
        return i.x == 40 && i.y == 820 && i.text == gbk("以上价格合计：￥手写 12（该报价不含税）");
    }));
}

void TestQuotePrint::cancelledJobPrintsNothing() {
    m_log->startJob = false;
    m_editor->findChild<QPushButton*>(u("打印全部"))->click();
    QCOMPARE(m_log->begins, 1);
    QCOMPARE(m_log->ends, 0);
    QVERIFY(m_log->writes.empty());
}

namespace {

struct PdfWord {
    double xMin;
    double yMin;
    double yMax;
    QString text;
};

// Words with their boxes in points, as poppler reads them back from the file.
std::vector<PdfWord> pdfWords(const QString& pdf, QSizeF* pageSize) {
    QProcess tool;
    tool.start(u("pdftotext"), {u("-bbox"), pdf, u("-")});
    if (!tool.waitForFinished(30000)) {
        return {};
    }
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression pageRe(u("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    const QRegularExpressionMatch page = pageRe.match(html);
    if (page.hasMatch()) {
        *pageSize = QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble());
    }
    static const QRegularExpression wordRe(
        u("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    for (auto it = wordRe.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).normalized(QString::NormalizationForm_KC)});
    }
    return words;
}

// A PDF printer set up as the print job's: its printable area's origin and the print font's metrics on it.
QPrinter* pdfPrinterLikeTheJob(const QString& file) {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(false);
    return printer;
}

constexpr double kPointsPerUnit = 72.0 / 254.0; // 0.1 mm in points
constexpr double kHalfMillimetre = 72.0 / 25.4 / 2.0;

} // namespace

void TestQuotePrint::pdfJobPlacesTexts() {
    m_editor->setPrintSink(std::make_unique<PrinterTextSink>());
    m_selection.set(ComponentCategory::Gq, gbk("光驱甲\r\n第二行"), gbk("120"), gbk("一年"));
    m_editor->refreshFromSelection();
    m_editor->findChild<QCheckBox*>(u("选择框"))->setChecked(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("quote.pdf"));
    m_answers.printAnswers.push_back({true, QString(), pdf, 3});
    m_editor->findChild<QPushButton*>(u("打印成本价"))->click();
    QVERIFY(QFile::exists(pdf));

    QCOMPARE(m_answers.printRequests.size(), size_t(1));
    const Dialogs::PrinterSnapshot& preset = m_answers.printRequests[0];
    QVERIFY(preset.a4);
    QVERIFY(preset.portrait);
    QVERIFY(!preset.fullPage);
    QCOMPARE(preset.copies, 1);
    QCOMPARE(preset.docName, u("未命名打印作业"));

    QSizeF pageSize;
    const std::vector<PdfWord> words = pdfWords(pdf, &pageSize);
    QVERIFY2(!words.empty(), "pdftotext gave no words");
    QVERIFY(qAbs(pageSize.width() - 595) < 1 && qAbs(pageSize.height() - 842) < 1); // A4 portrait, points

    std::unique_ptr<QPrinter> reference(pdfPrinterLikeTheJob(dir.filePath(u("reference.pdf"))));
    const QPointF origin = reference->pageLayout().paintRect(QPageLayout::Point).topLeft();
    const QFontMetricsF metrics(quotePrintFont(), reference.get());
    const double dotsToPoints = 72.0 / reference->resolution();

    // Each text is placed with the top of its character cell (ascent above the baseline, internal leading
    // included) at y. poppler puts a word's yMin at baseline minus the font's ascent as written into the
    // PDF's font descriptor, which Qt takes from the same font metrics: so the box top is the cell top, and
    // the box spans ascent + descent, the font's height. x is the left edge of the first glyph's advance.
    const std::vector<PrintItem> expected = expectedPage(m_editor.get(), PrintoutKind::Cost, true);
    int checked = 0;
    for (const PrintItem& item : expected) {
        const QStringList lines = fromGbk(item.text).split(QRegularExpression(u("\r\n|\n")));
        for (int n = 0; n < lines.size(); ++n) {
            const QString first = lines[n].normalized(QString::NormalizationForm_KC).left(1);
            const double x = origin.x() + item.x * kPointsPerUnit;
            const double y = origin.y() + item.y * kPointsPerUnit + n * (metrics.height() + 2) * dotsToPoints;
            const auto found = std::find_if(words.begin(), words.end(), [&](const PdfWord& w) {
                return w.text.startsWith(first) && qAbs(w.xMin - x) < kHalfMillimetre &&
                       qAbs(w.yMin - y) < kHalfMillimetre;
            });
            QVERIFY2(found != words.end(),
                     qPrintable(QStringLiteral("%1 (line %2) not at %3,%4 pt").arg(lines[n]).arg(n).arg(x).arg(y)));
            QVERIFY(qAbs((found->yMax - found->yMin) - metrics.height() * dotsToPoints) < kHalfMillimetre);
            ++checked;
        }
    }
    QCOMPARE(checked, int(expected.size()) + 1); // the model with a line break gave two lines
    QVERIFY(std::none_of(words.begin(), words.end(), [](const PdfWord& w) { return w.text.contains(u("传真")); }));

    // The next dialog starts with the copy count chosen, on A4 portrait again.
    m_answers.printAnswers.push_back({false, QString(), QString(), 0});
    m_editor->findChild<QPushButton*>(u("打印全部"))->click();
    QCOMPARE(m_answers.printRequests.size(), size_t(2));
    QCOMPARE(m_answers.printRequests[1].copies, 3);
    QVERIFY(m_answers.printRequests[1].a4 && m_answers.printRequests[1].portrait);
}

// A landscape A5 page chosen in the dialog gets the same positions from its own printable area's origin; the
// next dialog opens on A4 portrait again, and an editor opened later starts from one copy.
void TestQuotePrint::otherPaperSamePlacesThenA4PortraitAgain() {
    m_editor->setPrintSink(std::make_unique<PrinterTextSink>());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("landscape.pdf"));
    Dialogs::PrintAnswer answer{true, QString(), pdf, 2};
    answer.landscape = true;
    answer.paper = QPageSize::A5;
    m_answers.printAnswers.push_back(answer);
    m_editor->findChild<QPushButton*>(u("打印零售价"))->click();
    QVERIFY(QFile::exists(pdf));

    QSizeF pageSize;
    const std::vector<PdfWord> words = pdfWords(pdf, &pageSize);
    QVERIFY2(!words.empty(), "pdftotext gave no words");
    const QSizeF a5Landscape = QPageSize(QPageSize::A5).size(QPageSize::Point).transposed();
    QVERIFY(qAbs(pageSize.width() - a5Landscape.width()) < 1 && qAbs(pageSize.height() - a5Landscape.height()) < 1);

    std::unique_ptr<QPrinter> reference(pdfPrinterLikeTheJob(dir.filePath(u("reference.pdf"))));
    reference->setPageSize(QPageSize(QPageSize::A5));
    reference->setPageOrientation(QPageLayout::Landscape);
    const QPointF origin = reference->pageLayout().paintRect(QPageLayout::Point).topLeft();
    const struct {
        int x;
        int y;
        QString start;
    } spots[] = {{40, 40, u("数量")}, {450, 100, u("主")}, {140, 100, u("950")}, {40, 820, u("以上价格合计")}};
    for (const auto& spot : spots) {
        const double x = origin.x() + spot.x * kPointsPerUnit;
        const double y = origin.y() + spot.y * kPointsPerUnit;
        QVERIFY2(std::any_of(words.begin(), words.end(),
                             [&](const PdfWord& w) {
                                 return w.text.startsWith(spot.start) && qAbs(w.xMin - x) < kHalfMillimetre &&
                                        qAbs(w.yMin - y) < kHalfMillimetre;
                             }),
                 qPrintable(QStringLiteral("%1 not at %2,%3 pt").arg(spot.start).arg(x).arg(y)));
    }

    m_answers.printAnswers.push_back({false, QString(), QString(), 0});
    m_editor->findChild<QPushButton*>(u("打印成本价"))->click();
    QCOMPARE(m_answers.printRequests.size(), size_t(2));
    QVERIFY(m_answers.printRequests[1].a4);
    QVERIFY(m_answers.printRequests[1].portrait);
    QCOMPARE(m_answers.printRequests[1].copies, 2);

    m_editor.reset();
    QuoteEditorWindow next(m_deployment, m_selection, SharedTexts{});
    m_answers.printAnswers.push_back({false, QString(), QString(), 0});
    next.findChild<QPushButton*>(u("打印全部"))->click();
    QCOMPARE(m_answers.printRequests.size(), size_t(3));
    QCOMPARE(m_answers.printRequests[2].copies, 1);
}

// Regular, upright, 15 screen pixels in points, in a face that has the GB2312 characters the page uses.
void TestQuotePrint::printFontStyle() {
    const QFont font = quotePrintFont();
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QCOMPARE(font.pointSizeF(), 15.0 * 72.0 / screen->logicalDotsPerInchY());
    QCOMPARE(font.weight(), QFont::Normal);
    QVERIFY(!font.italic());
    QVERIFY(!font.underline());
    const QFontInfo resolved(font);
    QVERIFY2(QFontDatabase::writingSystems(resolved.family()).contains(QFontDatabase::SimplifiedChinese),
             qPrintable(resolved.family()));
    QCOMPARE(resolved.weight(), int(QFont::Normal));
    QVERIFY(!resolved.italic());
    const QFontMetricsF metrics(font);
    for (const QChar ch : u("数量成本价零售保修型号主板显示器散热器以上合计该报含税利润：￥（）")) {
        QVERIFY2(metrics.inFont(ch), qPrintable(QString(ch)));
    }
}

// The real print dialog: preset as the job needs it, no page range or selection on offer; cancelling it
// leaves the editor as it was.
void TestQuotePrint::realPrintDialogCancelled() {
    Dialogs::setTestAnswers(nullptr);
    m_editor->setPrintSink(std::make_unique<PrinterTextSink>());
    struct Seen {
        bool dialog = false;
        bool pageRange = true;
        bool selection = true;
        bool currentPage = true;
        QString docName;
        bool a4 = false;
        bool portrait = false;
    } seen;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        seen.dialog = true;
        seen.pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        seen.selection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        seen.currentPage = dialog->testOption(QAbstractPrintDialog::PrintCurrentPage);
        QPrinter* printer = dialog->printer();
        seen.docName = printer->docName();
        seen.a4 = printer->pageLayout().pageSize().id() == QPageSize::A4;
        seen.portrait = printer->pageLayout().orientation() == QPageLayout::Portrait;
        dialog->reject();
    });
    const QuoteSheet before = m_editor->displayedSheet();
    m_editor->findChild<QPushButton*>(u("打印全部"))->click();
    QVERIFY(seen.dialog);
    QVERIFY(!seen.pageRange);
    QVERIFY(!seen.selection);
    QVERIFY(!seen.currentPage);
    QCOMPARE(seen.docName, u("未命名打印作业"));
    QVERIFY(seen.a4);
    QVERIFY(seen.portrait);
    QCOMPARE(m_editor->displayedSheet(), before);
}

QTEST_MAIN(TestQuotePrint)
#include "tst_quote_print.moc"
