// clonara-cli diff A B: what differs between two documents or images, one
// line per difference; exit status 0 when they are the same, 1 when they
// differ, 2 when one cannot be read.
#include "cli/Cli.h"
#include "document/DocumentDiff.h"
#include "document/RadioDocument.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("A"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(QStringLiteral("B"),
                                 QStringLiteral("Radio data file or raw clone image."));
    if (!cli::Parse(parser, arguments, QStringLiteral("diff"),
                    QStringLiteral("Lists what differs from A to B: channels column by column "
                                   "(old -> new), memory groups, the priority channel, settings "
                                   "and other image bytes. Exit status 0 when they are the "
                                   "same, 1 when they differ, 2 on trouble.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    const QStringList files = parser.positionalArguments();
    document::RadioDocument a;
    document::RadioDocument b;
    if (!cli::OpenDocument(a, files.at(0)) || !cli::OpenDocument(b, files.at(1)))
        return 2;
    const QStringList lines = document::diff::Compare(a.Radio(), b.Radio());
    if (!lines.isEmpty())
        cli::Out(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    // A list that could not be written is trouble, not a difference.
    if (cli::OutputFailed())
        return 2;
    return lines.isEmpty() ? 0 : 1;
}

const cli::Registrar registrar("diff", "List what differs between two documents or images", &Run);

} // namespace
