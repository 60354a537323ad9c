// The program's commands in one place: every command is a QAction named for
// what it does ("file.open", "edit.insert", "radio.getData"), made here with
// its menu text (key names after a tab, as the menus show them), status tip,
// shortcuts and icon. The menus, the toolbar and the grid's right-click menu
// are lists of these names.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace widgets::actions {

// One command of the table.
struct Command {
    const char* name;
    const char* text;
    const char* statusTip;
    // Enabled only while a document is open.
    bool needsDocument;
};

// Every command, in the order the actions are made.
const QList<Command>& Commands();
// The command of that name, or nullptr.
const Command* Find(const QString& name);
// The shortcuts of a command (the first one is shown in its menu text).
QList<QKeySequence> Shortcuts(const QString& name);

// Menus: a popup title and the names of its items (an empty name is a
// separator).
struct Menu {
    const char* title;
    QList<const char*> items;
};
// The menu while no document is open.
const QList<Menu>& NoDocumentMenu();
// The menu while a document is open.
const QList<Menu>& DocumentMenu();
// The Edit popup of the document menu: the right-click menu offers its items.
const Menu& EditMenu();
// The toolbar's buttons (an empty name is a separator).
const QList<const char*>& ToolbarButtons();

// Where the recent files stand in the File menu; their actions are named
// "file.recent1" to "file.recent4".
constexpr const char* kRecentFiles = "file.recent";
QString RecentFileName(int index);

// Makes the named actions of the table as children of owner (so that
// owner->findChild<QAction*>(name) finds them), each with its text, tip,
// shortcuts (working in owner's window whichever menu shows) and icon.
void MakeAll(QWidget* owner);
// One action of the table, for another menu (the right-click menu), with the
// same name, text and tip but no shortcut.
QAction* MakeMenuItem(const Command& command, QMenu* menu);

} // namespace widgets::actions
