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

// The values of memory channel 1 that chirp-fields.txt names.
QMap<QString, QString> Channel1(const document::RadioDocument& doc) {
    const ChannelValues v = DecodeChannel(doc.Radio(), doc.Image(), tab::kMemories, 0);
    const auto n = [](auto value) { return QString::number(static_cast<qint64>(value)); };
    return {{"rx", n(v.rx)},
            {"direction", n(v.direction)},
            {"tx or offset", n(v.direction == direction::kSplit ? v.tx : v.offset)},
            {"tone mode", n(v.toneMode)},
            {"ctcss", n(v.ctcss)},
            {"dcs", n(v.dcs)},
            {"mode", n(v.mode)},
            {"half deviation", n(v.halfDeviation)},
            {"step", n(v.step)},
            {"scan", n(v.skip           ? 1
                       : v.preferential ? 2
                                        : 0)},
            {"power", n(v.power)},
            {"name", v.name}};
}

TEST(ChirpList, EveryColumnMapsInWithItsSummaryLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    int cases = 0;
    for (const auto& [row, f] : testing_support::DataLines("chirp-fields.txt")) {
        SCOPED_TRACE(row.toStdString());
        ASSERT_EQ(f.size(), 3);
        WriteFile(path, ListWith(f[0].toUtf8().constData()));
        document::RadioDocument doc;
        const document::textio::ImportSummary s = document::textio::ImportFile(doc.Radio(), path);
        ASSERT_TRUE(s.ok);
        EXPECT_TRUE(s.chirp);
        EXPECT_EQ(s.lines, 1);
        const QString note = f[2] == u'-' ? QString() : f[2];
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
        ++cases;
        if (skipped) {
            ASSERT_EQ(f[1], u'-');
            const document::RadioDocument fresh;
            EXPECT_EQ(std::memcmp(doc.Block(), fresh.Block(), radio::rdf::kFileSize), 0);
            EXPECT_FALSE(s.nothingImported.isEmpty());
            continue;
        }
        // A simplex FM channel "TEST" on 146.52 MHz with the band's offset,
        // 88.5 Hz, DCS 023, High, with what the row changes.
        QMap<QString, QString> want{
            {"rx", "146520000"}, {"direction", "0"},      {"tx or offset", "600000"},
            {"tone mode", "0"},  {"ctcss", "8"},          {"dcs", "0"},
            {"mode", "0"},       {"half deviation", "0"}, {"step", "0"},
            {"scan", "0"},       {"power", "3"},          {"name", "TEST"}};
        if (f[1] != QLatin1String("as given")) {
            for (const QString& pair : f[1].split(u'|'))
                want[pair.section(u'=', 0, 0)] = pair.section(u'=', 1);
        }
        ASSERT_TRUE(doc.Radio().IsUsed(doc.Image(), tab::kMemories, 0));
        EXPECT_EQ(Channel1(doc), want);
    }
    EXPECT_GE(cases, 40);
}

// The lists of chirp-lists.txt: what an import gives, and what the export then
// writes.
TEST(ChirpList, ListsImportAndExportAgain) {
    for (const auto& [line, f] : testing_support::DataLines("chirp-lists.txt")) {
        SCOPED_TRACE(f[0].toStdString());
        ASSERT_EQ(f.size(), 3);
        document::RadioDocument doc;
        const document::textio::ImportSummary s =
            document::textio::ImportFile(doc.Radio(), DataPath(f[0]));
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(document::textio::SummaryLine(s), f[1]);
        const QByteArray out = document::chirp::ExportBytes(doc.Radio());
        if (f[2] == QLatin1String("as read")) {
            EXPECT_EQ(out, ReadFile(DataPath(f[0])));
        } else {
            EXPECT_EQ(out, (document::chirp::ColumnNames().join(',') + '\n' +
                            QString(f[2]).replace(u'|', u'\n') + '\n')
                               .toLatin1());
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
    EXPECT_EQ(in.exitCode, 3) << "a line was skipped";
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
