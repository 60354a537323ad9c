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

Application::Application() = default;
Application::~Application() = default;

Application::Startup Application::Start(const QStringList& arguments, const QString& programPath) {
    const StartupRequest request = ParseCommandLine(arguments);
    switch (request.mode) {
    case StartupRequest::Mode::RegServer:
    case StartupRequest::Mode::UnregServer: {
        const auto error = request.mode == StartupRequest::Mode::RegServer
                               ? registration::Register(programPath)
                               : registration::Unregister();
        if (error)
            std::fprintf(stderr, "%s\n", qPrintable(*error));
        return Startup::Done;
    }
    case StartupRequest::Mode::Embedding: {
#ifdef CLONARA_HAVE_DBUS
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected() &&
            bus.registerService(QString::fromLatin1(registration::kDBusService))) {
            m_served = std::make_unique<RadioIcon>();
            bus.registerObject(QStringLiteral("/CVX7Icon"), m_served.get(),
                               QDBusConnection::ExportAllSlots);
            return Startup::Hidden;
        }
#endif
        return Startup::Done;
    }
    case StartupRequest::Mode::Help:
    case StartupRequest::Mode::Version:
        // main prints these before any application object exists.
        return Startup::Done;
    case StartupRequest::Mode::Normal:
        break;
    }

    m_frame = std::make_unique<MainWindow>();
    if (request.files.isEmpty()) {
        m_frame->NewDocument();
    } else {
        for (const QString& file : request.files)
            m_frame->OpenDocumentFile(file);
    }
    m_frame->show();
    return Startup::Window;
}
