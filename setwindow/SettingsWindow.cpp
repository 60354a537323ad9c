#include "setwindow/SettingsWindow.h"

#include "radio/ImageLayout.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsStore.h"
#include "setwindow/DisplayPage.h"
#include "setwindow/GeneralPage.h"
#include "setwindow/IconFontPage.h"
#include "setwindow/NamesPage.h"
#include "setwindow/SettingsPage.h"
#include "setwindow/TogglesPage.h"
#include "widgets/HelpWindow.h"
#include "widgets/Mnemonics.h"
#include "widgets/Resources.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>

#include <QMessageBox>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <functional>

#include <cstring>
#include <utility>

namespace setwindow {

namespace {

constexpr const char* kFileMenuTitle = "&File";
constexpr const char* kFileFilter = "Radio Setting Files (*.rsf)";
constexpr const char* kTitlePrefix = "Settings - ";
constexpr const char* kAskToSave = "Save settings before closing?";
constexpr const char* kAskCaption = "Settings";
constexpr const char* kErrorCaption = "Error";
constexpr const char* kDefaultsShown = "The default settings are shown instead.";

} // namespace

SettingsWindow::SettingsWindow(settings::rsf::SettingsSource source, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)) {
    setObjectName(QStringLiteral("SettingsDlg"));
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(BuildMenu());
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setDrawBase(true);
    m_stack = new QStackedWidget(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);

    // The settings the source names, in the window's own settings bytes.
    const settings::rsf::Initialised found = m_source.Load(m_file);
    m_directory = found.directory;
    m_fileName = found.fileName;
    m_path = found.path;
    m_title = QFileInfo(m_fileName).completeBaseName();
    m_untitled = found.untitled;
    TakeFileBlock();
    SetTitle();
    m_modified = false;

    const settings::rsf::RadioVariant variant = settings::rsf::ReadRadioVariant();
    m_showTvNames = variant.variant && *variant.variant != 0;
    for (int t = 0; t < kTabCount; ++t) {
        m_pages[static_cast<size_t>(t)] = CreatePage(t);
        m_stack->addWidget(m_pages[static_cast<size_t>(t)]);
        // Each page's controls reach the keyboard; Alt+F stays the menu's.
        widgets::AssignMnemonics(m_pages[static_cast<size_t>(t)], QStringLiteral("f"));
    }
    const char* names = settings::rsf::HasTvNamesLabel(variant) ? settings::option::kPageNamesTv
                                                                : settings::option::kPageNames;
    for (const char* label :
         {settings::option::kPageToggles, settings::option::kPageDisplay,
          settings::option::kPageGeneral, settings::option::kPageIconFont, names})
        m_tabs->addTab(QString::fromUtf8(label));
    m_tabs->setCurrentIndex(kTabToggles);
    m_stack->setCurrentIndex(kTabToggles);
    Distribute();
    connect(m_tabs, &QTabBar::currentChanged, this, &SettingsWindow::OnTabChanged);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        const int topic = Page(m_current)->HelpTopic();
        widgets::HelpWindow::ShowTopic(topic ? topic : widgets::help::kSettingsWindow, this);
    });

    if (found.loadError)
        ShowError(found.loadError->text + QStringLiteral("\n\n") +
                  QString::fromLatin1(kDefaultsShown));
    if (variant.keyError) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(widgets::res::kAppTitle),
                        QString::fromLatin1(settings::kCannotWriteStore), QMessageBox::Ok, this);
        box.exec();
    }
}

SettingsWindow::~SettingsWindow() = default;

SettingsPage* SettingsWindow::CreatePage(int tab) {
    radio::Byte* working = m_working.data();
    switch (tab) {
    case kTabToggles:
        return new TogglesPage(working, this);
    case kTabGeneral:
        return new GeneralPage(working, this);
    case kTabDisplay:
        return new DisplayPage(working, this);
    case kTabIconFont:
        return new IconFontPage(working, this);
    default:
        return new NamesPage(working, m_showTvNames, this);
    }
}

QMenuBar* SettingsWindow::BuildMenu() {
    // The File menu: each command an action named for it; the menu text,
    // then the key after a tab.
    const struct {
        const char* name;
        const char* text;
        std::function<void()> run;
    } commands[] = {
        {"settings.new", "&New\tCtrl+N", [this] { NewFile(); }},
        {"settings.open", "&Open...\tCtrl+O", [this] { OpenFile(); }},
        {"settings.save", "&Save\tCtrl+S", [this] { SaveFile(); }},
        {"settings.saveAs", "Save &As...", [this] { SaveFileAs(); }},
        {"settings.exit", "E&xit", [this] { Exit(); }},
    };
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QString::fromLatin1(kFileMenuTitle));
    for (const auto& command : commands) {
        if (qstrcmp(command.name, "settings.exit") == 0)
            file->addSeparator();
        const QStringList parts = QString::fromLatin1(command.text).split(QLatin1Char('\t'));
        QAction* action = file->addAction(parts.front());
        action->setObjectName(QString::fromLatin1(command.name));
        if (parts.size() > 1) {
            action->setShortcut(QKeySequence(parts.at(1)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        const std::function<void()> run = command.run;
        connect(action, &QAction::triggered, this, [this, run] {
            // A page whose check fails keeps the user where the fault is.
            if (Validate())
                run();
        });
        addAction(action);
    }
    return bar;
}

QAction* SettingsWindow::Action(const QString& name) const {
    for (QAction* action : actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void SettingsWindow::RunCommand(const QString& name) {
    if (QAction* action = Action(name))
        action->trigger();
}

void SettingsWindow::OnTabChanged(int index) {
    if (m_reverting || index < 0 || index == m_current)
        return;
    // The tab bar goes on showing the page shown until that page lets go:
    // a refusal's message is read beside the right tab.
    m_reverting = true;
    m_tabs->setCurrentIndex(m_current);
    m_reverting = false;
    if (Validate())
        SelectTab(index);
}

void SettingsWindow::ShowPage(int index) {
    Page(m_current)->Save();
    m_current = index;
    m_stack->setCurrentIndex(index);
    Page(index)->Load();
}

void SettingsWindow::SelectTab(int index) {
    if (index == m_current)
        return;
    m_reverting = true;
    m_tabs->setCurrentIndex(index);
    m_reverting = false;
    ShowPage(index);
}

bool SettingsWindow::Validate() {
    return Page(m_current)->Validate();
}

void SettingsWindow::Collect() {
    for (int t : {kTabDisplay, kTabGeneral, kTabToggles, kTabIconFont, kTabNames})
        Page(t)->Save();
    radio::Byte* block = settings::rsf::BlockOf(m_file);
    if (std::memcmp(m_working.data(), block, settings::rsf::kBlockSize) != 0) {
        m_modified = true;
        std::memcpy(block, m_working.data(), settings::rsf::kBlockSize);
    }
}

void SettingsWindow::Distribute() {
    for (int t = 0; t < kTabCount; ++t)
        Page(t)->Load();
}

void SettingsWindow::TakeFileBlock() {
    std::memcpy(m_working.data(), settings::rsf::BlockOf(m_file), settings::rsf::kBlockSize);
}

void SettingsWindow::SetTitle() {
    setWindowTitle(QString::fromLatin1(kTitlePrefix) + m_fileName);
}

void SettingsWindow::ShowError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kErrorCaption), text,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool SettingsWindow::AskToSave() {
    Collect();
    if (!m_modified)
        return true;
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kAskCaption),
                    QString::fromLatin1(kAskToSave),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        // A save that is cancelled or fails keeps the edits here.
        return SaveFile();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void SettingsWindow::TakeFile(const QString& path) {
    const QFileInfo info(path);
    m_path = path;
    m_fileName = info.fileName();
    m_title = info.completeBaseName();
    m_untitled = false;
    m_modified = false;
    SetTitle();
    settings::rsf::RememberFile(path, m_directory);
    m_directory = info.absolutePath();
}

void SettingsWindow::NewFile() {
    if (!AskToSave())
        return;
    m_untitled = true;
    m_fileName = QString::fromLatin1(settings::rsf::kUntitledName);
    m_title = QFileInfo(m_fileName).completeBaseName();
    m_path.clear();
    m_file.fill(0);
    settings::rsf::WriteHeader(m_file.data(), true);
    SelectTab(kTabToggles);
    m_source.LoadDefaults(settings::rsf::BlockOf(m_file));
    TakeFileBlock();
    SetTitle();
    Distribute();
    m_modified = false;
}

void SettingsWindow::OpenFile() {
    if (!AskToSave())
        return;
    SelectTab(kTabToggles);
    QFileDialog dialog(this, QString(), m_directory, QString::fromLatin1(kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(settings::rsf::kExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    settings::rsf::FileImage loaded{};
    if (const auto error = settings::rsf::LoadFile(path, loaded.data())) {
        ShowError(error->text);
        return;
    }
    m_file = loaded;
    TakeFileBlock();
    TakeFile(path);
    Distribute();
}

bool SettingsWindow::SaveFile() {
    Collect();
    if (m_untitled)
        return SaveFileAs();
    if (const auto error = settings::rsf::SaveFile(m_path, m_file.data())) {
        ShowError(error->text);
        return false;
    }
    m_modified = false;
    m_untitled = false;
    settings::rsf::RememberFileName(m_fileName);
    m_source.Rename(m_fileName);
    return true;
}

bool SettingsWindow::SaveFileAs() {
    Collect();
    settings::rsf::WriteHeader(m_file.data(), true);
    QFileDialog dialog(this, QString(), m_directory, QString::fromLatin1(kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(settings::rsf::kExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();
    if (const auto error = settings::rsf::SaveFile(path, m_file.data())) {
        ShowError(error->text);
        return false;
    }
    TakeFile(path);
    m_source.Rename(m_fileName);
    return true;
}

void SettingsWindow::Exit() {
    if (!AskToSave())
        return;
    QDialog::accept();
}

void SettingsWindow::reject() {
    if (!Validate() || !AskToSave())
        return;
    QDialog::reject();
}

} // namespace setwindow
