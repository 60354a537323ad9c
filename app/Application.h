// The application object: start-up from the command line, the registration
// switches, the main frame and the first document.
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class MainWindow;
class RadioIcon;

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

    MainWindow* MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<MainWindow> m_frame;
    std::unique_ptr<RadioIcon> m_served;
};
