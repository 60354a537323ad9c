// Saves a file over and over, for the test that kills saves at random
// moments: save_loop PATH alternates a large file of 'L' bytes and a
// small one of 'S' bytes, starting with the one the file does not hold, and
// prints a line as it starts.
#include "document/FileSave.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray contents[] = {QByteArray(256 * 1024, 'L'), QByteArray(100, 'S')};
    QFile current(path);
    const long first = current.size() == contents[0].size() ? 1 : 0;
    std::puts("saving");
    std::fflush(stdout);
    for (long n = first;; ++n) {
        if (document::filesave::Save(path, contents[n % 2]))
            return 1;
    }
}
