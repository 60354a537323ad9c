#include "widgets/PixelEditor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace widgets {

namespace {
constexpr int kPreferredCell = 8;
constexpr int kSmallestCell = 3;
const QColor kGridColour(192, 192, 192);
const QColor kGuideColour(0, 96, 255);
const QColor kCursorColour(255, 0, 0);
} // namespace

PixelEditor::PixelEditor(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelEditor::SetDimensions(int columns, int rows) {
    m_columns = std::max(columns, 0);
    m_rows = std::max(rows, 0);
    m_pixels.assign(static_cast<size_t>(m_columns * m_rows), false);
    m_cursor = 0;
    updateGeometry();
    update();
    Announce();
}

QString PixelEditor::AsText() const {
    QStringList rows;
    for (int r = 0; r < m_rows; ++r) {
        QString row;
        for (int c = 0; c < m_columns; ++c)
            row += Pixel(r * m_columns + c) ? QLatin1Char('#') : QLatin1Char('.');
        rows << row;
    }
    return rows.join(QLatin1Char('\n'));
}

void PixelEditor::Announce() {
    if (m_columns <= 0)
        return;
    setAccessibleDescription(
        QStringLiteral("row %1, column %2, %3\n%4")
            .arg(m_cursor / m_columns + 1)
            .arg(m_cursor % m_columns + 1)
            .arg(Pixel(m_cursor) ? QStringLiteral("on") : QStringLiteral("off"), AsText()));
}

bool PixelEditor::Pixel(int index) const {
    return index >= 0 && index < static_cast<int>(m_pixels.size()) &&
           m_pixels[static_cast<size_t>(index)];
}

void PixelEditor::SetPixel(int index, bool set) {
    if (index < 0 || index >= static_cast<int>(m_pixels.size()) ||
        m_pixels[static_cast<size_t>(index)] == set)
        return;
    m_pixels[static_cast<size_t>(index)] = set;
    update(CellRect(index));
    Announce();
}

void PixelEditor::SetShowGuides(bool on) {
    if (m_guides == on)
        return;
    m_guides = on;
    update();
}

int PixelEditor::CellSize() const {
    if (m_columns <= 0 || m_rows <= 0)
        return 0;
    return std::max(1, std::min((width() - 1) / m_columns, (height() - 1) / m_rows));
}

QPoint PixelEditor::Origin() const {
    const int cell = CellSize();
    return {(width() - cell * m_columns) / 2, (height() - cell * m_rows) / 2};
}

QRect PixelEditor::CellRect(int index) const {
    if (m_columns <= 0 || index < 0 || index >= static_cast<int>(m_pixels.size()))
        return {};
    const int cell = CellSize();
    const QPoint origin = Origin();
    return {origin.x() + index % m_columns * cell, origin.y() + index / m_columns * cell, cell,
            cell};
}

int PixelEditor::PixelAt(const QPoint& point) const {
    const int cell = CellSize();
    if (cell <= 0)
        return -1;
    const QPoint p = point - Origin();
    if (p.x() < 0 || p.y() < 0)
        return -1;
    const int col = p.x() / cell;
    const int row = p.y() / cell;
    if (col >= m_columns || row >= m_rows)
        return -1;
    return row * m_columns + col;
}

QSize PixelEditor::sizeHint() const {
    return {m_columns * kPreferredCell + 1, m_rows * kPreferredCell + 1};
}

QSize PixelEditor::minimumSizeHint() const {
    return {m_columns * kSmallestCell + 1, m_rows * kSmallestCell + 1};
}

void PixelEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const int cell = CellSize();
    if (cell <= 0)
        return;
    const QPoint origin = Origin();
    const int w = cell * m_columns;
    const int h = cell * m_rows;
    painter.fillRect(origin.x(), origin.y(), w, h, Qt::white);
    for (int i = 0; i < static_cast<int>(m_pixels.size()); ++i)
        if (m_pixels[static_cast<size_t>(i)])
            painter.fillRect(CellRect(i), Qt::black);

    // Grid lines: thin and light, on the left and top edge of every cell.
    painter.setPen(QPen(kGridColour, 0));
    for (int c = 0; c <= m_columns; ++c)
        painter.drawLine(origin.x() + c * cell, origin.y(), origin.x() + c * cell, origin.y() + h);
    for (int r = 0; r <= m_rows; ++r)
        painter.drawLine(origin.x(), origin.y() + r * cell, origin.x() + w, origin.y() + r * cell);

    // Guides: the centre lines and the frame, wider and in colour. An odd
    // count has its centre line through the middle of the centre cells.
    if (m_guides) {
        QPen pen(kGuideColour, 2);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        const int cx = origin.x() + m_columns * cell / 2;
        const int cy = origin.y() + m_rows * cell / 2;
        painter.drawLine(cx, origin.y(), cx, origin.y() + h);
        painter.drawLine(origin.x(), cy, origin.x() + w, cy);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(origin.x(), origin.y(), w, h).adjusted(1, 1, -1, -1));
    }

    if (hasFocus() && !m_pixels.empty()) {
        painter.setPen(QPen(kCursorColour, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellRect(m_cursor).adjusted(1, 1, -2, -2));
    }
}

void PixelEditor::Change(int index, bool set) {
    if (index < 0 || index >= static_cast<int>(m_pixels.size()) ||
        m_pixels[static_cast<size_t>(index)] == set)
        return;
    m_pixels[static_cast<size_t>(index)] = set;
    update(CellRect(index));
    Announce();
    emit pixelChanged(index, !set);
}

void PixelEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int index = PixelAt(event->position().toPoint());
    if (index < 0)
        return;
    const QRect before = CellRect(m_cursor);
    m_cursor = index;
    update(before);
    m_paintSet = !Pixel(index);
    m_dragging = true;
    Change(index, m_paintSet);
}

void PixelEditor::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int index = PixelAt(event->position().toPoint());
    if (index >= 0)
        Change(index, m_paintSet);
}

void PixelEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}

void PixelEditor::keyPressEvent(QKeyEvent* event) {
    if (m_pixels.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    int col = m_cursor % m_columns;
    int row = m_cursor / m_columns;
    switch (event->key()) {
    case Qt::Key_Left:
        col = std::max(col - 1, 0);
        break;
    case Qt::Key_Right:
        col = std::min(col + 1, m_columns - 1);
        break;
    case Qt::Key_Up:
        row = std::max(row - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(row + 1, m_rows - 1);
        break;
    case Qt::Key_Space:
        Change(m_cursor, !Pixel(m_cursor));
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const QRect before = CellRect(m_cursor);
    m_cursor = row * m_columns + col;
    update(before);
    update(CellRect(m_cursor));
    Announce();
}

} // namespace widgets
