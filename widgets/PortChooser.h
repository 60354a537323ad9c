// The port chooser of "Comport setup" and of a first transfer: the machine's
// serial ports with their descriptions and makers, and a field that takes
// any device path (a pseudo-terminal of the radio simulator, a port that is
// not listed). The choice is remembered in the settings store's group "Settings", where the
// next transfer finds it.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;
class QTreeWidget;

namespace widgets {

class PortChooserDialog : public QDialog {
    Q_OBJECT

public:
    // Columns of the port list.
    enum Column { kDeviceColumn, kDescriptionColumn, kMakerColumn };

    // Starts with the remembered port in the field.
    explicit PortChooserDialog(QWidget* parent = nullptr);

    // The device path in the field.
    QString Device() const;
    void SetDevice(const QString& device);

    QTreeWidget* PortList() const { return m_list; }
    QLineEdit* DeviceField() const { return m_field; }

    // Lists the serial ports present now.
    void Rescan();

    // OK: a device that exists is remembered and the dialog ends; otherwise
    // the dialog says why and stays open.
    void accept() override;

private:
    QTreeWidget* m_list;
    QLineEdit* m_field;
};

// Lets the user choose the cable's port and remembers it. The chosen device
// path, or nullopt when the user cancelled.
std::optional<QString> SetupPort(QWidget* parent);

} // namespace widgets
