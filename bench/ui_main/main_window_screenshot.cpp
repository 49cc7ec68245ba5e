// Makes a full configuration in the main window on the demo services and saves the window as PNG.
// Usage: main_window_screenshot OUT.png [TAB-PAGE]
#include "catalogue/catalogue_session.h"
#include "deployment_defaults.h"
#include "model/categories.h"
#include "ui/main/choice_list_view.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QTcpServer>

#include <cstdio>
#include <functional>

using namespace velnor;

namespace {

template <typename T> T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromUtf8(name));
}

void waitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void choose(ChoiceListView* list, int row) {
    if (row < list->rowCount()) {
        list->setCurrentItem(list->topLevelItem(row));
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: main_window_screenshot OUT.png [TAB-PAGE]\n");
        return 2;
    }
    initCatalogueLibrary();
    SelectionState selection;
    SharedTexts shared;
    Deployment deployment = deploymentDefaults();
    // "notice": a catalogue that never answers, to see the window while it loads.
    QTcpServer hanging;
    const bool loading = argc > 2 && QByteArray(argv[2]) == "notice";
    if (loading) {
        hanging.listen(QHostAddress::LocalHost);
        deployment.dbPort = QByteArray::number(hanging.serverPort());
    }
    MainWindow window(deployment, selection, shared);
    window.show();
    if (loading) {
        QElapsedTimer shown;
        shown.start();
        waitFor([&] { return shown.elapsed() > 2000; });
        const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
        std::fflush(stdout);
        std::_Exit(saved ? 0 : 1);
    }
    waitFor([&] { return child<QLabel>(&window, "数据加载")->isHidden(); });

    auto* platforms = child<ChoiceListView>(&window, "平台列表框");
    choose(platforms, 1);
    waitFor([&] { return platforms->isEnabled(); });
    auto* boardBrands = child<ChoiceListView>(&window, "主板品牌列表框");
    choose(boardBrands, 0);
    waitFor([&] { return boardBrands->isEnabled(); });
    choose(child<ChoiceListView>(&window, "主板列表框"), 1);
    choose(child<ChoiceListView>(&window, "cpu列表框"), 2);
    for (ComponentCategory c : startupBrandOrder()) {
        auto* brands = child<ChoiceListView>(&window, categoryInfo(c).brandList);
        choose(brands, 0);
        waitFor([&] { return brands->isEnabled(); });
        choose(child<ChoiceListView>(&window, categoryInfo(c).modelList), 1);
    }
    child<QTabWidget>(&window, "光驱选择夹")->setCurrentIndex(argc > 2 ? std::atoi(argv[2]) : 1);
    QElapsedTimer settle;
    settle.start();
    waitFor([&] { return settle.elapsed() > 4000; }); // the browser pane's page
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    std::fflush(stdout);
    std::_Exit(saved ? 0 : 1);
}
