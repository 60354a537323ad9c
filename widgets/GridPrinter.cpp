#include "widgets/GridPrinter.h"

#include "outside/CellStore.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace widgets::gridprint {

namespace {

using Kind = outside::CellStore::CellKind;

QFont Font(double points, const QPaintDevice* device) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(points);
    return QFont(font, device);
}

// The last row holding a value in any cell; 0 when none does.
int LastUsedRow(const outside::CellStore& grid) {
    for (int row = grid.MaxRows(); row >= 1; --row) {
        for (int col = 1; col <= grid.MaxCols(); ++col) {
            if (!grid.Text(col, row).isEmpty())
                return row;
        }
    }
    return 0;
}

} // namespace

void SetMargins(QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                          QPageLayout::Inch);
}

Layout::Layout(const outside::CellStore& grid, const Job& job, QPagedPaintDevice& device)
    : m_grid(grid), m_job(job) {
    const QRectF paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
    m_width = paint.width();
    m_height = paint.height();

    const QFontMetricsF cell(Font(kCellPoints, &device), &device);
    const QFontMetricsF title(Font(kTitlePoints, &device), &device);
    m_padding = std::ceil(cell.averageCharWidth() * 0.6);
    m_titleHeight = title.height() * 1.6;
    m_footerHeight = cell.height() * 2;
    m_rowHeight = std::ceil(cell.height() + m_padding);

    // Rows and columns.
    int firstRow = 1;
    int lastRow = 0;
    int lastColumn = 0;
    if (job.range == Range::Selection) {
        firstRow = std::max(1, job.firstRow);
        lastRow = std::min(grid.MaxRows(), job.lastRow);
        lastColumn = std::min(grid.MaxCols(), kSelectionLastColumn);
    } else {
        // The rows in use, and every column the grid shows: a column
        // nothing has been typed into yet (a comment) is on screen too.
        lastRow = LastUsedRow(grid);
        lastColumn = grid.MaxCols();
    }
    for (int col = 1; col <= lastColumn; ++col) {
        if (grid.IsColumnHidden(col))
            continue;
        if (col <= grid.FrozenColumns())
            ++m_frozen;
        m_columns.append(col);
    }

    // Widths: the widest header line or cell text of the printed rows.
    int headerLines = 1;
    m_labelWidth = cell.horizontalAdvance(grid.Text(0, 0));
    for (int row = firstRow; row <= lastRow; ++row)
        m_labelWidth = std::max(m_labelWidth, cell.horizontalAdvance(grid.Text(0, row)));
    m_labelWidth += 2 * m_padding;
    for (int col : std::as_const(m_columns)) {
        double width = cell.height(); // a check box
        const QStringList lines = grid.Text(col, 0).split(QLatin1Char('\n'));
        headerLines = std::max(headerLines, static_cast<int>(lines.size()));
        for (const QString& line : lines)
            width = std::max(width, cell.horizontalAdvance(line));
        for (int row = firstRow; row <= lastRow; ++row) {
            if (grid.Kind(col, row) != Kind::CheckBox)
                width = std::max(width, cell.horizontalAdvance(grid.Text(col, row)));
        }
        m_widths.append(std::ceil(width + 2 * m_padding));
    }
    m_headerHeight = std::ceil(headerLines * cell.height() + m_padding);

    // Column bands: the frozen columns, then as many others as fit. Frozen
    // columns wider than half the page are not repeated.
    double frozenWidth = 0;
    for (int i = 0; i < m_frozen; ++i)
        frozenWidth += m_widths[i];
    const double usable = m_width - m_labelWidth;
    if (frozenWidth > usable / 2)
        m_frozen = 0;
    const double bandRoom = usable - (m_frozen > 0 ? frozenWidth : 0);
    QList<int> band;
    double used = 0;
    for (int i = m_frozen; i < m_columns.size(); ++i) {
        if (!band.isEmpty() && used + m_widths[i] > bandRoom) {
            m_bands.append(band);
            band.clear();
            used = 0;
        }
        band.append(i);
        used += m_widths[i];
    }
    if (!band.isEmpty() || m_bands.isEmpty())
        m_bands.append(band);
    for (QList<int>& b : m_bands) {
        for (int i = m_frozen - 1; i >= 0; --i)
            b.prepend(i);
    }

    // Row breaks: whole rows only.
    const double bodyHeight = m_height - m_titleHeight - m_footerHeight - m_headerHeight;
    const int rowsPerPage = std::max(1, static_cast<int>(bodyHeight / m_rowHeight));
    for (int b = 0; b < m_bands.size(); ++b) {
        if (lastRow < firstRow) {
            m_pages.append({firstRow, firstRow - 1, b});
            continue;
        }
        for (int row = firstRow; row <= lastRow; row += rowsPerPage)
            m_pages.append({row, std::min(lastRow, row + rowsPerPage - 1), b});
    }
}

QList<int> Layout::PagesToPrint() const {
    QList<int> pages;
    int from = 1;
    int to = PageCount();
    if (m_job.range == Range::Pages) {
        from = std::max(from, m_job.fromPage);
        to = std::min(to, m_job.toPage);
    }
    for (int page = from; page <= to; ++page)
        pages.append(page);
    return pages;
}

int Layout::ColumnX(int band, int index) const {
    double x = m_labelWidth;
    const QList<int>& columns = m_bands[band];
    for (int i = 0; i < index; ++i)
        x += m_widths[columns[i]];
    return static_cast<int>(x);
}

void Layout::PaintPage(QPainter& painter, int page) const {
    const Page& p = m_pages[page - 1];
    const QList<int>& band = m_bands[p.band];
    const QFont cellFont = Font(kCellPoints, painter.device());
    const QFont titleFont = Font(kTitlePoints, painter.device());

    painter.save();
    painter.setPen(Qt::black);
    // The title, centred at the top; the page number, centred at the bottom.
    painter.setFont(titleFont);
    painter.drawText(QRectF(0, 0, m_width, m_titleHeight), Qt::AlignHCenter | Qt::AlignTop,
                     m_job.title);
    painter.setFont(cellFont);
    painter.drawText(QRectF(0, m_height - m_footerHeight, m_width, m_footerHeight),
                     Qt::AlignHCenter | Qt::AlignBottom, QString::number(page));

    const double top = m_titleHeight;
    const double right = ColumnX(p.band, static_cast<int>(band.size()));
    const int rows = p.lastRow - p.firstRow + 1;
    const double bottom = top + m_headerHeight + rows * m_rowHeight;
    const QColor headerFill(224, 224, 224);
    const QPen gridPen(QColor(128, 128, 128), 0);
    const QPen textPen(Qt::black);
    const QPen mutedPen(QColor(128, 128, 128));

    // Header row and label column.
    painter.fillRect(QRectF(0, top, right, m_headerHeight), headerFill);
    painter.fillRect(QRectF(0, top, m_labelWidth, bottom - top), headerFill);
    painter.setPen(textPen);
    painter.drawText(QRectF(0, top, m_labelWidth, m_headerHeight), Qt::AlignCenter,
                     m_grid.Text(0, 0));
    for (int i = 0; i < band.size(); ++i) {
        const double x = ColumnX(p.band, i);
        painter.drawText(QRectF(x, top, m_widths[band[i]], m_headerHeight), Qt::AlignCenter,
                         m_grid.Text(m_columns[band[i]], 0));
    }

    for (int r = 0; r < rows; ++r) {
        const int row = p.firstRow + r;
        const double y = top + m_headerHeight + r * m_rowHeight;
        painter.setPen(textPen);
        painter.drawText(QRectF(m_padding, y, m_labelWidth - 2 * m_padding, m_rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, m_grid.Text(0, row));
        for (int i = 0; i < band.size(); ++i) {
            const int col = m_columns[band[i]];
            const QRectF cell(ColumnX(p.band, i), y, m_widths[band[i]], m_rowHeight);
            painter.setPen(m_grid.IsMuted(col, row) ? mutedPen : textPen);
            if (m_grid.Kind(col, row) == Kind::CheckBox) {
                const QString text = m_grid.Text(col, row);
                if (text.isEmpty())
                    continue;
                const double side = m_rowHeight - 2 * m_padding;
                const QRectF box(cell.center().x() - side / 2, cell.center().y() - side / 2, side,
                                 side);
                painter.drawRect(box);
                if (text == QLatin1String("1")) {
                    painter.drawLine(box.topLeft(), box.bottomRight());
                    painter.drawLine(box.topRight(), box.bottomLeft());
                }
                continue;
            }
            const Qt::Alignment align =
                m_grid.Kind(col, row) == Kind::Number ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(cell.adjusted(m_padding, 0, -m_padding, 0), align | Qt::AlignVCenter,
                             m_grid.Text(col, row));
        }
    }

    // The rules.
    painter.setPen(gridPen);
    painter.drawLine(QPointF(0, top), QPointF(right, top));
    for (int r = 0; r <= rows; ++r) {
        const double y = top + m_headerHeight + r * m_rowHeight;
        painter.drawLine(QPointF(0, y), QPointF(right, y));
    }
    painter.drawLine(QPointF(0, top), QPointF(0, bottom));
    for (int i = 0; i <= band.size(); ++i) {
        const double x = ColumnX(p.band, i);
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    }
    painter.restore();
}

Outcome Print(const outside::CellStore& grid, const Job& job, QPagedPaintDevice& device,
              const std::function<bool(int, int)>& keepGoing) {
    const Layout layout(grid, job, device);
    const QList<int> pages = layout.PagesToPrint();
    if (pages.isEmpty())
        return Outcome::NoSuchPages;
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (printer)
        printer->setDocName(job.title);
    QPainter painter;
    if (!painter.begin(&device))
        return Outcome::Failed;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return Outcome::Failed;
        }
        layout.PaintPage(painter, pages[i]);
        if (keepGoing && !keepGoing(i + 1, static_cast<int>(pages.size()))) {
            if (printer)
                printer->abort();
            painter.end();
            return Outcome::Cancelled;
        }
    }
    return painter.end() ? Outcome::Printed : Outcome::Failed;
}

Outcome PrintPdf(const outside::CellStore& grid, const Job& job, QByteArray* pdf) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Outcome outcome = Outcome::Failed;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(job.title);
        writer.setCreator(QStringLiteral("Clonara"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        SetMargins(writer);
        outcome = Print(grid, job, writer);
    }
    buffer.close();
    pdf->clear();
    if (outcome == Outcome::Printed)
        *pdf = bytes;
    return outcome;
}

} // namespace widgets::gridprint
