// clonara-cli upload: writes an image into the radio over the serial port.
#include "cli/Cli.h"
#include "cli/TransferCommand.h"
#include "document/RadioDocument.h"
#include "link/CloneUpload.h"
#include "link/ImageHistory.h"
#include "link/TransferDocument.h"
#include "settings/RadioSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {
namespace {

int RunUpload(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(PortOption());
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image to send."));
    if (!Parse(parser, arguments, QStringLiteral("upload"),
               QStringLiteral("Writes an image into the radio over its cable (clone upload).\n"
                              "First put the radio into clone mode (hold FW while turning it "
                              "on) and press its V/M key; then start this.")) ||
        !ExpectPositionals(parser, 1, 1))
        return kExitUsage;
    const QString path = parser.positionalArguments().front();

    document::RadioDocument doc;
    if (!OpenDocument(doc, path))
        return 1;
    const QString device = ChooseDevice(parser);
    if (device.isEmpty())
        return 1;

    // The send command brings the state block in line first and writes the
    // settings the document names into the image; a settings file that does
    // not load stops here, before anything is sent. Then, with the port
    // open, the image is stamped with the remembered header and fresh
    // checksums.
    radiolink::PrepareSendCommand(doc);
    QString settings;
    if (const auto error =
            settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(doc), &settings))
        return Fail(error->text + QStringLiteral("\nNothing was sent."));
    auto port = OpenTransferPort(device);
    if (!port)
        return 1;
    const radiolink::UploadImage prepared = radiolink::PrepareUploadImage(doc);
    if (prepared.warning)
        Err(*prepared.warning + QStringLiteral(" The image keeps its own header.\n"));
    // Which settings go in, in the words the Send dialog uses.
    const settings::rsf::SettingsOrigin origin =
        settings::rsf::DescribeOrigin(settings::rsf::SettingsSource(doc), settings);
    Err(origin.text + QLatin1Char('\n'));
    if (!origin.warning.isEmpty())
        Err(origin.warning + QLatin1Char('\n'));
    Err(QStringLiteral("Sending %1 to the radio on %2. Ctrl+C cancels.\n").arg(path, device));

    radiolink::CloneUpload upload(std::move(port), prepared.bytes.data());
    upload.Start(radiolink::Clock::now());
    const radiolink::TransferState state = RunWithProgress(upload, QStringLiteral("Sending"));
    // What went out is kept in the radio history, marked when it did not
    // all reach the radio.
    const radiolink::history::Kept kept = radiolink::history::Keep(
        prepared.bytes.data(), radiolink::history::Direction::Sent, device,
        QFileInfo(path).fileName(), state != radiolink::TransferState::Succeeded);
    if (!kept.error.isEmpty())
        Err(radiolink::history::NotKeptText(kept.error) + QLatin1Char('\n'));
    switch (state) {
    case radiolink::TransferState::Succeeded:
        break;
    case radiolink::TransferState::Cancelled:
        Err(QStringLiteral("Cancelled; the radio holds an incomplete image.\n"));
        return kExitCancelled;
    case radiolink::TransferState::Failed:
    case radiolink::TransferState::Running:
        return Fail(upload.Message());
    }
    Out(QStringLiteral("Sent %1 to the radio.\n").arg(path));
    return 0;
}

const Registrar registrar("upload", "Write a radio data file or image into the radio", RunUpload);

} // namespace
} // namespace cli
