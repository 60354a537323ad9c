// The grid's own pages: a channel table laid out on paper (or a PDF) with
// the window's title centred at the top in 14 points, the page number centred
// at the bottom, half-inch margins, and the row labels and column headers on
// every page. Long tables break between rows; columns that do not fit the
// page's width go on following pages, with the frozen leading columns
// repeated. Hidden columns are left out.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace outside {
class CellStore;
}
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace widgets::gridprint {

constexpr const char* kAbortMessage = "Click cancel to abort printing.";
constexpr double kMarginInches = 0.5;
constexpr double kTitlePoints = 14;
constexpr double kCellPoints = 8;
// A selection prints the row labels and the columns up to this one.
constexpr int kSelectionLastColumn = 18;

enum class Range { All, Pages, Selection };

struct Job {
    QString title;
    Range range = Range::All;
    int fromPage = 1; // Pages: the first and last page, counted from 1
    int toPage = 1;
    int firstRow = 0; // Selection: the grid rows printed
    int lastRow = 0;
};

// The pages of a job on a printer's page: which rows and columns each shows.
class Layout {
public:
    // Everything (All and Pages) is the rows up to the last one holding a
    // value, with every column the grid shows (hidden ones left out, empty
    // ones kept). A selection is its rows with the columns up to
    // kSelectionLastColumn.
    Layout(const outside::CellStore& grid, const Job& job, QPagedPaintDevice& device);

    // The pages of the whole table; a range picks some of them.
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // The pages the job prints, counted from 1.
    QList<int> PagesToPrint() const;
    // Paints page (counted from 1) with the painter active on the printer.
    void PaintPage(QPainter& painter, int page) const;

private:
    struct Page {
        int firstRow;
        int lastRow; // firstRow - 1 when the table has no rows
        int band;    // the column band
    };
    int ColumnX(int band, int index) const;

    const outside::CellStore& m_grid;
    Job m_job;
    double m_width = 0; // the paintable area, in device pixels
    double m_height = 0;
    double m_titleHeight = 0;
    double m_footerHeight = 0;
    double m_headerHeight = 0;
    double m_rowHeight = 0;
    double m_labelWidth = 0;
    double m_padding = 0;
    QList<int> m_columns;      // printed grid columns, in order
    QList<double> m_widths;    // their widths
    int m_frozen = 0;          // leading entries of m_columns repeated on every band
    QList<QList<int>> m_bands; // indexes into m_columns, frozen ones first
    QList<Page> m_pages;
};

enum class Outcome { Printed, Cancelled, Failed, NoSuchPages };

// Prints the job on a printer as it is set up (printer, copies, paper) or
// on a PDF writer. keepGoing is asked after every page (pages done, pages in
// all); false cancels the job.
Outcome Print(const outside::CellStore& grid, const Job& job, QPagedPaintDevice& device,
              const std::function<bool(int, int)>& keepGoing = {});

// The job as a PDF document in memory (A4, as a printer's default page);
// pdf is left empty unless it printed.
Outcome PrintPdf(const outside::CellStore& grid, const Job& job, QByteArray* pdf);

// Sets the half-inch margins.
void SetMargins(QPagedPaintDevice& device);

} // namespace widgets::gridprint
