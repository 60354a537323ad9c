// The program's texts in one place: titles, file filters and the messages
// the windows share.
#pragma once

#include <QString>

namespace widgets::res {

constexpr int kRecentFileCount = 4;
constexpr const char* kAppTitle = "Clonara";
// The main window's title bar with a document in front: printed pages carry
// it as their title.
QString MainWindowTitle(const QString& documentTitle);
constexpr const char* kUntitled = "Untitled";
constexpr const char* kDataFileFilter = "Radio Data Files (*.rdf)";
// What File Open offers: radio data files, raw clone images, radios as
// text, all of them, anything.
constexpr const char* kOpenFileFilter = "Radio Data Files (*.rdf);;"
                                        "Radio clone images (*.img);;"
                                        "Radio as text (*.yaml);;"
                                        "All radio files (*.rdf *.img *.yaml);;"
                                        "All Files (*)";
constexpr const char* kDataFileExtension = "rdf";
// Save As also writes the clone image alone, as other programs open it.
constexpr const char* kRawImageFilter = "Radio clone image (*.img)";
constexpr const char* kRawImageExtension = "img";
// Save As also writes the whole document as text (settings/RadioText).
constexpr const char* kRadioTextFilter = "Radio as text (*.yaml)";
constexpr const char* kRadioTextExtension = "yaml";
constexpr const char* kReady = "Ready";
// What the status bar says after a transfer, an import or an export.
constexpr const char* kStatusReceived = "Received the radio's memory (%1 bytes)";
constexpr const char* kStatusSent = "Sent %1 to the radio (%2 bytes)";
constexpr const char* kStatusNotSent = "The upload did not finish";
// A download that did not finish leaves the document as it was.
constexpr const char* kStatusNotReceived = "The download failed (%1); the document is unchanged";
constexpr const char* kStatusReceiveCancelled =
    "The download was cancelled; the document is unchanged";
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

} // namespace widgets::res
