// Comparing two radios: identical documents, one field changed in each kind
// of place, and unrelated documents, through the core and clonara-cli diff.
#include "document/DocumentDiff.h"
#include "document/RadioDocument.h"
#include "radio/ChannelColumns.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace radio;
using testing_support::RunCli;

namespace {

using testing_support::DataPath;

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

// Whole programs over the project's files.
struct CliCase {
    const char* a;
    const char* b;
    int exitCode;
    const char* firstLine; // nullptr: no output
    const char* alsoHas;
};

TEST(DocumentDiff, CommandLineOverDocumentsAndImages) {
    const CliCase cases[] = {
        {"factory.rdf", "factory.rdf", 0, nullptr, nullptr},
        {"busy.rdf", "busy.rdf", 0, nullptr, nullptr},
        {"factory.rdf", "busy.rdf", 1, "Memories 1: ", "Memory Groups 1: channels"},
        {"busy.rdf", "full.img", 1, "Memories ", "Hyper Memories "},
    };
    for (const CliCase& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " " + c.b);
        const auto r = RunCli({"diff", DataPath(c.a), DataPath(c.b)});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.constData();
        if (!c.firstLine) {
            EXPECT_TRUE(r.out.isEmpty());
            continue;
        }
        EXPECT_TRUE(r.out.startsWith(c.firstLine)) << r.out.left(200).constData();
        EXPECT_TRUE(r.out.contains(c.alsoHas));
    }
    const auto missing = RunCli({"diff", DataPath("factory.rdf"), DataPath("none.rdf")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(missing.err.isEmpty());
}

} // namespace
