#include "deployment_defaults.h"
#include "model/gbk.h"
#include "ui/common/dialogs.h"
#include "ui/quote/quote_editor_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velnor;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void click(QObject* window, const char* button) {
    window->findChild<QPushButton*>(u(button))->click();
}
void setBox(QObject* window, const char* name, const QString& text) {
    window->findChild<QLineEdit*>(u(name))->setText(text);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const char* const kSaveFailedTitle = "信息：";
const char* const kSaveFailedText = "文件保存失败,请检查是否对目标磁盘的写权限!";
const char* const kUnprivilegedDirVar = "VELNOR_TEST_UNPRIVILEGED_DIR";

} // namespace

class TestQuoteCopySave : public QObject {
    Q_OBJECT
private:
    Deployment m_deployment = deploymentDefaults();
    Dialogs::TestAnswers m_answers;
    SelectionState m_selection;
    std::unique_ptr<QuoteEditorWindow> m_editor;

private slots:
    void init();
    void cleanup();
    void copyPutsDocumentOnClipboard_data();
    void copyPutsDocumentOnClipboard();
    void copySmallQuoteExactly();
    void copyTwiceKeepsSecond();
    void realCopyMessageBox();
    void copyBeforeFirstTick();
    void saveWritesDocument_data();
    void saveWritesDocument();
    void saveTwiceReplaces();
    void saveKeepsCatalogueBytes();
    void saveCancelledTouchesNothing();
    void realSaveDialogTakesQuoteAtConfirm();
    void saveIntoMissingFolderFails();
    void saveFailingMidwayKeepsOldFile();
    void saveWithoutPermissionKeepsOldFile();
    void unprivilegedSave(); // run by saveWithoutPermissionKeepsOldFile as another user
};

void TestQuoteCopySave::init() {
    m_answers = Dialogs::TestAnswers{};
    Dialogs::setTestAnswers(&m_answers);
    m_selection = SelectionState{};
    m_selection.set(ComponentCategory::Zb, gbk("M-1"), gbk("599"), gbk("三年"));
    m_selection.set(ComponentCategory::Xsq, gbk("显示器 27寸"), gbk("1299"), gbk("一年"));
    m_selection.set(ComponentCategory::Yx, gbk("漫步者"), gbk("99"), gbk("半年"));
    m_editor = std::make_unique<QuoteEditorWindow>(m_deployment, m_selection, SharedTexts{});
    setBox(m_editor.get(), "主板价格1", u("650"));
    setBox(m_editor.get(), "音箱数量", u("２ "));
    m_editor->refreshFromSelection();
}

void TestQuoteCopySave::cleanup() {
    m_editor.reset();
    Dialogs::setTestAnswers(nullptr);
}

void TestQuoteCopySave::copyPutsDocumentOnClipboard_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<DocumentKind>("kind");
    QTest::newRow("cost") << u("复制成本清单") << DocumentKind::CostList;
    QTest::newRow("retail") << u("复制零售清单") << DocumentKind::RetailList;
}

void TestQuoteCopySave::copyPutsDocumentOnClipboard() {
    QFETCH(QString, button);
    QFETCH(DocumentKind, kind);
    QGuiApplication::clipboard()->setText(u("earlier content"));
    m_editor->findChild<QPushButton*>(button)->click();
    const QByteArray expected = renderCopyLayout(kind, m_editor->displayedSheet());
    QVERIFY(expected.contains(gbk("M-1")));
    QCOMPARE(toGbk(QGuiApplication::clipboard()->text()), expected);
    QCOMPARE(m_answers.messages.size(), size_t(1));
    QCOMPARE(m_answers.messages[0].title, u("复制成功"));
    QCOMPARE(m_answers.messages[0].text, u("复制成功，可将清单粘贴到记事本。"));
    QCOMPARE(m_answers.saveRequests.size(), size_t(0));
}

void TestQuoteCopySave::copySmallQuoteExactly() {
    click(m_editor.get(), "复制零售清单");
    // Retail prices, the quantities exactly as typed, the total as the editor shows it.
    const QString expected = u("主板：\t1X 650\tM-1\r\n"
                               "CPU：\t1X \t\r\n"
                               "硬盘：\t1X \t\r\n"
                               "内存：\t1X \t\r\n"
                               "显卡：\t1X \t\r\n"
                               "光驱：\t1X \t\r\n"
                               "机箱：\t1X \t\r\n"
                               "电源：\t1X \t\r\n"
                               "显示器：1X \t显示器 27寸\r\n"
                               "键鼠：\t1X \t\r\n"
                               "散热器：1X \t\r\n"
                               "音箱：\t２ X \t漫步者\r\n"
                               "以上清单总价：650");
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    click(m_editor.get(), "复制成本清单");
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(u("\r\n以上清单总价：2096")));
}

void TestQuoteCopySave::copyTwiceKeepsSecond() {
    click(m_editor.get(), "复制成本清单");
    const QString first = QGuiApplication::clipboard()->text();
    setBox(m_editor.get(), "主板数量", u("3"));
    click(m_editor.get(), "复制成本清单");
    const QString second = QGuiApplication::clipboard()->text();
    QVERIFY(first != second);
    QVERIFY(second.startsWith(u("主板：\t3X 599\tM-1\r\n")));
    QCOMPARE(toGbk(second), renderCopyLayout(DocumentKind::CostList, m_editor->displayedSheet()));
    QCOMPARE(m_answers.messages.size(), size_t(2));
}

// The message as the user meets it: modal for the whole application, one OK button, no icon.
void TestQuoteCopySave::realCopyMessageBox() {
    Dialogs::setTestAnswers(nullptr);
    struct Seen {
        bool box = false;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::Information;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality = Qt::NonModal;
    } seen;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->windowModality()};
        box->button(QMessageBox::Ok)->click();
    });
    click(m_editor.get(), "复制零售清单");
    QVERIFY(seen.box);
    QCOMPARE(seen.title, u("复制成功"));
    QCOMPARE(seen.text, u("复制成功，可将清单粘贴到记事本。"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(u("主板：\t1X 650\tM-1\r\n")));
}

// Within the first second the editor still shows its empty form, and the copy takes just that, although a
// choice is waiting in the selection.
void TestQuoteCopySave::copyBeforeFirstTick() {
    QuoteEditorWindow fresh(m_deployment, m_selection, SharedTexts{});
    fresh.findChild<QPushButton*>(u("复制成本清单"))->click();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.startsWith(u("主板：\t1X \t\r\nCPU：\t1X \t\r\n")));
    QVERIFY(copied.endsWith(u("音箱：\t1X \t\r\n以上清单总价：")));
    QVERIFY(!copied.contains(u("M-1")));
}

void TestQuoteCopySave::saveWritesDocument_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<DocumentKind>("kind");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("savedName");
    QTest::newRow("full, no extension") << u("保存全部") << DocumentKind::FullList << u("报价") << u("报价.txt");
    QTest::newRow("cost, .txt") << u("保存成本清单") << DocumentKind::CostList << u("a.txt") << u("a.txt");
    QTest::newRow("retail, other extension")
        << u("保存零售清单") << DocumentKind::RetailList << u("b.doc") << u("b.doc");
    // A dot ends the name as typed: the dialog asked about replacing this very file.
    QTest::newRow("cost, trailing dot") << u("保存成本清单") << DocumentKind::CostList << u("报价.") << u("报价.");
}

void TestQuoteCopySave::saveWritesDocument() {
    QFETCH(QString, button);
    QFETCH(DocumentKind, kind);
    QFETCH(QString, typedName);
    QFETCH(QString, savedName);
    QTemporaryDir dir;
    m_answers.savePaths.push_back(dir.filePath(typedName));
    m_editor->findChild<QPushButton*>(button)->click();

    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{savedName});
    const QByteArray expected = renderFileLayout(kind, m_editor->displayedSheet(), shopFooterFrom(m_deployment));
    QVERIFY(expected.contains(gbk("显示器 27寸")));
    QCOMPARE(readAll(dir.filePath(savedName)), expected);
    QCOMPARE(m_answers.messages.size(), size_t(0));

    QCOMPARE(m_answers.saveRequests.size(), size_t(1));
    const Dialogs::SaveFileRequest& request = m_answers.saveRequests[0];
    QCOMPARE(request.title, u("请选择保存位置及路径"));
    QCOMPARE(request.nameFilters, (QStringList{u("文本文件(*.txt)"), u("所有文件(*.*)")}));
    QCOMPARE(request.defaultSuffix, u("txt"));
    QCOMPARE(request.defaultName, u("电脑配置单"));
}

void TestQuoteCopySave::saveTwiceReplaces() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u("报价.txt"));
    m_answers.savePaths = {path, path};
    click(m_editor.get(), "保存成本清单");
    const QByteArray first = readAll(path);
    setBox(m_editor.get(), "主板数量", u("2"));
    click(m_editor.get(), "保存成本清单");
    const QByteArray second =
        renderFileLayout(DocumentKind::CostList, m_editor->displayedSheet(), shopFooterFrom(m_deployment));
    QVERIFY(first != second);
    QCOMPARE(readAll(path), second);
    // No temporary file left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u("报价.txt")});
    QCOMPARE(m_answers.messages.size(), size_t(0));
}

void TestQuoteCopySave::saveKeepsCatalogueBytes() {
    // A catalogue row whose bytes are not valid GBK reaches the saved file byte for byte.
    const QByteArray model("M\x81\x20\xff-2", 6);
    m_selection.set(ComponentCategory::Cpu, model, "\xa3\xb1", "");
    m_editor->refreshFromSelection();
    QTemporaryDir dir;
    const QString path = dir.filePath(u("a.txt"));
    m_answers.savePaths.push_back(path);
    click(m_editor.get(), "保存成本清单");
    QVERIFY(readAll(path).contains(QByteArray("1*\xa3\xb1\t\t") + gbk("C P U ：") + model + "\r\n"));
}

void TestQuoteCopySave::saveCancelledTouchesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u("电脑配置单.txt"));
    QVERIFY(writeFile(path, "OLD"));
    m_answers.savePaths.push_back(std::nullopt);
    click(m_editor.get(), "保存全部");
    QCOMPARE(readAll(path), QByteArray("OLD"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u("电脑配置单.txt")});
    QCOMPARE(m_answers.messages.size(), size_t(0));
    QCOMPARE(m_answers.unexpectedDialogs, 0);
}

// The real dialog as the user meets it; the editor keeps refreshing while it is open, and the file shows the
// quote at the moment the user confirms.
void TestQuoteCopySave::realSaveDialogTakesQuoteAtConfirm() {
    Dialogs::setTestAnswers(nullptr);
    QTemporaryDir dir;
    struct Seen {
        bool dialog = false;
        QString title;
        QStringList filters;
        QString selectedFilter;
        QString suffix;
        QString proposedName;
        bool save = false;
        bool confirmsOverwrite = false;
    } seen;
    QPointer<QFileDialog> open;
    QTimer::singleShot(0, this, [&] {
        open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!open) {
            return;
        }
        seen.dialog = true;
        seen.title = open->windowTitle();
        seen.filters = open->nameFilters();
        seen.selectedFilter = open->selectedNameFilter();
        seen.suffix = open->defaultSuffix();
        seen.proposedName = QFileInfo(open->selectedFiles().value(0)).fileName();
        seen.save = open->acceptMode() == QFileDialog::AcceptSave;
        seen.confirmsOverwrite = !open->testOption(QFileDialog::DontConfirmOverwrite);
        m_selection.set(ComponentCategory::Zb, gbk("M-2"), gbk("700"), gbk("两年"));
        open->setDirectory(dir.path());
        open->selectFile(dir.filePath(u("报价")));
    });
    // After at least one tick, the user confirms.
    QTimer::singleShot(1500, this, [&] {
        if (open) {
            QMetaObject::invokeMethod(open, "accept"); // as pressing Save
        }
    });
    click(m_editor.get(), "保存成本清单");

    QVERIFY(seen.dialog);
    QCOMPARE(seen.title, u("请选择保存位置及路径"));
    QCOMPARE(seen.filters, (QStringList{u("文本文件(*.txt)"), u("所有文件(*.*)")}));
    QCOMPARE(seen.selectedFilter, u("文本文件(*.txt)"));
    QCOMPARE(seen.suffix, u("txt"));
    QCOMPARE(seen.proposedName, u("电脑配置单.txt"));
    QVERIFY(seen.save);
    QVERIFY(seen.confirmsOverwrite);
    const QByteArray saved = readAll(dir.filePath(u("报价.txt")));
    QVERIFY(saved.startsWith(gbk("1*700\t两年\t主  板：M-2\r\n")));
    QCOMPARE(saved, renderFileLayout(DocumentKind::CostList, m_editor->displayedSheet(), shopFooterFrom(m_deployment)));
}

void TestQuoteCopySave::saveIntoMissingFolderFails() {
    QTemporaryDir dir;
    m_answers.savePaths.push_back(dir.filePath(u("gone/报价")));
    const QuoteSheet before = m_editor->displayedSheet();
    click(m_editor.get(), "保存零售清单");
    QCOMPARE(m_answers.messages.size(), size_t(1));
    QCOMPARE(m_answers.messages[0].title, u(kSaveFailedTitle));
    QCOMPARE(m_answers.messages[0].text, u(kSaveFailedText));
    QVERIFY(m_editor->displayedSheet() == before);
}

// A write that fails part-way (here: the process's file size limit) must not cost the earlier quote.
void TestQuoteCopySave::saveFailingMidwayKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u("报价.txt"));
    QVERIFY(writeFile(path, "OLD"));
    m_answers.savePaths.push_back(path);

    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const rlimit small{64, saved.rlim_max};
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    click(m_editor.get(), "保存全部");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(m_answers.messages.size(), size_t(1));
    QCOMPARE(m_answers.messages[0].text, u(kSaveFailedText));
    QCOMPARE(readAll(path), QByteArray("OLD"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u("报价.txt")});
}

// Root ignores file modes, so the saving runs as an unprivileged user in a child process: a folder it may not
// write into (with an earlier quote in it) and a read-only earlier quote in a folder it owns.
void TestQuoteCopySave::saveWithoutPermissionKeepsOldFile() {
    if (geteuid() != 0) {
        QSKIP("needs root to set up the folders and switch to another user");
    }
    if (QStandardPaths::findExecutable(u("setpriv")).isEmpty()) {
        QSKIP("setpriv not installed");
    }
    QTemporaryDir dir;
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    const QString locked = dir.filePath(u("locked"));
    const QString owned = dir.filePath(u("owned"));
    const QString home = dir.filePath(u("home"));
    QVERIFY(QDir().mkdir(locked) && QDir().mkdir(owned) && QDir().mkdir(home));
    QVERIFY(::chmod(QFile::encodeName(locked).constData(), 0755) == 0); // root's, read-only for others
    QVERIFY(writeFile(locked + u("/报价.txt"), "OLD LOCKED"));
    QVERIFY(writeFile(owned + u("/报价.txt"), "OLD READ-ONLY"));
    QVERIFY(::chmod(QFile::encodeName(owned + u("/报价.txt")).constData(), 0444) == 0);
    for (const QString& path : {owned, owned + u("/报价.txt"), home}) {
        QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kUnprivilegedDirVar), dir.path());
    env.insert(u("HOME"), home);
    env.insert(u("QT_QPA_PLATFORM"), u("offscreen")); // the X server's cookie is root's
    env.remove(u("XDG_RUNTIME_DIR"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(u("setpriv"), {u("--reuid=65534"), u("--regid=65534"), u("--clear-groups"),
                               QCoreApplication::applicationFilePath(), u("unprivilegedSave")});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("PASS   : TestQuoteCopySave::unprivilegedSave()"), output.constData());

    QCOMPARE(readAll(locked + u("/报价.txt")), QByteArray("OLD LOCKED"));
    QCOMPARE(readAll(owned + u("/报价.txt")), QByteArray("OLD READ-ONLY"));
    QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{u("报价.txt")});
    QCOMPARE(QDir(owned).entryList(QDir::Files | QDir::Hidden), QStringList{u("报价.txt")});
}

void TestQuoteCopySave::unprivilegedSave() {
    const QString root = qEnvironmentVariable(kUnprivilegedDirVar);
    if (root.isEmpty()) {
        QSKIP("run by saveWithoutPermissionKeepsOldFile only");
    }
    QVERIFY(geteuid() != 0);
    const QString locked = root + u("/locked");
    const QString owned = root + u("/owned");
    m_answers.savePaths = {locked + u("/新报价"), locked + u("/报价.txt"), owned + u("/报价.txt")};
    const QuoteSheet before = m_editor->displayedSheet();
    click(m_editor.get(), "保存成本清单");
    click(m_editor.get(), "保存全部");
    click(m_editor.get(), "保存零售清单");
    QCOMPARE(m_answers.messages.size(), size_t(3));
    for (const Dialogs::MessageRecord& message : m_answers.messages) {
        QCOMPARE(message.title, u(kSaveFailedTitle));
        QCOMPARE(message.text, u(kSaveFailedText));
    }
    QVERIFY(!QFile::exists(locked + u("/新报价.txt")));
    QCOMPARE(readAll(locked + u("/报价.txt")), QByteArray("OLD LOCKED"));
    QCOMPARE(readAll(owned + u("/报价.txt")), QByteArray("OLD READ-ONLY"));
    QVERIFY(m_editor->displayedSheet() == before);
    QCOMPARE(m_selection.get(ComponentCategory::Zb).modelText, gbk("M-1"));
}

QTEST_MAIN(TestQuoteCopySave)
#include "tst_quote_copy_save.moc"
