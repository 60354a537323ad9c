// clonara-cli show FILE [OUT] [--tab NAME]: one channel table as its grid
// shows it, tab-separated: the header row, then each row's label and cells.
#include "cli/Cli.h"
#include "document/CMainDoc.h"
#include "document/FileSave.h"
#include "outside/CSpreadSheet1.h"

#include <QCommandLineParser>

#include <array>

namespace {

struct TabName {
    const char* name;
    int tab;
};
constexpr std::array<TabName, vx7::tab::kCount> kTabs = {{
    {"memories", vx7::tab::kMemories},
    {"limit", vx7::tab::kLimit},
    {"onetouch", vx7::tab::kOneTouch},
    {"hyper", vx7::tab::kHyper},
    {"groups", vx7::tab::kGroups},
    {"vfo", vx7::tab::kVfo},
    {"home", vx7::tab::kHome},
}};

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
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral("File to write the table to (only a regular file "
                                                "is replaced); - or none: standard output."),
                                 QStringLiteral("[OUT]"));
    QStringList names;
    for (const auto& t : kTabs)
        names << QString::fromLatin1(t.name);
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
    const auto it = std::find_if(kTabs.begin(), kTabs.end(),
                                 [&](const TabName& t) { return wanted == QLatin1String(t.name); });
    if (it == kTabs.end())
        return cli::Fail(QStringLiteral("Unknown tab %1; choose one of %2.")
                             .arg(wanted, names.join(QStringLiteral(", "))));

    CMainDoc doc;
    if (!cli::OpenDocument(doc, parser.positionalArguments().at(0)))
        return 1;
    CSpreadSheet1 grid;
    doc.SetTab(it->tab);
    doc.ConfigureGrid(grid);
    doc.FillGrid(doc.GetImage(), grid, it->tab);

    QString text;
    for (int row = 0; row <= grid.MaxRows(); ++row) {
        for (int col = 0; col <= grid.MaxCols(); ++col) {
            if (col > 0)
                text += QLatin1Char('\t');
            text += Field(grid.Text(col, row));
        }
        text += QLatin1Char('\n');
    }
    const QString out =
        parser.positionalArguments().value(1, QString::fromLatin1(cli::kStandardOutput));
    if (out == QLatin1String(cli::kStandardOutput)) {
        cli::Out(text);
        return 0;
    }
    if (const auto error = filesave::Save(out, cli::Printable(text).toUtf8()))
        return cli::Fail(error->text);
    return 0;
}

const cli::Registrar registrar("show", "Print a channel table as its grid shows it", &Run);

} // namespace
