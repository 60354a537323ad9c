// clonara-cli import FILE IN [--output OUT]: reads a channel list into the
// memory channels and saves the document.
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
                                   "cannot use are skipped.")) ||
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
    return 0;
}

const cli::Registrar registrar("import", "Import a .tab or .csv channel list", &Run);

} // namespace
