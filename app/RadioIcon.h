// The program's own object class, served to the desktop over D-Bus: a small
// control that draws its bounds and its name.
#pragma once

#include <QWidget>

namespace app {

class RadioIcon : public QWidget {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tessaly.Clonara.CVX7Icon")

public:
    explicit RadioIcon(QWidget* parent = nullptr);

public slots:
    QString Name() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app
