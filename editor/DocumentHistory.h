// The undo history of one document, shared by every window that shows it.
//
// A step remembers the bytes of the document's data block (header, clone
// image, comments) that one change altered, before and after, so undo and
// redo put the block back byte for byte. Every change a user makes runs
// through Record(); the views listen to blockRestored() and fill their grids
// again from the image.
//
// The modified flag follows the history: saving marks the current step as
// the clean one, and undoing or redoing back to it clears the flag.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class CMainDoc;
class QUndoStack;

class DocumentHistory : public QObject {
    Q_OBJECT

public:
    // The most steps kept; older ones are dropped.
    static constexpr int kStepLimit = 200;

    // The history of a document, made on first use; it lives as long as the
    // document does.
    static DocumentHistory& Of(CMainDoc& doc);

    QUndoStack* Stack() const { return m_stack; }

    // Runs change, which alters the document's block in place. When any byte
    // of the block changed, one step named text is kept (already done) and
    // the document is marked modified; returns whether anything changed.
    // A Record inside another one's change belongs to the outer step.
    bool Record(const QString& text, const std::function<void()>& change);

    // For changes that are made over several calls: Begin takes the block as
    // it is; End keeps one step for everything since, like Record. Begin and
    // End nest; only the outermost pair keeps a step.
    void Begin();
    bool End(const QString& text);

    // The document was replaced (a download, a new document): the steps are
    // dropped; modified says whether the replacement is unsaved.
    void Reset(bool modified);
    // The document was saved or loaded: this step is the clean one.
    void MarkClean();

    // Undo and redo, as the Edit menu runs them.
    void Undo();
    void Redo();

signals:
    // Undo or redo rewrote the block: grids must be filled again.
    void blockRestored();

private:
    explicit DocumentHistory(CMainDoc& doc);
    void FollowCleanState();

    CMainDoc& m_doc;
    QUndoStack* m_stack;
    int m_depth = 0;
    QByteArray m_before;
};
