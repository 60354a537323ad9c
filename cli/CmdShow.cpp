// clonara-cli show FILE [OUT] [--tab NAME]: one channel table as its grid
// shows it, tab-separated: the header row, then each row's label and cells.
#include "cli/Cli.h"
#include "document/FileSave.h"
#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "radio/ChannelTables.h"

#include <QCommandLineParser>

namespace {

// A cell as one field of a tab-separated line.
QString Field(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(
        QStringLiteral("OUT"),
        QStringLiteral("File to write the table to (only a regular file "
                       "is replaced); -, /dev/stdout or none: standard output."),
        QStringLiteral("[OUT]"));
    QStringList names;
    for (int t = 0; t < radio::tab::kCount; ++t)
        names << QString::fromLatin1(radio::TabKey(t));
    const QCommandLineOption tabOption(
        QStringLiteral("tab"),
        QStringLiteral("The table to show: %1 (default memories).").arg(names.join(u'|')),
        QStringLiteral("NAME"), QStringLiteral("memories"));
    parser.addOption(tabOption);
    if (!cli::Parse(parser, arguments, QStringLiteral("show"),
                    QStringLiteral("Prints a channel table as its grid shows it: the header "
                                   "row, then every row's label and cells, tab-separated.")) ||
        !cli::ExpectPositionals(parser, 1, 2))
        return 2;
    const QString wanted = parser.value(tabOption).toLower();
    const int tab = radio::TabByKey(wanted);
    if (tab < 0) {
        cli::Fail(QStringLiteral("Unknown tab %1; choose one of %2.")
                      .arg(wanted, names.join(QStringLiteral(", "))));
        return cli::kExitUsage;
    }

    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, parser.positionalArguments().at(0)))
        return 1;
    QString text;
    auto addLine = [&](int cols, const auto& cell) {
        for (int col = 0; col <= cols; ++col) {
            if (col > 0)
                text += QLatin1Char('\t');
            text += Field(cell(col));
        }
        text += QLatin1Char('\n');
    };
    const std::unique_ptr<document::TabTable> table = document::MakeTabTable(doc.Radio(), tab);
    table->Fill();
    addLine(table->Columns(), [&](int col) { return table->Header(col); });
    for (int row = 1; row <= table->Rows(); ++row) {
        addLine(table->Columns(),
                [&](int col) { return col == 0 ? table->RowLabel(row) : table->Text(col, row); });
    }
    const QString out =
        parser.positionalArguments().value(1, QString::fromLatin1(cli::kStandardOutput));
    if (cli::IsStandardOutput(out)) {
        cli::Out(text);
        return 0;
    }
    if (const auto error = document::filesave::Save(out, cli::Printable(text).toUtf8()))
        return cli::Fail(error->text);
    return 0;
}

const cli::Registrar registrar("show", "Print a channel table as its grid shows it", &Run);

} // namespace
