#include "editor/DocumentHistory.h"

#include "document/CMainDoc.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// One stretch of the block that a step changed.
struct Stretch {
    int offset = 0;
    QByteArray before;
    QByteArray after;
};

// Stretches closer than this are kept as one, so a change spread over a
// record costs one entry rather than many.
constexpr int kJoinGap = 16;

std::vector<Stretch> Difference(const QByteArray& before, const QByteArray& after) {
    std::vector<Stretch> stretches;
    const int size = static_cast<int>(before.size());
    int i = 0;
    while (i < size) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        int end = i + 1; // one past the last differing byte
        int j = end;
        while (j < size && j - end < kJoinGap) {
            if (before[j] != after[j])
                end = j + 1;
            ++j;
        }
        stretches.push_back({i, before.mid(i, end - i), after.mid(i, end - i)});
        i = end;
    }
    return stretches;
}

class BlockStep : public QUndoCommand {
public:
    BlockStep(CMainDoc& doc, DocumentHistory& history, const QString& text,
              std::vector<Stretch> stretches)
        : QUndoCommand(text), m_doc(doc), m_history(history), m_stretches(std::move(stretches)) {}

    void undo() override { Put(false); }
    void redo() override {
        if (m_done) {
            m_done = false; // the change was made before the step was kept
            return;
        }
        Put(true);
    }

private:
    void Put(bool after) {
        vx7::Byte* block = m_doc.Block();
        for (const Stretch& s : m_stretches) {
            const QByteArray& bytes = after ? s.after : s.before;
            std::memcpy(block + s.offset, bytes.constData(), static_cast<size_t>(bytes.size()));
        }
        emit m_history.blockRestored();
    }

    CMainDoc& m_doc;
    DocumentHistory& m_history;
    std::vector<Stretch> m_stretches;
    bool m_done = true;
};

QByteArray BlockBytes(const CMainDoc& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), rdf::kFileSize);
}

} // namespace

DocumentHistory::DocumentHistory(CMainDoc& doc) : m_doc(doc), m_stack(new QUndoStack(this)) {
    m_stack->setUndoLimit(kStepLimit);
    if (m_doc.IsModified())
        m_stack->resetClean();
    connect(m_stack, &QUndoStack::indexChanged, this, [this] { FollowCleanState(); });
}

DocumentHistory& DocumentHistory::Of(CMainDoc& doc) {
    if (auto* history = qobject_cast<DocumentHistory*>(doc.Companion()))
        return *history;
    auto history = std::unique_ptr<DocumentHistory>(new DocumentHistory(doc));
    DocumentHistory& ref = *history;
    doc.SetCompanion(std::move(history));
    return ref;
}

void DocumentHistory::FollowCleanState() {
    m_doc.SetModifiedFlag(!m_stack->isClean());
}

bool DocumentHistory::Record(const QString& text, const std::function<void()>& change) {
    Begin();
    change();
    return End(text);
}

void DocumentHistory::Begin() {
    if (m_depth++ == 0)
        m_before = BlockBytes(m_doc);
}

bool DocumentHistory::End(const QString& text) {
    if (m_depth == 0 || --m_depth > 0)
        return false;
    std::vector<Stretch> stretches = Difference(m_before, BlockBytes(m_doc));
    m_before.clear();
    if (stretches.empty())
        return false;
    m_stack->push(new BlockStep(m_doc, *this, text, std::move(stretches)));
    // A change always leaves the document modified, even when the kept step
    // happens to be the clean one (the clean step was dropped by the limit).
    m_doc.SetModifiedFlag(true);
    return true;
}

void DocumentHistory::Reset(bool modified) {
    m_stack->clear();
    if (modified)
        m_stack->resetClean();
    m_doc.SetModifiedFlag(modified);
}

void DocumentHistory::MarkClean() {
    m_stack->setClean();
    m_doc.SetModifiedFlag(false);
}

void DocumentHistory::Undo() {
    m_stack->undo();
}

void DocumentHistory::Redo() {
    m_stack->redo();
}
