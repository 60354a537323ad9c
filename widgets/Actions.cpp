#include "widgets/Actions.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QStyle>
#include <QWidget>

namespace widgets::actions {

namespace {

// The program's own pictures for the buttons the style has none for, used
// when the desktop's icon theme has none either.
QIcon OwnIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

struct IconOf {
    const char* name;
    const char* theme;
    // A picture of the style, or else one of the program's own.
    QStyle::StandardPixmap standard;
    bool ownPicture;
};

QIcon CommandIcon(const QString& name, QStyle* style) {
    static const IconOf icons[] = {
        {"file.new", "document-new", QStyle::SP_FileIcon, false},
        {"file.open", "document-open", QStyle::SP_DialogOpenButton, false},
        {"file.save", "document-save", QStyle::SP_DialogSaveButton, false},
        {"edit.cut", "edit-cut", {}, true},
        {"edit.copy", "edit-copy", {}, true},
        {"edit.paste", "edit-paste", {}, true},
        {"edit.undo", "edit-undo", {}, true},
        {"edit.redo", "edit-redo", {}, true},
        {"file.print", "document-print", {}, true},
        {"help.about", "help-about", {}, true},
    };
    for (const IconOf& icon : icons) {
        if (name != QLatin1String(icon.name))
            continue;
        const QString theme = QString::fromLatin1(icon.theme);
        return QIcon::fromTheme(theme, icon.ownPicture ? OwnIcon(icon.theme)
                                                       : style->standardIcon(icon.standard));
    }
    return {};
}

} // namespace

const QList<Command>& Commands() {
    static const QList<Command> commands = {
        {"file.new", "&New\tCtrl+N", "Create a new document", false},
        {"file.open", "&Open...\tCtrl+O", "Open an existing document", false},
        {"file.close", "&Close", "Close the active document", true},
        {"file.save", "&Save\tCtrl+S", "Save the active document", true},
        {"file.saveAs", "Save &As...", "Save the active document with a new name", true},
        {"file.import", "&Import", "Import memory channels from a text file", true},
        {"file.export", "&Export", "Export the memory channels to a text file", true},
        {"file.compare", "Compa&re With...",
         "Show what differs between the active document and another file", true},
        {"file.print", "&Print...\tCtrl+P", "Print the active channel list", true},
        {"file.printPreview", "Print Pre&view", "Show the pages as they will be printed", true},
        {"app.exit", "E&xit", "Quit the application; prompts to save documents", false},
        {"edit.undo", "&Undo\tCtrl+Z", "Undo the last change", true},
        {"edit.redo", "&Redo\tCtrl+Y", "Redo the change undone last", true},
        {"edit.cut", "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", true},
        {"edit.copy", "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", true},
        {"edit.paste", "&Paste\tCtrl+V", "Insert Clipboard contents", true},
        {"edit.insert", "&Insert\tCtrl++", "Insert empty channels", true},
        {"edit.delete", "&Delete\tCtrl+-", "Delete the selected channels", true},
        {"edit.sort", "S&ort...", "Sort channels", true},
        {"edit.setPriority", "Set Priorit&y", "Select Priority Channel", true},
        {"radio.getData", "&Get data from...", "Read the memory of the radio", true},
        {"radio.sendData", "&Send data to...", "Write the memory into the radio", true},
        {"radio.history", "&History...", "Show the images kept from every transfer", false},
        {"radio.portSetup", "&Comport setup", "Choose the serial port of the cable", false},
        {"view.settings", "S&ettings...", "Edit the radio's settings", true},
        {"view.options", "&Options...", "Choose the columns to show", true},
        {"view.toolbar", "&Toolbar", "Show or hide the toolbar", false},
        {"view.statusBar", "&Status Bar", "Show or hide the status bar", false},
        {"window.new", "&New Window", "Open another window for the active document", true},
        {"window.cascade", "&Cascade", "Arrange windows so they overlap", true},
        {"window.tile", "&Tile", "Arrange windows as non-overlapping tiles", true},
        {"window.arrange", "&Arrange Icons", "Arrange icons at the bottom of the window", true},
        {"help.contents", "&Contents...", "Show the help contents", false},
        {"help.about", "&About Clonara...",
         "Display program information, version number and copyright", false},
    };
    return commands;
}

const Command* Find(const QString& name) {
    for (const Command& command : Commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QList<QKeySequence> Shortcuts(const QString& name) {
    // Shift+Delete and Shift+Insert run Cut and Paste; Insert and Delete take
    // the row keys of spreadsheets (plain Delete is left to the cells).
    static const struct {
        const char* name;
        QList<QKeySequence> keys;
    } shortcuts[] = {
        {"file.new", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {"file.open", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {"file.save", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {"file.print", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {"edit.undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {"edit.redo",
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {"edit.cut",
         {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {"edit.copy",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {"edit.paste",
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {"edit.insert", {QKeySequence(Qt::CTRL | Qt::Key_Plus)}},
        {"edit.delete", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
    };
    for (const auto& entry : shortcuts) {
        if (name == QLatin1String(entry.name))
            return entry.keys;
    }
    return {};
}

const QList<Menu>& NoDocumentMenu() {
    static const QList<Menu> menus = {
        {"&File", {"file.new", "file.open", "", kRecentFiles, "", "app.exit"}},
        {"&Radio", {"radio.history", "", "radio.portSetup"}},
        {"&View", {"view.toolbar", "view.statusBar"}},
        {"&Help", {"help.contents", "", "help.about"}},
    };
    return menus;
}

const QList<Menu>& DocumentMenu() {
    static const QList<Menu> menus = {
        {"&File",
         {"file.new", "file.open", "file.close", "file.save", "file.saveAs", "", "file.import",
          "file.export", "file.compare", "", "file.print", "file.printPreview", "", kRecentFiles,
          "", "app.exit"}},
        EditMenu(),
        {"&Radio", {"radio.getData", "radio.sendData", "", "radio.history", "", "radio.portSetup"}},
        {"&View", {"view.settings", "view.options", "", "view.toolbar", "view.statusBar"}},
        {"&Window", {"window.new", "window.cascade", "window.tile", "window.arrange"}},
        {"&Help", {"help.contents", "", "help.about"}},
    };
    return menus;
}

const Menu& EditMenu() {
    static const Menu menu = {"&Edit",
                              {"edit.undo", "edit.redo", "", "edit.cut", "edit.copy", "edit.paste",
                               "edit.insert", "edit.delete", "", "edit.sort", "",
                               "edit.setPriority"}};
    return menu;
}

const QList<const char*>& ToolbarButtons() {
    static const QList<const char*> buttons = {
        "file.new", "file.open", "file.save",  "", "edit.undo",  "edit.redo", "",
        "edit.cut", "edit.copy", "edit.paste", "", "file.print", "",          "help.about"};
    return buttons;
}

QString RecentFileName(int index) {
    return QString::fromLatin1(kRecentFiles) + QString::number(index + 1);
}

void MakeAll(QWidget* owner) {
    for (const Command& command : Commands()) {
        const QString name = QString::fromLatin1(command.name);
        auto* action = new QAction(QString::fromUtf8(command.text), owner);
        action->setObjectName(name);
        action->setStatusTip(QString::fromUtf8(command.statusTip));
        action->setIcon(CommandIcon(name, owner->style()));
        action->setIconVisibleInMenu(false);
        const QList<QKeySequence> keys = Shortcuts(name);
        if (!keys.isEmpty()) {
            action->setShortcuts(keys);
            action->setShortcutContext(Qt::WindowShortcut);
        }
        owner->addAction(action); // shortcuts work whichever menu is shown
    }
}

QAction* MakeMenuItem(const Command& command, QMenu* menu) {
    QAction* action = menu->addAction(QString::fromUtf8(command.text));
    action->setObjectName(QString::fromLatin1(command.name));
    action->setStatusTip(QString::fromUtf8(command.statusTip));
    return action;
}

} // namespace widgets::actions
