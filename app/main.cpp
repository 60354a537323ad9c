// clonara: the desktop editor for the Yaesu VX-7's memory.
#include "app/Application.h"
#include "shell/CommandLine.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QTimer>

#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace {
// When the process started, from the kernel's account of it.
qint64 ProcessStartMsecs() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return QDateTime::currentMSecsSinceEpoch();
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double ageSeconds = upSeconds - startTicks / ticks;
    return QDateTime::currentMSecsSinceEpoch() - static_cast<qint64>(ageSeconds * 1000);
}

void NameTheApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Clonara"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tessaly"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CLONARA_VERSION));
}

// Registering and unregistering show no window: they run without a display,
// so that an installer or a login script without one can use them.
bool IsRegistration(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const shell::StartupRequest::Mode mode = shell::ParseCommandLine(arguments).mode;
    return mode == shell::StartupRequest::Mode::RegServer ||
           mode == shell::StartupRequest::Mode::UnregServer;
}

int Register(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    NameTheApplication();
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    app::Application mainApp;
    mainApp.Start(arguments, QCoreApplication::applicationFilePath());
    return 0;
}

// "--help" and "--version" print and end before anything needs a display.
bool PrintedHelp(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    switch (shell::ParseCommandLine(arguments).mode) {
    case shell::StartupRequest::Mode::Help:
        std::fputs(shell::UsageText().toLocal8Bit().constData(), stdout);
        return true;
    case shell::StartupRequest::Mode::Version:
        std::fputs(shell::VersionText(QStringLiteral(CLONARA_VERSION)).toLocal8Bit().constData(),
                   stdout);
        return true;
    default:
        return false;
    }
}
} // namespace

int main(int argc, char** argv) {
    if (PrintedHelp(argc, argv))
        return 0;
    if (IsRegistration(argc, argv))
        return Register(argc, argv);

    QApplication app(argc, argv);
    NameTheApplication();
    // The program's icon on every window; the desktop entry of that name
    // gives the same icon to the window list.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/clonara.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("clonara"));

    QStringList arguments = QApplication::arguments();
    const QString program = arguments.takeFirst();
    app::Application mainApp;
    switch (mainApp.Start(arguments, QApplication::applicationFilePath())) {
    case app::Application::Startup::Done:
        return 0;
    case app::Application::Startup::Hidden:
    case app::Application::Startup::Window:
        break;
    }
    Q_UNUSED(program);
    if (qEnvironmentVariableIsSet("CLONARA_EXIT_WHEN_SHOWN")) {
        // For the start-up benchmark: once the first window has been shown
        // and painted, report the time since the process started and end.
        QTimer::singleShot(0, [] {
            std::printf(
                "shown after %lld ms\n",
                static_cast<long long>(QDateTime::currentMSecsSinceEpoch() - ProcessStartMsecs()));
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
