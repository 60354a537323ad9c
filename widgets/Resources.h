// The program's menus, accelerators and command ids in one place. Menu texts
// carry their key names after a tab, as the menus show them.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace res {

// Command ids.
namespace cmd {
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kFileMru = 57616;
constexpr int kAppExit = 57665;
constexpr int kAppAbout = 57664;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kWindowNew = 57648;
constexpr int kWindowArrange = 57649;
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kFileImport = 32771;
constexpr int kFileExport = 32773;
constexpr int kEditInsert = 32774;
constexpr int kEditDelete = 32775;
constexpr int kEditSort = 32776;
constexpr int kRadioGetData = 32777;
constexpr int kRadioSendData = 32778;
constexpr int kRadioComportSetup = 32779;
constexpr int kViewSettings = 32782;
constexpr int kViewOptions = 32783;
constexpr int kEditSetPriority = 32829;
constexpr int kHelpContents = 32830;
constexpr int kFileCompare = 32831;
} // namespace cmd

// One menu command: its id, its menu text and its accelerators.
struct Command {
    int id;
    const char* text;
    const char* statusTip;
};

const Command& CommandById(int id);
// The accelerators of a command (the first one is shown in tooltips).
QList<QKeySequence> Accelerators(int id);

// Menus: a popup title and its items (0 is a separator).
struct Menu {
    const char* title;
    QList<int> items;
};
// Resource 128: the menu while no document is open.
const QList<Menu>& NoDocumentMenu();
// Resource 129: the menu while a document is open.
const QList<Menu>& DocumentMenu();
// The toolbar's buttons (0 is a separator).
const QList<int>& ToolbarButtons();

constexpr int kRecentFileCount = 4;
constexpr const char* kAppTitle = "Clonara";
// The main window's title bar with a document in front: printed pages carry
// it as their title.
QString MainWindowTitle(const QString& documentTitle);
constexpr const char* kUntitled = "Untitled";
constexpr const char* kDataFileFilter = "Radio Data Files (*.rdf)";
// What File Open offers: radio data files, raw clone images, both, anything.
constexpr const char* kOpenFileFilter = "Radio Data Files (*.rdf);;"
                                        "Radio clone images (*.img);;"
                                        "All radio files (*.rdf *.img);;"
                                        "All Files (*)";
constexpr const char* kDataFileExtension = "rdf";
// Save As also writes the clone image alone, as other programs open it.
constexpr const char* kRawImageFilter = "Radio clone image (*.img)";
constexpr const char* kRawImageExtension = "img";
constexpr const char* kReady = "Ready";
// What the status bar says after a transfer, an import or an export.
constexpr const char* kStatusReceived = "Received the radio's memory (%1 bytes)";
constexpr const char* kStatusSent = "Sent %1 to the radio (%2 bytes)";
constexpr const char* kStatusNotSent = "The upload did not finish";
constexpr const char* kStatusExported = "Exported %1 to %2"; // "118 channels"
// After an upload that began and did not finish.
constexpr const char* kPartialUpload =
    "The upload did not finish, so the radio may now hold a partial image. "
    "Send the data to the radio again before you use it.";
// Printing a channel table.
constexpr const char* kPrintFailed = "The pages could not be printed.";
constexpr const char* kNoSuchPages = "The table has no pages in that range.";
constexpr const char* kStatusPrinted = "Printed %1 of %2"; // "3 pages", title
constexpr const char* kStatusPrintCancelled = "Printing was cancelled";
constexpr const char* kLaterVersion = "This command comes in a later version of Clonara.";

} // namespace res
