#include "app/CChildFrame.h"

#include "document/CMainDoc.h"
#include "editor/CMainView.h"
#include "editor/DocumentCommands.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(DocumentWindowHost* frame, std::shared_ptr<CMainDoc> doc)
    : m_frame(frame), m_view(new CMainView(std::move(doc), this)),
      m_commands(new DocumentCommands(*m_view)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_view);
    UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

CMainDoc& CChildFrame::GetDocument() const {
    return m_view->GetDocument();
}

const std::shared_ptr<CMainDoc>& CChildFrame::Document() const {
    return m_view->Document();
}

QString CChildFrame::Title() const {
    const QString title = GetDocument().GetTitle();
    return m_number > 0 ? QStringLiteral("%1:%2").arg(title).arg(m_number) : title;
}

void CChildFrame::SetWindowNumber(int number) {
    m_number = number;
    UpdateTitle();
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(Title() + QStringLiteral("[*]"));
    setWindowModified(GetDocument().IsModified());
}

void CChildFrame::CloseWithoutCommit() {
    m_skipCommit = true;
    close();
    m_skipCommit = false;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // A cell edit that the grid refuses keeps the window open.
    if (!m_skipCommit && !m_view->CommitGrids(true)) {
        event->ignore();
        return;
    }
    if (!m_frame->CanCloseDocumentWindow(this)) {
        event->ignore();
        return;
    }
    event->accept();
    m_closed = true;
    QMdiSubWindow::closeEvent(event);
    m_frame->DocumentWindowClosed();
}
