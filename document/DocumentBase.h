// The thin document base: path, title and the modified flag, each announced
// when it changes.
#pragma once

#include <QObject>
#include <QString>

namespace document {

class DocumentBase : public QObject {
    Q_OBJECT

public:
    DocumentBase() = default;
    ~DocumentBase() override = default;
    DocumentBase(const DocumentBase&) = delete;
    DocumentBase& operator=(const DocumentBase&) = delete;

    const QString& FileName() const { return m_path; }
    void SetFileName(const QString& path);
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true);

signals:
    void fileNameChanged(const QString& path);
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);

private:
    QString m_path;
    QString m_title = QStringLiteral("Untitled");
    bool m_modified = false;
};

} // namespace document
