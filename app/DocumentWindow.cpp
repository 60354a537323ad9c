#include "app/DocumentWindow.h"

#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "editor/MainView.h"

#include <QCloseEvent>

namespace app {

DocumentWindow::DocumentWindow(DocumentWindowHost* host,
                               std::shared_ptr<document::RadioDocument> doc)
    : m_host(host), m_view(new editor::MainView(std::move(doc), this)),
      m_commands(new editor::DocumentCommands(*m_view)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_view);
    UpdateTitle();
}

DocumentWindow::~DocumentWindow() = default;

document::RadioDocument& DocumentWindow::Document() const {
    return m_view->Document();
}

const std::shared_ptr<document::RadioDocument>& DocumentWindow::SharedDocument() const {
    return m_view->SharedDocument();
}

QString DocumentWindow::Title() const {
    const QString title = Document().Title();
    return m_number > 0 ? QStringLiteral("%1:%2").arg(title).arg(m_number) : title;
}

void DocumentWindow::SetWindowNumber(int number) {
    m_number = number;
    UpdateTitle();
}

void DocumentWindow::UpdateTitle() {
    setWindowTitle(Title() + QStringLiteral("[*]"));
    setWindowModified(Document().IsModified());
}

void DocumentWindow::CloseWithoutCommit() {
    m_skipCommit = true;
    close();
    m_skipCommit = false;
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    // A cell edit that the grid refuses keeps the window open.
    if (!m_skipCommit && !m_view->CommitGrids(true)) {
        event->ignore();
        return;
    }
    if (!m_host->CanCloseDocumentWindow(this)) {
        event->ignore();
        return;
    }
    event->accept();
    m_closed = true;
    QMdiSubWindow::closeEvent(event);
    m_host->DocumentWindowClosed();
}

} // namespace app
