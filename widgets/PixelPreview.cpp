#include "widgets/PixelPreview.h"

#include <QPainter>

namespace widgets {

namespace {
constexpr int kMargin = 4;
}

PixelPreview::PixelPreview(QWidget* parent) : QWidget(parent) {}

bool PixelPreview::SetBitmapSize(int width, int height) {
    if (width < 0 || height < 0 || width * height > kMaxPixels)
        return false;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<size_t>(width * height), false);
    updateGeometry();
    update();
    return true;
}

bool PixelPreview::Pixel(int index) const {
    return index >= 0 && index < PixelCount() && m_pixels[static_cast<size_t>(index)];
}

void PixelPreview::SetPixel(int index, bool set) {
    if (index < 0 || index >= PixelCount() || m_pixels[static_cast<size_t>(index)] == set)
        return;
    m_pixels[static_cast<size_t>(index)] = set;
    update();
}

void PixelPreview::SetPixels(const std::vector<bool>& pixels) {
    for (int i = 0; i < PixelCount(); ++i)
        m_pixels[static_cast<size_t>(i)] =
            i < static_cast<int>(pixels.size()) && pixels[static_cast<size_t>(i)];
    update();
}

QSize PixelPreview::sizeHint() const {
    return {m_width + 2 * kMargin, m_height + 2 * kMargin};
}

void PixelPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const int left = (width() - m_width) / 2;
    const int top = (height() - m_height) / 2;
    QImage image(m_width, m_height, QImage::Format_RGB32);
    for (int i = 0; i < PixelCount(); ++i)
        image.setPixel(i % m_width, i / m_width,
                       m_pixels[static_cast<size_t>(i)] ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    painter.drawImage(left, top, image);
}

} // namespace widgets
