// The undo history of one document, shared by every window that shows it.
//
// A step remembers the bytes of the document's data block (header, clone
// image, comments) that one change altered, before and after, so undo and
// redo put the block back byte for byte. Every change a user makes runs
// through Record(); the document then announces blockChanged(), and after
// undo or redo blockRestored(), and its windows fill their grids again.
//
// The modified flag follows the history: saving marks the current step as
// the clean one, and undoing or redoing back to it clears the flag.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

#include <cstdint>

namespace document {

// What a history works on: a document's data block with its modified flag,
// and the document's announcements of a change.
class HistoryTarget {
public:
    virtual ~HistoryTarget() = default;
    // The data block, of the radio data file's size.
    virtual std::uint8_t* Block() = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    // A step was kept, or the block was replaced.
    virtual void BlockChanged() = 0;
    // Undo or redo put bytes of the block back.
    virtual void BlockRestored() = 0;
};

class DocumentHistory : public QObject {
    Q_OBJECT

public:
    // The most steps kept; older ones are dropped.
    static constexpr int kStepLimit = 200;

    explicit DocumentHistory(HistoryTarget& doc);
    ~DocumentHistory() override;

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

    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index < Count(); }
    // Whether the block is as it was when last marked clean.
    bool IsClean() const { return m_index == m_cleanIndex; }
    // Steps kept, and how many of them are done (the rest can be redone).
    int Count() const { return static_cast<int>(m_steps.size()); }
    int Index() const { return m_index; }
    QString UndoText() const;
    QString RedoText() const;

signals:
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void cleanChanged(bool clean);

private:
    // One stretch of the block that a step changed.
    struct Stretch {
        int offset = 0;
        QByteArray before;
        QByteArray after;
    };
    struct Step {
        QString text;
        std::vector<Stretch> stretches;
    };

    void Put(const Step& step, bool after);
    // Moves to index; the modified flag and the signals follow.
    void SetIndex(int index);
    void Announce();

    HistoryTarget& m_doc;
    std::vector<Step> m_steps;
    int m_index = 0;
    int m_cleanIndex = 0; // -1: no step is the clean one
    int m_depth = 0;
    QByteArray m_before;
    bool m_canUndo = false;
    bool m_canRedo = false;
    bool m_clean = true;
};

} // namespace document
