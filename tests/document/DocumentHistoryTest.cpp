// The undo history of a document: the clean state that drives the modified
// flag, nested steps, the step limit and what the document announces.
#include "document/RadioDocument.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kByte = radio::rdf::kImage + 100; // any byte of the image

TEST(DocumentHistoryTest, StepsCleanStateLimitAndSignals) {
    document::RadioDocument doc;
    document::DocumentHistory& h = doc.History();
    int changed = 0;
    int restored = 0;
    bool canUndo = false;
    QObject::connect(&doc, &document::RadioDocument::blockChanged, [&] { ++changed; });
    QObject::connect(&doc, &document::RadioDocument::blockRestored, [&] { ++restored; });
    QObject::connect(&h, &document::DocumentHistory::canUndoChanged,
                     [&](bool on) { canUndo = on; });
    const auto set = [&](int value) {
        return h.Record(QStringLiteral("Set"), [&] { doc.Block()[kByte] = radio::Byte(value); });
    };
    set(0);
    h.Reset(false);
    changed = 0;
    ASSERT_FALSE(set(0)) << "a change that changes nothing keeps no step";

    const struct {
        const char* what;
        std::function<void()> op;
        int count, index;
        bool modified;
        int byte, changed, restored;
    } steps[] = {
        {"set 1", [&] { set(1); }, 1, 1, true, 1, 1, 0},
        {"saved", [&] { h.MarkClean(); }, 1, 1, false, 1, 1, 0},
        {"undo", [&] { h.Undo(); }, 1, 0, true, 0, 1, 1},
        {"set 5 drops the redo step", [&] { set(5); }, 1, 1, true, 5, 2, 1},
        {"and the saved state with it", [&] { h.Undo(); }, 1, 0, true, 0, 2, 2},
        {"nested changes are one step",
         [&] {
             h.Begin();
             set(7);
             h.Begin();
             set(8);
             EXPECT_FALSE(h.End(QStringLiteral("inner")));
             EXPECT_TRUE(h.End(QStringLiteral("outer")));
         },
         1, 1, true, 8, 3, 2},
        {"replaced, saved", [&] { h.Reset(false); }, 0, 0, false, 8, 4, 2},
        {"replaced, unsaved", [&] { h.Reset(true); }, 0, 0, true, 8, 5, 2},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.op();
        EXPECT_EQ(h.Count(), s.count);
        EXPECT_EQ(h.Index(), s.index);
        EXPECT_EQ(doc.IsModified(), s.modified);
        EXPECT_EQ(doc.Block()[kByte], s.byte);
        EXPECT_EQ(changed, s.changed);
        EXPECT_EQ(restored, s.restored);
        EXPECT_EQ(canUndo, h.CanUndo());
    }

    // The oldest steps go, and a saved state among them.
    h.MarkClean();
    for (int i = 1; i <= document::DocumentHistory::kStepLimit + 1; ++i)
        set(i);
    EXPECT_EQ(h.Count(), document::DocumentHistory::kStepLimit);
    while (h.CanUndo())
        h.Undo();
    EXPECT_EQ(doc.Block()[kByte], 1);
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
