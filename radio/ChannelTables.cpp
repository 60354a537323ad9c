// Placeholder for the channel tables; replaced by the grid work.
#include "radio/CVX7Radio.h"

namespace vx7 {
QString CVX7Radio::FormatExportLine(int, CSpreadSheet1&, QChar) {
    return m_textBuffer;
}
} // namespace vx7
