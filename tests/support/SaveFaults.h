// Faults of the disk for the save tests: a small real tmpfs that can be
// filled up, and the preloaded library that makes writes, syncs and renames
// of one file fail in a program run as a child.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

// A tmpfs of a few KiB mounted on a temporary folder, for as long as it
// lives. Mounting needs root; Mounted() says whether it worked, and a test
// skips without it.
class SmallTmpfs {
public:
    explicit SmallTmpfs(int kib = 64);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return m_mounted; }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Fills the file system up, then frees bytesFree of it again.
    void Fill(qint64 bytesFree = 0);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// The environment of a child program whose writes fail as fault says (see
// FaultShim.cpp: "CALL:ERROR:TEXT[:BYTES]").
QProcessEnvironment FaultEnvironment(const QString& fault);

// The files a save left behind in a folder: its temporary files.
QStringList StrayTemporaryFiles(const QString& folder);

} // namespace testing_support
