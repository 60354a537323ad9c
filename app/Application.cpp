#include "app/Application.h"

#include "app/MainWindow.h"
#include "app/RadioIcon.h"
#include "shell/CommandLine.h"
#include "shell/Registration.h"
#include "widgets/Resources.h"

#include <QCoreApplication>

#ifdef CLONARA_HAVE_DBUS
#include <QDBusConnection>
#endif

#include <cstdio>

namespace app {

Application::Application() = default;
Application::~Application() = default;

Application::Startup Application::Start(const QStringList& arguments, const QString& programPath) {
    const shell::StartupRequest request = shell::ParseCommandLine(arguments);
    switch (request.mode) {
    case shell::StartupRequest::Mode::RegServer:
    case shell::StartupRequest::Mode::UnregServer: {
        const auto error = request.mode == shell::StartupRequest::Mode::RegServer
                               ? shell::registration::Register(programPath)
                               : shell::registration::Unregister();
        if (error)
            std::fprintf(stderr, "%s\n", qPrintable(*error));
        return Startup::Done;
    }
    case shell::StartupRequest::Mode::Embedding: {
#ifdef CLONARA_HAVE_DBUS
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected() &&
            bus.registerService(QString::fromLatin1(shell::registration::kDBusService))) {
            m_served = std::make_unique<RadioIcon>();
            bus.registerObject(QStringLiteral("/CVX7Icon"), m_served.get(),
                               QDBusConnection::ExportAllSlots);
            return Startup::Hidden;
        }
#endif
        return Startup::Done;
    }
    case shell::StartupRequest::Mode::Help:
    case shell::StartupRequest::Mode::Version:
        // main prints these before any application object exists.
        return Startup::Done;
    case shell::StartupRequest::Mode::Normal:
        break;
    }

    m_window = std::make_unique<MainWindow>();
    if (request.files.isEmpty()) {
        m_window->NewDocument();
    } else {
        for (const QString& file : request.files)
            m_window->OpenDocumentFile(file);
    }
    m_window->show();
    return Startup::Window;
}

} // namespace app
