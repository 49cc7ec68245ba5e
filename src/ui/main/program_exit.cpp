#include "ui/main/program_exit.h"

#include "ui/main/catalogue_loader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace velnor {

namespace {

ProgramState* g_state = nullptr;

void exitRoutine() {
    delete g_state;
    g_state = nullptr;
    std::fflush(nullptr);
}

class QuitOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            // Looked at once the close has run its course: the window may still refuse it.
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(
                this,
                [window] {
                    if (window == nullptr || !window->isVisible()) {
                        QCoreApplication::quit();
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void quitWhenClosed(QWidget* window) {
    window->installEventFilter(new QuitOnClose(window));
}

ProgramState& startProgram() {
    g_state = new ProgramState;
    g_state->loadingFlags = std::make_shared<LoadingFlags>();
    std::at_quick_exit(exitRoutine);
    return *g_state;
}

void leaveProgram(int exitCode) {
    std::quick_exit(exitCode);
}

} // namespace velnor
