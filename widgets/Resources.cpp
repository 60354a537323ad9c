#include "widgets/Resources.h"

namespace res {

QString MainWindowTitle(const QString& documentTitle) {
    return QStringLiteral("%1 - %2").arg(QString::fromLatin1(kAppTitle), documentTitle);
}

} // namespace res
