#include "dialogs/TransferDialog.h"
#include "widgets/Mnemonics.h"

#include "link/SerialPort.h"
#include "settings/ComPortSetting.h"
#include "widgets/HelpWindow.h"
#include "widgets/PortChooser.h"
#include "widgets/Resources.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace radiolink;

namespace dialogs {

namespace {

// The caption of the box that reports how a transfer failed.
QString FailureCaption(const QString& message) {
    if (message == QLatin1String(kCommError))
        return QString::fromLatin1(kCommErrorCaption);
    if (message == QLatin1String(kChecksumError) || message == QLatin1String(kCommunicationTimeout))
        return QString::fromLatin1(widgets::res::kAppTitle);
    // The line's own text: a read or write failed.
    return QString::fromLatin1(kIoErrorCaption);
}

} // namespace

TransferDialog::TransferDialog(const char* caption, const QStringList& instructions, int helpTopic,
                               std::chrono::milliseconds tick, QWidget* parent)
    : QDialog(parent), m_helpTopic(helpTopic), m_tick(tick), m_steps(new QVBoxLayout),
      m_portLabel(new QLabel), m_progress(new QProgressBar), m_byteCount(new QLineEdit),
      m_buttons(new QDialogButtonBox(Qt::Vertical)) {
    setWindowTitle(QString::fromLatin1(caption));
    // A title and a close button (which cancels), nothing to resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    QVBoxLayout* steps = m_steps;
    steps->setSpacing(6);
    for (const QString& text : instructions) {
        auto* label = new QLabel(text);
        label->setTextFormat(Qt::PlainText);
        steps->addWidget(label);
    }
    steps->addSpacing(4);
    m_portLabel->setObjectName(QStringLiteral("PortLabel"));
    m_portLabel->setEnabled(false); // shown greyed: information, not an instruction
    steps->addWidget(m_portLabel);
    steps->addStretch(1);

    m_progress->setRange(0, kImageSize);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setMinimumWidth(300);

    m_byteCount->setObjectName(QStringLiteral("ByteCount"));
    m_byteCount->setAccessibleName(QStringLiteral("Bytes transferred"));
    m_byteCount->setMaxLength(dialogs::kByteCountLength);
    m_byteCount->setEnabled(false);
    m_byteCount->setAlignment(Qt::AlignRight);
    m_byteCount->setText(QStringLiteral("0"));
    m_byteCount->setFixedWidth(m_byteCount->fontMetrics().horizontalAdvance(
                                   QString(dialogs::kByteCountLength + 1, QLatin1Char('0'))) +
                               12);

    auto* progressRow = new QHBoxLayout;
    progressRow->setSpacing(8);
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_byteCount);

    m_buttons->addButton(QDialogButtonBox::Cancel);
    widgets::HelpWindow::AddHelpButton(m_buttons);
    for (QAbstractButton* button : m_buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);
    }
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, &TransferDialog::ShowHelp);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &TransferDialog::ShowHelp);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(12);
    grid->addLayout(steps, 0, 0);
    grid->addLayout(progressRow, 1, 0);
    grid->addWidget(m_buttons, 0, 1, 2, 1, Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    widgets::AssignMnemonics(this);
}

TransferDialog::~TransferDialog() = default;

QPushButton* TransferDialog::CancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

QPushButton* TransferDialog::HelpButton() const {
    return m_buttons->button(QDialogButtonBox::Help);
}

int TransferDialog::exec() {
    std::unique_ptr<radiolink::SerialPort> port = OpenPort();
    if (port)
        m_transfer = MakeTransfer(std::move(port));
    if (!m_transfer) {
        setResult(Rejected);
        return Rejected;
    }
    m_portLabel->setText(QStringLiteral("Port: ") + m_device);
    m_driver = std::make_unique<TransferDriver>(*m_transfer, m_tick);
    connect(m_driver.get(), &TransferDriver::progress, this, &TransferDialog::OnProgress);
    connect(m_driver.get(), &TransferDriver::ended, this, &TransferDialog::OnEnded);
    OnPortOpen();
    if (!m_transfer->IsRunning()) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

std::unique_ptr<radiolink::SerialPort> TransferDialog::OpenPort() {
    // The dialog is not on the screen yet: its owner carries the chooser and
    // the messages.
    QWidget* owner = parentWidget();
    QString device = settings::StoredPort();
    if (device.isEmpty()) {
        const std::optional<QString> chosen = widgets::SetupPort(owner);
        if (!chosen)
            return nullptr;
        device = *chosen;
    }
    auto port = std::make_unique<radiolink::SerialPort>();
    port->SetPort(device);
    if (const std::optional<radiolink::PortError> error = port->OpenForClone()) {
        if (error->kind != radiolink::PortError::Kind::NoPort) {
            m_failure = error->text;
            QMessageBox::warning(owner, QString::fromLatin1(kComPortErrorCaption), error->text);
        }
        return nullptr;
    }
    m_device = device;
    return port;
}

QLabel* TransferDialog::AddNote(const QString& text, const QString& objectName, bool warning) {
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (warning) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    m_steps->insertWidget(m_steps->indexOf(m_portLabel), label);
    return label;
}

void TransferDialog::StartDriving() {
    if (m_driver)
        m_driver->Start();
}

void TransferDialog::done(int result) {
    if (!m_closing) {
        m_closing = true;
        // Cancelling closes the port; a transfer that has ended closed it.
        if (m_driver && m_transfer && m_transfer->IsRunning())
            m_driver->Cancel();
    }
    QDialog::done(result);
}

void TransferDialog::ShowHelp() {
    widgets::HelpWindow::ShowTopic(m_helpTopic, this);
}

void TransferDialog::OnProgress(int position) {
    m_progress->setValue(position);
    m_byteCount->setText(QString::number(position));
}

void TransferDialog::OnEnded(TransferState state, const QString& message) {
    if (m_closing)
        return; // the dialog is ending already and cancelled the transfer
    switch (state) {
    case TransferState::Succeeded:
        accept();
        break;
    case TransferState::Failed:
        m_failure = message;
        QMessageBox::warning(this, FailureCaption(message), message);
        reject();
        break;
    case TransferState::Cancelled:
        reject();
        break;
    case TransferState::Running:
        break;
    }
}

} // namespace dialogs
