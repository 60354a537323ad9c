#include "shell/RecentFiles.h"

#include "settings/SettingsStore.h"

#include <QFileInfo>

namespace shell {

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString Key(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
QString Canonical(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

RecentFiles::RecentFiles(int size) : m_size(size) {}

void RecentFiles::Load() {
    auto store = settings::OpenStore();
    store->beginGroup(kGroup);
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const QString file = store->value(Key(i)).toString();
        if (!file.isEmpty() && !m_files.contains(file))
            m_files << file;
    }
}

void RecentFiles::Add(const QString& path) {
    const QString file = Canonical(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > m_size)
        m_files.removeLast();
    Save();
}

void RecentFiles::Remove(const QString& path) {
    m_files.removeAll(Canonical(path));
    Save();
}

void RecentFiles::Save() const {
    auto store = settings::OpenStore();
    store->beginGroup(kGroup);
    for (int i = 0; i < m_size; ++i) {
        if (i < m_files.size())
            store->setValue(Key(i), m_files[i]);
        else
            store->remove(Key(i));
    }
    settings::Flush(*store);
}

} // namespace shell
