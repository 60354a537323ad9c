// A bitmap shown at its own size: one screen pixel per pixel, black when set
// and white when clear, centred in the control on the window colour.
#pragma once

#include <QWidget>

#include <vector>

namespace widgets {

class PixelPreview : public QWidget {
    Q_OBJECT

public:
    // The most pixels a preview holds: an icon's 21 x 41.
    static constexpr int kMaxPixels = 861;

    explicit PixelPreview(QWidget* parent = nullptr);

    // The bitmap's size; every pixel starts clear. A size of more than
    // kMaxPixels pixels is refused.
    bool SetBitmapSize(int width, int height);
    int BitmapWidth() const { return m_width; }
    int BitmapHeight() const { return m_height; }
    int PixelCount() const { return static_cast<int>(m_pixels.size()); }

    // Pixels row by row; an index outside the bitmap reads clear and sets
    // nothing.
    bool Pixel(int index) const;
    void SetPixel(int index, bool set);
    const std::vector<bool>& Pixels() const { return m_pixels; }
    void SetPixels(const std::vector<bool>& pixels);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<bool> m_pixels;
};

} // namespace widgets
