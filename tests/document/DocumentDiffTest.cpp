// Comparing two radios: identical documents, one field changed in each kind
// of place, through the core (the command line's exit codes are the
// command-line tests').
#include "document/DocumentDiff.h"
#include "document/RadioDocument.h"
#include "radio/ChannelColumns.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace radio;

namespace {

struct ChangeCase {
    const char* what;
    std::function<void(document::RadioDocument&)> change;
    QStringList lines;
};

TEST(DocumentDiff, OneFieldChangedGivesOneLineInTheRadiosTerms) {
    const ChangeCase cases[] = {
        {"nothing", [](document::RadioDocument&) {}, {}},
        {"a channel's name",
         [](document::RadioDocument& d) {
             ChannelValues v = DecodeChannel(d.Radio(), d.Image(), tab::kMemories, 0);
             v.name = QStringLiteral("NEWNAME");
             EncodeChannel(d.Radio(), d.Image(), tab::kMemories, 0, v);
         },
         {QStringLiteral("Memories 1: Name (empty) \u2192 NEWNAME")}},
        {"a comment",
         [](document::RadioDocument& d) {
             d.Radio().SetComment(tab::kHome, 1, QStringLiteral("home note"));
         },
         {QStringLiteral("Home Channels SW: Comment (empty) \u2192 home note")}},
        {"a group member",
         [](document::RadioDocument& d) {
             RadioModel::SetGroupMember(d.Image(), 2, 0, 4);
             RadioModel::SetGroupSize(d.Image(), 2, 1);
         },
         {QStringLiteral("Memory Groups 3: channels (none) \u2192 5")}},
        {"the priority channel",
         [](document::RadioDocument& d) { d.Radio().SetPriorityChannel(7); },
         {QStringLiteral("Priority channel: 1 \u2192 7")}},
        {"a settings byte",
         [](document::RadioDocument& d) { d.Image()[image::kSettingsFirst + 3] ^= 0x02; },
         {QStringLiteral("Settings: byte 1685: %1 \u2192 %2")}},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        document::RadioDocument a;
        document::RadioDocument b;
        c.change(b);
        QStringList expected = c.lines;
        if (!expected.isEmpty() && expected[0].contains(QLatin1String("%1"))) {
            const int i = image::kSettingsFirst + 3;
            auto hex = [](Byte x) {
                return QStringLiteral("%1").arg(x, 2, 16, QLatin1Char('0')).toUpper();
            };
            expected[0] = expected[0].arg(hex(a.Image()[i]), hex(b.Image()[i]));
        }
        EXPECT_EQ(document::diff::Compare(a.Radio(), b.Radio()), expected);
    }
}

} // namespace
