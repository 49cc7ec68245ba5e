#include "ui/quote/quote_editor_window.h"

#include "model/gbk.h"
#include "ui/common/dialogs.h"
#include "ui/common/gbk_label.h"
#include "ui/quote/quote_printing.h"
#include "ui/quote/save_text_file.h"

#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

static void initQuoteEditorResources() {
    Q_INIT_RESOURCE(quote_editor);
}

namespace velnor {

namespace {

constexpr int kOuterWidth = 685;
constexpr int kOuterHeight = 590;
constexpr int kLineHeight = 18;

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(u(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, w, h);
    return label;
}

QLineEdit* addEdit(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(u(name));
    edit->setGeometry(x, y, w, h);
    edit->setTextMargins(0, 0, 0, 0);
    return edit;
}

QPushButton* addButton(QWidget* parent, const char* name, int x, int y) {
    auto* button = new QPushButton(u(name), parent);
    button->setObjectName(u(name));
    button->setGeometry(x, y, 80, 25);
    button->setAutoDefault(false);
    return button;
}

// Writing an unchanged text would move the cursor of a box the user is typing in.
void setIfChanged(QLabel* label, const QByteArray& text) {
    if (labelBytes(label) != text) {
        setLabelBytes(label, text);
    }
}

void setIfChanged(QLineEdit* edit, const QByteArray& text) {
    const QString shown = fromGbk(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
}

} // namespace

QuoteEditorWindow::QuoteEditorWindow(const Deployment& deployment, SelectionState& selection, const SharedTexts& shared,
                                     QWidget* parent)
    : QMainWindow(parent), m_deployment(deployment), m_selection(selection),
      m_printSink(std::make_unique<PrinterTextSink>()) {
    initQuoteEditorResources();
    setObjectName(QStringLiteral("QuoteEditorWindow"));
    setWindowTitle(u("清单编辑器"));
    buildForm();
    move(50, 50);
    resize(kOuterWidth, kOuterHeight);

    m_statusText->setText(fromGbk(shared.statusTextForEditor));

    m_timer = new QTimer(this);
    m_timer->setObjectName(u("时钟1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &QuoteEditorWindow::refreshFromSelection);
    m_timer->start();
}

QuoteEditorWindow::~QuoteEditorWindow() = default;

void QuoteEditorWindow::buildForm() {
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("form"));
    setCentralWidget(form);
    QFont formFont(u("Noto Sans CJK SC"));
    formFont.setPixelSize(12);
    setFont(formFont);

    addLabel(form, "分类b", u("分 类"), 5, 5, 55, 20);
    addLabel(form, "型号b", u("型  号"), 59, 5, 300, 20);
    addLabel(form, "价格b", u("成本价"), 358, 5, 50, 20);
    addLabel(form, "保修b", u("保修"), 407, 5, 40, 20);
    addLabel(form, "数量b", u("数 量"), 446, 5, 55, 20);
    addLabel(form, "标签21", u("零售价"), 500, 5, 50, 20);

    for (ComponentCategory c : canonicalOrder()) {
        const CategoryInfo& info = categoryInfo(c);
        const int top = 25 + 17 * categoryIndex(c);
        LineControls& line = m_lines[categoryIndex(c)];
        addLabel(form, info.lineLabelName, u(info.lineLabelText), 5, top, 55, kLineHeight);
        line.model = addLabel(form, info.modelLabel, QString(), 59, top, 300, kLineHeight);
        line.costPrice = addLabel(form, info.priceLabel, QString(), 358, top, 50, kLineHeight);
        line.warranty = addLabel(form, info.warrantyLabel, QString(), 407, top, 40, kLineHeight);
        line.quantity = addEdit(form, info.quantityBox, QStringLiteral("1"), 446, top, 55, kLineHeight);
        line.retailPrice = addEdit(form, info.retailBox, QString(), 500, top, 50, kLineHeight);
        line.model->installEventFilter(this);
    }
    connect(m_lines[categoryIndex(ComponentCategory::Zb)].quantity, &QLineEdit::textChanged, this,
            &QuoteEditorWindow::recalculate);

    addLabel(form, "标签b13", u("成本总价"), 446, 230, 55, kLineHeight);
    m_costTotal = addEdit(form, "合计", QString(), 500, 230, 50, kLineHeight);
    addLabel(form, "标签b14", u("零售总价"), 446, 247, 55, kLineHeight);
    m_retailTotal = addEdit(form, "合计1", QString(), 500, 247, 50, kLineHeight);
    addLabel(form, "标签1", u("利  润"), 446, 264, 55, kLineHeight);
    m_profit = addEdit(form, "利润", QString(), 500, 264, 50, kLineHeight);

    addLabel(form, "标签7", u(" 注：双击配件的型号，可以清空所选配件。"), 5, 232, 248, kLineHeight);

    connect(addButton(form, "复制成本清单", 573, 5), &QPushButton::clicked, this,
            [this] { copyQuote(DocumentKind::CostList); });
    connect(addButton(form, "复制零售清单", 573, 31), &QPushButton::clicked, this,
            [this] { copyQuote(DocumentKind::RetailList); });
    connect(addButton(form, "保存全部", 571, 88), &QPushButton::clicked, this,
            [this] { saveQuote(DocumentKind::FullList); });
    connect(addButton(form, "保存成本清单", 571, 114), &QPushButton::clicked, this,
            [this] { saveQuote(DocumentKind::CostList); });
    connect(addButton(form, "保存零售清单", 571, 140), &QPushButton::clicked, this,
            [this] { saveQuote(DocumentKind::RetailList); });
    connect(addButton(form, "打印全部", 571, 204), &QPushButton::clicked, this,
            [this] { printQuote(PrintoutKind::Full); });
    connect(addButton(form, "打印成本价", 571, 230), &QPushButton::clicked, this,
            [this] { printQuote(PrintoutKind::Cost); });
    connect(addButton(form, "打印零售价", 571, 256), &QPushButton::clicked, this,
            [this] { printQuote(PrintoutKind::Retail); });

    m_withExtraInfo = new QCheckBox(u("打印时加上 [附加信息]"), form);
    m_withExtraInfo->setObjectName(u("选择框"));
    m_withExtraInfo->setGeometry(448, 286, 152, 20);

    auto* group = new QGroupBox(u("附加信息"), form);
    group->setObjectName(u("分组框1"));
    group->setGeometry(448, 311, 225, 154);
    const std::array<QString, 5> defaults = {
        fromGbk(m_deployment.shopName),
        u("电话：") + fromGbk(m_deployment.shopPhone),
        u("传真：") + fromGbk(m_deployment.shopFax),
        fromGbk(m_deployment.shopWeb),
        fromGbk(m_deployment.shopAddress),
    };
    static const char* const numberNames[5] = {"标签2", "标签3", "标签4", "标签5", "标签6"};
    static const char* const boxNames[5] = {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5"};
    for (int i = 0; i < 5; ++i) {
        const int top = 25 + 25 * i;
        addLabel(group, numberNames[i], QString::number(i + 1), 5, top, 10, 20);
        m_extraBoxes[i] = addEdit(group, boxNames[i], defaults[i], 17, top, 200, 20);
        m_extraBoxes[i]->setCursorPosition(0); // a long address shows its beginning
    }

    auto* browser = new QWebEngineView(form);
    browser->setObjectName(u("超文本浏览框1"));
    browser->setGeometry(5, 256, 435, 280);
    browser->load(QUrl(fromGbk(m_deployment.pictureServer) + QStringLiteral("/zel_bjq.htm")));

    QLabel* banner = addLabel(form, "标签8", QString(), 448, 477, 177, 55);
    banner->setPixmap(QPixmap(QStringLiteral(":/quote/banner.png")));

    auto* status = new QStatusBar(this);
    status->setObjectName(u("状态条"));
    m_statusText = new QLabel(status);
    m_statusText->setTextFormat(Qt::PlainText);
    status->addWidget(m_statusText, 1);
    setStatusBar(status);
}

QuoteSheet QuoteEditorWindow::displayedSheet() const {
    QuoteSheet sheet;
    for (ComponentCategory c : canonicalOrder()) {
        const LineControls& controls = m_lines[categoryIndex(c)];
        QuoteLine& line = sheet.line(c);
        line.model = labelBytes(controls.model);
        line.costPrice = labelBytes(controls.costPrice);
        line.warranty = labelBytes(controls.warranty);
        line.quantity = toGbk(controls.quantity->text());
        line.retailPrice = toGbk(controls.retailPrice->text());
    }
    sheet.costTotal = toGbk(m_costTotal->text());
    sheet.retailTotal = toGbk(m_retailTotal->text());
    sheet.profit = toGbk(m_profit->text());
    return sheet;
}

void QuoteEditorWindow::showSheet(const QuoteSheet& sheet) {
    for (ComponentCategory c : canonicalOrder()) {
        const LineControls& controls = m_lines[categoryIndex(c)];
        const QuoteLine& line = sheet.line(c);
        setIfChanged(controls.model, line.model);
        setIfChanged(controls.costPrice, line.costPrice);
        setIfChanged(controls.warranty, line.warranty);
        setIfChanged(controls.quantity, line.quantity);
        setIfChanged(controls.retailPrice, line.retailPrice);
    }
    setIfChanged(m_costTotal, sheet.costTotal);
    setIfChanged(m_retailTotal, sheet.retailTotal);
    setIfChanged(m_profit, sheet.profit);
}

void QuoteEditorWindow::refreshFromSelection() {
    m_sheet = displayedSheet();
    velnor::refreshFromSelection(m_sheet, m_selection);
    showSheet(m_sheet);
}

void QuoteEditorWindow::recalculate() {
    m_sheet = displayedSheet();
    recalculateQuote(m_sheet);
    showSheet(m_sheet);
}

void QuoteEditorWindow::clearLine(ComponentCategory category) {
    m_sheet = displayedSheet();
    clearQuoteLine(m_sheet, m_selection, category);
    showSheet(m_sheet);
}

bool QuoteEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (ComponentCategory c : canonicalOrder()) {
            if (watched == m_lines[categoryIndex(c)].model) {
                clearLine(c);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void QuoteEditorWindow::copyQuote(DocumentKind kind) {
    QGuiApplication::clipboard()->setText(fromGbk(renderCopyLayout(kind, displayedSheet())));
    Dialogs::information(this, u("复制成功"), u("复制成功，可将清单粘贴到记事本。"));
}

void QuoteEditorWindow::saveQuote(DocumentKind kind) {
    const Dialogs::SaveFileRequest request{
        u("请选择保存位置及路径"), {u("文本文件(*.txt)"), u("所有文件(*.*)")}, QStringLiteral("txt"), u("电脑配置单")};
    const std::optional<QString> path = Dialogs::saveFileName(this, request);
    if (!path) {
        return;
    }
    // The refresh keeps running while the dialog is open: the file shows the quote as it is now.
    const QByteArray document = renderFileLayout(kind, displayedSheet(), shopFooterFrom(m_deployment));
    if (!saveTextFile(*path, document)) {
        Dialogs::information(this, u("信息："), u("文件保存失败,请检查是否对目标磁盘的写权限!"));
    }
}

std::array<QByteArray, 5> QuoteEditorWindow::extraInfo() const {
    std::array<QByteArray, 5> texts;
    for (int i = 0; i < 5; ++i) {
        texts[i] = toGbk(m_extraBoxes[i]->text());
    }
    return texts;
}

void QuoteEditorWindow::printQuote(PrintoutKind kind) {
    const bool withExtraInfo = m_withExtraInfo->isChecked();
    // The page shows the editor as it was when the button was clicked.
    const std::vector<PrintItem> items = printLayout(kind, displayedSheet(), withExtraInfo, extraInfo());
    if (!m_printSink->beginJob(this)) {
        return;
    }
    for (const PrintItem& item : items) {
        if (!item.text.isEmpty()) {
            m_printSink->writeText(item.x, item.y, item.text);
        }
    }
    m_printSink->endJob();
}

void QuoteEditorWindow::setPrintSink(std::unique_ptr<QuoteTextSink> sink) {
    m_printSink = std::move(sink);
}

void QuoteEditorWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_outerSizeFitted) {
        m_outerSizeFitted = true;
        // The frame is known only once the window manager has decorated the window.
        QTimer::singleShot(0, this, &QuoteEditorWindow::fitOuterSize);
    }
}

// The form's size is the outer size, frame included; Qt sizes the client area.
void QuoteEditorWindow::fitOuterSize() {
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra.width() > 0 || frameExtra.height() > 0) {
        resize(kOuterWidth - frameExtra.width(), kOuterHeight - frameExtra.height());
        move(50, 50);
    }
}

} // namespace velnor
