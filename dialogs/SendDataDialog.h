// The upload dialog "Send data to": once its port is open the document's
// image is made ready to send (split tone mark, the remembered radio header,
// checksums); OK starts the transfer, which runs to its end or until Cancel.
#pragma once

#include "dialogs/TransferDialog.h"
#include "settings/RadioSettings.h"

#include <array>

namespace document {
class RadioDocument;
}
class QPushButton;

namespace radiolink {
class CloneUpload;
}

namespace dialogs {

class SendDataDialog : public TransferDialog {
    Q_OBJECT

public:
    // origin says which settings go in (and warns when the named file was
    // not there); empty texts show no such lines.
    explicit SendDataDialog(document::RadioDocument& doc,
                            const settings::rsf::SettingsOrigin& origin = {},
                            QWidget* parent = nullptr);
    ~SendDataDialog() override;

    QPushButton* OkButton() const;
    // Whether the image began to go to the radio (OK was pressed).
    bool Started() const;
    // The image as it goes to the radio, stamped; valid once the port was
    // open.
    const std::array<radiolink::Byte, radiolink::kImageSize>& SentImage() const { return m_sent; }

protected:
    std::unique_ptr<radiolink::CloneTransfer>
    MakeTransfer(std::unique_ptr<radiolink::SerialPort> port) override;

private:
    // OK: starts the transfer once; the button stays disabled from then on,
    // since a second start would begin again at byte 0 with the radio
    // half-way through.
    void StartTransfer();

    document::RadioDocument& m_doc;
    radiolink::CloneUpload* m_upload = nullptr;
    std::array<radiolink::Byte, radiolink::kImageSize> m_sent{};
};

} // namespace dialogs
