// clonara-cli download: reads the radio's image over the serial port.
#include "cli/Cli.h"
#include "cli/TransferCommand.h"
#include "document/FileSave.h"
#include "document/RadioDataFile.h"
#include "document/RadioDocument.h"
#include "link/CloneDownload.h"
#include "link/ImageHistory.h"
#include "link/TransferDocument.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cli {
namespace {

// The download takes a while; make sure its result can be stored first.
bool CanWrite(const QString& path) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir() || !folder.isDir() || !folder.isWritable()) {
        Fail(QStringLiteral("Cannot write %1: its folder does not exist or is not writable, or "
                            "it is a folder.")
                 .arg(path));
        return false;
    }
    if (const auto error = document::filesave::CheckTarget(path)) {
        Fail(error->text);
        return false;
    }
    return true;
}

// When the image cannot be saved where asked (a full disk), it is kept in
// a new file of the user's own rather than lost: the radio may not be at
// hand again.
void KeepUnsavedImage(document::RadioDocument& doc) {
    QString reason;
    const QString folder = document::filesave::PrivateDataFolder(QString(), reason);
    if (folder.isEmpty()) {
        Err(QStringLiteral("The image could not be kept either:\n%1\n").arg(reason));
        return;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
    QString rescue;
    const QString prefix =
        QStringLiteral("clonara-download-%1-")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const auto error =
        document::filesave::SaveNew(folder, prefix, QStringLiteral(".rdf"), bytes, rescue);
    if (error && error->kind != document::filesave::SaveError::Kind::NotDurable) {
        Err(QStringLiteral("The image could not be kept either:\n%1\n").arg(error->text));
        return;
    }
    if (error)
        Err(error->text + QLatin1Char('\n'));
    Err(QStringLiteral("The image read from the radio was kept in %1.\n").arg(rescue));
}

int RunDownload(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("File to write: a radio data file, or a raw clone image when the name "
                       "ends in .img."),
        QStringLiteral("FILE"));
    parser.addOption(PortOption());
    parser.addOption(output);
    if (!Parse(parser, arguments, QStringLiteral("download"),
               QStringLiteral("Reads the radio's memory over its cable (clone download) and "
                              "saves it.\nStart this first, then put the radio into clone mode "
                              "(hold FW while turning it on) and press its Band key.")) ||
        !ExpectPositionals(parser, 0, 0))
        return kExitUsage;
    if (!parser.isSet(output)) {
        Err(QStringLiteral("download: --output FILE is required.\n\n") + HelpText(parser));
        return kExitUsage;
    }
    const QString path = parser.value(output);
    if (!CanWrite(path))
        return 1;
    const QString device = ChooseDevice(parser);
    if (device.isEmpty())
        return 1;

    // The image lands in a new document, as a download does in the program.
    document::RadioDocument doc;
    doc.StartNew();
    auto port = OpenTransferPort(device);
    if (!port)
        return 1;
    Err(QStringLiteral("Waiting for the radio on %1: put it into clone mode (hold FW while "
                       "turning it on) and press its Band key. Ctrl+C cancels.\n")
            .arg(device));

    radiolink::CloneDownload download(std::move(port));
    switch (RunWithProgress(download, QStringLiteral("Receiving"))) {
    case radiolink::TransferState::Succeeded:
        break;
    case radiolink::TransferState::Cancelled:
        Err(QStringLiteral("Cancelled; nothing was saved.\n"));
        return kExitCancelled;
    case radiolink::TransferState::Failed:
    case radiolink::TransferState::Running:
        return Fail(download.Message());
    }

    // The image goes into the radio history first, before anything else can
    // fail; a history that cannot keep it stops nothing.
    const radiolink::history::Kept kept = radiolink::history::Keep(
        download.Image().data(), radiolink::history::Direction::Received, device);
    if (!kept.error.isEmpty())
        Err(radiolink::history::NotKeptText(kept.error) + QLatin1Char('\n'));
    else if (kept.entry)
        Err(QStringLiteral("Kept in the radio history as %1.\n").arg(kept.entry->id));

    const std::optional<QString> warning =
        radiolink::TakeDownloadedImage(doc, download.Image().data());
    if (!SaveDocument(doc, path)) {
        KeepUnsavedImage(doc);
        return 1;
    }
    if (warning) {
        // The image is safe in the file, but the next upload will not find
        // this radio's header.
        Fail(*warning);
        Err(QStringLiteral("The image was saved to %1.\n").arg(path));
        return 1;
    }
    Out(QStringLiteral("Received the radio's image; saved to %1.\n").arg(path));
    return 0;
}

const Registrar registrar("download", "Read the radio's memory over its cable into a file",
                          RunDownload);

} // namespace
} // namespace cli
