#include "widgets/LedSwatch.h"

#include "settings/DisplayOptions.h"

#include <QPainter>

namespace widgets {

LedSwatch::LedSwatch(QWidget* parent) : QWidget(parent) {}

void LedSwatch::SetColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void LedSwatch::LoadLevels(const radio::Byte* levels) {
    const settings::rset::display::LedColour c = settings::rset::display::ReadLevels(levels);
    SetColour(QColor(c.red, c.green, c.blue));
}

void LedSwatch::SaveLevels(radio::Byte* levels) const {
    settings::rset::display::WriteLevels(levels,
                                         {m_colour.red(), m_colour.green(), m_colour.blue()});
}

void LedSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace widgets
