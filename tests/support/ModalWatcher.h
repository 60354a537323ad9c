// Answers the modal dialogs a GUI action opens, the way a user would: it
// records each message box's caption and text and presses a button, and
// types a file name into file dialogs. Real widgets, no stand-ins.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

namespace testing_support {

struct SeenBox {
    QString caption;
    QString text;
};

class ModalWatcher : public QObject {
    Q_OBJECT

public:
    ModalWatcher();
    ~ModalWatcher() override;

    // Answers for the next message boxes, in order; when they run out,
    // boxes are answered with their default (or escape) button.
    void AnswerBoxes(QList<QMessageBox::StandardButton> answers) { m_answers = answers; }
    // File names for the next file dialogs, in order; an empty name cancels.
    void AnswerFiles(QStringList files) { m_files = files; }
    // Called for any other modal dialog; it must close it.
    void OnOtherDialog(std::function<void(QWidget*)> handler) { m_other = std::move(handler); }

    const QList<SeenBox>& Boxes() const { return m_boxes; }
    int FileDialogs() const { return m_fileDialogs; }
    void Clear() {
        m_boxes.clear();
        m_fileDialogs = 0;
    }

private:
    void Poll();

    QTimer m_timer;
    QList<QMessageBox::StandardButton> m_answers;
    QStringList m_files;
    QList<SeenBox> m_boxes;
    int m_fileDialogs = 0;
    std::function<void(QWidget*)> m_other;
};

} // namespace testing_support
