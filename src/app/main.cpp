#include "catalogue/catalogue_session.h"
#include "deployment_defaults.h"
#include "ui/main/main_window.h"
#include "ui/main/program_exit.h"

#include <QApplication>
#include <QFont>
#include <QLoggingCategory>

int main(int argc, char** argv) {
    // The browser engine reports its GL set-up on every start; the program itself logs nothing.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Never destroyed: leaveProgram ends the process while detached loaders may still post to the window.
    auto* app = new QApplication(argc, argv);
    // A CJK face about 12 pixels high, so that Chinese fits the forms' 18- and 20-pixel rows everywhere,
    // message boxes and dialogs included.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    velnor::initCatalogueLibrary();
    velnor::ProgramState& state = velnor::startProgram();
    auto* window = new velnor::MainWindow(velnor::deploymentDefaults(), state.selection, state.shared, nullptr,
                                          state.loadingFlags);
    velnor::quitWhenClosed(window);
    window->show();
    app->exec();
    velnor::leaveProgram(0);
}
