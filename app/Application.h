// The application object: start-up from the command line, the registration
// switches, the main window and the first document.
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

namespace app {
class MainWindow;
}
namespace app {
class RadioIcon;
}

namespace app {

class Application : public QObject {
    Q_OBJECT

public:
    enum class Startup {
        Window, // the main window is shown: run the event loop
        Hidden, // running without a window, serving the desktop's object
        Done,   // nothing more to do: end the program
    };

    Application();
    ~Application() override;

    // Carries out the command line (without the program name). programPath
    // is written into the desktop integration.
    Startup Start(const QStringList& arguments, const QString& programPath);

    MainWindow* Window() const { return m_window.get(); }

private:
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<RadioIcon> m_served;
};

} // namespace app
