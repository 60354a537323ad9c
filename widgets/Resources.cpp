#include "widgets/Resources.h"

namespace widgets::res {

QString MainWindowTitle(const QString& documentTitle) {
    return QStringLiteral("%1 - %2").arg(QString::fromLatin1(kAppTitle), documentTitle);
}

} // namespace widgets::res
