// clonara-cli new FILE: writes a new document's radio data file.
#include "cli/Cli.h"
#include "document/RadioDocument.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file (.rdf) or raw image (.img)."));
    if (!cli::Parse(parser, arguments, QStringLiteral("new"),
                    QStringLiteral("Writes a new document with the radio's factory image.")) ||
        !cli::ExpectPositionals(parser, 1, 1))
        return 2;
    document::RadioDocument doc;
    return cli::SaveDocument(doc, parser.positionalArguments().at(0)) ? 0 : 1;
}

const cli::Registrar registrar("new", "Write a new radio data file", &Run);

} // namespace
