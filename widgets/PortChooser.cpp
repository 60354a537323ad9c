#include "widgets/PortChooser.h"
#include "widgets/Mnemonics.h"

#include "link/LinkProtocol.h"
#include "link/SerialPort.h"
#include "settings/ComPortSetting.h"
#include "settings/SettingsStore.h"
#include "widgets/Resources.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cerrno>

namespace widgets {

namespace {

constexpr const char* kCaption = "Comport setup";

// The maker of a port's adapter: the name it reports and, for USB, its
// vendor and product numbers.
QString MakerOf(const QSerialPortInfo& info) {
    QString maker = info.manufacturer().trimmed();
    if (info.hasVendorIdentifier()) {
        QString ids =
            QStringLiteral("USB %1").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'));
        if (info.hasProductIdentifier())
            ids += QStringLiteral(":%1").arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        maker = maker.isEmpty() ? ids : maker + QStringLiteral(" (") + ids + QLatin1Char(')');
    }
    return maker;
}

} // namespace

PortChooserDialog::PortChooserDialog(QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget), m_field(new QLineEdit) {
    setObjectName(QStringLiteral("PortChooser"));
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* intro = new QLabel(QStringLiteral("Choose the serial port of the radio's cable, or type "
                                            "the path of any serial device."));
    intro->setWordWrap(true);

    m_list->setAccessibleName(QStringLiteral("Serial ports"));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels(
        {QStringLiteral("Port"), QStringLiteral("Description"), QStringLiteral("Maker")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(true);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            m_field->setText(item->text(kDeviceColumn));
    });
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        m_field->setText(item->text(kDeviceColumn));
        accept();
    });

    m_field->setObjectName(QStringLiteral("DeviceField"));
    m_field->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    m_field->setClearButtonEnabled(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Device:"), m_field);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* rescan =
        buttons->addButton(QStringLiteral("&Rescan"), QDialogButtonBox::ResetRole);
    rescan->setAutoDefault(false);
    connect(rescan, &QPushButton::clicked, this, &PortChooserDialog::Rescan);
    connect(buttons, &QDialogButtonBox::accepted, this, &PortChooserDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PortChooserDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);

    Rescan();
    SetDevice(settings::StoredPort());
    m_field->setFocus();
    resize(560, 320);
    AssignMnemonics(this);
}

QString PortChooserDialog::Device() const {
    return m_field->text().trimmed();
}

void PortChooserDialog::SetDevice(const QString& device) {
    m_field->setText(device);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->text(kDeviceColumn) == device) {
            const QSignalBlocker quiet(m_list);
            m_list->setCurrentItem(item);
        }
    }
}

void PortChooserDialog::Rescan() {
    const QString device = Device();
    m_list->clear();
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(kDeviceColumn, info.systemLocation());
        item->setText(kDescriptionColumn, info.description());
        item->setText(kMakerColumn, MakerOf(info));
        if (!info.serialNumber().isEmpty())
            item->setToolTip(kMakerColumn, QStringLiteral("Serial number ") + info.serialNumber());
    }
    for (int c = 0; c < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
    SetDevice(device);
}

void PortChooserDialog::accept() {
    const QString device = Device();
    if (device.isEmpty()) {
        QMessageBox::information(this, QString::fromLatin1(kCaption),
                                 QStringLiteral("Choose a port from the list or type the path "
                                                "of a serial device."));
        return;
    }
    if (!QFileInfo::exists(device)) {
        QMessageBox::warning(this, QString::fromLatin1(radiolink::kComPortErrorCaption),
                             radiolink::MakePortOpenError(device, ENOENT).text);
        return;
    }
    if (!settings::RememberComPort(device)) {
        // The choice still holds for the transfer that asked for it.
        QMessageBox::warning(this, QString::fromLatin1(widgets::res::kAppTitle),
                             QString::fromLatin1(settings::kCannotWriteStore));
    }
    QDialog::accept();
}

std::optional<QString> SetupPort(QWidget* parent) {
    PortChooserDialog chooser(parent);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.Device();
}

} // namespace widgets
