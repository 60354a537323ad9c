// clonara-cli export FILE OUT: the memory channels as a tab- or comma-delimited
// channel list, exactly as the program's Export writes it.
#include "cli/Cli.h"
#include "document/ChirpList.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(
        QStringLiteral("OUT"),
        QStringLiteral("Channel list to write: tab-delimited when it ends in .tab, else "
                       "comma-delimited; - or /dev/stdout writes it (comma-delimited) to "
                       "standard output. Only a regular file is replaced."));
    const QCommandLineOption format(
        {QStringLiteral("f"), QStringLiteral("format")},
        QStringLiteral("List format: clonara (the program's own, the default) or chirp (a CHIRP "
                       "channel list, comma-delimited)."),
        QStringLiteral("FORMAT"), QStringLiteral("clonara"));
    parser.addOption(format);
    if (!cli::Parse(parser, arguments, QStringLiteral("export"),
                    QStringLiteral("Exports the memory channels as a channel list: a header "
                                   "line, then one line per channel in use.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    const QString formatName = parser.value(format);
    const bool chirpList = formatName.compare(QLatin1String("chirp"), Qt::CaseInsensitive) == 0;
    if (!chirpList && formatName.compare(QLatin1String("clonara"), Qt::CaseInsensitive) != 0) {
        cli::Fail(QStringLiteral("Unknown list format: %1 (clonara or chirp)").arg(formatName));
        return cli::kExitUsage;
    }
    const QStringList files = parser.positionalArguments();
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, files.at(0)))
        return 1;
    const QString out = files.at(1);
    // Standard output ("-", "/dev/stdout") takes a comma-delimited list.
    const QByteArray bytes =
        chirpList ? document::chirp::ExportBytes(doc.Radio())
                  : document::textio::ExportBytes(doc.Radio(), nullptr,
                                                  document::textio::SeparatorFor(out));
    if (cli::IsStandardOutput(out)) {
        cli::OutBytes(bytes);
        return 0;
    }
    if (const auto error = document::textio::SaveList(out, bytes)) {
        // The program's own text speaks of "the data file"; here it is the
        // list being written, named.
        if (!error->reason.isEmpty())
            return cli::Fail(QStringLiteral("%1: The output file %2 could not be written: %3")
                                 .arg(error->caption, out, error->reason));
        return cli::Fail(error->caption + QStringLiteral(": ") + error->text);
    }
    return 0;
}

const cli::Registrar
    registrar("export", "Export the memory channels to a .tab, .csv or CHIRP channel list", &Run);

} // namespace
