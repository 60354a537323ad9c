// The application object: start-up from the command line, the registration
// switches, the main frame and the first document.
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class CMainFrame;
class CVX7Icon;

class CMainApp : public QObject {
    Q_OBJECT

public:
    enum class Startup {
        Window, // the main window is shown: run the event loop
        Hidden, // running without a window, serving the desktop's object
        Done,   // nothing more to do: end the program
    };

    CMainApp();
    ~CMainApp() override;

    // Carries out the command line (without the program name). programPath
    // is written into the desktop integration.
    Startup InitInstance(const QStringList& arguments, const QString& programPath);

    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CVX7Icon> m_served;
};
