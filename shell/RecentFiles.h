// The recent-file list of the File menu, kept in the settings store.
#pragma once

#include <QStringList>

namespace shell {

class RecentFiles {
public:
    explicit RecentFiles(int size);
    // Loads the list from the configuration store.
    void Load();
    // Puts a file first (moving it up when it is there already); the oldest
    // entry drops out beyond the list's size. Stored at once.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }

private:
    void Save() const;
    int m_size;
    QStringList m_files;
};

} // namespace shell
