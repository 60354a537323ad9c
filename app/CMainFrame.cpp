#include "app/CMainFrame.h"

#include "app/CChildFrame.h"
#include "document/CMainDoc.h"
#include "document/DocumentDiff.h"
#include "document/DocumentHistory.h"
#include "editor/CMainView.h"
#include "settings/LastFolders.h"
#include "settings/Registry.h"
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
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

using namespace res;

namespace {

QString AppTitle() {
    return QString::fromLatin1(kAppTitle);
}

// The program's own pictures for the buttons the style has none for, used
// when the desktop's icon theme has none either.
QIcon OwnIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QIcon CommandIcon(int id, QStyle* style) {
    switch (id) {
    case cmd::kFileNew:
        return QIcon::fromTheme(QStringLiteral("document-new"),
                                style->standardIcon(QStyle::SP_FileIcon));
    case cmd::kFileOpen:
        return QIcon::fromTheme(QStringLiteral("document-open"),
                                style->standardIcon(QStyle::SP_DialogOpenButton));
    case cmd::kFileSave:
        return QIcon::fromTheme(QStringLiteral("document-save"),
                                style->standardIcon(QStyle::SP_DialogSaveButton));
    case cmd::kEditCut:
        return QIcon::fromTheme(QStringLiteral("edit-cut"), OwnIcon("edit-cut"));
    case cmd::kEditCopy:
        return QIcon::fromTheme(QStringLiteral("edit-copy"), OwnIcon("edit-copy"));
    case cmd::kEditPaste:
        return QIcon::fromTheme(QStringLiteral("edit-paste"), OwnIcon("edit-paste"));
    case cmd::kEditUndo:
        return QIcon::fromTheme(QStringLiteral("edit-undo"), OwnIcon("edit-undo"));
    case cmd::kEditRedo:
        return QIcon::fromTheme(QStringLiteral("edit-redo"), OwnIcon("edit-redo"));
    case cmd::kFilePrint:
        return QIcon::fromTheme(QStringLiteral("document-print"), OwnIcon("document-print"));
    case cmd::kAppAbout:
        return QIcon::fromTheme(QStringLiteral("help-about"), OwnIcon("help-about"));
    default:
        return {};
    }
}

// Commands that the document window's view carries out.
bool IsViewCommand(int id) {
    switch (id) {
    case cmd::kFileImport:
    case cmd::kFileExport:
    case cmd::kFilePrint:
    case cmd::kFilePrintPreview:
    case cmd::kEditCut:
    case cmd::kEditCopy:
    case cmd::kEditPaste:
    case cmd::kEditInsert:
    case cmd::kEditDelete:
    case cmd::kEditSort:
    case cmd::kEditSetPriority:
    case cmd::kRadioGetData:
    case cmd::kRadioSendData:
    case cmd::kViewSettings:
    case cmd::kViewOptions:
        return true;
    default:
        return false;
    }
}

// Commands that need an open document: disabled while none is open.
bool IsDocumentCommand(int id) {
    switch (id) {
    case cmd::kFileClose:
    case cmd::kFileSave:
    case cmd::kFileSaveAs:
    case cmd::kWindowNew:
    case cmd::kWindowCascade:
    case cmd::kWindowTile:
    case cmd::kWindowArrange:
        return true;
    default:
        return IsViewCommand(id);
    }
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
    const int ids[] = {
        cmd::kFileNew,       cmd::kFileOpen,      cmd::kFileClose,         cmd::kFileSave,
        cmd::kFileSaveAs,    cmd::kFileImport,    cmd::kFileExport,        cmd::kFilePrint,
        cmd::kAppExit,       cmd::kEditCut,       cmd::kEditCopy,          cmd::kEditPaste,
        cmd::kEditInsert,    cmd::kEditDelete,    cmd::kEditSort,          cmd::kEditSetPriority,
        cmd::kRadioGetData,  cmd::kRadioSendData, cmd::kRadioComportSetup, cmd::kViewSettings,
        cmd::kViewOptions,   cmd::kViewToolbar,   cmd::kViewStatusBar,     cmd::kWindowNew,
        cmd::kWindowCascade, cmd::kWindowTile,    cmd::kWindowArrange,     cmd::kHelpContents,
        cmd::kAppAbout,      cmd::kFileCompare,   cmd::kFilePrintPreview,  cmd::kEditUndo,
        cmd::kEditRedo};
    for (int id : ids) {
        const Command& command = CommandById(id);
        auto* action = new QAction(QString::fromUtf8(command.text), this);
        action->setStatusTip(QString::fromUtf8(command.statusTip));
        action->setIcon(CommandIcon(id, style()));
        action->setIconVisibleInMenu(false);
        const QList<QKeySequence> keys = Accelerators(id);
        if (!keys.isEmpty()) {
            action->setShortcuts(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setData(id);
        if (id == cmd::kViewToolbar || id == cmd::kViewStatusBar) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions.insert(id, action);
        addAction(action); // accelerators work whichever menu is shown
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, this, [this, i] {
            CChildFrame* child = ActiveChild();
            if (child && !child->View()->CommitGrids(true))
                return;
            OpenRecent(i);
        });
        m_recentActions << action;
    }
}

void CMainFrame::BuildToolbar() {
    auto* toolbar = addToolBar(QStringLiteral("Standard"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(true);
    toolbar->setIconSize(QSize(20, 20));
    for (int id : ToolbarButtons()) {
        if (id == 0)
            toolbar->addSeparator();
        else
            toolbar->addAction(m_actions.value(id));
    }
    connect(toolbar, &QToolBar::visibilityChanged, m_actions.value(cmd::kViewToolbar),
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
    const QList<Menu>& menus = m_hadDocuments ? DocumentMenu() : NoDocumentMenu();
    for (const Menu& menu : menus) {
        QMenu* popup = menuBar()->addMenu(QString::fromLatin1(menu.title));
        if (menu.items.contains(cmd::kWindowNew))
            m_windowMenu = popup;
        if (menu.items.contains(cmd::kEditCut))
            connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditActions);
        for (int id : menu.items) {
            if (id == 0) {
                popup->addSeparator();
            } else if (id == cmd::kFileMru) {
                m_recentMenuHost = popup;
                for (QAction* action : m_recentActions)
                    popup->addAction(action);
                auto* placeholder = popup->addAction(QString::fromLatin1(CommandById(id).text));
                placeholder->setEnabled(false);
                placeholder->setObjectName(QStringLiteral("RecentPlaceholder"));
            } else if (id == cmd::kEditSetPriority) {
                // Offered in the grid's context menu only, without the
                // separator above it.
                const QList<QAction*> actions = popup->actions();
                if (!actions.isEmpty() && actions.last()->isSeparator())
                    popup->removeAction(actions.last());
                continue;
            } else {
                popup->addAction(m_actions.value(id));
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
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (IsDocumentCommand(it.key()))
            it.value()->setEnabled(any);
    }
    UpdateUndoActions();
}

void CMainFrame::UpdateUndoActions() {
    // Undo and Redo follow the active document's history.
    CChildFrame* child = ActiveChild();
    const DocumentHistory* history =
        child && !child->IsClosed() ? &child->GetDocument().History() : nullptr;
    if (QAction* undo = m_actions.value(cmd::kEditUndo))
        undo->setEnabled(history && history->CanUndo());
    if (QAction* redo = m_actions.value(cmd::kEditRedo))
        redo->setEnabled(history && history->CanRedo());
}

void CMainFrame::UpdateEditActions() {
    CChildFrame* child = ActiveChild();
    for (const int id : {cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste, cmd::kEditInsert,
                         cmd::kEditDelete, cmd::kEditSort, cmd::kEditSetPriority}) {
        if (QAction* action = m_actions.value(id))
            action->setEnabled(child && child->View()->IsCommandEnabled(id));
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
    child->View()->SetSaveModifiedHandler([this, child] { return SaveModified(child); });
    // A download makes the document a new one, named as File New names one.
    child->View()->SetUntitledTitleHandler(
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

void CMainFrame::CompareWith(CChildFrame* child, QString path) {
    if (!child)
        return;
    if (path.isEmpty()) {
        path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Compare With"), QDir::currentPath(),
            QString::fromLatin1(kDataFileFilter) + QStringLiteral(";;") +
                QString::fromLatin1(kRawImageFilter) + QStringLiteral(";;All Files (*)"));
        if (path.isEmpty())
            return;
    }
    CMainDoc other;
    if (const auto error = other.OnOpenDocument(path)) {
        QMessageBox::critical(this, QStringLiteral("File Error"), error->text);
        return;
    }
    const QStringList lines = docdiff::Compare(child->GetDocument().Radio(), other.Radio());
    auto* window = new QDialog(this);
    window->setObjectName(QStringLiteral("CompareWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("%1 compared with %2")
                               .arg(child->GetDocument().GetTitle(), QFileInfo(path).fileName()));
    auto* text = new QPlainTextEdit(window);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(lines.isEmpty() ? QStringLiteral("The two radios' memories are the same.")
                                       : lines.join(QLatin1Char('\n')));
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(text);
    window->resize(900, 500);
    window->show();
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

void CMainFrame::RunCommand(int id) {
    CChildFrame* child = ActiveChild();
    if (child && !child->View()->CommitGrids(true))
        return;
    Dispatch(id);
}

void CMainFrame::Dispatch(int id) {
    CChildFrame* child = ActiveChild();
    if (!child && IsDocumentCommand(id))
        return; // disabled while no document is open
    if (child && IsViewCommand(id)) {
        if (!child->View()->OnCommand(id))
            ShowLaterVersion();
        return;
    }
    switch (id) {
    case cmd::kFileNew:
        NewDocument();
        break;
    case cmd::kFileOpen: {
        QFileDialog dialog(this, QString(), reg::LastFolder(reg::FolderKind::RadioFiles),
                           QString::fromLatin1(kOpenFileFilter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            break;
        const QString path = dialog.selectedFiles().constFirst();
        reg::RememberFolderOf(reg::FolderKind::RadioFiles, path);
        OpenDocumentFile(path);
        break;
    }
    case cmd::kFileClose:
        if (child) {
            child->View()->CommitGrids(false);
            child->CloseWithoutCommit();
        }
        break;
    case cmd::kFileSave:
        SaveDocument(child, false);
        break;
    case cmd::kFileSaveAs:
        SaveDocument(child, true);
        break;
    case cmd::kFileCompare:
        CompareWith(child);
        break;
    case cmd::kEditUndo:
        if (child)
            child->View()->Undo();
        break;
    case cmd::kEditRedo:
        if (child)
            child->View()->Redo();
        break;
    case cmd::kAppExit:
        close();
        break;
    case cmd::kViewToolbar:
        for (QToolBar* toolbar : findChildren<QToolBar*>())
            toolbar->setVisible(m_actions.value(id)->isChecked());
        break;
    case cmd::kViewStatusBar:
        statusBar()->setVisible(m_actions.value(id)->isChecked());
        break;
    case cmd::kWindowNew:
        if (child) {
            CChildFrame* second = AddChild(child->Document());
            second->View()->RefreshGrids();
        }
        break;
    case cmd::kWindowCascade:
        m_mdi->cascadeSubWindows();
        break;
    case cmd::kWindowTile:
    case cmd::kWindowArrange:
        m_mdi->tileSubWindows();
        break;
    case cmd::kRadioComportSetup:
        // The choice is remembered for the next transfer.
        outside::SetupPort(this);
        break;
    case cmd::kHelpContents:
        HelpWindow::ShowTopic(help::kChannelEditor, this);
        break;
    case cmd::kAppAbout:
        ShowAbout();
        break;
    default:
        ShowLaterVersion();
        break;
    }
}

void CMainFrame::ShowLaterVersion() {
    QMessageBox::information(this, AppTitle(), QString::fromLatin1(kLaterVersion));
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
