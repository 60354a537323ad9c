#include "app/MainWindow.h"

#include "app/DocumentWindow.h"
#include "dialogs/HistoryDialog.h"
#include "document/DocumentHistory.h"
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "editor/EditCommands.h"
#include "editor/MainView.h"
#include "settings/LastFolders.h"
#include "settings/RadioText.h"
#include "settings/SettingsStore.h"
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

using namespace widgets::res;

namespace app {

namespace {

QString AppTitle() {
    return QString::fromLatin1(kAppTitle);
}

// The program's own picture of the main window.
QIcon OwnIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_mdi(new QMdiArea(this)), m_recent(kRecentFileCount) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(AppTitle());
    settings::radiotext::Install();
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
        if (DocumentWindow* child = ActiveChild())
            child->View()->FocusGrid();
    });
    RestoreWindowGeometry();
}

namespace {
const QString kWindowGroup = QStringLiteral("Main Window");
const QString kGeometryValue = QStringLiteral("Geometry");
} // namespace

void MainWindow::RestoreWindowGeometry() {
    auto store = settings::OpenStore();
    const QByteArray geometry =
        store->value(kWindowGroup + QLatin1Char('/') + kGeometryValue).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(1100, 720);
}

void MainWindow::SaveWindowGeometry() {
    auto store = settings::OpenStore();
    store->setValue(kWindowGroup + QLatin1Char('/') + kGeometryValue, saveGeometry());
    settings::Flush(*store); // a store that cannot be written only forgets the size
}

MainWindow::~MainWindow() {
    // The document windows, the MDI area and the status bar are destroyed
    // after this object's own part is gone; what they signal on their way
    // out must not reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(statusBar(), nullptr, this, nullptr);
    for (DocumentWindow* child : Children()) {
        disconnect(child, nullptr, this, nullptr);
        disconnect(child->View(), nullptr, this, nullptr);
        disconnect(&child->Document(), nullptr, this, nullptr);
        disconnect(&child->Document().History(), nullptr, this, nullptr);
    }
}

void MainWindow::BuildActions() {
    widgets::actions::MakeAll(this);
    for (const char* name : {"view.toolbar", "view.statusBar"}) {
        Action(QString::fromLatin1(name))->setCheckable(true);
        Action(QString::fromLatin1(name))->setChecked(true);
    }
    // The main window's own commands, then those of the active document window.
    Bind("file.new", [this] { NewDocument(); });
    Bind("file.open", [this] { AskAndOpen(); });
    Bind("file.close", [this] {
        if (DocumentWindow* child = ActiveChild()) {
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
        if (DocumentWindow* child = ActiveChild()) {
            DocumentWindow* second = AddChild(child->SharedDocument());
            second->View()->RefreshGrids();
        }
    });
    Bind("window.cascade", [this] { m_mdi->cascadeSubWindows(); });
    Bind("window.tile", [this] { m_mdi->tileSubWindows(); });
    Bind("window.arrange", [this] { m_mdi->tileSubWindows(); });
    // The choice is remembered for the next transfer.
    Bind("radio.portSetup", [this] { widgets::SetupPort(this); });
    Bind("help.contents",
         [this] { widgets::HelpWindow::ShowTopic(widgets::help::kChannelEditor, this); });
    Bind("help.about", [this] { ShowAbout(); });

    const auto bindChild = [this](const char* name, auto run) {
        Bind(name, [this, run] {
            if (DocumentWindow* child = ActiveChild())
                run(*child);
        });
    };
    bindChild("edit.undo", [](DocumentWindow& child) { child.View()->Undo(); });
    bindChild("edit.redo", [](DocumentWindow& child) { child.View()->Redo(); });
    for (const char* name : widgets::actions::EditMenu().items) {
        if (const auto command = editor::EditCommands::CommandNamed(QString::fromLatin1(name)))
            bindChild(name, [command = *command](DocumentWindow& child) {
                child.View()->Edit().Run(command);
            });
    }
    const struct {
        const char* name;
        void (editor::DocumentCommands::*run)();
    } documentCommands[] = {
        {"file.import", &editor::DocumentCommands::Import},
        {"file.export", &editor::DocumentCommands::Export},
        {"file.print", &editor::DocumentCommands::Print},
        {"file.printPreview", &editor::DocumentCommands::PrintPreview},
        {"radio.getData", &editor::DocumentCommands::GetData},
        {"radio.sendData", &editor::DocumentCommands::SendData},
        {"view.settings", &editor::DocumentCommands::Settings},
        {"view.options", &editor::DocumentCommands::Options},
    };
    for (const auto& command : documentCommands) {
        bindChild(command.name,
                  [run = command.run](DocumentWindow& child) { (child.Commands()->*run)(); });
    }
    bindChild("file.compare", [](DocumentWindow& child) { child.Commands()->CompareWith(); });
    Bind("radio.history", [this] { ShowHistory(); });

    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(widgets::actions::RecentFileName(i));
        connect(action, &QAction::triggered, this, [this, i] {
            if (CommitActive())
                OpenRecent(i);
        });
        m_recentActions << action;
    }
}

void MainWindow::Bind(const char* name, std::function<void()> run) {
    QAction* action = Action(QString::fromLatin1(name));
    Q_ASSERT(action);
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        if (CommitActive())
            run();
    });
}

bool MainWindow::CommitActive() {
    DocumentWindow* child = ActiveChild();
    return !child || child->View()->CommitGrids(true);
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::RunCommand(const QString& name) {
    if (QAction* action = Action(name))
        action->trigger();
}

void MainWindow::BuildToolbar() {
    auto* toolbar = addToolBar(QStringLiteral("Standard"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(true);
    toolbar->setIconSize(QSize(20, 20));
    for (const char* name : widgets::actions::ToolbarButtons()) {
        if (QAction* action = Action(QString::fromLatin1(name)))
            toolbar->addAction(action);
        else
            toolbar->addSeparator();
    }
    connect(toolbar, &QToolBar::visibilityChanged, Action(QStringLiteral("view.toolbar")),
            &QAction::setChecked);
}

void MainWindow::BuildStatusBar() {
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

void MainWindow::RebuildMenus() {
    m_hadDocuments = !Children().isEmpty();
    menuBar()->clear();
    const QList<widgets::actions::Menu>& menus =
        m_hadDocuments ? widgets::actions::DocumentMenu() : widgets::actions::NoDocumentMenu();
    for (const widgets::actions::Menu& menu : menus) {
        QMenu* popup = menuBar()->addMenu(QString::fromLatin1(menu.title));
        for (const char* item : menu.items) {
            const QString name = QString::fromLatin1(item);
            if (name == QLatin1String("window.new"))
                m_windowMenu = popup;
            if (name == QLatin1String("edit.cut"))
                connect(popup, &QMenu::aboutToShow, this, &MainWindow::UpdateEditActions);
            if (name.isEmpty()) {
                popup->addSeparator();
            } else if (name == QLatin1String(widgets::actions::kRecentFiles)) {
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

void MainWindow::UpdateWindowMenu() {
    // The old entries leave the menu now and go later: one of them may be the
    // entry whose choice led here.
    for (QAction* action : std::as_const(m_windowActions)) {
        if (m_windowMenu)
            m_windowMenu->removeAction(action);
        action->deleteLater();
    }
    m_windowActions.clear();
    const QList<DocumentWindow*> children = Children();
    if (!m_windowMenu || children.isEmpty())
        return;
    DocumentWindow* active = ActiveChild();
    m_windowActions << m_windowMenu->addSeparator();
    int number = 0;
    for (DocumentWindow* child : children) {
        ++number;
        const QString text = number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(child->Title())
                                         : QStringLiteral("%1 %2").arg(number).arg(child->Title());
        QAction* action = m_windowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(child == active);
        action->setStatusTip(QStringLiteral("Activate this window"));
        QPointer<DocumentWindow> target(child);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target)
                m_mdi->setActiveSubWindow(target);
            UpdateWindowMenu(); // the check follows the active window
        });
        m_windowActions << action;
    }
}

void MainWindow::DocumentWindowClosed() {
    NumberWindows();
    UpdateActions();
}

void MainWindow::NumberWindows() {
    const QList<DocumentWindow*> children = Children();
    for (DocumentWindow* child : children) {
        int count = 0;
        int number = 0;
        for (DocumentWindow* other : children) {
            if (other->SharedDocument() != child->SharedDocument())
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

QString MainWindow::UnusedUntitledTitle(const document::RadioDocument* except) const {
    QStringList taken;
    for (DocumentWindow* child : Children()) {
        if (&child->Document() != except)
            taken << child->Document().Title();
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

void MainWindow::UpdateActions() {
    const bool any = !Children().isEmpty();
    for (const widgets::actions::Command& command : widgets::actions::Commands()) {
        if (command.needsDocument)
            Action(QString::fromLatin1(command.name))->setEnabled(any);
    }
    UpdateUndoActions();
}

void MainWindow::UpdateUndoActions() {
    // Undo and Redo follow the active document's history.
    DocumentWindow* child = ActiveChild();
    const document::DocumentHistory* history =
        child && !child->IsClosed() ? &child->Document().History() : nullptr;
    Action(QStringLiteral("edit.undo"))->setEnabled(history && history->CanUndo());
    Action(QStringLiteral("edit.redo"))->setEnabled(history && history->CanRedo());
}

void MainWindow::UpdateEditActions() {
    DocumentWindow* child = ActiveChild();
    for (const char* name : widgets::actions::EditMenu().items) {
        const QString actionName = QString::fromLatin1(name);
        if (const auto command = editor::EditCommands::CommandNamed(actionName))
            Action(actionName)->setEnabled(child && child->View()->Edit().IsEnabled(*command));
    }
}

void MainWindow::UpdateRecentMenu() {
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

DocumentWindow* MainWindow::ActiveChild() const {
    return qobject_cast<DocumentWindow*>(m_mdi->activeSubWindow());
}

QList<DocumentWindow*> MainWindow::Children() const {
    QList<DocumentWindow*> children;
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        auto* child = qobject_cast<DocumentWindow*>(window);
        if (child && !child->IsClosed())
            children << child;
    }
    return children;
}

DocumentWindow* MainWindow::AddChild(std::shared_ptr<document::RadioDocument> doc) {
    auto* child = new DocumentWindow(this, doc);
    const auto updateTitles = [this, raw = doc.get()] {
        // The main window's title follows a maximized document window's
        // title by itself ("Clonara - [name*]").
        for (DocumentWindow* c : Children()) {
            if (&c->Document() == raw)
                c->UpdateTitle();
        }
    };
    connect(doc.get(), &document::DocumentBase::titleChanged, this, updateTitles);
    connect(doc.get(), &document::DocumentBase::modifiedChanged, this, updateTitles);
    // A download into the window asks the save question first.
    child->Commands()->SetSaveModifiedHandler([this, child] { return SaveModified(child); });
    // A download makes the document a new one, named as File New names one.
    child->Commands()->SetUntitledTitleHandler(
        [this, raw = doc.get()] { return UnusedUntitledTitle(raw); });
    connect(child, &QWidget::windowTitleChanged, this, [this] { UpdateWindowMenu(); });
    connect(&doc->History(), &document::DocumentHistory::canUndoChanged, this,
            &MainWindow::UpdateUndoActions, Qt::UniqueConnection);
    connect(&doc->History(), &document::DocumentHistory::canRedoChanged, this,
            &MainWindow::UpdateUndoActions, Qt::UniqueConnection);
    connect(child->View(), &editor::MainView::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    m_mdi->addSubWindow(child);
    child->showMaximized();
    m_mdi->setActiveSubWindow(child);
    if (!m_hadDocuments)
        RebuildMenus();
    NumberWindows();
    return child;
}

DocumentWindow* MainWindow::NewDocument() {
    auto doc = std::make_shared<document::RadioDocument>();
    doc->SetTitle(UnusedUntitledTitle(nullptr));
    return AddChild(std::move(doc));
}

DocumentWindow* MainWindow::OpenAsNewDocument(const QString& path) {
    auto doc = std::make_shared<document::RadioDocument>();
    if (const auto error = doc->Load(path)) {
        QMessageBox::critical(this, QStringLiteral("File Error"), error->text);
        return nullptr;
    }
    doc->SetTitle(UnusedUntitledTitle(nullptr));
    DocumentWindow* child = AddChild(std::move(doc));
    // Not saved anywhere yet: closing asks.
    child->Document().History().Reset(true);
    return child;
}

void MainWindow::ShowHistory() {
    DocumentWindow* active = ActiveChild();
    dialogs::HistoryDialog dialog(active != nullptr, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Entry())
        return;
    const QString image = radiolink::history::ImagePath(*dialog.Entry());
    switch (dialog.Chosen()) {
    case dialogs::HistoryDialog::Choice::Compare:
        if (active)
            active->Commands()->CompareWith(image);
        break;
    case dialogs::HistoryDialog::Choice::Open:
        OpenAsNewDocument(image);
        break;
    case dialogs::HistoryDialog::Choice::Send:
        if (DocumentWindow* child = OpenAsNewDocument(image))
            child->Commands()->SendData();
        break;
    case dialogs::HistoryDialog::Choice::None:
        break;
    }
}

DocumentWindow* MainWindow::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (DocumentWindow* child : Children()) {
        if (child->Document().FileName() == absolute) {
            m_mdi->setActiveSubWindow(child);
            return child;
        }
    }
    auto doc = std::make_shared<document::RadioDocument>();
    if (const auto error = doc->Load(absolute)) {
        QMessageBox::critical(this, QStringLiteral("File Error"), error->text);
        if (error->kind == document::FileError::Kind::CannotOpen) {
            m_recent.Remove(absolute);
            UpdateRecentMenu();
        }
        return nullptr;
    }
    doc->SetFileName(absolute);
    doc->SetModified(false);
    m_recent.Add(absolute);
    UpdateRecentMenu();
    return AddChild(std::move(doc));
}

bool MainWindow::SaveDocument(DocumentWindow* child, bool askForName) {
    if (!child)
        return false;
    document::RadioDocument& doc = child->Document();
    QString path = doc.FileName();
    if (askForName || path.isEmpty()) {
        const QString start =
            path.isEmpty()
                ? QDir(settings::LastFolder(settings::FolderKind::RadioFiles)).filePath(doc.Title())
                : path;
        const QString rawFilter = QString::fromLatin1(kRawImageFilter);
        const QString textFilter = QString::fromLatin1(kRadioTextFilter);
        QFileDialog dialog(this, QString(), start,
                           QString::fromLatin1(kDataFileFilter) + QStringLiteral(";;") + rawFilter +
                               QStringLiteral(";;") + textFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromLatin1(kDataFileExtension));
        dialog.setFileMode(QFileDialog::AnyFile);
        connect(&dialog, &QFileDialog::filterSelected, &dialog,
                [&dialog, rawFilter, textFilter](const QString& filter) {
                    dialog.setDefaultSuffix(
                        QString::fromLatin1(filter == rawFilter    ? kRawImageExtension
                                            : filter == textFilter ? kRadioTextExtension
                                                                   : kDataFileExtension));
                });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
        settings::RememberFolderOf(settings::FolderKind::RadioFiles, path);
        // The clone image alone is a copy: it holds no comments, so the
        // document keeps its own file and its changes.
        if (dialog.selectedNameFilter() == rawFilter) {
            const QString suffix = QStringLiteral(".") + QString::fromLatin1(kRawImageExtension);
            if (!path.endsWith(suffix, Qt::CaseInsensitive))
                path += suffix;
            if (const auto error = doc.Save(path)) {
                QMessageBox::critical(this, AppTitle(), error->text);
                return false;
            }
            statusBar()->showMessage(
                QStringLiteral("Radio clone image saved as %1").arg(QFileInfo(path).fileName()));
            return true;
        }
        // The text holds the whole document: it becomes the document's file.
        const QString textSuffix = QStringLiteral(".") + QString::fromLatin1(kRadioTextExtension);
        if (dialog.selectedNameFilter() == textFilter && !settings::radiotext::IsTextPath(path))
            path += textSuffix;
    }
    if (const auto error = doc.Save(path)) {
        QMessageBox::critical(this, AppTitle(), error->text);
        return false;
    }
    doc.SetFileName(QFileInfo(path).absoluteFilePath());
    doc.History().MarkClean();
    m_recent.Add(path);
    UpdateRecentMenu();
    return true;
}

bool MainWindow::CanCloseDocumentWindow(DocumentWindow* child) {
    const auto& doc = child->SharedDocument();
    int windows = 0;
    for (DocumentWindow* c : Children())
        windows += c->SharedDocument() == doc ? 1 : 0;
    if (windows > 1)
        return true;
    return SaveModified(child);
}

bool MainWindow::SaveModified(DocumentWindow* child) {
    const document::RadioDocument& doc = child->Document();
    if (!doc.IsModified())
        return true;
    const auto answer = QMessageBox::question(
        this, AppTitle(), QStringLiteral("Save changes to %1?").arg(doc.Title()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return SaveDocument(child, false);
    return true;
}

void MainWindow::AskAndOpen() {
    QFileDialog dialog(this, QString(), settings::LastFolder(settings::FolderKind::RadioFiles),
                       QString::fromLatin1(kOpenFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    settings::RememberFolderOf(settings::FolderKind::RadioFiles, path);
    OpenDocumentFile(path);
}

void MainWindow::ShowAbout() {
    QMessageBox::about(this, QStringLiteral("About Clonara"),
                       QStringLiteral("<b>Clonara</b> version %1<br><br>"
                                      "An editor for the memory of the Yaesu VX-7 and VX-7R "
                                      "handheld transceivers.")
                           .arg(QCoreApplication::applicationVersion()));
}

void MainWindow::OpenRecent(int index) {
    const QStringList files = m_recent.Files();
    if (index < files.size())
        OpenDocumentFile(files[index]);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    for (DocumentWindow* child : Children()) {
        m_mdi->setActiveSubWindow(child);
        if (!child->close()) {
            event->ignore();
            return;
        }
    }
    SaveWindowGeometry();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            OpenDocumentFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}

} // namespace app
