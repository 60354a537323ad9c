#include "settings/LastFolders.h"

#include "settings/Registry.h"

#include <QDir>
#include <QFileInfo>

namespace reg {

namespace {
QString Key(FolderKind kind) {
    switch (kind) {
    case FolderKind::RadioFiles:
        return QStringLiteral("Folders/Radio Files");
    case FolderKind::ChannelLists:
        return QStringLiteral("Folders/Channel Lists");
    }
    return {};
}
} // namespace

QString LastFolder(FolderKind kind) {
    const QString folder = OpenProgramKey()->value(Key(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::currentPath();
}

void RememberFolderOf(FolderKind kind, const QString& file) {
    auto settings = OpenProgramKey();
    settings->setValue(Key(kind), QFileInfo(file).absolutePath());
    Flush(*settings); // a store that cannot be written only forgets the folder
}

} // namespace reg
