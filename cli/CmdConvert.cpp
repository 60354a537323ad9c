// clonara-cli convert IN OUT: between radio data files and raw clone images.
#include "cli/Cli.h"
#include "document/RadioDocument.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("IN"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(
        QStringLiteral("OUT"),
        QStringLiteral("Output: a raw image when it ends in .img, else a radio data file."));
    if (!cli::Parse(parser, arguments, QStringLiteral("convert"),
                    QStringLiteral("Converts between a radio data file and a raw clone image.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    document::RadioDocument doc;
    const QStringList files = parser.positionalArguments();
    if (!cli::OpenDocument(doc, files.at(0)))
        return 1;
    return cli::SaveDocument(doc, files.at(1)) ? 0 : 1;
}

const cli::Registrar registrar("convert", "Convert between .rdf and raw .img files", &Run);

} // namespace
