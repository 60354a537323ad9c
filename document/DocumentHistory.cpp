#include "document/DocumentHistory.h"

#include "document/RadioDataFile.h"

#include <cstring>

namespace document {

namespace {

// Stretches closer than this are kept as one, so a change spread over a
// record costs one entry rather than many.
constexpr int kJoinGap = 16;

QByteArray BlockBytes(HistoryTarget& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

} // namespace

DocumentHistory::DocumentHistory(HistoryTarget& doc) : m_doc(doc) {
    if (m_doc.IsModified())
        m_cleanIndex = -1;
    m_clean = IsClean();
}

DocumentHistory::~DocumentHistory() = default;

QString DocumentHistory::UndoText() const {
    return CanUndo() ? m_steps[static_cast<size_t>(m_index - 1)].text : QString();
}

QString DocumentHistory::RedoText() const {
    return CanRedo() ? m_steps[static_cast<size_t>(m_index)].text : QString();
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
    const QByteArray after = BlockBytes(m_doc);
    Step step{text, {}};
    const int size = static_cast<int>(m_before.size());
    int i = 0;
    while (i < size) {
        if (m_before[i] == after[i]) {
            ++i;
            continue;
        }
        int end = i + 1; // one past the last differing byte
        int j = end;
        while (j < size && j - end < kJoinGap) {
            if (m_before[j] != after[j])
                end = j + 1;
            ++j;
        }
        step.stretches.push_back({i, m_before.mid(i, end - i), after.mid(i, end - i)});
        i = end;
    }
    m_before.clear();
    if (step.stretches.empty())
        return false;

    // The steps that could have been redone are gone, and with them a clean
    // state among them.
    m_steps.resize(static_cast<size_t>(m_index));
    if (m_cleanIndex > m_index)
        m_cleanIndex = -1;
    m_steps.push_back(std::move(step));
    int index = m_index + 1;
    if (Count() > kStepLimit) {
        const int dropped = Count() - kStepLimit;
        m_steps.erase(m_steps.begin(), m_steps.begin() + dropped);
        index -= dropped;
        m_cleanIndex = m_cleanIndex < dropped ? -1 : m_cleanIndex - dropped;
    }
    SetIndex(index);
    // A change always leaves the document modified, even when the kept step
    // happens to be the clean one (the clean step was dropped by the limit).
    m_doc.SetModified(true);
    m_doc.BlockChanged();
    return true;
}

void DocumentHistory::Reset(bool modified) {
    m_steps.clear();
    m_index = 0;
    m_cleanIndex = modified ? -1 : 0;
    m_doc.SetModified(modified);
    Announce();
    m_doc.BlockChanged();
}

void DocumentHistory::MarkClean() {
    m_cleanIndex = m_index;
    m_doc.SetModified(false);
    Announce();
}

void DocumentHistory::Undo() {
    if (!CanUndo())
        return;
    Put(m_steps[static_cast<size_t>(m_index - 1)], false);
    SetIndex(m_index - 1);
}

void DocumentHistory::Redo() {
    if (!CanRedo())
        return;
    Put(m_steps[static_cast<size_t>(m_index)], true);
    SetIndex(m_index + 1);
}

void DocumentHistory::Put(const Step& step, bool after) {
    radio::Byte* block = m_doc.Block();
    for (const Stretch& s : step.stretches) {
        const QByteArray& bytes = after ? s.after : s.before;
        std::memcpy(block + s.offset, bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    m_doc.BlockRestored();
}

void DocumentHistory::SetIndex(int index) {
    m_index = index;
    m_doc.SetModified(!IsClean());
    Announce();
}

void DocumentHistory::Announce() {
    if (m_canUndo != CanUndo())
        emit canUndoChanged(m_canUndo = CanUndo());
    if (m_canRedo != CanRedo())
        emit canRedoChanged(m_canRedo = CanRedo());
    if (m_clean != IsClean())
        emit cleanChanged(m_clean = IsClean());
}

} // namespace document
