// The thin document base: path, title, the modified flag and the views that
// show the document. The desktop program listens to the change callback to
// update window titles.
#pragma once

#include <QString>

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const QString& GetPathName() const { return m_path; }
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);

    void AddView(QObject* view);
    void RemoveView(QObject* view);
    QObject* FirstView() const { return m_views.empty() ? nullptr : m_views.front(); }

    // Called whenever the title or the modified flag changes.
    void SetChangeCallback(std::function<void()> callback) { m_changed = std::move(callback); }

    // An object that lives and dies with the document, made by a layer above
    // (the desktop program keeps the document's undo history here).
    QObject* Companion() const { return m_companion.get(); }
    void SetCompanion(std::unique_ptr<QObject> companion) { m_companion = std::move(companion); }

private:
    void Changed() const;

    QString m_path;
    QString m_title = QStringLiteral("Untitled");
    bool m_modified = false;
    std::vector<QObject*> m_views;
    std::function<void()> m_changed;
    std::unique_ptr<QObject> m_companion;
};
