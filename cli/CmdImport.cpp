// clonara-cli import FILE IN [--output OUT]: reads a channel list into the
// memory channels and saves the document; exit status 3 when lines were
// skipped.
#include "cli/Cli.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"

#include <QCommandLineParser>

namespace {

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(
        QStringLiteral("IN"),
        QStringLiteral("Tab- or comma-delimited channel list, or a CHIRP channel list."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Save the result to OUT instead of FILE."),
                                    QStringLiteral("OUT"));
    parser.addOption(output);
    if (!cli::Parse(parser, arguments, QStringLiteral("import"),
                    QStringLiteral("Imports a channel list into the memory channels and saves "
                                   "the document. Lines whose receive frequency the radio "
                                   "cannot use are skipped. Exit status 0 when every line was "
                                   "imported, 3 when some were skipped (the others are "
                                   "imported and saved), 1 when nothing was imported or on "
                                   "trouble, 2 for wrong arguments.")) ||
        !cli::ExpectPositionals(parser, 2, 2))
        return 2;
    const QStringList files = parser.positionalArguments();
    if (files.at(0) == QLatin1String(cli::kStandardInput) && !parser.isSet(output)) {
        cli::Err(QStringLiteral("import: a document read from standard input is saved with "
                                "--output OUT.\n"));
        return cli::kExitUsage;
    }
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, files.at(0)))
        return 1;
    const document::textio::ImportSummary summary =
        document::textio::ImportFile(doc.Radio(), files.at(1));
    if (!summary.ok)
        return cli::Fail(summary.message);
    if (!summary.nothingImported.isEmpty()) {
        cli::Err(document::textio::SummaryText(summary));
        return cli::Fail(summary.nothingImported); // nothing changed: nothing to save
    }
    const QString target = parser.isSet(output) ? parser.value(output) : files.at(0);
    if (!cli::SaveDocument(doc, target))
        return 1;
    // The count stays on standard output as it always was; what was skipped
    // or changed, and why, goes to standard error.
    cli::Out(QStringLiteral("Imported %1 of %2 lines into memory channels.\n")
                 .arg(summary.channels)
                 .arg(summary.lines));
    cli::Err(document::textio::SummaryDetails(summary));
    return summary.skipped > 0 ? cli::kExitSkipped : 0;
}

const cli::Registrar registrar("import", "Import a .tab, .csv or CHIRP channel list", &Run);

} // namespace
