// clonara: the desktop editor for the Yaesu VX-7's memory.
#include "app/CMainApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Clonara"));
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationVersion(QStringLiteral(CLONARA_VERSION));

    QStringList arguments = QApplication::arguments();
    const QString program = arguments.takeFirst();
    CMainApp mainApp;
    switch (mainApp.InitInstance(arguments, QApplication::applicationFilePath())) {
    case CMainApp::Startup::Done:
        return 0;
    case CMainApp::Startup::Hidden:
    case CMainApp::Startup::Window:
        break;
    }
    Q_UNUSED(program);
    return QApplication::exec();
}
