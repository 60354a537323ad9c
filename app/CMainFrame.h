// The main window: the document windows in an MDI area, the menus (one set
// while no document is open, another while one is), the toolbar, the status
// bar and the recent-file list. Every command from a menu, the toolbar or an
// accelerator first commits the active document window's grids and is
// dropped when the grid refuses the cell being edited.
#pragma once

#include "app/CChildFrame.h"
#include "shell/RecentFiles.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class CMainDoc;
class QLabel;
class QMdiArea;
class QMenu;

class CMainFrame : public QMainWindow, public DocumentWindowHost {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdi; }
    CChildFrame* ActiveChild() const;
    QList<CChildFrame*> Children() const;
    QAction* Action(int id) const { return m_actions.value(id); }
    RecentFiles& Recent() { return m_recent; }
    // The Window menu's entries for the open windows, in the order they were
    // opened.
    const QList<QAction*>& WindowListActions() const { return m_windowActions; }

    // File New: a new document in a window of its own.
    CChildFrame* NewDocument();
    // Opens a file in a window of its own, or activates the window that shows
    // it already. A file that does not load shows one "File Error" box and
    // leaves no window; nullptr then.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Save (asks for a name when the document has none) or Save As.
    bool SaveDocument(CChildFrame* child, bool askForName);
    // File Compare With...: a window listing what differs from the active
    // document to the file at path (asked for when empty).
    void CompareWith(CChildFrame* child, QString path = QString());

    // Runs a command as a menu does: commit first, then the command.
    void RunCommand(int id);

    // Asked by a document window that is about to close: the save question
    // when it is the document's last window. False keeps the window open.
    bool CanCloseDocumentWindow(CChildFrame* child) override;
    // The save question for a modified document: Yes saves (asking for a name
    // when needed), No goes on without saving. False when the user cancelled
    // or saving failed.
    bool SaveModified(CChildFrame* child);
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
    QString UnusedUntitledTitle(const CMainDoc* except) const;
    void Dispatch(int id);
    CChildFrame* AddChild(std::shared_ptr<CMainDoc> doc);
    void ShowLaterVersion();
    // The main window's size, place and maximised state, kept between runs.
    void RestoreWindowGeometry();
    void SaveWindowGeometry();
    void ShowAbout();
    void OpenRecent(int index);

    QMdiArea* m_mdi;
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QMenu* m_recentMenuHost = nullptr;
    QPointer<QMenu> m_windowMenu;
    QList<QAction*> m_windowActions;
    RecentFiles m_recent;
    bool m_hadDocuments = false;
};
