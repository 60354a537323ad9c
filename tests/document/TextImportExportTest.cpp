// Channel lists: the export lines, every import keyword, hand-written files,
// and the command-line tool's export, import and show. (The round trip of
// documents that use every value is the data files' suite.)
#include "document/TextImportExport.h"
#include "document/ChannelListTable.h"
#include "document/RadioDocument.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/ValueTables.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

using namespace radio;
using testing_support::ProgramPath;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

QByteArray Bytes(const Byte* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}
QByteArray FromHex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

const Byte* MemoryRecord(RadioModel& radio, int index) {
    return radio.Image() + image::kMemories + image::kRecordSize * index;
}

class TextIo : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

// ---------------------------------------------------------------------------
// Export
// ---------------------------------------------------------------------------

// What an export writes, line for line, is the data files' suite's: the
// exports of every image kept under tests/data.
TEST_F(TextIo, SeparatorByExtension) {
    EXPECT_EQ(document::textio::SeparatorFor("a.tab"), QChar('\t'));
    EXPECT_EQ(document::textio::SeparatorFor("a.TAB"), QChar(','));
    EXPECT_EQ(document::textio::SeparatorFor("a.csv"), QChar(','));
    EXPECT_EQ(document::textio::SeparatorFor("a.txt"), QChar(','));
    EXPECT_EQ(document::textio::SeparatorFor("tab"), QChar(','));
    document::RadioDocument doc;
    ASSERT_FALSE(document::textio::ExportFile(doc.Radio(), nullptr, Path("x.tab")));
    EXPECT_TRUE(ReadFile(Path("x.tab")).startsWith("Channel Number\tReceive Frequency\t"));
}

TEST_F(TextIo, ExportFailureKeepsTheOldFile) {
    document::RadioDocument doc;
    const auto error =
        document::textio::ExportFile(doc.Radio(), nullptr, Path("missing/dir/out.csv"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, "Export Error");
    EXPECT_TRUE(error->text.startsWith("The data file could not be opened because of this error:"))
        << error->text.toStdString();
    EXPECT_GT(error->text.size(), 57);
}

// ---------------------------------------------------------------------------
// Every column of the column table
// ---------------------------------------------------------------------------

// One case per channel-list column: a value entered in the column's cell (on
// the factory's memory channel 1, with a further cell where the value needs
// one) reaches the record, comes back into the cell, is exported as the
// export field and imported back into the cell.
TEST(ColumnTableTest, EveryColumnReachesTheRecordTheExportAndTheImport) {
    const QStringList titles = document::textio::ColumnNames();
    EXPECT_EQ(titles.size(), document::textio::kColumnCount);
    const auto lines = testing_support::DataLines("column-cases.txt");
    ASSERT_EQ(lines.size(), std::size(kChannelColumns));
    for (const auto& [line, f] : lines) {
        SCOPED_TRACE(line.toStdString());
        const int column = static_cast<int>(titles.indexOf(f[0]));
        ASSERT_GE(column, 1);
        const QString& cell = f[1];
        document::RadioDocument doc;
        document::ChannelListTable grid(doc, tab::kMemories);
        grid.Fill();
        ASSERT_NE(grid.Text(column, 1), cell) << "the case must change the cell";
        grid.SetText(column, 1, cell);
        if (f[3] != u'-')
            grid.SetText(static_cast<int>(titles.indexOf(f[3].section(u'=', 0, 0))), 1,
                         f[3].section(u'=', 1));
        grid.WriteChanged(doc.Image());
        grid.Fill();
        EXPECT_EQ(grid.Text(column, 1), cell);

        const QString exported = doc.Radio().FormatExportLine(radio::tab::kMemories, 1, grid, u',');
        const QStringList fields = exported.chopped(1).split(u',');
        ASSERT_EQ(fields.size(), document::textio::kColumnCount);
        EXPECT_EQ(fields[column], f[2]);

        document::RadioDocument imported;
        ASSERT_EQ(document::textio::ImportRow(imported.Radio(), fields, 0), 0);
        document::ChannelListTable again(imported, tab::kMemories);
        again.Fill();
        EXPECT_EQ(again.Text(column, 1), cell);
    }
}

// ---------------------------------------------------------------------------
// The row handler
// ---------------------------------------------------------------------------

QStringList Line(std::initializer_list<std::pair<int, const char*>> fields) {
    QStringList line;
    for (int k = 0; k < document::textio::kColumnCount; ++k)
        line << QString();
    line[document::textio::kNumber] = "3";
    line[channelcol::kReceive] = "146.94";
    for (const auto& [column, text] : fields)
        line[column] = QString::fromUtf8(text);
    return line;
}

TEST(ImportRowTest, AWholeRecordIsWrittenOverFiller) {
    document::RadioDocument doc;
    std::memset(doc.Image() + image::kMemories + 6 * 22, 0xFF, 22);
    const int index = document::textio::ImportRow(doc.Radio(),
                                                  {"7", "146.940", "146.340", "", "", "FM", "ABC",
                                                   "Encode", "88.5", "023", "Skip", "NotScan",
                                                   "25 kHz", "On", "Off", "High", "5", "", "hello"},
                                                  0);
    EXPECT_EQ(index, 6);
    // Off step (146.94 MHz is off the 25 kHz step), rasters 0, clock shift;
    // step 5, minus, High; icon 5; ABC; 600 kHz; 88.5 Hz; encode.
    EXPECT_EQ(Bytes(MemoryRecord(doc.Radio(), 6), 22),
              FromHex("50 D5 14 69 40 10 0B 0C 0D 0A 0A 0A 0A 0A 00 00 06 00 08 00 01 00"));
    EXPECT_TRUE(doc.Radio().IsUsed(doc.Image(), tab::kMemories, 6));
    EXPECT_TRUE(doc.Radio().IsSkip(doc.Image(), tab::kMemories, 6));
    EXPECT_FALSE(doc.Radio().IsMasked(doc.Image(), tab::kMemories, 6));
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 6), "hello");
}

TEST(ImportRowTest, OnlyMemoriesChange) {
    document::RadioDocument doc;
    const QByteArray before = Bytes(doc.Image(), image::kSize);
    ASSERT_EQ(document::textio::ImportRow(doc.Radio(), Line({{channelcol::kSkip, "Skip"}}), 0), 2);
    const QByteArray after = Bytes(doc.Image(), image::kSize);
    for (int i = 0; i < image::kSize; ++i) {
        const bool memories = (i >= image::kMemories && i < image::kOneTouch) ||
                              (i >= image::kMemoryFlags && i < image::kOneTouchFlags);
        if (!memories) {
            ASSERT_EQ(after[i], before[i]) << i;
        }
    }
}

// Reads a value import-rows.txt names from channel 3.
int Value(document::RadioDocument& doc, const QString& name) {
    const ConstChannelRecord r(MemoryRecord(doc.Radio(), 2));
    const Byte* img = doc.Image();
    const RadioModel& radio = doc.Radio();
    const std::pair<const char*, std::function<int()>> values[] = {
        {"mode", [&] { return r.Mode(); }},
        {"tone mode", [&] { return r.ToneMode(); }},
        {"ctcss", [&] { return r.Ctcss(); }},
        {"dcs", [&] { return r.Dcs(); }},
        {"skip", [&] { return int(radio.IsSkip(img, tab::kMemories, 2)); }},
        {"preferential", [&] { return int(radio.IsPreferential(img, tab::kMemories, 2)); }},
        {"step", [&] { return r.Step(); }},
        {"clock shift", [&] { return int(r.ClockShift()); }},
        {"half deviation", [&] { return int(r.HalfDeviation()); }},
        {"power", [&] { return r.Power(); }},
        {"icon", [&] { return r.Icon(); }},
        {"mask", [&] { return int(radio.IsMasked(img, tab::kMemories, 2)); }},
        {"direction", [&] { return r.Direction(); }},
        {"offset",
         [&] { return static_cast<int>(radio.DecodeFrequency(tab::kMemories, r.OffsetField())); }},
    };
    for (const auto& [key, read] : values) {
        if (name == QLatin1String(key))
            return read();
    }
    ADD_FAILURE() << "no value " << name.toStdString();
    return -1;
}

TEST(ImportRowTest, FieldsAsTheTableSays) {
    const QStringList titles = document::textio::ColumnNames();
    int cases = 0;
    for (const auto& [row, halves] : testing_support::DataLines("import-rows.txt")) {
        SCOPED_TRACE(row.toStdString());
        ASSERT_EQ(halves.size(), 2);
        QStringList line = Line({});
        int lineIndex = 0;
        for (const QString& field : halves[0].split(u'|')) {
            const QString title = field.section(u'=', 0, 0);
            const QString value = field.section(u'=', 1);
            if (title == QLatin1String("line")) {
                lineIndex = value.toInt();
                continue;
            }
            const int column = static_cast<int>(titles.indexOf(title));
            ASSERT_GE(column, 0) << title.toStdString();
            line[column] = value;
        }
        document::RadioDocument doc;
        const QByteArray before = Bytes(doc.Block(), radio::rdf::kFileSize);
        int written = 2;
        for (const QString& field : halves[1].split(u'|')) {
            if (field.startsWith(QLatin1String("written=")))
                written = field.section(u'=', 1).toInt();
        }
        ASSERT_EQ(document::textio::ImportRow(doc.Radio(), line, lineIndex), written);
        if (written < 0) {
            EXPECT_EQ(Bytes(doc.Block(), radio::rdf::kFileSize), before);
        }
        for (const QString& field : halves[1].split(u'|')) {
            if (!field.startsWith(QLatin1String("written="))) {
                EXPECT_EQ(Value(doc, field.section(u'=', 0, 0)), field.section(u'=', 1).toInt())
                    << field.toStdString();
            }
        }
        ++cases;
    }
    EXPECT_GE(cases, 180);
}

TEST(ImportRowTest, NameAndComment) {
    document::RadioDocument doc;
    ASSERT_EQ(document::textio::ImportRow(
                  doc.Radio(),
                  Line({{channelcol::kName, " a,b\"c and more"},
                        {channelcol::kComment, "0123456789012345678901234567890123"}}),
                  0),
              2);
    EXPECT_EQ(doc.Radio().DecodeName(MemoryRecord(doc.Radio(), 2) + record::kName), " a,b\"c a");
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 2), "012345678901234567890123456789");
}

// ---------------------------------------------------------------------------
// Hand-written files
// ---------------------------------------------------------------------------

TEST_F(TextIo, HandWrittenFiles) {
    // A spreadsheet program's file: its own column order, quotes, CRLF, a
    // short line, garbage, blank lines, a header of other case.
    WriteFile(Path("hand.csv"),
              "NAME,receive frequency,channel number,COMMENT,offset direction,tone mode,"
              "ctcss tone\r\n"
              "\"Club, 2m\",146.94,12,\"says \"\"hi\"\"\r\nthere\",-,,88.5\r\n"
              "Short,145.5,13,,,ctcss encode\\decode\r\n"
              "\r\n"
              "garbage line without anything useful\r\n"
              ",,,,,,,,,,,,,,,,,,,,,,,,,,\r\n"
              "Bad,146.521,14,should not land\r\n"
              "\x01\x02\x03,\"unclosed\r\n");
    document::RadioDocument doc;
    const QByteArray before = Bytes(doc.Block(), radio::rdf::kFileSize);
    const document::textio::ImportSummary summary =
        document::textio::ImportFile(doc.Radio(), Path("hand.csv"));
    ASSERT_TRUE(summary.ok);
    EXPECT_EQ(summary.channels, 2);
    EXPECT_EQ(doc.Radio().DecodeName(MemoryRecord(doc.Radio(), 11) + record::kName), "Club, 2m");
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 11), "says \"hi\"\r\nthere");
    EXPECT_EQ(ConstChannelRecord(MemoryRecord(doc.Radio(), 11)).Direction(), direction::kMinus);
    EXPECT_EQ(ConstChannelRecord(MemoryRecord(doc.Radio(), 11)).Ctcss(), 8);
    EXPECT_EQ(ConstChannelRecord(MemoryRecord(doc.Radio(), 11)).ToneMode(), 1);
    EXPECT_EQ(doc.Radio().DecodeName(MemoryRecord(doc.Radio(), 12) + record::kName), "Short");
    // Keywords come whole, however long.
    EXPECT_EQ(ConstChannelRecord(MemoryRecord(doc.Radio(), 12)).ToneMode(), 2);
    EXPECT_TRUE(doc.Radio().IsUsed(doc.Image(), tab::kMemories, 12));
    EXPECT_FALSE(doc.Radio().IsUsed(doc.Image(), tab::kMemories, 13));
    // Nothing else changed.
    const QByteArray after = Bytes(doc.Block(), radio::rdf::kFileSize);
    int changed = 0;
    for (int i = 0; i < radio::rdf::kFileSize; ++i)
        changed += after[i] != before[i];
    EXPECT_LT(changed, 2 * (22 + 1 + 32));
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 13), "");
}

TEST_F(TextIo, LinesWithoutNumbersGoToTheirLineIndex) {
    WriteFile(Path("n.tab"), "\t146.52\n\t145.50\tignored\n");
    document::RadioDocument doc;
    ASSERT_TRUE(document::textio::ImportFile(doc.Radio(), Path("n.tab")).ok);
    EXPECT_EQ(doc.Radio().DecodeFrequency(tab::kMemories,
                                          MemoryRecord(doc.Radio(), 0) + record::kRxFrequency),
              146520000);
    EXPECT_EQ(doc.Radio().DecodeFrequency(tab::kMemories,
                                          MemoryRecord(doc.Radio(), 1) + record::kRxFrequency),
              145500000);
}

TEST_F(TextIo, AListWithoutAnyChannelSaysSo) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* text; // empty: channels came of it
    };
    const Case cases[] = {
        {"empty.csv", "", "empty.csv holds no channel lines: nothing was imported."},
        {"header.csv", "Channel Number,Receive Frequency\n",
         "header.csv holds no channel lines: nothing was imported."},
        {"bad.csv", "1,146.521\n2,0\n3,abc\n4,36893488147420.5\n",
         "None of the 4 lines of bad.csv has a receive frequency the radio can use: nothing "
         "was imported."},
        {"one.csv", "1,146.521\n2,146.52\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path(c.name), c.bytes);
        document::RadioDocument doc;
        const QByteArray before = Bytes(doc.Block(), radio::rdf::kFileSize);
        const document::textio::ImportSummary summary =
            document::textio::ImportFile(doc.Radio(), Path(c.name));
        ASSERT_TRUE(summary.ok);
        EXPECT_EQ(summary.nothingImported, QString::fromLatin1(c.text));
        if (summary.channels == 0) {
            EXPECT_EQ(Bytes(doc.Block(), radio::rdf::kFileSize), before);
        }
    }

    // The command line says so too, fails and saves nothing.
    ASSERT_EQ(testing_support::RunCli({"new", Path("doc.rdf")}).exitCode, 0);
    const QByteArray fresh = ReadFile(Path("doc.rdf"));
    const testing_support::CliResult r =
        testing_support::RunCli({"import", Path("doc.rdf"), Path("bad.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("None of the 4 lines of bad.csv")) << r.err.toStdString();
    EXPECT_EQ(ReadFile(Path("doc.rdf")), fresh);
}

// ---------------------------------------------------------------------------
// The command line
// ---------------------------------------------------------------------------

TEST_F(TextIo, CliExportImportAndShow) {
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(testing_support::DataPath("busy.rdf")));
    ASSERT_FALSE(doc.Save(Path("every.rdf")));

    // import into a new document, saved elsewhere; the input stays, the
    // count is said once. (Export and import round trips through the command
    // line are the command-line tests'.)
    ASSERT_FALSE(document::textio::ExportFile(doc.Radio(), nullptr, Path("cli.tab")));
    ASSERT_EQ(testing_support::RunCli({"new", Path("new.rdf")}).exitCode, 0);
    const QByteArray fresh = ReadFile(Path("new.rdf"));
    const testing_support::CliResult imported = testing_support::RunCli(
        {"import", Path("new.rdf"), Path("cli.tab"), "--output", Path("out.rdf")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Imported 438 of 438 lines into memory channels.\n");
    EXPECT_EQ(imported.err, "") << "nothing more to say, and the count said once";
    EXPECT_EQ(ReadFile(Path("new.rdf")), fresh);

    // A list that cannot be read: a message, a failure, nothing saved.
    const QByteArray saved = ReadFile(Path("new.rdf"));
    const testing_support::CliResult missing =
        testing_support::RunCli({"import", Path("new.rdf"), Path("missing.csv")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains("missing.csv"));
    EXPECT_EQ(ReadFile(Path("new.rdf")), saved);

    // show: the header row, then row labels and cells, tab-separated.
    const testing_support::CliResult shown = testing_support::RunCli({"show", Path("every.rdf")});
    ASSERT_EQ(shown.exitCode, 0);
    const QStringList lines = QString::fromUtf8(shown.out).split(u'\n');
    ASSERT_EQ(lines.size(), 452);
    EXPECT_TRUE(lines[0].startsWith("\tReceive Frequency\tTransmit Frequency\t"));
    EXPECT_EQ(lines[0].count(u'\t'), 18);
    EXPECT_TRUE(lines[1].startsWith("1\t146.52000\t146.52000\t600 kHz\tSimplex\tFM\t"));
    const testing_support::CliResult vfo =
        testing_support::RunCli({"show", Path("every.rdf"), "--tab", "vfo"});
    ASSERT_EQ(vfo.exitCode, 0);
    EXPECT_TRUE(vfo.out.contains("\n70cm\t446.00625\t441.00625\t5.00 MHz\tMinus\tFM\t"));
    const testing_support::CliResult groups =
        testing_support::RunCli({"show", Path("every.rdf"), "--tab", "groups"});
    EXPECT_TRUE(groups.out.startsWith("\tGroup 1\tGroup 2\t"));
    const testing_support::CliResult bad =
        testing_support::RunCli({"show", Path("every.rdf"), "--tab", "nope"});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.err.contains("memories"));
}

} // namespace
