// The folder each kind of file dialog used last, kept in the settings store so
// that the next dialog of that kind starts there.
#pragma once

#include <QString>

namespace settings {

enum class FolderKind {
    RadioFiles,   // Open and Save As: radio data files and clone images
    ChannelLists, // Import and Export: delimited channel lists
};

// The folder remembered for a kind, if it still exists; otherwise the
// current directory.
QString LastFolder(FolderKind kind);

// Remembers the folder of a file chosen in a dialog of that kind.
void RememberFolderOf(FolderKind kind, const QString& file);

} // namespace settings
