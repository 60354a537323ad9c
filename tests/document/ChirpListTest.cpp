// CHIRP channel lists: every column's mapping in and out, lists with and
// without the later columns, a list counted from 0, every counted case with
// its summary line, and list -> import -> export giving the same lines.
#include "document/ChirpList.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"
#include "radio/RadioModel.h"
#include "support/TestSupport.h"

#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace radio;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::WriteFile;

namespace {

using testing_support::DataPath;

// A line of the full column set with the fields of a simplex FM channel on
// 146.52 MHz, then the case's own "Title=value" fields ('|' between them).
QByteArray ListWith(const char* overrides) {
    QMap<QString, QString> f{
        {"Location", "1"},
        {"Name", "TEST"},
        {"Frequency", "146.520000"},
        {"Offset", "0.000000"},
        {"rToneFreq", "88.5"},
        {"cToneFreq", "88.5"},
        {"DtcsCode", "023"},
        {"DtcsPolarity", "NN"},
        {"RxDtcsCode", "023"},
        {"CrossMode", "Tone->Tone"},
        {"Mode", "FM"},
        {"TStep", "5.00"},
        {"Power", "Hi"},
    };
    for (const QString& pair : QString::fromUtf8(overrides).split('|', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf('=');
        f[pair.left(eq)] = pair.mid(eq + 1);
    }
    QStringList values;
    for (const QString& title : document::chirp::ColumnNames())
        values << f.value(title);
    return (document::chirp::ColumnNames().join(',') + '\n' + values.join(',') + '\n').toUtf8();
}

struct InCase {
    const char* fields;
    // Expected channel 1 (when the line is not skipped).
    Hz rx;
    int direction;
    Hz txOrOffset; // the offset, or with split the transmit frequency
    int toneMode;
    int ctcss; // index
    int dcs;   // index
    int mode;
    bool halfDeviation;
    int step;
    int skipScan; // 0 none, 1 skip, 2 preferential
    int power;
    const char* name;
    // The note of the summary: empty when the line is stored as it stands;
    // "skip: ..." when it is skipped.
    const char* note;
};

constexpr Hz k14652 = 146520000;
constexpr int kT885 = 8;
constexpr int kT1000 = 12;
constexpr int kD023 = 0;
constexpr int kD025 = 1;
constexpr int kD754 = 103;

const InCase kInCases[] = {
    {"", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST", ""},
    // Duplex and offset.
    {"Duplex=+|Offset=0.600000", k14652, 2, 600000, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST", ""},
    {"Duplex=-|Offset=0.600", k14652, 1, 600000, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST", ""},
    {"Duplex=split|Offset=446.000000", k14652, 3, 446000000, 0, kT885, kD023, 0, false, 0, 0, 3,
     "TEST", ""},
    {"Duplex=off", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST",
     "transmit inhibit (off) imported as simplex"},
    {"Duplex=split|Offset=1500.0", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "",
     "skip: split transmit frequency 1500.0 the radio cannot use"},
    // Tone modes.
    {"Tone=Tone|rToneFreq=100.0", k14652, 0, 0, 1, kT1000, kD023, 0, false, 0, 0, 3, "TEST", ""},
    {"Tone=TSQL|cToneFreq=100.0|rToneFreq=88.5", k14652, 0, 0, 2, kT1000, kD023, 0, false, 0, 0, 3,
     "TEST", ""},
    {"Tone=DTCS|DtcsCode=754", k14652, 0, 0, 3, kT885, kD754, 0, false, 0, 0, 3, "TEST", ""},
    {"Tone=Cross|CrossMode=DTCS->|DtcsCode=025", k14652, 0, 0, 4, kT885, kD025, 0, false, 0, 0, 3,
     "TEST", ""},
    {"Tone=Cross|CrossMode=Tone->DTCS|rToneFreq=100.0|RxDtcsCode=754", k14652, 0, 0, 5, kT1000,
     kD754, 0, false, 0, 0, 3, "TEST", ""},
    {"Tone=Cross|CrossMode=DTCS->Tone|DtcsCode=025|cToneFreq=100.0", k14652, 0, 0, 6, kT1000, kD025,
     0, false, 0, 0, 3, "TEST", ""},
    {"Tone=Cross|CrossMode=DTCS->DTCS|DtcsCode=025|RxDtcsCode=754", k14652, 0, 0, 3, kT885, kD025,
     0, false, 0, 0, 3, "TEST",
     "cross mode DTCS->DTCS imported as DTCS; receive DCS code 754 differs, transmit code 025 "
     "kept"},
    {"Tone=Cross|CrossMode=Tone->Tone|rToneFreq=100.0|cToneFreq=88.5", k14652, 0, 0, 2, kT1000,
     kD023, 0, false, 0, 0, 3, "TEST", "cross mode Tone->Tone imported as TSQL"},
    {"Tone=TSQL-R|cToneFreq=100.0", k14652, 0, 0, 2, kT1000, kD023, 0, false, 0, 0, 3, "TEST",
     "reverse tone squelch (TSQL-R) imported as TSQL"},
    {"Tone=DTCS-R|DtcsCode=025", k14652, 0, 0, 3, kT885, kD025, 0, false, 0, 0, 3, "TEST",
     "reverse DCS (DTCS-R) imported as DTCS"},
    {"Tone=DTCS|DtcsCode=025|DtcsPolarity=RN", k14652, 0, 0, 3, kT885, kD025, 0, false, 0, 0, 3,
     "TEST", "DCS polarity RN cannot be stored (NN)"},
    {"Tone=Tone|rToneFreq=100.1", k14652, 0, 0, 1, kT1000, kD023, 0, false, 0, 0, 3, "TEST",
     "tone 100.1 Hz not in the radio's list, 100.0 Hz used"},
    // Modes.
    {"Mode=NFM", k14652, 0, 0, 0, kT885, kD023, 0, true, 0, 0, 3, "TEST", ""},
    {"Mode=AM", k14652, 0, 0, 0, kT885, kD023, 1, false, 0, 0, 3, "TEST", ""},
    {"Mode=WFM|Frequency=101.1", 101100000, 0, 0, 0, kT885, kD023, 2, false, 0, 0, 3, "TEST", ""},
    {"Mode=DV", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "", "skip: mode DV the radio does not have"},
    // Steps, scan, power.
    {"TStep=12.50", k14652, 0, 0, 0, kT885, kD023, 0, false, 2, 0, 3, "TEST", ""},
    {"TStep=9.00|Frequency=1.620|Mode=AM", 1620000, 0, 0, 0, kT885, kD023, 1, false, 8, 0, 3,
     "TEST", ""},
    {"TStep=6.25", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST",
     "step 6.25 kHz not in the radio's list, 5 kHz used"},
    {"Skip=S", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 1, 3, "TEST", ""},
    {"Skip=P", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 2, 3, "TEST", ""},
    {"Power=L1", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 0, "TEST", ""},
    {"Power=L3", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 2, "TEST", ""},
    {"Power=Low", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 0, "TEST", ""},
    {"Power=5.0W", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST", ""},
    {"Power=1.5W", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 1, "TEST", ""},
    {"Power=0.3W", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 0, "TEST", ""},
    {"Power=0.3W|Frequency=223.5", 223500000, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST", ""},
    {"Power=Turbo", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "TEST",
     "power \"Turbo\" unknown, High used"},
    // Names.
    {"Name=A LONG NAME", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "A LONG N", ""},
    {"Name=K\xc3\xb6ln~\xe2\x82\xac", k14652, 0, 0, 0, kT885, kD023, 0, false, 0, 0, 3, "K ln~",
     "2 character(s) of the name replaced by blanks"},
    // Lines that change nothing.
    {"Frequency=1500.0", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "",
     "skip: frequency \"1500.0\" the radio cannot receive"},
    {"Frequency=", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "",
     "skip: frequency \"\" the radio cannot receive"},
    {"Location=451", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "",
     "skip: location 451 is past the last memory channel (450)"},
    {"Location=x", 0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, "",
     "skip: location \"x\" is no channel number"},
};

TEST(ChirpList, EveryColumnMapsInWithItsSummaryLine) {
    QTemporaryDir dir;
    for (const InCase& c : kInCases) {
        SCOPED_TRACE(c.fields);
        const QString path = dir.filePath(QStringLiteral("list.csv"));
        WriteFile(path, ListWith(c.fields));
        document::RadioDocument doc;
        const document::textio::ImportSummary s = document::textio::ImportFile(doc.Radio(), path);
        ASSERT_TRUE(s.ok);
        EXPECT_TRUE(s.chirp);
        EXPECT_EQ(s.lines, 1);
        const QString note = QString::fromUtf8(c.note);
        const bool skipped = note.startsWith(QLatin1String("skip: "));
        EXPECT_EQ(s.skipped, skipped ? 1 : 0);
        EXPECT_EQ(s.changed, !skipped && !note.isEmpty() ? 1 : 0);
        if (note.isEmpty()) {
            EXPECT_TRUE(s.notes.isEmpty());
            EXPECT_EQ(document::textio::SummaryLine(s),
                      QStringLiteral("Imported 1 of 1 lines into memory "
                                     "channels from a CHIRP list; 0 "
                                     "skipped, 0 changed."));
        } else {
            ASSERT_EQ(s.notes.size(), 1);
            EXPECT_EQ(s.notes[0].first, 2);
            EXPECT_EQ(s.notes[0].second, skipped ? note.mid(6) : note);
            EXPECT_TRUE(document::textio::SummaryLine(s).endsWith(
                QStringLiteral(" Line 2: %1.").arg(s.notes[0].second)));
        }
        if (skipped) {
            const document::RadioDocument fresh;
            EXPECT_EQ(std::memcmp(doc.Block(), fresh.Block(), radio::rdf::kFileSize), 0);
            EXPECT_EQ(s.nothingImported.isEmpty(), false);
            continue;
        }
        ASSERT_TRUE(doc.Radio().IsUsed(doc.Image(), tab::kMemories, 0));
        const ChannelValues v = DecodeChannel(doc.Radio(), doc.Image(), tab::kMemories, 0);
        EXPECT_EQ(v.rx, c.rx);
        EXPECT_EQ(v.direction, c.direction);
        EXPECT_EQ(v.direction == direction::kSplit ? v.tx : v.offset, c.txOrOffset);
        EXPECT_EQ(v.toneMode, c.toneMode);
        EXPECT_EQ(v.ctcss, c.ctcss);
        EXPECT_EQ(v.dcs, c.dcs);
        EXPECT_EQ(v.mode, c.mode);
        EXPECT_EQ(v.halfDeviation, c.halfDeviation);
        EXPECT_EQ(v.step, c.step);
        EXPECT_EQ(v.skip, c.skipScan == 1);
        EXPECT_EQ(v.preferential, c.skipScan == 2);
        EXPECT_EQ(v.power, c.power);
        EXPECT_EQ(v.name, QString::fromLatin1(c.name));
    }
}

// Lists the project keeps under tests/data: what an import gives, and what
// the export then writes.
struct ListCase {
    const char* file;
    const char* summary;
    // The export after importing into a new document; nullptr: the file
    // itself (everything in it the radio holds as it stands).
    const char* exported;
};

const ListCase kListCases[] = {
    {"chirp-roundtrip.csv",
     "Imported 11 of 11 lines into memory channels from a CHIRP list; 0 skipped, 0 changed.",
     nullptr},
    // The older column set (no RxDtcsCode, CrossMode, Power, DVCODE), titles
    // in another order, CRLF line ends.
    {"chirp-old.csv",
     "Imported 3 of 3 lines into memory channels from a CHIRP list; 0 skipped, 0 changed.",
     "1,HOME,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,simplex,,,,\n"
     "2,RPT,147.000000,+,0.600000,Tone,100.0,100.0,023,NN,023,Tone->Tone,NFM,5.00,S,Hi,,,,,\n"
     "3,DCS,446.100000,,0.000000,DTCS,88.5,88.5,754,NN,754,Tone->Tone,FM,12.50,,Hi,,,,,\n"},
    {"chirp-zero.csv",
     "Imported 3 of 4 lines into memory channels from a CHIRP list (its locations count from 0: "
     "location n is channel n + 1); 1 skipped, 0 changed. Line 5: location 450 is past the last "
     "memory channel (450).",
     "1,FIRST,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,,,,,\n"
     "2,SECOND,146.550000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,,,,,\n"
     "450,LAST,146.580000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,,,,,\n"},
    // A location named twice: the first line that imports keeps the channel.
    {"chirp-repeat.csv",
     "Imported 2 of 4 lines into memory channels from a CHIRP list; 2 skipped, 0 changed. Line "
     "3: location 1 was already imported from line 2, which is kept. Line 4: frequency "
     "\"1500.000000\" the radio cannot receive.",
     "1,FIRST,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,,,,,\n"
     "2,SECOND,146.580000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Hi,,,,,\n"},
};

TEST(ChirpList, ListsImportAndExportAgain) {
    for (const ListCase& c : kListCases) {
        SCOPED_TRACE(c.file);
        document::RadioDocument doc;
        const document::textio::ImportSummary s =
            document::textio::ImportFile(doc.Radio(), DataPath(c.file));
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(document::textio::SummaryLine(s), QString::fromLatin1(c.summary));
        const QByteArray out = document::chirp::ExportBytes(doc.Radio());
        if (!c.exported) {
            EXPECT_EQ(out, ReadFile(DataPath(c.file)));
        } else {
            EXPECT_EQ(out,
                      (document::chirp::ColumnNames().join(',') + '\n').toLatin1() + c.exported);
        }
        // What the export wrote reads back to the same memory.
        QTemporaryDir dir;
        const QString again = dir.filePath(QStringLiteral("again.csv"));
        WriteFile(again, out);
        document::RadioDocument second;
        ASSERT_TRUE(document::textio::ImportFile(second.Radio(), again).ok);
        EXPECT_EQ(document::chirp::ExportBytes(second.Radio()), out);
    }
}

TEST(ChirpList, OwnListsStillReadTheirWayAndCountSkippedLines) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("own.csv"));
    WriteFile(path, "Channel Number,Receive Frequency,Name\n"
                    "1,146.52,ONE\n"
                    "2,1500.0,BAD\n"
                    "451,146.52,PAST\n");
    document::RadioDocument doc;
    const document::textio::ImportSummary s = document::textio::ImportFile(doc.Radio(), path);
    ASSERT_TRUE(s.ok);
    EXPECT_FALSE(s.chirp);
    EXPECT_EQ(document::textio::SummaryLine(s),
              QStringLiteral("Imported 1 of 3 lines into memory channels; 2 skipped. Line 3: "
                             "receive frequency \"1500.0\" the radio cannot use. Line 4: channel "
                             "451 is past the last memory channel (450)."));
}

TEST(ChirpList, CommandLineImportsAndExports) {
    QTemporaryDir dir;
    const QString doc = dir.filePath(QStringLiteral("a.rdf"));
    ASSERT_EQ(RunCli({"new", doc}).exitCode, 0);
    const auto in = RunCli({"import", doc, DataPath("chirp-zero.csv")});
    EXPECT_EQ(in.exitCode, 0);
    // The count once on stdout, the rest on stderr.
    EXPECT_EQ(in.out, "Imported 3 of 4 lines into memory channels.\n");
    EXPECT_EQ(in.err, "From a CHIRP list (its locations count from 0: location n is channel "
                      "n + 1); 1 skipped, 0 changed.\nLine 5: location 450 is past the last "
                      "memory channel (450)\n");
    const auto out = RunCli({"export", doc, "-", "--format", "chirp"});
    EXPECT_EQ(out.exitCode, 0);
    EXPECT_TRUE(out.out.startsWith("Location,Name,Frequency,"));
    EXPECT_EQ(out.out.count('\n'), 4);
    const QString file = dir.filePath(QStringLiteral("out.csv"));
    EXPECT_EQ(RunCli({"export", doc, file, "--format", "chirp"}).exitCode, 0);
    EXPECT_EQ(ReadFile(file), out.out);
    const auto bad = RunCli({"export", doc, file, "--format", "icom"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("Unknown list format: icom"));
}

} // namespace
