// Placeholder until the main window lands.
#include "deployment_defaults.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velnor::Deployment deployment = velnor::deploymentDefaults();
    (void)deployment;
    return 0;
}
