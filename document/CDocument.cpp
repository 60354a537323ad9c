#include "document/CDocument.h"

#include <QFileInfo>

void CDocument::SetPathName(const QString& path) {
    if (path != m_path) {
        m_path = path;
        emit fileNameChanged(m_path);
    }
    SetTitle(QFileInfo(path).fileName());
}

void CDocument::SetTitle(const QString& title) {
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(m_title);
}

void CDocument::SetModifiedFlag(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(m_modified);
}
