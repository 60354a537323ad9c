// The thin document base: path, title and the modified flag, each announced
// when it changes.
#pragma once

#include <QObject>
#include <QString>

class CDocument : public QObject {
    Q_OBJECT

public:
    CDocument() = default;
    ~CDocument() override = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const QString& GetPathName() const { return m_path; }
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);

signals:
    void fileNameChanged(const QString& path);
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

private:
    QString m_path;
    QString m_title = QStringLiteral("Untitled");
    bool m_modified = false;
};
