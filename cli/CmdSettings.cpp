// clonara-cli settings show|export|import: the radio's set-mode options of a
// document or a settings file, as the settings window shows and keeps them.
#include "cli/Cli.h"
#include "document/RadioDataFile.h"
#include "document/RadioDocument.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

constexpr const char* kUsage =
    "Usage: clonara-cli settings show FILE\n"
    "       clonara-cli settings export FILE OUT.rsf\n"
    "       clonara-cli settings import FILE IN.rsf [--output OUT]\n\n"
    "FILE is a radio data file or a raw clone image (show also takes a settings file).\n"
    "'clonara-cli settings SUBCOMMAND --help' describes a subcommand.\n";

// The settings of a document's image, as the window extracts them when the
// settings come from the radio.
void ExtractFromDocument(document::RadioDocument& doc, settings::rsf::FileImage& file) {
    file.fill(0);
    settings::rsf::ExtractSettings(doc.Radio(), doc.Image(), file.data() + settings::rsf::kBlock);
    settings::rsf::WriteHeader(file.data(), true);
}

// A settings file's block, or a document's settings.
bool ReadSettings(const QString& path, settings::rsf::FileImage& file) {
    QByteArray head;
    if (auto error = document::datafile::ReadFileBounded(path, 4, head)) {
        cli::Fail(error->text);
        return false;
    }
    if (settings::rsf::HasMagic(head)) {
        if (auto error = settings::rsf::LoadFile(path, file.data())) {
            cli::Fail(error->text);
            return false;
        }
        return true;
    }
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, path))
        return false;
    ExtractFromDocument(doc, file);
    return true;
}

int Show(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("Radio data file, raw clone image or settings file."));
    if (!cli::Parse(parser, arguments, QStringLiteral("settings show"),
                    QStringLiteral("Prints every option of the settings window with its page, "
                                   "label and value.")) ||
        !cli::ExpectPositionals(parser, 1, 1))
        return 2;
    settings::rsf::FileImage file{};
    if (!ReadSettings(parser.positionalArguments().front(), file))
        return 1;
    const radio::Byte* block = file.data() + settings::rsf::kBlock;
    QString text;
    constexpr int kPageWidth = 9;
    constexpr int kNameWidth = 38;
    const QString valueIndent(kPageWidth + 1 + kNameWidth + 1, QLatin1Char(' '));
    for (const settings::option::Option& option : settings::option::Options()) {
        // An icon or a character is drawn one row a line, under each other.
        const QStringList rows =
            settings::option::ValueText(option, block).split(QLatin1Char('\n'));
        for (int r = 0; r < rows.size(); ++r) {
            const QString line = r == 0
                                     ? QStringLiteral("%1 %2 %3")
                                           .arg(QString::fromUtf8(option.page), -kPageWidth)
                                           .arg(settings::option::DisplayName(option), -kNameWidth)
                                           .arg(rows[r])
                                     : valueIndent + rows[r];
            // A value may be empty (a DTMF memory): no blanks at the line's end.
            int end = static_cast<int>(line.size());
            while (end > 0 && line.at(end - 1) == QLatin1Char(' '))
                --end;
            text += line.left(end) + QLatin1Char('\n');
        }
    }
    cli::Out(text);
    return 0;
}

int Export(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(QStringLiteral("OUT.rsf"),
                                 QStringLiteral("The settings file to write."));
    if (!cli::Parse(parser, arguments, QStringLiteral("settings export"),
                    QStringLiteral("Writes the settings of a document's image to a settings "
                                   "file.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    const QString out = parser.positionalArguments().at(1);
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, parser.positionalArguments().at(0)))
        return 1;
    settings::rsf::FileImage file{};
    ExtractFromDocument(doc, file);
    if (auto error = settings::rsf::SaveFile(out, file.data()))
        return cli::Fail(error->text);
    cli::Out(QStringLiteral("Settings written to %1\n").arg(out));
    return 0;
}

int Import(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption output(
        QStringLiteral("output"),
        QStringLiteral("Write the document here instead of back into FILE."),
        QStringLiteral("OUT"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(QStringLiteral("IN.rsf"),
                                 QStringLiteral("The settings file to write into its image."));
    if (!cli::Parse(parser, arguments, QStringLiteral("settings import"),
                    QStringLiteral("Writes a settings file into a document's image, names the "
                                   "file as the document's settings and remembers it, so that "
                                   "the next upload of the document finds it.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    const QString path = parser.positionalArguments().at(0);
    const QString in = parser.positionalArguments().at(1);
    const QString out = parser.isSet(output) ? parser.value(output) : path;
    if (path == QLatin1String(cli::kStandardInput) && !parser.isSet(output)) {
        cli::Err(QStringLiteral("settings import: a document read from standard input is "
                                "saved with --output OUT.\n"));
        return cli::kExitUsage;
    }
    if (in == QLatin1String(cli::kStandardInput)) {
        // The upload finds the file by its name later on.
        cli::Err(QStringLiteral("settings import: the settings file is remembered by its name, "
                                "so it cannot come from standard input.\n"));
        return cli::kExitUsage;
    }
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, path))
        return 1;
    settings::rsf::FileImage file{};
    if (auto error = settings::rsf::LoadFile(in, file.data()))
        return cli::Fail(error->text);
    settings::rsf::WriteSettings(doc.Radio(), file.data() + settings::rsf::kBlock, doc.Image());
    const QFileInfo info(in);
    doc.SetSettingsSourceName(info.fileName());
    if (!cli::SaveDocument(doc, out))
        return 1;
    // As the window's Open does: the folder and the name, for the upload.
    cli::Out(QStringLiteral("Imported the settings of %1 into %2\n").arg(in, out));
    // Part of what the command promises: the next upload must find the file.
    if (!settings::rsf::RememberFile(info.absoluteFilePath(),
                                     settings::rsf::ReadRememberedFile().directory))
        return cli::Fail(QStringLiteral("Could not remember the settings file: the settings "
                                        "store cannot be written."));
    return 0;
}

int Run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        cli::Err(QString::fromLatin1(kUsage));
        return 2;
    }
    QStringList rest = arguments;
    const QString sub = rest.takeFirst();
    if (sub == QLatin1String("show"))
        return Show(rest);
    if (sub == QLatin1String("export"))
        return Export(rest);
    if (sub == QLatin1String("import"))
        return Import(rest);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        cli::Out(QString::fromLatin1(kUsage));
        return 0;
    }
    cli::Err(QStringLiteral("Unknown settings command: %1\n\n").arg(sub) +
             QString::fromLatin1(kUsage));
    return 2;
}

const cli::Registrar registrar("settings", "Show, export or import the radio's settings", &Run);

} // namespace
