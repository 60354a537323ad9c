// The pixel editor of the Icon/Font page: a small bitmap enlarged to fill the
// control in square cells, with grid lines between the cells and, when
// guides are on, the centre lines and a frame drawn over them.
//
// A click toggles a pixel; dragging on from it paints (or, when the click
// cleared the pixel, erases) every pixel the mouse passes. The arrow keys
// move a cursor and Space toggles the pixel under it. Every pixel the user
// changes is reported once, with its index and a flag that is false when
// the pixel became set and true when it became clear.
#pragma once

#include <QWidget>

#include <vector>

namespace widgets {

class PixelEditor : public QWidget {
    Q_OBJECT

public:
    explicit PixelEditor(QWidget* parent = nullptr);

    // The bitmap's columns and rows; every pixel starts clear.
    void SetDimensions(int columns, int rows);
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }

    // Pixels row by row; setting one from code raises no signal.
    bool Pixel(int index) const;
    void SetPixel(int index, bool set);

    bool ShowGuides() const { return m_guides; }
    void SetShowGuides(bool on);

    // The keyboard cursor, a pixel index.
    int Cursor() const { return m_cursor; }
    // The picture as text, a row per line, '#' for a set pixel and '.' for a
    // clear one: what a screen reader is offered beside the cursor's
    // "row R, column C, on".
    QString AsText() const;

    // The screen rectangle of a pixel's cell.
    QRect CellRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void pixelChanged(int index, bool cleared);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Tells a screen reader where the cursor is and what the picture holds.
    void Announce();
    int CellSize() const;
    QPoint Origin() const;
    // The pixel under a point of the control, or -1.
    int PixelAt(const QPoint& point) const;
    // Sets a pixel as the user asked; reports it when it changed.
    void Change(int index, bool set);

    int m_columns = 0;
    int m_rows = 0;
    std::vector<bool> m_pixels;
    bool m_guides = false;
    int m_cursor = 0;
    bool m_dragging = false;
    bool m_paintSet = true; // what a drag does to the pixels it passes
};

} // namespace widgets
