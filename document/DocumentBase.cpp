#include "document/DocumentBase.h"

#include <QFileInfo>

namespace document {

void DocumentBase::SetFileName(const QString& path) {
    if (path != m_path) {
        m_path = path;
        emit fileNameChanged(m_path);
    }
    SetTitle(QFileInfo(path).fileName());
}

void DocumentBase::SetTitle(const QString& title) {
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}

void DocumentBase::SetModified(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(m_modified);
}

} // namespace document
