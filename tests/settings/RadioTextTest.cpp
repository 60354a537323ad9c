// The radio as text (settings/RadioText): every image under tests/data and
// a few hundred random blocks go to text and back to the same bytes; a
// text that the radio cannot hold is refused at its place
// (radio-text-refusals.txt) and leaves the block alone; a changed channel
// is one changed line.
#include "settings/RadioText.h"
#include "document/RadioDocument.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelDraft.h"
#include "radio/ChannelRecord.h"
#include "radio/RadioModel.h"
#include "settings/SettingsOptions.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

namespace {

using radio::Byte;
using Block = std::array<Byte, radio::rdf::kFileSize>;
namespace radiotext = settings::radiotext;

// The block read back from the text of block.
Block Again(const Block& block, QByteArray* text = nullptr) {
    const QByteArray written = radiotext::Write(block.data());
    Block back;
    back.fill(0xEE);
    const auto error = radiotext::Read(written, QStringLiteral("again.yaml"), back.data());
    EXPECT_FALSE(error) << error->text.toStdString() << "\n" << written.toStdString();
    if (text)
        *text = written;
    return back;
}

Block BlockOf(const document::RadioDocument& doc) {
    Block block;
    std::memcpy(block.data(), doc.Block(), block.size());
    return block;
}

int FirstDifference(const Block& a, const Block& b) {
    const auto at = std::mismatch(a.begin(), a.end(), b.begin());
    return at.first == a.end() ? -1 : static_cast<int>(at.first - a.begin());
}

TEST(RadioText, EveryDataFileComesBackWhole) {
    radiotext::Install();
    const QStringList files =
        QDir(testing_support::DataPath("")).entryList({"*.rdf", "*.img", "*.yaml"}, QDir::Files);
    ASSERT_GE(files.size(), 5);
    for (const QString& name : files) {
        if (name == QLatin1String("typo.yaml"))
            continue;
        document::RadioDocument doc;
        ASSERT_FALSE(doc.Load(testing_support::DataPath(name))) << name.toStdString();
        const Block block = BlockOf(doc);
        EXPECT_EQ(FirstDifference(Again(block), block), -1) << name.toStdString();
    }
}

// Random bytes in every region: a whole random block, and the new
// document's block with one region (header, image region, comment table)
// made random, so that the fields around it still read.
TEST(RadioText, RandomBlocksComeBackWhole) {
    std::mt19937 random(7);
    const document::RadioDocument fresh;
    const Block start = BlockOf(fresh);
    const int edges[] = {0,
                         radio::rdf::kImage,
                         radio::rdf::kImage + radio::image::kHyper,
                         radio::rdf::kImage + radio::image::kSettingsFirst,
                         radio::rdf::kImage + radio::image::kHome,
                         radio::rdf::kImage + radio::image::kGroupMembers,
                         radio::rdf::kImage + radio::image::kMemories,
                         radio::rdf::kImage + radio::image::kOneTouch,
                         radio::rdf::kImage + radio::image::kSize,
                         radio::rdf::kFileSize};
    const int regions = static_cast<int>(std::size(edges)) - 1;
    for (int round = 0; round < 300; ++round) {
        Block block = start;
        const int region = round % (regions + 1);
        const int from = region == regions ? 0 : edges[region];
        const int to = region == regions ? radio::rdf::kFileSize : edges[region + 1];
        for (int i = from; i < to; ++i)
            block[static_cast<size_t>(i)] = static_cast<Byte>(random());
        // Now and then a byte of the image left as it was, so that used
        // marks, in-use bytes and lists meet values they know.
        if (round % 3 == 1) {
            for (int i = from; i < to; i += 2)
                block[static_cast<size_t>(i)] &= 0x1F;
        }
        EXPECT_EQ(FirstDifference(Again(block), block), -1) << "round " << round;
    }
}

// The options' names are the keys of their pages: no two alike.
TEST(RadioText, OptionNamesAreKeys) {
    QSet<QString> seen;
    for (const settings::option::Option& o : settings::option::Options()) {
        const QString key = QString::fromUtf8(o.page) + '/' + settings::option::DisplayName(o);
        EXPECT_FALSE(seen.contains(key)) << key.toStdString();
        seen.insert(key);
    }
}

TEST(RadioText, RefusedAtItsPlace) {
    const auto lines = testing_support::DataLines("radio-text-refusals.txt");
    ASSERT_GE(lines.size(), 30u);
    for (const auto& line : lines) {
        Block block;
        block.fill(0xEE);
        const auto error =
            radiotext::Read(line.fields.at(0).toUtf8(), QStringLiteral("r.yaml"), block.data());
        ASSERT_TRUE(error) << line.text.toStdString();
        EXPECT_TRUE(error->text.startsWith(QStringLiteral("r.yaml:") + line.fields.at(1)))
            << error->text.toStdString() << "\n  expected: " << line.fields.at(1).toStdString();
        EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](Byte b) { return b == 0xEE; }));
    }
}

// A changed channel changes its own line; a channel put in use adds one.
TEST(RadioText, AChangeIsALine) {
    document::RadioDocument doc;
    const auto lines = [&doc] {
        radio::RadioModel::MakeChecksums(doc.Image());
        return QString::fromUtf8(radiotext::Write(doc.Block())).split('\n');
    };
    const QStringList before = lines();
    radio::ChannelValues v =
        radio::DecodeChannel(doc.Radio(), doc.Image(), radio::tab::kMemories, 0);
    v.name = QStringLiteral("HOME");
    ASSERT_TRUE(radio::EncodeChannel(doc.Radio(), doc.Image(), radio::tab::kMemories, 0, v));
    ASSERT_TRUE(radio::EncodeChannel(doc.Radio(), doc.Image(), radio::tab::kMemories, 4, v));
    const QStringList after = lines();
    QStringList added = after, removed = before;
    for (const QString& line : before)
        added.removeOne(line);
    for (const QString& line : after)
        removed.removeOne(line);
    ASSERT_EQ(removed.size(), 1) << removed.join('\n').toStdString();
    EXPECT_TRUE(removed[0].startsWith("  - {channel: 1, receive frequency: 144.00000"));
    ASSERT_EQ(added.size(), 2) << added.join('\n').toStdString();
    EXPECT_EQ(added[0], QString(removed[0]).replace("name: \"\"", "name: HOME"));
    EXPECT_TRUE(added[1].startsWith("  - {channel: 5, receive frequency: 144.00000"));
    EXPECT_EQ(after.indexOf(added[1]), after.indexOf(added[0]) + 1);
}

// A field holding what no list holds is written as its number, and comes
// back as it was.
TEST(RadioText, ValuesNoListHoldsAreRawNumbers) {
    document::RadioDocument doc;
    radio::ChannelRecord r(doc.Radio().RecordForRow(radio::tab::kMemories, 0));
    r.SetStep(12);
    r.SetMode(3);
    r.SetIcon(40);
    r.SetCtcss(77);
    r.SetToneMode(9);
    doc.Radio().SetComment(radio::tab::kMemories, 0, QStringLiteral("say \"hi\"\tthere"));
    QByteArray text;
    const Block block = BlockOf(doc);
    EXPECT_EQ(FirstDifference(Again(block, &text), block), -1);
    for (const char* part :
         {"operating mode: {raw: 3}", "tone mode: {raw: 9}", "ctcss tone: {raw: 77}",
          "frequency step: {raw: 12}", "icon: {raw: 40}", "comment: \"say \\\"hi\\\"\\tthere\"}"})
        EXPECT_TRUE(text.contains(part)) << part;
}

// Frequencies in every form a person may write read as the grid reads
// them when typed, the forms this program writes among them.
TEST(RadioText, FrequenciesReadAsTheGridReadsThem) {
    struct Case {
        bool offset; // the offset frequency, else the receive frequency
        const char* text;
    };
    const Case cases[] = {
        {false, "146.94000"},   {false, "146.94"},     {false, "0146.9"},     {false, "146.940000"},
        {false, "146.9400009"}, {false, "146.94 MHz"}, {false, "146940 kHz"}, {false, "0.54000"},
        {false, "440.00000"},   {true, "600 kHz"},     {true, "0600 kHz"},    {true, "1.60 MHz"},
        {true, "5.00000"},      {true, "0.00000"},     {true, "99900 kHz"},
    };
    for (const Case& c : cases) {
        const QString value = QString::fromLatin1(c.text);
        const QString text =
            c.offset
                ? QStringLiteral("{memories: [{channel: 1, receive frequency: 146.94, "
                                 "offset frequency: %1}]}")
                      .arg(value)
                : QStringLiteral("{memories: [{channel: 1, receive frequency: %1}]}").arg(value);
        Block block{};
        const auto error = radiotext::Read(text.toUtf8(), QStringLiteral("f.yaml"), block.data());
        ASSERT_FALSE(error) << c.text << ": " << error->text.toStdString();
        document::RadioDocument doc;
        std::memcpy(doc.Block(), block.data(), block.size());
        const radio::ChannelValues v =
            radio::DecodeChannel(doc.Radio(), doc.Image(), radio::tab::kMemories, 0);
        EXPECT_EQ(c.offset ? v.offset : v.rx, radio::ParseFrequency(value).hz) << c.text;
    }
    // Past what a frequency holds: refused, not wrapped round.
    for (const char* text : {"2200.00000", "99999.00000", "9999999 kHz"}) {
        Block block{};
        const auto error = radiotext::Read(
            QStringLiteral("{memories: [{channel: 1, receive frequency: %1}]}").arg(text).toUtf8(),
            QStringLiteral("f.yaml"), block.data());
        EXPECT_TRUE(error) << text;
    }
}

// The command line: a hand-written text lists as written; a misspelt key
// is named with its line and column, exit status 1 and nothing written;
// convert goes to text and back to the same file.
TEST(RadioText, CommandLine) {
    using testing_support::DataPath;
    using testing_support::RunCli;
    QTemporaryDir dir;
    const QString image = dir.filePath("ten.rdf");
    auto run = RunCli({"convert", DataPath("ten-channels.yaml"), image});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = RunCli({"show", image});
    QByteArray listed;
    for (const QByteArray& line : run.out.split('\n')) {
        if (!line.isEmpty() && !line.split('\t').value(1).isEmpty())
            listed += line + '\n';
    }
    EXPECT_EQ(listed, testing_support::ReadFile(DataPath("ten-channels.shown")));

    const QString kept = dir.filePath("kept.img");
    testing_support::WriteFile(kept, "old");
    for (const QString& out : {dir.filePath("new.img"), kept}) {
        run = RunCli({"convert", DataPath("typo.yaml"), out});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err,
                  DataPath("typo.yaml").toUtf8() +
                      ":5:18: unknown key \"recieve frequency\" in a channel of memories; "
                      "expected one of: channel, receive frequency, transmit frequency, "
                      "offset frequency, offset direction, operating mode, name, tone "
                      "mode, ctcss tone, dcs code, skip, preferential scan, frequency "
                      "step, clock shift, half deviation, tx power, icon, mask, comment\n");
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("new.img")));
    EXPECT_EQ(testing_support::ReadFile(kept), "old");

    const QString text = dir.filePath("busy.yaml"), back = dir.filePath("back.rdf");
    ASSERT_EQ(RunCli({"convert", DataPath("busy.rdf"), text}).exitCode, 0);
    ASSERT_EQ(RunCli({"convert", text, back}).exitCode, 0);
    EXPECT_EQ(testing_support::ReadFile(back), testing_support::ReadFile(DataPath("busy.rdf")));
}

} // namespace
