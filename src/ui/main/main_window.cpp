#include "ui/main/main_window.h"

#include "catalogue/picture_fetch.h"
#include "model/amount.h"
#include "model/gbk.h"
#include "ui/common/gbk_label.h"
#include "ui/info/info_pages_window.h"
#include "ui/main/catalogue_loader.h"
#include "ui/main/choice_list_view.h"
#include "ui/quote/open_quote_editor.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineView>

#include <malloc.h>

static void initMainWindowResources() {
    Q_INIT_RESOURCE(main_window);
}

namespace velnor {

namespace {

constexpr int kPlatformPage = 0;
constexpr int kBoardPage = 1;
constexpr int kCpuPage = 2;
constexpr int kSystemInfoPage = 13;

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A tab page whose controls are placed, as in the form, relative to the tab control rather than to the
// page, whatever room the tab strip takes. Pages that are never shown get no move or resize events, so
// the page follows the tab control's page area instead (call attach() once the page is in the tab control).
class FormPage : public QWidget {
public:
    explicit FormPage(QTabWidget* tabs) : m_tabs(tabs) {}

    template <typename W> W* place(W* child, int x, int y, int w, int h) {
        child->setParent(this);
        m_placed.append({child, QRect(x, y, w, h)});
        child->setGeometry(QRect(x, y, w, h).translated(-offset()));
        return child;
    }

    void attach() {
        parentWidget()->installEventFilter(this);
        relayout();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            relayout();
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    QPoint offset() const {
        QWidget* area = parentWidget();
        if (area == nullptr || !m_tabs->isAncestorOf(area)) {
            return QPoint(2, 24);
        }
        return area->mapTo(m_tabs, area->contentsRect().topLeft());
    }
    void relayout() {
        const QPoint shift = offset();
        for (const auto& [child, rect] : m_placed) {
            child->setGeometry(rect.translated(-shift));
        }
    }

    QTabWidget* m_tabs;
    QList<QPair<QWidget*, QRect>> m_placed;
};

QLabel* plainLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    // Catalogue texts may look like markup; they are shown as they are.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* editBox(const QString& name, const QByteArray& text) {
    auto* box = new QLineEdit(fromGbk(text));
    box->setObjectName(name);
    return box;
}

QList<ChoiceListView::Column> modelColumns(ComponentCategory category) {
    QList<ChoiceListView::Column> columns{{"价 格", 55}, {"型    号", 320}, {"保 修", 55}, {"图片", 0}};
    if (category == ComponentCategory::Zb) {
        columns << ChoiceListView::Column{"主板集显", 0} << ChoiceListView::Column{"显卡接口", 0};
    } else if (category == ComponentCategory::Cpu) {
        columns << ChoiceListView::Column{"cpu集显", 0};
    }
    return columns;
}

int brandListWidth(ComponentCategory category) {
    switch (category) {
    case ComponentCategory::Yp:
    case ComponentCategory::Nc:
    case ComponentCategory::Gq:
    case ComponentCategory::Cpu:
        return 120;
    default:
        return 103;
    }
}

} // namespace

MainWindow::MainWindow(const Deployment& deployment, SelectionState& selection, SharedTexts& shared, QWidget* parent,
                       std::shared_ptr<LoadingFlags> flags)
    : QWidget(parent), m_deployment(deployment), m_selection(selection), m_shared(shared),
      m_flags(flags ? std::move(flags) : std::make_shared<LoadingFlags>()),
      m_poster(std::make_shared<GuiPoster>(this)) {
    initMainWindowResources();
    buildForm();
    startUp();
    // The browser engine takes a good part of a second to start; the loaders run meanwhile.
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(u("超文本浏览框2"));
    m_browser->setGeometry(438, 232, 345, 300);
    m_browser->load(QUrl(fromGbk(m_deployment.pictureServer + "/zel_zel.htm")));
}

MainWindow::~MainWindow() {
    // Loaders may still be running; from here on their results are dropped.
    m_poster->detach();
}

void MainWindow::buildForm() {
    setObjectName(u("MainWindow"));
    QFont font(u("Noto Sans CJK SC"));
    font.setPixelSize(12);
    setFont(font);
    setGeometry(50, 50, 800, 590);
    setFixedSize(800, 590);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(u("光驱选择夹"));
    m_tabs->setGeometry(5, 5, 780, 222);
    m_tabs->setUsesScrollButtons(true);

    auto* platformPage = new FormPage(m_tabs);
    buildPlatformPage(platformPage);
    m_tabs->addTab(platformPage, u("平台选择"));
    platformPage->attach();
    for (ComponentCategory category : tabOrder()) {
        auto* page = new FormPage(m_tabs);
        buildCategoryPage(page, category);
        m_tabs->addTab(page, u(categoryInfo(category).tabText));
        page->attach();
    }
    auto* systemPage = new FormPage(m_tabs);
    buildSystemInfoPage(systemPage);
    m_tabs->addTab(systemPage, u("系统信息"));
    systemPage->attach();
    m_tabs->setTabVisible(kSystemInfoPage, false);
    m_tabs->setTabEnabled(kBoardPage, false);
    m_tabs->setTabEnabled(kCpuPage, false);
    m_tabs->setCurrentIndex(kPlatformPage);

    buildSummary();
    buildButtons();

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(u("状态条"));
    m_statusBar->setSizeGripEnabled(false);
    // Part 0 is a permanent label: a temporary message would give way to any status tip.
    m_statusText = plainLabel(u("状态条文字"), QString(), m_statusBar);
    m_statusBar->addWidget(m_statusText, 1);
    // Docked along the foot of the window.
    m_statusBar->setGeometry(0, 568, 800, 22);
}

void MainWindow::buildPlatformPage(QWidget* widget) {
    auto* page = static_cast<FormPage*>(widget);
    m_platforms = page->place(new ChoiceListView(u("平台列表框"), {{"请选择平台", 170}, {"说明", 0}}), 4, 27, 170, 175);
    m_platformNote = page->place(new QPlainTextEdit, 174, 27, 260, 175);
    m_platformNote->setObjectName(u("平台说明框"));
    // Drawn over the empty description box as a prompt; a platform's description takes its place.
    m_platformPrompt = page->place(plainLabel(u("透明标签8"), u("请选择CPU平台："), nullptr), 299, 42, 110, 25);
    m_platformPrompt->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_platformPrompt->raise();
    m_loadingNotice = page->place(plainLabel(u("数据加载"), u("数据加载中..."), nullptr), 451, 37, 312, 48);
    QFont big = font();
    big.setPixelSize(48);
    m_loadingNotice->setFont(big);
    page->place(plainLabel(u("说明"), u("注明：需要先挑选CPU平台之后，主板跟CPU选项页才可以挑选。"), nullptr), 4, 205,
                400, 15);
    QLabel* logo = page->place(plainLabel(u("标签20"), QString(), nullptr), 588, 111, 177, 55);
    logo->setPixmap(QPixmap(u(":/velnor_main/logo.png")));
    // Three lines in 40 pixels: tighter than the font's own line spacing.
    const QString shop = fromGbk(m_deployment.shopName).toHtmlEscaped() + u("<br>电话") +
                         fromGbk(m_deployment.shopPhone).toHtmlEscaped() + u("<br>传真") +
                         fromGbk(m_deployment.shopFax).toHtmlEscaped();
    QLabel* shopLabel = page->place(plainLabel(u("透明标签1"), QString(), nullptr), 589, 175, 170, 40);
    shopLabel->setTextFormat(Qt::RichText);
    shopLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shopLabel->setText(u("<div style=\"line-height:72%\">") + shop + u("</div>"));

    connect(m_platforms, &ChoiceListView::choiceMade, this, &MainWindow::choosePlatform);
}

void MainWindow::buildCategoryPage(QWidget* widget, ComponentCategory category) {
    auto* page = static_cast<FormPage*>(widget);
    const CategoryInfo& info = categoryInfo(category);
    CategoryControls& c = controls(category);
    const QString brandName = category == ComponentCategory::Cpu ? u("超级列表框1") : u(info.brandList);
    c.brands = page->place(new ChoiceListView(brandName, {{"品牌选择", brandListWidth(category)}}), 4, 27, 120, 175);
    c.models = page->place(new ChoiceListView(u(info.modelList), modelColumns(category)), 124, 27, 450, 175);
    c.picture = page->place(plainLabel(u(info.pictureLabel), QString(), nullptr), 581, 27, 190, 190);
    c.picture->setAlignment(Qt::AlignCenter);

    if (category == ComponentCategory::Zb) {
        m_boardHint = page->place(plainLabel(u("主板标签1"), QString(), nullptr), 2, 205, 570, 15);
        connect(c.brands, &ChoiceListView::choiceMade, this, &MainWindow::chooseBoardBrand);
    } else if (category == ComponentCategory::Cpu) {
        m_cpuHint = page->place(plainLabel(u("CPU标签"), QString(), nullptr), 2, 205, 570, 15);
    } else {
        connect(c.brands, &ChoiceListView::choiceMade, this, [this, category] { chooseBrand(category); });
    }
    connect(c.models, &ChoiceListView::choiceMade, this, [this, category] { chooseModel(category); });
}

void MainWindow::buildSystemInfoPage(QWidget* widget) {
    auto* page = static_cast<FormPage*>(widget);
    const Deployment& d = m_deployment;
    page->place(plainLabel(u("标签14"), u("状态条信息"), nullptr), 11, 40, 65, 20);
    m_statusTextBox =
        page->place(editBox(u("状态条信息框"), gbk("您好：欢迎使用我们的[Velnor] 版本1.7 联系电话") + d.shopPhone), 90,
                    40, 632, 20);
    page->place(plainLabel(u("标签15"), u("服务器地址"), nullptr), 11, 70, 65, 20);
    m_hostBox = page->place(editBox(u("服务器地址框"), d.dbHost), 90, 70, 160, 20);
    page->place(plainLabel(u("标签16"), u("服务器用户"), nullptr), 11, 100, 65, 20);
    m_accountBox = page->place(editBox(u("服务器帐号框"), d.dbAccount), 90, 100, 160, 20);
    page->place(plainLabel(u("标签17"), u("服务器密码"), nullptr), 11, 130, 65, 20);
    m_passwordBox = page->place(editBox(u("服务器密码框"), d.dbPassword), 90, 130, 160, 20);
    page->place(plainLabel(u("标签18"), u("服务器端口"), nullptr), 11, 160, 65, 20);
    m_portBox = page->place(editBox(u("服务器端口框"), d.dbPort), 90, 160, 160, 20);
    page->place(plainLabel(u("软件标题"), u("软件标题"), nullptr), 11, 190, 65, 20);
    m_titleBox = page->place(editBox(u("软件标题框"), gbk("Velnor V1.7 网络版")), 90, 190, 160, 20);
    page->place(plainLabel(u("标签19"), u("服务器说明"), nullptr), 371, 75, 65, 20);
    auto* note = page->place(new QPlainTextEdit, 448, 75, 296, 128);
    note->setObjectName(u("编辑框5"));
    note->setPlainText(u("使用MYSQL数据库。默认端口3306改为1433\n\n服务器绑定域名") + fromGbk(d.dbHost) +
                       u("\n\n用户名权限只设置为select"));
}

void MainWindow::buildSummary() {
    plainLabel(u("分类b"), u("分类"), this)->setGeometry(5, 232, 50, 20);
    plainLabel(u("型号b"), u("型号"), this)->setGeometry(54, 232, 300, 20);
    plainLabel(u("价格b"), u("价格"), this)->setGeometry(353, 232, 40, 20);
    plainLabel(u("保修b"), u("保修"), this)->setGeometry(392, 232, 40, 20);
    int k = 0;
    for (ComponentCategory category : canonicalOrder()) {
        const CategoryInfo& info = categoryInfo(category);
        CategoryControls& c = controls(category);
        const int y = 252 + 19 * k++;
        plainLabel(QString(), u(info.summaryLabel), this)->setGeometry(5, y, 50, 20);
        c.model = plainLabel(u(info.modelLabel), QString(), this);
        c.model->setGeometry(54, y, 300, 20);
        c.price = plainLabel(u(info.priceLabel), QString(), this);
        c.price->setGeometry(353, y, 40, 20);
        c.warranty = plainLabel(u(info.warrantyLabel), QString(), this);
        c.warranty->setGeometry(392, y, 40, 20);
    }
    plainLabel(u("标签b13"), u("金 额"), this)->setGeometry(5, 481, 50, 20);
    m_capitals = plainLabel(u("金额大写"), QString(), this);
    m_capitals->setGeometry(54, 481, 300, 20);
    m_total = new QLineEdit(this);
    m_total->setObjectName(u("合计"));
    m_total->setGeometry(353, 481, 79, 20);
}

void MainWindow::buildButtons() {
    struct Button {
        const char* name;
        const char* text;
        QRect place;
    };
    const Button buttons[] = {{"最新通知", "最 新 通 知", {3, 510, 90, 26}},
                              {"优惠信息", "优 惠 信 息", {94, 510, 90, 26}},
                              {"关于我们", "关 于 我 们", {184, 510, 90, 26}},
                              {"编辑器", "清单编辑器", {329, 510, 100, 26}}};
    for (const Button& b : buttons) {
        auto* button = new QPushButton(u(b.text), this);
        button->setObjectName(u(b.name));
        button->setGeometry(b.place);
        const QString name = button->objectName();
        if (name == u("编辑器")) {
            connect(button, &QPushButton::clicked, this,
                    [this] { openQuoteEditor(m_deployment, m_selection, m_shared); });
        } else {
            const InfoPage page = name == u("最新通知")   ? InfoPage::Notices
                                  : name == u("优惠信息") ? InfoPage::Promotions
                                                          : InfoPage::AboutUs;
            connect(button, &QPushButton::clicked, this,
                    [this, page] { openInfoPages(page, m_shared, m_deployment.pictureServer, this); });
        }
    }
}

ConnectionSettings MainWindow::connectionSettings() const {
    ConnectionSettings settings;
    settings.port = TextToInteger(toGbk(m_portBox->text()));
    settings.host = toGbk(m_hostBox->text());
    settings.account = toGbk(m_accountBox->text());
    settings.password = toGbk(m_passwordBox->text());
    return settings;
}

void MainWindow::startUp() {
    const QByteArray statusText = toGbk(m_statusTextBox->text());
    m_statusText->setText(fromGbk(statusText));

    const ConnectionSettings settings = connectionSettings();
    QLabel* notice = m_loadingNotice;
    auto allLoaded = [notice] { notice->hide(); };
    startStartupLoad(settings, std::nullopt, m_platforms, m_poster, m_flags, 0, allLoaded);
    int mark = 1;
    for (ComponentCategory category : startupBrandOrder()) {
        startStartupLoad(settings, category, controls(category).brands, m_poster, m_flags, mark++, allLoaded);
    }

    m_shared.statusTextForInfoPages = statusText;
    m_shared.statusTextForEditor = statusText;
    const QByteArray title = toGbk(m_titleBox->text());
    setWindowTitle(fromGbk(title));
    m_shared.windowTitle = title;
}

void MainWindow::chooseBrand(ComponentCategory category) {
    CategoryControls& c = controls(category);
    c.brands->setEnabled(false);
    showPicture(c.picture, {});
    ChoiceListView* brands = c.brands;
    startModelLoad(connectionSettings(), category, brands->currentText(0), c.models, m_poster,
                   [brands] { brands->setEnabled(true); });
}

void MainWindow::choosePlatform() {
    m_platforms->setEnabled(false);
    showPicture(controls(ComponentCategory::Zb).picture, {});
    showPicture(controls(ComponentCategory::Cpu).picture, {});

    const QByteArray description = m_platforms->currentText(1);
    const QByteArray platform = m_platforms->currentText(0);
    CategoryControls& zb = controls(ComponentCategory::Zb);
    CategoryControls& cpu = controls(ComponentCategory::Cpu);
    auto before = [this, description, &zb, &cpu] {
        m_platformNote->setPlainText(fromGbk(description));
        m_platformPrompt->setVisible(description.isEmpty());
        m_boardHint->clear();
        m_cpuHint->clear();
        setLabelBytes(zb.model, {});
        setLabelBytes(cpu.model, {});
        setLabelBytes(zb.price, {});
        setLabelBytes(cpu.price, {});
        zb.models->clearRows();
    };
    auto after = [this] {
        recomputeTotal();
        m_platforms->setEnabled(true);
        m_tabs->setTabEnabled(kBoardPage, true);
        m_tabs->setTabEnabled(kCpuPage, true);
    };
    startPlatformLoad(connectionSettings(), platform, before, zb.brands, cpu.models, m_poster, after);
}

void MainWindow::chooseBoardBrand() {
    CategoryControls& zb = controls(ComponentCategory::Zb);
    zb.brands->setEnabled(false);
    showPicture(zb.picture, {});
    ChoiceListView* brands = zb.brands;
    startBoardLoad(connectionSettings(), brands->currentText(0), m_platforms->currentText(0), zb.models, m_poster,
                   [brands] { brands->setEnabled(true); });
}

void MainWindow::chooseModel(ComponentCategory category) {
    CategoryControls& c = controls(category);
    setLabelBytes(c.price, c.models->currentText(0));
    setLabelBytes(c.model, c.models->currentText(1));
    setLabelBytes(c.warranty, c.models->currentText(2));
    const QByteArray picture = c.models->currentText(3);
    const QByteArray mark1 = c.models->currentText(4);
    const QByteArray mark2 = c.models->currentText(5);

    showPicture(c.picture, fetchPicture(m_deployment.pictureServer, picture));
    recomputeTotal();

    if (category == ComponentCategory::Zb) {
        const char* hint =
            markIsSet(mark1)   ? "所选主板集成显卡！不需要独立显卡就可以使用，为了更好性能，您也可以搭配一个独立显卡！"
            : markIsSet(mark2) ? "所选主板有带显卡接口，但没有集成显示核心！需要搭配带显示核心的CPU或者是搭配独立显卡！"
                               : "所选主板没有集成显卡，需要搭配独立显卡方可使用！";
        m_boardHint->setText(u(hint));
    } else if (category == ComponentCategory::Cpu) {
        m_cpuHint->setText(
            markIsSet(mark1) ? u("该CPU集成了显卡，只要搭配有显卡接口的主板就可使用。如要更好性能，可再搭配独立显卡！")
                             : QString());
    }

    m_selection.set(category, labelBytes(c.model), labelBytes(c.price), labelBytes(c.warranty));
    malloc_trim(0);
}

void MainWindow::recomputeTotal() {
    double sum = 0;
    for (ComponentCategory category : canonicalOrder()) {
        sum += TextToNumber(labelBytes(controls(category).price));
    }
    m_total->setText(fromGbk(NumberToText(sum)));
    m_capitals->setText(fromGbk(AmountInCapitals(TextToNumber(toGbk(m_total->text())))));
}

void MainWindow::showPicture(QLabel* label, const QByteArray& bytes) {
    QPixmap pixmap;
    if (bytes.isEmpty() || !pixmap.loadFromData(bytes)) {
        label->clear();
        return;
    }
    if (pixmap.width() > label->width() || pixmap.height() > label->height()) {
        pixmap = pixmap.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    label->setPixmap(pixmap);
}

} // namespace velnor
