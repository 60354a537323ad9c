// clonara-print FILE OUT.pdf [--tab NAME] [--pages FROM-TO] [--rows FROM-TO]:
// the pages File Print makes for a channel table, written to a PDF file. It
// is the screen half of "clonara-cli print", which runs it: painting pages
// needs Qt's screen modules, which the command-line tool keeps out of.
//
// The table is set up as a document window sets it up (the stored column
// options applied) and titled as the main window would be for that file.
#include "document/FileSave.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "outside/RegularFile.h"
#include "radio/ChannelTables.h"
#include "settings/RadioText.h"
#include "widgets/GridPrinter.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {

int Fail(const QString& message, int code = 1) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    return code;
}

// "FROM-TO" or a single number; false when it is neither or FROM > TO.
bool ParseSpan(const QString& text, int* from, int* to) {
    static const QRegularExpression span(
        QStringLiteral("^\\s*(\\d{1,6})\\s*(?:-\\s*(\\d{1,6}))?\\s*$"));
    const auto match = span.match(text);
    if (!match.hasMatch())
        return false;
    *from = match.captured(1).toInt();
    *to = match.captured(2).isEmpty() ? *from : match.captured(2).toInt();
    return *from >= 1 && *from <= *to;
}

// The parser's help, naming the command as the user called it.
QString HelpText(const QCommandLineParser& parser) {
    QString help = parser.helpText();
    const QString program = QCoreApplication::arguments().value(0);
    if (!program.isEmpty() && help.contains(program))
        help.replace(help.indexOf(program), program.size(), QStringLiteral("clonara-cli print"));
    return help;
}

int Run(QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the pages File Print makes for a channel table to a PDF file: the title as the "
        "program's window shows it for FILE, the stored column options applied."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral("The PDF file to write, its name ending in "
                                                ".pdf (only a regular file is replaced)."));
    QStringList names;
    for (int t = 0; t < radio::tab::kCount; ++t)
        names << QString::fromLatin1(radio::TabKey(t));
    const QCommandLineOption tabOption(
        QStringLiteral("tab"),
        QStringLiteral("The table to print: %1 (default memories).").arg(names.join(u'|')),
        QStringLiteral("NAME"), QStringLiteral("memories"));
    const QCommandLineOption pagesOption(QStringLiteral("pages"),
                                         QStringLiteral("Print only these pages."),
                                         QStringLiteral("FROM-TO"));
    const QCommandLineOption rowsOption(
        QStringLiteral("rows"),
        QStringLiteral("Print these rows as a selection (columns up to 18)."),
        QStringLiteral("FROM-TO"));
    parser.addOptions({tabOption, pagesOption, rowsOption});
    QStringList arguments = app.arguments();
    if (!arguments.isEmpty())
        arguments[0] = QStringLiteral("clonara-cli print");
    if (!parser.parse(arguments))
        return Fail(parser.errorText(), 2);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser)), stdout);
        return 0;
    }
    const QStringList positionals = parser.positionalArguments();
    if (positionals.size() != 2)
        return Fail(HelpText(parser), 2);
    // The pages are a PDF document: a file named otherwise would hide it.
    if (QFileInfo(positionals[1]).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        return Fail(QStringLiteral("The pages are written as a PDF file: OUT must end in .pdf, "
                                   "not %1")
                        .arg(positionals[1]),
                    2);

    const int tab = radio::TabByKey(parser.value(tabOption));
    if (tab < 0)
        return Fail(QStringLiteral("Unknown tab %1; choose one of %2.")
                        .arg(parser.value(tabOption), names.join(QStringLiteral(", "))),
                    2);
    widgets::gridprint::Range range = widgets::gridprint::Range::All;
    int from = 1;
    int to = 1;
    if (parser.isSet(pagesOption) && parser.isSet(rowsOption))
        return Fail(QStringLiteral("Give --pages or --rows, not both."), 2);
    if (parser.isSet(pagesOption)) {
        if (!ParseSpan(parser.value(pagesOption), &from, &to))
            return Fail(QStringLiteral("Pages are FROM-TO, counted from 1."), 2);
        range = widgets::gridprint::Range::Pages;
    }
    if (parser.isSet(rowsOption)) {
        if (!ParseSpan(parser.value(rowsOption), &from, &to))
            return Fail(QStringLiteral("Rows are FROM-TO, counted from 1."), 2);
        range = widgets::gridprint::Range::Selection;
    }

    auto doc = std::make_shared<document::RadioDocument>();
    // "-" reads the document from standard input.
    const QString absolute = positionals[0] == QLatin1String(outside::kStandardInput)
                                 ? positionals[0]
                                 : QFileInfo(positionals[0]).absoluteFilePath();
    if (const auto error = doc->Load(absolute))
        return Fail(error->text);
    // Named as the program's window names a file it opened.
    doc->SetFileName(absolute);
    const QString out = positionals[1];
    if (const auto error = document::filesave::CheckTarget(out))
        return Fail(error->text);

    editor::MainView view(doc);
    view.SetCurrentTab(tab);
    outside::CellStore& grid = view.Cells(tab);
    if (range == widgets::gridprint::Range::Selection) {
        if (to > grid.MaxRows())
            return Fail(QStringLiteral("The table has %1 rows.").arg(grid.MaxRows()));
        grid.SelectBlock(outside::GridBlock::Rows(from, to, 1, grid.MaxCols()));
    }
    const widgets::gridprint::Job job = view.PrintJob(range, from, to);
    QByteArray pdf;
    switch (widgets::gridprint::PrintPdf(grid, job, &pdf)) {
    case widgets::gridprint::Outcome::Printed:
        break;
    case widgets::gridprint::Outcome::NoSuchPages:
        return Fail(QString::fromLatin1(widgets::res::kNoSuchPages));
    default:
        return Fail(QString::fromLatin1(widgets::res::kPrintFailed));
    }
    // Written whole or not at all.
    if (const auto error = document::filesave::Save(out, pdf))
        return Fail(error->text);
    return 0;
}

} // namespace

// Qt's own notes about the desktop session (no runtime folder, no screen)
// mean nothing to a command-line user: only its errors go to stderr.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
}

int main(int argc, char** argv) {
    // A command-line program: it needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Clonara"));
    QApplication::setOrganizationName(QStringLiteral("Tessaly"));
    outside::AcceptStandardInput(true);
    settings::radiotext::Install();
    return Run(app);
}
