#include "app/RadioIcon.h"

#include <QPainter>

namespace app {

RadioIcon::RadioIcon(QWidget* parent) : QWidget(parent) {
    setMinimumSize(80, 32);
}

QString RadioIcon::Name() const {
    return QStringLiteral("RadioIcon");
}

void RadioIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter, Name());
}

} // namespace app
