#include "settings/LastFolders.h"

#include "settings/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace settings {

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
    const QString folder = OpenStore()->value(Key(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::currentPath();
}

void RememberFolderOf(FolderKind kind, const QString& file) {
    auto store = OpenStore();
    store->setValue(Key(kind), QFileInfo(file).absolutePath());
    Flush(*store); // a store that cannot be written only forgets the folder
}

} // namespace settings
