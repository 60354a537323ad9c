// The settings window: the radio's set-mode options on five tabbed pages,
// with a File menu that keeps them in settings files. It opens on the
// settings the document's settings source names, holds them in settings bytes
// of its own with a working copy the pages edit, and writes nothing into the
// document's image; the settings reach the radio with the next upload.
#pragma once

#include "settings/RadioSettings.h"

#include <QDialog>
#include <QString>

#include <array>

namespace setwindow {
class SettingsPage;
}
class QAction;
class QMenuBar;
class QStackedWidget;
class QTabBar;

namespace setwindow {

class SettingsWindow : public QDialog {
    Q_OBJECT

public:
    // Tabs, in order.
    static constexpr int kTabToggles = 0;
    static constexpr int kTabDisplay = 1;
    static constexpr int kTabGeneral = 2;
    static constexpr int kTabIconFont = 3;
    static constexpr int kTabNames = 4;
    static constexpr int kTabCount = 5;

    // Opens on the settings the source names ("NewFile", "ReadRadio" or a
    // settings file name); a save names its file in the source.
    explicit SettingsWindow(settings::rsf::SettingsSource source, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // The File menu's commands are actions named "settings.new",
    // "settings.open", "settings.save", "settings.saveAs" and
    // "settings.exit". Runs one, as the menu does.
    void RunCommand(const QString& name);
    QAction* Action(const QString& name) const;

    QTabBar* TabBar() const { return m_tabs; }
    SettingsPage* Page(int tab) const { return m_pages[static_cast<size_t>(tab)]; }
    int CurrentTab() const { return m_current; }

    bool IsModified() const { return m_modified; }
    bool IsUntitled() const { return m_untitled; }
    const QString& FileName() const { return m_fileName; }
    const QString& FilePath() const { return m_path; }
    const QString& Directory() const { return m_directory; }
    const radio::Byte* WorkingCopy() const { return m_working.data(); }
    // The settings file's bytes the window holds: what Save writes.
    const settings::rsf::FileImage& File() const { return m_file; }

    // Closing (Escape, the title bar): the current page's check, then the
    // question about unsaved settings.
    void reject() override;

private:
    QMenuBar* BuildMenu();
    SettingsPage* CreatePage(int tab);
    void OnTabChanged(int index);
    void ShowPage(int index);
    // Selects a tab without the page's check (the command has run it).
    void SelectTab(int index);
    bool Validate();
    void Collect();
    void Distribute();
    bool AskToSave();
    void TakeFileBlock();
    void SetTitle();
    void ShowError(const QString& text);
    void TakeFile(const QString& path);

    void NewFile();
    void OpenFile();
    bool SaveFile();
    bool SaveFileAs();
    void Exit();

    settings::rsf::SettingsSource m_source;
    settings::rsf::FileImage m_file{};
    QString m_directory;
    QString m_fileName;
    QString m_path;
    QString m_title;
    bool m_untitled = true;
    bool m_modified = false;
    bool m_showTvNames = false;
    settings::rsf::RadioSettings m_working{};
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::array<SettingsPage*, kTabCount> m_pages{};
    int m_current = 0;
    bool m_reverting = false;
};

} // namespace setwindow
