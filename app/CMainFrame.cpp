#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "document/CMainDoc.h"
#include "document/DocumentHistory.h"
#include "editor/CMainView.h"
#include "editor/DocumentCommands.h"
#include "editor/EditCommands.h"
#include "settings/LastFolders.h"
#include "settings/Registry.h"
#include "widgets/Actions.h"
#include "widgets/HelpWindow.h"
#include "widgets/PortChooser.h"
#include "widgets/Resources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include <utility>

using namespace res;

namespace {

QString AppTitle() {
    return QString::fromLatin1(kAppTitle);
}

// The program's own picture of the main window.
QIcon OwnIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_mdi(new QMdiArea(this)), m_recent(kRecentFileCount) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(AppTitle());
    setWindowIcon(OwnIcon("clonara"));
    setAcceptDrops(true);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    m_recent.Load();
    BuildActions();
    BuildToolbar();
    BuildStatusBar();
    RebuildMenus();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        const bool any = !Children().isEmpty();
        if (any != m_hadDocuments)
            RebuildMenus();
        UpdateActions();
        UpdateWindowMenu();
        // Typing goes straight into the window's current grid.
        if (CChildFrame* child = ActiveChild())
            child->View()->FocusGrid();
    });
    RestoreWindowGeometry();
}

namespace {
const QString kWindowGroup = QStringLiteral("Main Window");
const QString kGeometryValue = QStringLiteral("Geometry");
} // namespace

void CMainFrame::RestoreWindowGeometry() {
    auto settings = reg::OpenProgramKey();
    const QByteArray geometry =
        settings->value(kWindowGroup + QLatin1Char('/') + kGeometryValue).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 720);
}

void CMainFrame::SaveWindowGeometry() {
    auto settings = reg::OpenProgramKey();
    settings->setValue(kWindowGroup + QLatin1Char('/') + kGeometryValue, saveGeometry());
    reg::Flush(*settings); // a store that cannot be written only forgets the size
}

CMainFrame::~CMainFrame() {
    // The document windows, the MDI area and the status bar are destroyed
    // after this object's own part is gone; what they signal on their way
    // out must not reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(statusBar(), nullptr, this, nullptr);
    for (CChildFrame* child : Children()) {
        disconnect(child, nullptr, this, nullptr);
        disconnect(child->View(), nullptr, this, nullptr);
        disconnect(&child->GetDocument(), nullptr, this, nullptr);
        disconnect(&child->GetDocument().History(), nullptr, this, nullptr);
    }
}

void CMainFrame::BuildActions() {
    actions::MakeAll(this);
    for (const char* name : {"view.toolbar", "view.statusBar"}) {
        Action(QString::fromLatin1(name))->setCheckable(true);
        Action(QString::fromLatin1(name))->setChecked(true);
    }
    // The frame's own commands, then those of the active document window.
    Bind("file.new", [this] { NewDocument(); });
    Bind("file.open", [this] { AskAndOpen(); });
    Bind("file.close", [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->View()->CommitGrids(false);
            child->CloseWithoutCommit();
        }
    });
    Bind("file.save", [this] { SaveDocument(ActiveChild(), false); });
    Bind("file.saveAs", [this] { SaveDocument(ActiveChild(), true); });
    Bind("app.exit", [this] { close(); });
    Bind("view.toolbar", [this] {
        for (QToolBar* toolbar : findChildren<QToolBar*>())
            toolbar->setVisible(Action(QStringLiteral("view.toolbar"))->isChecked());
    });
    Bind("view.statusBar", [this] {
        statusBar()->setVisible(Action(QStringLiteral("view.statusBar"))->isChecked());
    });
    Bind("window.new", [this] {
        if (CChildFrame* child = ActiveChild()) {
            CChildFrame* second = AddChild(child->Document());
            second->View()->RefreshGrids();
        }
    });
    Bind("window.cascade", [this] { m_mdi->cascadeSubWindows(); });
    Bind("window.tile", [this] { m_mdi->tileSubWindows(); });
    Bind("window.arrange", [this] { m_mdi->tileSubWindows(); });
    // The choice is remembered for the next transfer.
    Bind("radio.portSetup", [this] { outside::SetupPort(this); });
    Bind("help.contents", [this] { HelpWindow::ShowTopic(help::kChannelEditor, this); });
    Bind("help.about", [this] { ShowAbout(); });

    const auto bindChild = [this](const char* name, auto run) {
        Bind(name, [this, run] {
            if (CChildFrame* child = ActiveChild())
                run(*child);
        });
    };
    bindChild("edit.undo", [](CChildFrame& child) { child.View()->Undo(); });
    bindChild("edit.redo", [](CChildFrame& child) { child.View()->Redo(); });
    for (const char* name : actions::EditMenu().items) {
        if (const auto command = EditCommands::CommandNamed(QString::fromLatin1(name)))
            bindChild(name, [command = *command](CChildFrame& child) {
                child.View()->Edit().Run(command);
            });
    }
    const struct {
        const char* name;
        void (DocumentCommands::*run)();
    } documentCommands[] = {
        {"file.import", &DocumentCommands::Import},
        {"file.export", &DocumentCommands::Export},
        {"file.print", &DocumentCommands::Print},
        {"file.printPreview", &DocumentCommands::PrintPreview},
        {"radio.getData", &DocumentCommands::GetData},
        {"radio.sendData", &DocumentCommands::SendData},
        {"view.settings", &DocumentCommands::Settings},
        {"view.options", &DocumentCommands::Options},
    };
    for (const auto& command : documentCommands) {
        bindChild(command.name,
                  [run = command.run](CChildFrame& child) { (child.Commands()->*run)(); });
    }
    bindChild("file.compare", [](CChildFrame& child) { child.Commands()->CompareWith(); });

    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(actions::RecentFileName(i));
        connect(action, &QAction::triggered, this, [this, i] {
            if (CommitActive())
                OpenRecent(i);
        });
        m_recentActions << action;
    }
}

void CMainFrame::Bind(const char* name, std::function<void()> run) {
    QAction* action = Action(QString::fromLatin1(name));
    Q_ASSERT(action);
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        if (CommitActive())
            run();
    });
}

bool CMainFrame::CommitActive() {
    CChildFrame* child = ActiveChild();
    return !child || child->View()->CommitGrids(true);
}

QAction* CMainFrame::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CMainFrame::RunCommand(const QString& name) {
    if (QAction* action = Action(name))
        action->trigger();
}

void CMainFrame::BuildToolbar() {
    auto* toolbar = addToolBar(QStringLiteral("Standard"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(true);
    toolbar->setIconSize(QSize(20, 20));
    for (const char* name : actions::ToolbarButtons()) {
        if (QAction* action = Action(QString::fromLatin1(name)))
            toolbar->addAction(action);
        else
            toolbar->addSeparator();
    }
    connect(toolbar, &QToolBar::visibilityChanged, Action(QStringLiteral("view.toolbar")),
            &QAction::setChecked);
}

void CMainFrame::BuildStatusBar() {
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator), this);
        label->setEnabled(false);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->showMessage(QString::fromLatin1(kReady));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            statusBar()->showMessage(QString::fromLatin1(kReady));
    });
}

void CMainFrame::RebuildMenus() {
    m_hadDocuments = !Children().isEmpty();
    menuBar()->clear();
    const QList<actions::Menu>& menus =
        m_hadDocuments ? actions::DocumentMenu() : actions::NoDocumentMenu();
    for (const actions::Menu& menu : menus) {
        QMenu* popup = menuBar()->addMenu(QString::fromLatin1(menu.title));
        for (const char* item : menu.items) {
            const QString name = QString::fromLatin1(item);
            if (name == QLatin1String("window.new"))
                m_windowMenu = popup;
            if (name == QLatin1String("edit.cut"))
                connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditActions);
            if (name.isEmpty()) {
                popup->addSeparator();
            } else if (name == QLatin1String(actions::kRecentFiles)) {
                m_recentMenuHost = popup;
                for (QAction* action : m_recentActions)
                    popup->addAction(action);
                auto* placeholder = popup->addAction(QStringLiteral("Recent File"));
                placeholder->setEnabled(false);
                placeholder->setObjectName(QStringLiteral("RecentPlaceholder"));
            } else if (name == QLatin1String("edit.setPriority")) {
                // Offered in the grid's context menu only, without the
                // separator above it.
                const QList<QAction*> items = popup->actions();
                if (!items.isEmpty() && items.last()->isSeparator())
                    popup->removeAction(items.last());
            } else {
                popup->addAction(Action(name));
            }
        }
    }
    UpdateRecentMenu();
    UpdateActions();
    UpdateWindowMenu();
}

void CMainFrame::UpdateWindowMenu() {
    // The old entries leave the menu now and go later: one of them may be the
    // entry whose choice led here.
    for (QAction* action : std::as_const(m_windowActions)) {
        if (m_windowMenu)
            m_windowMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowActions.clear();
    const QList<CChildFrame*> children = Children();
    if (!m_windowMenu || children.isEmpty())
        return;
    CChildFrame* active = ActiveChild();
    m_windowActions << m_windowMenu->addSeparator();
    int number = 0;
    for (CChildFrame* child : children) {
        ++number;
        const QString text = number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(child->Title())
                                         : QStringLiteral("%1 %2").arg(number).arg(child->Title());
        QAction* action = m_windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(child == active);
        action->setStatusTip(QStringLiteral("Activate this window"));
        QPointer<CChildFrame> target(child);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdi->setActiveSubWindow(target);
            UpdateWindowMenu(); // the check follows the active window
        });
        m_windowActions << action;
    }
}

void CMainFrame::DocumentWindowClosed() {
    NumberWindows();
    UpdateActions();
}

void CMainFrame::NumberWindows() {
    const QList<CChildFrame*> children = Children();
    for (CChildFrame* child : children) {
        int count = 0;
        int number = 0;
        for (CChildFrame* other : children) {
            if (other->Document() != child->Document())
                continue;
            ++count;
            if (other == child)
                number = count;
        }
        if (count == 1)
            number = 0;
        if (child->WindowNumber() != number)
            child->SetWindowNumber(number);
    }
    UpdateWindowMenu();
}

QString CMainFrame::UnusedUntitledTitle(const CMainDoc* except) const {
    QStringList taken;
    for (CChildFrame* child : Children()) {
        if (&child->GetDocument() != except)
            taken << child->GetDocument().GetTitle();
    }
    const QString base = QString::fromLatin1(kUntitled);
    if (!taken.contains(base))
        return base;
    for (int n = 2;; ++n) {
        const QString title = base + QString::number(n);
        if (!taken.contains(title))
            return title;
    }
}

void CMainFrame::UpdateActions() {
    const bool any = !Children().isEmpty();
    for (const actions::Command& command : actions::Commands()) {
        if (command.needsDocument)
            Action(QString::fromLatin1(command.name))->setEnabled(any);
    }
    UpdateUndoActions();
}

void CMainFrame::UpdateUndoActions() {
    // Undo and Redo follow the active document's history.
    CChildFrame* child = ActiveChild();
    const DocumentHistory* history =
        child && !child->IsClosed() ? &child->GetDocument().History() : nullptr;
    Action(QStringLiteral("edit.undo"))->setEnabled(history && history->CanUndo());
    Action(QStringLiteral("edit.redo"))->setEnabled(history && history->CanRedo());
}

void CMainFrame::UpdateEditActions() {
    CChildFrame* child = ActiveChild();
    for (const char* name : actions::EditMenu().items) {
        const QString actionName = QString::fromLatin1(name);
        if (const auto command = EditCommands::CommandNamed(actionName))
            Action(actionName)->setEnabled(child && child->View()->Edit().IsEnabled(*command));
    }
}

void CMainFrame::UpdateRecentMenu() {
    const QStringList& files = m_recent.Files();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < files.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
    if (m_recentMenuHost) {
        for (QAction* action : m_recentMenuHost->actions()) {
            if (action->objectName() == QLatin1String("RecentPlaceholder"))
                action->setVisible(files.isEmpty());
        }
    }
}

CChildFrame* CMainFrame::ActiveChild() const {
    return qobject_cast<CChildFrame*>(m_mdi->activeSubWindow());
}

QList<CChildFrame*> CMainFrame::Children() const {
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(window);
        if (child && !child->IsClosed())
            children << child;
    }
    return children;
}

CChildFrame* CMainFrame::AddChild(std::shared_ptr<CMainDoc> doc) {
    auto* child = new CChildFrame(this, doc);
    const auto updateTitles = [this, raw = doc.get()] {
        // The main window's title follows a maximized document window's
        // title by itself ("Clonara - [name*]").
        for (CChildFrame* c : Children()) {
            if (&c->GetDocument() == raw)
                c->UpdateTitle();
        }
    };
    connect(doc.get(), &CDocument::titleChanged, this, updateTitles);
    connect(doc.get(), &CDocument::modifiedChanged, this, updateTitles);
    // A download into the window asks the save question first.
    child->Commands()->SetSaveModifiedHandler([this, child] { return SaveModified(child); });
    // A download makes the document a new one, named as File New names one.
    child->Commands()->SetUntitledTitleHandler(
        [this, raw = doc.get()] { return UnusedUntitledTitle(raw); });
    connect(child, &QWidget::windowTitleChanged, this, [this] { UpdateWindowMenu(); });
    connect(&doc->History(), &DocumentHistory::canUndoChanged, this, &CMainFrame::UpdateUndoActions,
            Qt::UniqueConnection);
    connect(&doc->History(), &DocumentHistory::canRedoChanged, this, &CMainFrame::UpdateUndoActions,
            Qt::UniqueConnection);
    connect(child->View(), &CMainView::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    m_mdi->addSubWindow(child);
    child->showMaximized();
    m_mdi->setActiveSubWindow(child);
    if (!m_hadDocuments)
        RebuildMenus();
    NumberWindows();
    return child;
}

CChildFrame* CMainFrame::NewDocument() {
    auto doc = std::make_shared<CMainDoc>();
    doc->SetTitle(UnusedUntitledTitle(nullptr));
    return AddChild(std::move(doc));
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame* child : Children()) {
        if (child->GetDocument().GetPathName() == absolute) {
            m_mdi->setActiveSubWindow(child);
            return child;
        }
    }
    auto doc = std::make_shared<CMainDoc>();
    if (const auto error = doc->OnOpenDocument(absolute)) {
        QMessageBox::critical(this, QStringLiteral("File Error"), error->text);
        if (error->kind == FileError::Kind::CannotOpen) {
            m_recent.Remove(absolute);
            UpdateRecentMenu();
        }
        return nullptr;
    }
    doc->SetPathName(absolute);
    doc->SetModifiedFlag(false);
    m_recent.Add(absolute);
    UpdateRecentMenu();
    return AddChild(std::move(doc));
}

bool CMainFrame::SaveDocument(CChildFrame* child, bool askForName) {
    if (!child)
        return false;
    CMainDoc& doc = child->GetDocument();
    QString path = doc.GetPathName();
    if (askForName || path.isEmpty()) {
        const QString start =
            path.isEmpty()
                ? QDir(reg::LastFolder(reg::FolderKind::RadioFiles)).filePath(doc.GetTitle())
                : path;
        const QString rawFilter = QString::fromLatin1(kRawImageFilter);
        QFileDialog dialog(this, QString(), start,
                           QString::fromLatin1(kDataFileFilter) + QStringLiteral(";;") + rawFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromLatin1(kDataFileExtension));
        dialog.setFileMode(QFileDialog::AnyFile);
        connect(&dialog, &QFileDialog::filterSelected, &dialog,
                [&dialog, rawFilter](const QString& filter) {
                    dialog.setDefaultSuffix(QString::fromLatin1(
                        filter == rawFilter ? kRawImageExtension : kDataFileExtension));
                });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
        reg::RememberFolderOf(reg::FolderKind::RadioFiles, path);
        // The clone image alone is a copy: it holds no comments, so the
        // document keeps its own file and its changes.
        if (dialog.selectedNameFilter() == rawFilter) {
            const QString suffix = QStringLiteral(".") + QString::fromLatin1(kRawImageExtension);
            if (!path.endsWith(suffix, Qt::CaseInsensitive))
                path += suffix;
            if (const auto error = doc.OnSaveDocument(path)) {
                QMessageBox::critical(this, AppTitle(), error->text);
                return false;
            }
            statusBar()->showMessage(
                QStringLiteral("Radio clone image saved as %1").arg(QFileInfo(path).fileName()));
            return true;
        }
    }
    if (const auto error = doc.OnSaveDocument(path)) {
        QMessageBox::critical(this, AppTitle(), error->text);
        return false;
    }
    doc.SetPathName(QFileInfo(path).absoluteFilePath());
    doc.History().MarkClean();
    m_recent.Add(path);
    UpdateRecentMenu();
    return true;
}

bool CMainFrame::CanCloseDocumentWindow(CChildFrame* child) {
    const auto& doc = child->Document();
    int windows = 0;
    for (CChildFrame* c : Children())
        windows += c->Document() == doc ? 1 : 0;
    if (windows > 1)
        return true;
    return SaveModified(child);
}

bool CMainFrame::SaveModified(CChildFrame* child) {
    const CMainDoc& doc = child->GetDocument();
    if (!doc.IsModified())
        return true;
    const auto answer = QMessageBox::question(
        this, AppTitle(), QStringLiteral("Save changes to %1?").arg(doc.GetTitle()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return SaveDocument(child, false);
    return true;
}

void CMainFrame::AskAndOpen() {
    QFileDialog dialog(this, QString(), reg::LastFolder(reg::FolderKind::RadioFiles),
                       QString::fromLatin1(kOpenFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    reg::RememberFolderOf(reg::FolderKind::RadioFiles, path);
    OpenDocumentFile(path);
}

void CMainFrame::ShowAbout() {
    QMessageBox::about(this, QStringLiteral("About Clonara"),
                       QStringLiteral("<b>Clonara</b> version %1<br><br>"
                                      "An editor for the memory of the Yaesu VX-7 and VX-7R "
                                      "handheld transceivers.")
                           .arg(QCoreApplication::applicationVersion()));
}

void CMainFrame::OpenRecent(int index) {
    const QStringList files = m_recent.Files();
    if (index < files.size())
        OpenDocumentFile(files[index]);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* child : Children()) {
        m_mdi->setActiveSubWindow(child);
        if (!child->close()) {
            event->ignore();
            return;
        }
    }
    SaveWindowGeometry();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            OpenDocumentFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}
