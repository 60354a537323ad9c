// The main window: the document windows in an MDI area, the menus (one set
// while no document is open, another while one is), the toolbar, the status
// bar and the recent-file list. Every command from a menu, the toolbar or an
// accelerator first commits the active document window's grids and is
// dropped when the grid refuses the cell being edited.
#pragma once

#include "app/DocumentWindow.h"
#include "shell/RecentFiles.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace document {
class RadioDocument;
}
class QLabel;
class QMdiArea;
class QMenu;

namespace app {

class MainWindow : public QMainWindow, public DocumentWindowHost {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QMdiArea* MdiArea() const { return m_mdi; }
    DocumentWindow* ActiveChild() const;
    QList<DocumentWindow*> Children() const;
    // The command of that name ("file.open"), as the menus and the toolbar
    // show it.
    QAction* Action(const QString& name) const;
    shell::RecentFiles& Recent() { return m_recent; }
    // The Window menu's entries for the open windows, in the order they were
    // opened.
    const QList<QAction*>& WindowListActions() const { return m_windowActions; }

    // File New: a new document in a window of its own.
    DocumentWindow* NewDocument();
    // Opens a file in a window of its own, or activates the window that shows
    // it already. A file that does not load shows one "File Error" box and
    // leaves no window; nullptr then.
    DocumentWindow* OpenDocumentFile(const QString& path);
    // Opens a file as a new untitled document (an image from the radio
    // history): nothing is tied to the file, and the document is unsaved.
    DocumentWindow* OpenAsNewDocument(const QString& path);
    // Radio > History...: the kept images, to open, compare or send again.
    void ShowHistory();
    // Save (asks for a name when the document has none) or Save As.
    bool SaveDocument(DocumentWindow* child, bool askForName);
    // Runs the named command as a menu does: the active window's grids are
    // committed first, then the command runs (a disabled one does nothing).
    void RunCommand(const QString& name);

    // Asked by a document window that is about to close: the save question
    // when it is the document's last window. False keeps the window open.
    bool CanCloseDocumentWindow(DocumentWindow* child) override;
    // The save question for a modified document: Yes saves (asking for a name
    // when needed), No goes on without saving. False when the user cancelled
    // or saving failed.
    bool SaveModified(DocumentWindow* child);
    // Told by a document window that has closed: the others are numbered
    // anew.
    void DocumentWindowClosed() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildToolbar();
    void BuildStatusBar();
    void RebuildMenus();
    void UpdateRecentMenu();
    // Enables the document commands while a document is open.
    void UpdateActions();
    void UpdateUndoActions();
    // The Edit commands the active window's current tab offers.
    void UpdateEditActions();
    // Numbers the windows of documents shown in more than one ("name:1",
    // "name:2"); a document's only window has no number.
    void NumberWindows();
    // The Window menu's list of the open windows, the active one checked.
    void UpdateWindowMenu();
    // "Untitled" for the first new document, then "Untitled2", "Untitled3",
    // the lowest no open document bears.
    QString UnusedUntitledTitle(const document::RadioDocument* except) const;
    // Runs run when the action of that name is triggered, once the active
    // window's grids are committed (nothing runs when a cell is refused).
    void Bind(const char* name, std::function<void()> run);
    bool CommitActive();
    // File Open: asks for a file, then opens it.
    void AskAndOpen();
    DocumentWindow* AddChild(std::shared_ptr<document::RadioDocument> doc);
    // The main window's size, place and maximised state, kept between runs.
    void RestoreWindowGeometry();
    void SaveWindowGeometry();
    void ShowAbout();
    void OpenRecent(int index);

    QMdiArea* m_mdi;
    QList<QAction*> m_recentActions;
    QMenu* m_recentMenuHost = nullptr;
    QPointer<QMenu> m_windowMenu;
    QList<QAction*> m_windowActions;
    shell::RecentFiles m_recent;
    bool m_hadDocuments = false;
};

} // namespace app
