// clonara-cli convert IN OUT: between radio data files, raw clone images and
// radios as text (*.yaml), each told by its extension.
#include "cli/Cli.h"
#include "document/RadioDocument.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("IN"),
        QStringLiteral("Radio data file, raw clone image or radio text (.yaml)."));
    parser.addPositionalArgument(
        QStringLiteral("OUT"),
        QStringLiteral(
            "Output: a raw image when it ends in .img, the radio as text when it ends in "
            ".yaml, else a radio data file."));
    if (!cli::Parse(
            parser, arguments, QStringLiteral("convert"),
            QStringLiteral("Converts between a radio data file, a raw clone image and the radio "
                           "as text.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    document::RadioDocument doc;
    const QStringList files = parser.positionalArguments();
    if (!cli::OpenDocument(doc, files.at(0)))
        return 1;
    return cli::SaveDocument(doc, files.at(1)) ? 0 : 1;
}

const cli::Registrar registrar("convert", "Convert between .rdf, raw .img and .yaml files", &Run);

} // namespace
