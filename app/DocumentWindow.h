// A document window inside the main window: one view of one document, and the
// commands that window runs on it. Its title names the document's file and
// shows when it is modified.
#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace app {
class DocumentWindow;
}
namespace document {
class RadioDocument;
}
namespace editor {
class MainView;
}
namespace editor {
class DocumentCommands;
}

namespace app {

// What a document window asks of the window that holds it as it closes.
class DocumentWindowHost {
public:
    virtual ~DocumentWindowHost() = default;
    // Whether the window may close (the save question when it is the
    // document's last window); false keeps it open.
    virtual bool CanCloseDocumentWindow(DocumentWindow* child) = 0;
    // The window has closed.
    virtual void DocumentWindowClosed() = 0;
};

class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT

public:
    DocumentWindow(DocumentWindowHost* host, std::shared_ptr<document::RadioDocument> doc);
    ~DocumentWindow() override;

    editor::MainView* View() const { return m_view; }
    // Import, export, printing, the transfers, settings and options of this
    // window's document.
    editor::DocumentCommands* Commands() const { return m_commands; }
    document::RadioDocument& Document() const;
    const std::shared_ptr<document::RadioDocument>& SharedDocument() const;

    // The title from the document (file name, or "Untitled"), with the
    // modified mark; with two or more windows on one document each adds its
    // number ("radio.rdf:2").
    void UpdateTitle();
    // This window's number among its document's windows; 0 when it is the
    // only one.
    int WindowNumber() const { return m_number; }
    void SetWindowNumber(int number);
    // The title without the modified mark.
    QString Title() const;
    // Set once the window has agreed to close (it goes at the next turn of
    // the event loop); the main window no longer counts it.
    bool IsClosed() const { return m_closed; }

    // Closing without a second commit (File Close has committed already).
    void CloseWithoutCommit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentWindowHost* m_host;
    editor::MainView* m_view;
    editor::DocumentCommands* m_commands;
    bool m_skipCommit = false;
    int m_number = 0;
    bool m_closed = false;
};

} // namespace app
