// clonara-cli print FILE OUT.pdf [--tab NAME] [--pages FROM-TO] [--rows FROM-TO]:
// the pages File Print makes, written to a PDF file. Painting pages needs
// Qt's screen modules, which this tool keeps out of: the pages are made by
// clonara-print, installed beside it, which takes the same arguments.
#include "cli/Cli.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

constexpr char kPrintProgram[] = "clonara-print";

int Run(const QStringList& arguments) {
    const QString program =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kPrintProgram));
    if (!QFileInfo(program).isExecutable())
        return cli::Fail(QStringLiteral("Printing needs %1, which is not installed beside "
                                        "clonara-cli:\n%2")
                             .arg(QString::fromLatin1(kPrintProgram), program));
    QProcess print;
    print.setProcessChannelMode(QProcess::ForwardedChannels);
    print.setInputChannelMode(QProcess::ForwardedInputChannel);
    print.start(program, arguments);
    if (!print.waitForStarted(-1))
        return cli::Fail(
            QStringLiteral("Could not start %1:\n%2").arg(program, print.errorString()));
    print.waitForFinished(-1);
    if (print.exitStatus() != QProcess::NormalExit)
        return cli::Fail(QStringLiteral("%1 stopped before it finished.").arg(program));
    return print.exitCode();
}

const cli::Registrar registrar("print", "Write a channel table's printed pages to a PDF file",
                               &Run);

} // namespace
