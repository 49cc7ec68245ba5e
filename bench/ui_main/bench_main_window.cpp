// Main window figures, run by hand against the demo services (see the usage text).
//   startup PORT      process start to the loading notice hidden, beside the mariadb client running the
//                     eleven start-up statements; then resident memory, and again after 200 model choices
//   bigbrand PORT     brand Bench10k of category yp: click to model list filled, longest GUI-thread stall
#include "catalogue/catalogue_queries.h"
#include "catalogue/catalogue_session.h"
#include "deployment_defaults.h"
#include "model/categories.h"
#include "model/gbk.h"
#include "ui/main/catalogue_loader.h"
#include "ui/main/choice_list_view.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>

using namespace velnor;

namespace {

QElapsedTimer g_sinceMain;

long vmRssKb(int pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

// The process and every descendant (the browser engine's helper processes).
long treeRssKb(int root, int* count) {
    std::multimap<int, int> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok) {
            continue;
        }
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1) {
            children.emplace(fields[1].toInt(), pid);
        }
    }
    long total = 0;
    *count = 0;
    QList<int> todo{root};
    while (!todo.isEmpty()) {
        const int pid = todo.takeFirst();
        total += vmRssKb(pid);
        ++*count;
        auto [b, e] = children.equal_range(pid);
        for (auto it = b; it != e; ++it) {
            todo << it->second;
        }
    }
    return total;
}

void printMemory(const char* when) {
    int processes = 0;
    const long tree = treeRssKb(int(QCoreApplication::applicationPid()), &processes);
    std::printf("memory %-28s main process VmRSS %6ld kB; %d processes together %7ld kB\n", when,
                vmRssKb(int(QCoreApplication::applicationPid())), processes, tree);
}

template <typename T> T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromUtf8(name));
}

// Runs `step` until it returns true, polling the event loop.
void waitFor(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

double mariadbClientMs(const Deployment& d) {
    QStringList statements{QString::fromLatin1(platformStatement())};
    for (ComponentCategory c : startupBrandOrder()) {
        statements << QString::fromLatin1(brandStatement(c));
    }
    QProcess client;
    client.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    client.start(QStringLiteral("mariadb"),
                 {QStringLiteral("-h%1").arg(QString::fromLatin1(d.dbHost)),
                  QStringLiteral("-P%1").arg(QString::fromLatin1(d.dbPort)),
                  QStringLiteral("-u%1").arg(QString::fromLatin1(d.dbAccount)),
                  QStringLiteral("-p%1").arg(QString::fromLatin1(d.dbPassword)), QStringLiteral("zel_k"),
                  QStringLiteral("-e"), statements.join(QStringLiteral(";"))});
    client.waitForFinished(60000);
    return t.nsecsElapsed() / 1e6;
}

int startup(MainWindow& window, const Deployment& d) {
    QLabel* notice = child<QLabel>(&window, "数据加载");
    waitFor([&] { return notice->isHidden(); });
    const double startupMs = g_sinceMain.nsecsElapsed() / 1e6;
    std::printf("start-up: main() to notice hidden %.1f ms (port %s)\n", startupMs, d.dbPort.constData());
    std::printf("mariadb client, the same eleven statements, one connection: %.1f ms\n", mariadbClientMs(d));
    QElapsedTimer settle;
    settle.start();
    waitFor([&] { return settle.elapsed() > 3000; }); // let the browser pane load its page
    printMemory("after start-up:");

    // 200 model choices spread over the ten ordinary categories.
    int choices = 0;
    QElapsedTimer choiceTime;
    qint64 choiceNs = 0;
    for (int round = 0; choices < 200 && round < 100; ++round) {
        for (ComponentCategory c : startupBrandOrder()) {
            auto* brands = child<ChoiceListView>(&window, categoryInfo(c).brandList);
            auto* models = child<ChoiceListView>(&window, categoryInfo(c).modelList);
            if (brands->rowCount() == 0) {
                continue;
            }
            if (round == 0) {
                brands->setCurrentItem(brands->topLevelItem(0));
                waitFor([&] { return brands->isEnabled(); });
            }
            if (models->rowCount() < 2) {
                continue;
            }
            for (int k = 0; k < 2 && choices < 200; ++k) {
                const int row = (round * 2 + k) % models->rowCount();
                if (models->currentItem() == models->topLevelItem(row)) {
                    continue;
                }
                choiceTime.start();
                models->setCurrentItem(models->topLevelItem(row));
                choiceNs += choiceTime.nsecsElapsed();
                ++choices;
                QCoreApplication::processEvents();
            }
        }
    }
    std::printf("%d model choices, %.2f ms each on average (picture fetch included)\n", choices,
                choices ? choiceNs / 1e6 / choices : 0.0);
    printMemory("after the model choices:");
    return 0;
}

int bigBrand(MainWindow& window) {
    QLabel* notice = child<QLabel>(&window, "数据加载");
    waitFor([&] { return notice->isHidden(); });
    auto* brands = child<ChoiceListView>(&window, "硬盘品牌列表框");
    auto* models = child<ChoiceListView>(&window, "硬盘列表框");
    int row = -1;
    for (int r = 0; r < brands->rowCount(); ++r) {
        if (brands->rowText(r, 0) == "Bench10k") {
            row = r;
        }
    }
    if (row < 0) {
        std::fprintf(stderr, "no brand Bench10k in yp: is this the large catalogue?\n");
        return 1;
    }
    // A 1 ms timer: the longest gap between its ticks is the longest the GUI thread was blocked.
    QElapsedTimer sinceTick;
    qint64 longestGapNs = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    for (int run = 0; run < 3; ++run) {
        const int other = row == 0 ? 1 : 0;
        longestGapNs = 0;
        sinceTick.start();
        ticker.start();
        brands->setCurrentItem(brands->topLevelItem(other));
        waitFor([&] { return brands->isEnabled(); });
        ticker.stop();
        if (run > 0) {
            std::printf("another brand after it (%d models listed): longest GUI-thread stall %.1f ms\n",
                        models->rowCount(), longestGapNs / 1e6);
        }
        longestGapNs = 0;
        sinceTick.start();
        ticker.start();
        QElapsedTimer t;
        t.start();
        brands->setCurrentItem(brands->topLevelItem(row));
        waitFor([&] { return brands->isEnabled(); });
        const double ms = t.nsecsElapsed() / 1e6;
        ticker.stop();
        std::printf("brand Bench10k: click to %d models listed %.1f ms; longest GUI-thread stall %.1f ms\n",
                    models->rowCount(), ms, longestGapNs / 1e6);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    g_sinceMain.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || (args[1] != QLatin1String("startup") && args[1] != QLatin1String("bigbrand"))) {
        std::fprintf(stderr, "usage: bench_main_window startup|bigbrand PORT\n");
        return 2;
    }
    initCatalogueLibrary();
    Deployment deployment = deploymentDefaults();
    deployment.dbPort = args[2].toLatin1();
    SelectionState selection;
    SharedTexts shared;
    const double appMs = g_sinceMain.nsecsElapsed() / 1e6;
    MainWindow window(deployment, selection, shared);
    const double builtMs = g_sinceMain.nsecsElapsed() / 1e6;
    window.show();
    std::printf("application object %.1f ms, window built (loaders started) %.1f ms after main()\n", appMs, builtMs);
    const int rc = args[1] == QLatin1String("startup") ? startup(window, deployment) : bigBrand(window);
    std::fflush(stdout);
    std::_Exit(rc);
}
