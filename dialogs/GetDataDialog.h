// The download dialog "Get data from": waits for the radio in clone mode to
// send its memory, shows the progress, and on success holds the image,
// checked against its checksum.
#pragma once

#include "dialogs/TransferDialog.h"

#include <array>

namespace radiolink {
class CloneDownload;
}

namespace dialogs {

class GetDataDialog : public TransferDialog {
    Q_OBJECT

public:
    explicit GetDataDialog(QWidget* parent = nullptr);
    ~GetDataDialog() override;

    // The image received; whole and checked once exec() returned Accepted.
    const std::array<radiolink::Byte, radiolink::kImageSize>& Image() const;

protected:
    std::unique_ptr<radiolink::CloneTransfer>
    MakeTransfer(std::unique_ptr<radiolink::SerialPort> port) override;
    // The radio sends unasked: the transfer runs as soon as the port is open.
    void OnPortOpen() override { StartDriving(); }

private:
    radiolink::CloneDownload* m_download = nullptr;
};

} // namespace dialogs
