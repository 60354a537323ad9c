#include "widgets/Resources.h"

#include <QHash>

namespace res {

namespace {

const QHash<int, Command>& Commands() {
    static const QHash<int, Command> commands = [] {
        const Command list[] = {
            {cmd::kFileNew, "&New\tCtrl+N", "Create a new document"},
            {cmd::kFileOpen, "&Open...\tCtrl+O", "Open an existing document"},
            {cmd::kFileClose, "&Close", "Close the active document"},
            {cmd::kFileSave, "&Save\tCtrl+S", "Save the active document"},
            {cmd::kFileSaveAs, "Save &As...", "Save the active document with a new name"},
            {cmd::kFileImport, "&Import", "Import memory channels from a text file"},
            {cmd::kFileExport, "&Export", "Export the memory channels to a text file"},
            {cmd::kFileCompare, "Compa&re With...",
             "Show what differs between the active document and another file"},
            {cmd::kFilePrint, "&Print...\tCtrl+P", "Print the active channel list"},
            {cmd::kFilePrintPreview, "Print Pre&view", "Show the pages as they will be printed"},
            {cmd::kFileMru, "Recent File", "Open this document"},
            {cmd::kAppExit, "E&xit", "Quit the application; prompts to save documents"},
            {cmd::kEditUndo, "&Undo\tCtrl+Z", "Undo the last change"},
            {cmd::kEditRedo, "&Redo\tCtrl+Y", "Redo the change undone last"},
            {cmd::kEditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard"},
            {cmd::kEditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard"},
            {cmd::kEditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents"},
            {cmd::kEditInsert, "&Insert\tCtrl++", "Insert empty channels"},
            {cmd::kEditDelete, "&Delete\tCtrl+-", "Delete the selected channels"},
            {cmd::kEditSort, "Sort", "Sort channels"},
            {cmd::kEditSetPriority, "Set Priority", "Select Priority Channel"},
            {cmd::kRadioGetData, "Get data from...", "Read the memory of the radio"},
            {cmd::kRadioSendData, "Send data to...", "Write the memory into the radio"},
            {cmd::kRadioComportSetup, "Comport setup", "Choose the serial port of the cable"},
            {cmd::kViewSettings, "Settings...", "Edit the radio's settings"},
            {cmd::kViewOptions, "Options", "Choose the columns to show"},
            {cmd::kViewToolbar, "&Toolbar", "Show or hide the toolbar"},
            {cmd::kViewStatusBar, "&Status Bar", "Show or hide the status bar"},
            {cmd::kWindowNew, "&New Window", "Open another window for the active document"},
            {cmd::kWindowCascade, "&Cascade", "Arrange windows so they overlap"},
            {cmd::kWindowTile, "&Tile", "Arrange windows as non-overlapping tiles"},
            {cmd::kWindowArrange, "&Arrange Icons", "Arrange icons at the bottom of the window"},
            {cmd::kHelpContents, "Contents...", "Show the help contents"},
            {cmd::kAppAbout, "&About Clonara...",
             "Display program information, version number and copyright"},
        };
        QHash<int, Command> table;
        for (const auto& c : list)
            table.insert(c.id, c);
        return table;
    }();
    return commands;
}

} // namespace

QString MainWindowTitle(const QString& documentTitle) {
    return QStringLiteral("%1 - %2").arg(QString::fromLatin1(kAppTitle), documentTitle);
}

const Command& CommandById(int id) {
    static const Command none{0, "", ""};
    const auto& commands = Commands();
    const auto it = commands.constFind(id);
    return it == commands.constEnd() ? none : *it;
}

QList<QKeySequence> Accelerators(int id) {
    switch (id) {
    case cmd::kFileNew:
        return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case cmd::kFileOpen:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case cmd::kFileSave:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case cmd::kFilePrint:
        return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    // Shift+Delete and Shift+Insert run Cut and Paste; Insert and Delete take
    // the row keys of spreadsheets (plain Delete is left to the cells).
    case cmd::kEditUndo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
    case cmd::kEditRedo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case cmd::kEditCut:
        return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case cmd::kEditCopy:
        return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case cmd::kEditPaste:
        return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case cmd::kEditInsert:
        return {QKeySequence(Qt::CTRL | Qt::Key_Plus)};
    case cmd::kEditDelete:
        return {QKeySequence(Qt::CTRL | Qt::Key_Minus)};
    default:
        return {};
    }
}

const QList<Menu>& NoDocumentMenu() {
    static const QList<Menu> menus = {
        {"&File", {cmd::kFileNew, cmd::kFileOpen, 0, cmd::kFileMru, 0, cmd::kAppExit}},
        {"&View", {cmd::kViewToolbar, cmd::kViewStatusBar}},
        {"&Help", {cmd::kHelpContents, 0, cmd::kAppAbout}},
    };
    return menus;
}

const QList<Menu>& DocumentMenu() {
    static const QList<Menu> menus = {
        {"&File",
         {cmd::kFileNew, cmd::kFileOpen, cmd::kFileClose, cmd::kFileSave, cmd::kFileSaveAs, 0,
          cmd::kFileImport, cmd::kFileExport, cmd::kFileCompare, 0, cmd::kFilePrint,
          cmd::kFilePrintPreview, 0, cmd::kFileMru, 0, cmd::kAppExit}},
        {"&Edit",
         {cmd::kEditUndo, cmd::kEditRedo, 0, cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste,
          cmd::kEditInsert, cmd::kEditDelete, 0, cmd::kEditSort, 0, cmd::kEditSetPriority}},
        {"&Radio", {cmd::kRadioGetData, cmd::kRadioSendData, 0, cmd::kRadioComportSetup}},
        {"&View",
         {cmd::kViewSettings, cmd::kViewOptions, 0, cmd::kViewToolbar, cmd::kViewStatusBar}},
        {"&Window", {cmd::kWindowNew, cmd::kWindowCascade, cmd::kWindowTile, cmd::kWindowArrange}},
        {"&Help", {cmd::kHelpContents, 0, cmd::kAppAbout}},
    };
    return menus;
}

const QList<int>& ToolbarButtons() {
    static const QList<int> buttons = {cmd::kFileNew,
                                       cmd::kFileOpen,
                                       cmd::kFileSave,
                                       0,
                                       cmd::kEditUndo,
                                       cmd::kEditRedo,
                                       0,
                                       cmd::kEditCut,
                                       cmd::kEditCopy,
                                       cmd::kEditPaste,
                                       0,
                                       cmd::kFilePrint,
                                       0,
                                       cmd::kAppAbout};
    return buttons;
}

} // namespace res
