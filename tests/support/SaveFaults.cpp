#include "support/SaveFaults.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {

SmallTmpfs::SmallTmpfs(int kib) {
    if (::geteuid() != 0 || !m_dir.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0755";
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                        options.constData()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void SmallTmpfs::Fill(qint64 bytesFree) {
    const QByteArray filler = QFile::encodeName(Path(QStringLiteral("filler")));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
    }
    struct stat status {};
    if (bytesFree > 0 && ::fstat(fd, &status) == 0) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, status.st_size - bytesFree);
    }
    ::close(fd);
}

QProcessEnvironment FaultEnvironment(const QString& fault) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(CLONARA_FAULT_SHIM));
    environment.insert(QStringLiteral("CLONARA_FAULT"), fault);
    // A sanitizer build's runtime would refuse a library loaded before it.
    QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
    if (!asan.isEmpty())
        asan += QLatin1Char(':');
    environment.insert(QStringLiteral("ASAN_OPTIONS"), asan + "verify_asan_link_order=0");
    return environment;
}

QStringList StrayTemporaryFiles(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::Files | QDir::Hidden | QDir::System)
        .filter(QStringLiteral(".clonara-save-"));
}

} // namespace testing_support
