// One LED colour beside its button: a circle in the colour, inscribed in
// the control, on the button face.
#pragma once

#include "radio/ImageLayout.h"

#include <QColor>
#include <QWidget>

namespace widgets {

class LedSwatch : public QWidget {
    Q_OBJECT

public:
    explicit LedSwatch(QWidget* parent = nullptr);

    QColor Colour() const { return m_colour; }
    void SetColour(const QColor& colour);

    // The colour from, and into, the radio's three levels (red, green, blue).
    void LoadLevels(const radio::Byte* levels);
    void SaveLevels(radio::Byte* levels) const;

    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = Qt::black;
};

} // namespace widgets
