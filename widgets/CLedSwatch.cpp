#include "widgets/CLedSwatch.h"

#include "settings/DisplayOptions.h"

#include <QPainter>

CLedSwatch::CLedSwatch(QWidget* parent) : QWidget(parent) {}

void CLedSwatch::SetColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void CLedSwatch::LoadLevels(const vx7::Byte* levels) {
    const rset::display::LedColour c = rset::display::ReadLevels(levels);
    SetColour(QColor(c.red, c.green, c.blue));
}

void CLedSwatch::SaveLevels(vx7::Byte* levels) const {
    rset::display::WriteLevels(levels, {m_colour.red(), m_colour.green(), m_colour.blue()});
}

void CLedSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
