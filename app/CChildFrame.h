// A document window inside the main frame: one view of one document. Its
// title names the document's file and shows when it is modified.
#pragma once

#include <QMdiSubWindow>

#include <memory>

class CMainDoc;
class CMainFrame;
class CMainView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(CMainFrame* frame, std::shared_ptr<CMainDoc> doc);
    ~CChildFrame() override;

    CMainView* View() const { return m_view; }
    CMainDoc& GetDocument() const;
    const std::shared_ptr<CMainDoc>& Document() const;

    // The title from the document (file name, or "Untitled"), with the
    // modified mark.
    void UpdateTitle();

    // Closing without a second commit (File Close has committed already).
    void CloseWithoutCommit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMainFrame* m_frame;
    CMainView* m_view;
    bool m_skipCommit = false;
};
