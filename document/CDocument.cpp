#include "document/CDocument.h"

#include <QFileInfo>

#include <algorithm>

void CDocument::SetPathName(const QString& path) {
    m_path = path;
    SetTitle(QFileInfo(path).fileName());
}

void CDocument::SetTitle(const QString& title) {
    if (title == m_title)
        return;
    m_title = title;
    Changed();
}

void CDocument::SetModifiedFlag(bool modified) {
    if (modified == m_modified)
        return;
    m_modified = modified;
    Changed();
}

void CDocument::AddView(QObject* view) {
    m_views.push_back(view);
}

void CDocument::RemoveView(QObject* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::Changed() const {
    if (m_changed)
        m_changed();
}
