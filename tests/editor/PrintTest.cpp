// Printing a channel table: the pages go to PDF and a text extractor
// (pdftotext) reads them back: title, page numbers, page ranges, the
// selection's rows and columns, hidden columns, rows never split nor run
// into the footer, wide tables continued with the frozen columns repeated.
// The print commands run through the real print dialog and its abort box.
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "radio/ChannelColumns.h"
#include "settings/ColumnOptions.h"
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/GridPrinter.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractPrintDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

using namespace radio;

// Readable failures.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
using testing_support::ModalWatcher;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

using testing_support::DataPath;

// The text of each page of a PDF file.
QStringList PdfPages(const QString& path) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList Lines(const QString& page) {
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

// The row labels a page shows: the first word of each line between the title
// and the page number that is a label of the grid.
QStringList RowLabels(const QString& page, const outside::CellStore& grid) {
    QSet<QString> labels;
    for (int row = 1; row <= grid.MaxRows(); ++row)
        labels.insert(grid.Text(0, row));
    QStringList found;
    const QStringList lines = Lines(page);
    for (const QString& line : lines.mid(1, lines.size() - 2)) {
        const QString first = line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        if (labels.contains(first))
            found.append(first);
    }
    return found;
}

// Every full page's rows end above its footer, the blank line over the page
// number: the last row's words, centred in the row, lie half a row above the
// row's foot. Read from the words' boxes pdftotext gives, in points.
void ExpectRowsAboveTheFooter(const QString& path) {
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QStringList pages = QString::fromUtf8(run.readAllStandardOutput())
                                  .split(QStringLiteral("<page "), Qt::SkipEmptyParts)
                                  .mid(1);
    ASSERT_FALSE(pages.isEmpty());
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
                       "yMax=\"([0-9.]+)\">"));
    for (int p = 0; p < pages.size(); ++p) {
        QList<std::pair<double, double>> boxes; // top and foot of each word
        for (auto it = word.globalMatch(pages[p]); it.hasNext();) {
            const auto m = it.next();
            boxes.append({m.captured(1).toDouble(), m.captured(2).toDouble()});
        }
        std::sort(boxes.begin(), boxes.end());
        ASSERT_GE(boxes.size(), 3);
        const auto number = boxes.takeLast(); // the page number, lowest of all
        QList<double> rowTops;
        for (const auto& box : boxes) {
            if (rowTops.isEmpty() || box.first > rowTops.constLast() + 1)
                rowTops.append(box.first);
        }
        if (rowTops.size() < 20)
            continue; // a short last page
        const double pitch = rowTops.constLast() - rowTops[rowTops.size() - 2];
        const double foot = (boxes.constLast().first + boxes.constLast().second + pitch) / 2;
        const double lineHeight = number.second - number.first;
        EXPECT_LE(foot, number.first - lineHeight + 0.3) << "page " << p + 1;
    }
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        settings::OpenSettingsGroup()->remove(QString::fromLatin1(settings::kColumns));
    }
    void TearDown() override {
        settings::OpenSettingsGroup()->remove(QString::fromLatin1(settings::kColumns));
    }

    std::unique_ptr<editor::MainView> Open(const char* file) {
        auto doc = std::make_shared<document::RadioDocument>();
        EXPECT_FALSE(doc->Load(DataPath(file)).has_value());
        doc->SetFileName(DataPath(file)); // as File Open names it
        return std::make_unique<editor::MainView>(doc);
    }

    // The pages of a job on a view's current tab.
    QStringList Print(const editor::MainView& view, const widgets::gridprint::Job& job) {
        QByteArray pdf;
        EXPECT_EQ(widgets::gridprint::PrintPdf(view.Cells(view.CurrentTab()), job, &pdf),
                  widgets::gridprint::Outcome::Printed);
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        WriteFile(path, pdf);
        return PdfPages(path);
    }

    QTemporaryDir dir;
    ModalWatcher watcher;
};

TEST_F(PrintTest, EveryPageHasTheTitleItsNumberAndWholeRows) {
    auto view = Open("full.img");
    const outside::CellStore& grid = view->Cells(tab::kMemories);
    const QStringList pages = Print(*view, view->PrintJob(widgets::gridprint::Range::All));
    ASSERT_GE(pages.size(), 4);
    const QString title = QStringLiteral("Clonara - full.img");
    QStringList labels;
    for (int p = 0; p < pages.size(); ++p) {
        const QStringList lines = Lines(pages[p]);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.constFirst(), title) << p;
        EXPECT_EQ(lines.constLast(), QString::number(p + 1)) << "page number at the bottom";
        labels += RowLabels(pages[p], grid);
    }
    // Every used row is printed, none twice for one column band: the rows of
    // the first band's pages are the used rows in order.
    QStringList expected;
    for (int row = 1; row <= grid.MaxRows(); ++row)
        expected.append(grid.Text(0, row));
    ASSERT_GE(labels.size(), expected.size());
    EXPECT_EQ(labels.mid(0, expected.size()), expected);
    EXPECT_EQ(labels.size() % expected.size(), 0) << "each band prints every row once";
    ExpectRowsAboveTheFooter(dir.filePath(QStringLiteral("out.pdf")));
}

TEST_F(PrintTest, SelectionsPrintTheirRowsAndColumns) {
    auto view = Open("full.img");
    // Rows picked print their rows (the print dialog's test). On Hyper Memories a selection covers
    // columns 1 to 18 of its 40.
    view->SetCurrentTab(tab::kHyper);
    outside::CellStore& hyper = view->Cells(tab::kHyper);
    hyper.SelectBlock(outside::GridBlock::Rows(1, 2, 1, hyper.MaxCols()));
    const QStringList hyperPages =
        Print(*view, view->PrintJob(widgets::gridprint::Range::Selection));
    QString hyperText = hyperPages.join(QLatin1Char('\n'));
    EXPECT_TRUE(hyperText.contains(hyper.Text(18, 0).split(QLatin1Char('\n')).constLast()));
    EXPECT_FALSE(hyperText.contains(
        hyper.Text(hypercol::kLastFilled, 0).split(QLatin1Char('\n')).constLast()));
}

TEST_F(PrintTest, HiddenColumnsAreNotPrintedAndFrozenOnesRepeat) {
    // Name hidden, two frozen columns.
    ASSERT_TRUE(settings::StoreColumnOptions(settings::ColumnOptions::Make(1u << 4, 2)));
    auto view = Open("busy.rdf");
    const outside::CellStore& grid = view->Cells(tab::kMemories);
    ASSERT_TRUE(grid.IsColumnHidden(channelcol::kName));
    const QStringList pages = Print(*view, view->PrintJob(widgets::gridprint::Range::All));
    ASSERT_FALSE(pages.isEmpty());
    const QString text = pages.join(QLatin1Char('\n'));
    for (int row = 1; row <= grid.MaxRows(); ++row) {
        const QString name = grid.Text(channelcol::kName, row).trimmed();
        EXPECT_TRUE(name.size() < 4 || !text.contains(name)) << name.toStdString();
    }

    // Hyper Memories is wider than a page: every page starts with the
    // frozen column's header.
    view->SetCurrentTab(tab::kHyper);
    const outside::CellStore& hyper = view->Cells(tab::kHyper);
    const QStringList hyperPages = Print(*view, view->PrintJob(widgets::gridprint::Range::All));
    ASSERT_GE(hyperPages.size(), 2);
    const QString frozen = hyper.Text(1, 0).split(QLatin1Char('\n')).constFirst();
    for (const QString& page : hyperPages)
        EXPECT_TRUE(page.contains(frozen)) << page.toStdString();
    const QString last = hyper.Text(hyper.MaxCols(), 0).split(QLatin1Char('\n')).constLast();
    EXPECT_TRUE(hyperPages.join(QString()).contains(last)) << "the last column is not cut off";
}

// Every column the tab shows is printed, one nothing is typed into yet too:
// the Comment header stands on the page, and a comment under it. Hidden
// columns are left out, the comment column too when a stored value hides it.
TEST_F(PrintTest, TheColumnsTheTabShowsArePrinted) {
    auto doc = std::make_shared<document::RadioDocument>();
    editor::MainView view(doc);
    auto lines = [&] {
        return Lines(Print(view, view.PrintJob(widgets::gridprint::Range::All)).join(u'\n'));
    };
    EXPECT_TRUE(lines().filter(QStringLiteral("Comment")).size() == 1) << "no comment typed yet";
    doc->Radio().SetComment(tab::kMemories, 0, QStringLiteral("repeater-note"));
    view.RefreshGrids();
    // The header and the comment both end their lines: the last column.
    const QStringList printed = lines();
    const QString header = printed.filter(QStringLiteral("Comment")).value(0);
    const QString row = printed.filter(QStringLiteral("repeater-note")).value(0);
    EXPECT_TRUE(header.endsWith(QStringLiteral("Comment")) &&
                row.endsWith(QStringLiteral("repeater-note")))
        << header.toStdString() << "\n"
        << row.toStdString();

    // A value stored by hand may hide the comment column: not shown, not printed.
    ASSERT_TRUE(settings::StoreColumnOptions({1u << 16}));
    view.ApplyColumnOptions();
    const QString text = lines().join(u'\n');
    EXPECT_FALSE(text.contains(QStringLiteral("Comment")) ||
                 text.contains(QStringLiteral("repeater-note")));
    EXPECT_TRUE(text.contains(QStringLiteral("Mask")));
}

// Answers a print dialog by printing to a PDF file; remembers whether it
// offered the selection.
void PrintToFile(QWidget* modal, const QString& path, bool* offeredSelection,
                 QPrinter::PrintRange range = QPrinter::AllPages, int from = 0, int to = 0) {
    auto* dialog = qobject_cast<QPrintDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
    *offeredSelection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
    // As a user would: the file name typed into the dialog's field.
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(field, nullptr);
    field->setText(path);
    dialog->printer()->setOutputFileName(path);
    auto* selection = dialog->findChild<QAbstractButton*>(QStringLiteral("printSelection"));
    ASSERT_NE(selection, nullptr);
    *offeredSelection = *offeredSelection && selection->isEnabled();
    if (range == QPrinter::PageRange) {
        dialog->findChild<QAbstractButton*>(QStringLiteral("printRange"))->click();
        dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
        dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
    } else if (range == QPrinter::Selection) {
        selection->click();
    }
    dialog->accept();
}

TEST_F(PrintTest, FilePrintGoesThroughThePrintDialogToTheChosenFile) {
    auto view = Open("full.img");
    view->show();
    const QString path = dir.filePath(QStringLiteral("chosen.pdf"));
    bool offered = true;
    watcher.OnOtherDialog([&](QWidget* modal) {
        if (qobject_cast<QProgressDialog*>(modal))
            return; // the abort box while it prints
        PrintToFile(modal, path, &offered);
    });
    editor::DocumentCommands(*view).Print();
    EXPECT_FALSE(offered) << "no rows selected: no selection to offer";
    const QStringList pages = PdfPages(path);
    ASSERT_GE(pages.size(), 4);
    EXPECT_EQ(Lines(pages[0]).constFirst(), view->PrintTitle());

    // With rows selected the dialog offers the selection.
    view->Cells(tab::kMemories).SelectBlock(outside::GridBlock::Rows(3, 7, 1, 1));
    // The selection picked in the dialog: rows 3 to 7 only.
    watcher.OnOtherDialog([&](QWidget* modal) {
        if (!qobject_cast<QProgressDialog*>(modal))
            PrintToFile(modal, path, &offered, QPrinter::Selection);
    });
    editor::DocumentCommands(*view).Print();
    EXPECT_TRUE(offered);
    QStringList rows;
    for (const QString& page : PdfPages(path))
        rows += RowLabels(page, view->Cells(tab::kMemories));
    rows.removeDuplicates();
    EXPECT_EQ(rows, (QStringList{"3", "4", "5", "6", "7"}));

    // Pages 2 to 3 picked in the dialog.
    watcher.OnOtherDialog([&](QWidget* modal) {
        if (!qobject_cast<QProgressDialog*>(modal))
            PrintToFile(modal, path, &offered, QPrinter::PageRange, 2, 3);
    });
    editor::DocumentCommands(*view).Print();
    const QStringList range = PdfPages(path);
    ASSERT_EQ(range.size(), 2);
    EXPECT_EQ(Lines(range[0]).constLast(), QStringLiteral("2"));
    EXPECT_EQ(Lines(range[1]).constLast(), QStringLiteral("3"));

    // The page set-up picked in the dialog is the one printed on: landscape
    // Letter pages hold fewer rows, and none runs into the footer.
    watcher.OnOtherDialog([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            dialog->printer()->setPageSize(QPageSize(QPageSize::Letter));
            dialog->printer()->setPageOrientation(QPageLayout::Landscape);
            PrintToFile(modal, path, &offered);
        }
    });
    editor::DocumentCommands(*view).Print();
    const QStringList landscape = PdfPages(path);
    ASSERT_GE(landscape.size(), 4);
    EXPECT_LT(RowLabels(landscape[0], view->Cells(tab::kMemories)).size(),
              RowLabels(pages[0], view->Cells(tab::kMemories)).size());
    ExpectRowsAboveTheFooter(path);
}

TEST_F(PrintTest, TheAbortBoxCancelsPrinting) {
    auto view = Open("full.img");
    view->show();
    const QString path = dir.filePath(QStringLiteral("cancelled.pdf"));
    bool offered = false;
    QString abortText;
    watcher.OnOtherDialog([&](QWidget* modal) {
        if (auto* progress = qobject_cast<QProgressDialog*>(modal)) {
            abortText = progress->labelText();
            progress->cancel();
            return;
        }
        PrintToFile(modal, path, &offered);
    });
    QStringList messages;
    QObject::connect(view.get(), &editor::MainView::statusMessage,
                     [&messages](const QString& text) { messages.append(text); });
    editor::DocumentCommands(*view).Print();
    EXPECT_EQ(abortText, QStringLiteral("Click cancel to abort printing."));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Printing was cancelled")});
    EXPECT_FALSE(QFile::exists(path)) << "no half-written file";
}

TEST_F(PrintTest, PreviewShowsThePagesPrintWouldMake) {
    auto view = Open("full.img");
    view->show();
    const auto expected =
        static_cast<int>(Print(*view, view->PrintJob(widgets::gridprint::Range::All)).size());
    int shown = 0;
    watcher.OnOtherDialog([&shown](QWidget* modal) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(modal);
        ASSERT_NE(preview, nullptr);
        shown = preview->findChild<QPrintPreviewWidget*>()->pageCount();
        preview->reject();
    });
    editor::DocumentCommands(*view).PrintPreview();
    EXPECT_GE(expected, 4);
    EXPECT_EQ(shown, expected);
}

} // namespace
