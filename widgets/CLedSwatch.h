// One LED colour beside its button: a circle in the colour, inscribed in
// the control, on the button face.
#pragma once

#include "radio/ImageLayout.h"

#include <QColor>
#include <QWidget>

class CLedSwatch : public QWidget {
    Q_OBJECT

public:
    explicit CLedSwatch(QWidget* parent = nullptr);

    QColor Colour() const { return m_colour; }
    void SetColour(const QColor& colour);

    // LED colour n (0 to 9) of a settings block, as the radio's levels.
    void LoadLevels(const vx7::Byte* block, int n);
    void SaveLevels(vx7::Byte* block, int n) const;

    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = Qt::black;
};
