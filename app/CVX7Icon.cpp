#include "app/CVX7Icon.h"

#include <QPainter>

CVX7Icon::CVX7Icon(QWidget* parent) : QWidget(parent) {
    setMinimumSize(80, 32);
}

QString CVX7Icon::Name() const {
    return QStringLiteral("CVX7Icon");
}

void CVX7Icon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter, Name());
}
