// Runs the main window as the program does, against a catalogue at 127.0.0.1:<port> given as the first
// argument, closes it after <ms> (second argument) and leaves through the program's exit path. With a third
// argument "editor" the quote editor is opened first and left open.
#include "catalogue/catalogue_session.h"
#include "deployment_defaults.h"
#include "ui/main/main_window.h"
#include "ui/main/program_exit.h"
#include "ui/quote/open_quote_editor.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: hanging_exit_helper PORT MS [editor]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto* app = new QApplication(argc, argv);
    velnor::initCatalogueLibrary();
    velnor::ProgramState& state = velnor::startProgram();
    velnor::Deployment deployment = velnor::deploymentDefaults();
    deployment.dbHost = "127.0.0.1";
    deployment.dbPort = argv[1];
    deployment.pictureServer = "http://127.0.0.1:1";
    auto* window = new velnor::MainWindow(deployment, state.selection, state.shared, nullptr, state.loadingFlags);
    velnor::quitWhenClosed(window);
    window->show();
    if (argc > 3 && std::strcmp(argv[3], "editor") == 0) {
        velnor::openQuoteEditor(deployment, state.selection, state.shared);
    }
    QTimer::singleShot(std::atoi(argv[2]), window, [window] { window->close(); });
    app->exec();
    std::printf("message loop ended\n");
    velnor::leaveProgram(0);
}
