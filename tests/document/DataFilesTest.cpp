// Every image and channel list under tests/data through the whole program:
// open, fill all seven grids, commit, save (the same bytes); export, import
// into a new document, export again (the same text); and info. The files
// are the project's own: with CLONARA_WRITE_TEST_DATA=1 in the environment,
// DataFiles.Generate writes them again from the generators below.
#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "document/TextImportExport.h"
#include "radio/ChannelColumns.h"
#include "radio/ChannelRecord.h"
#include "radio/ChannelTables.h"
#include "radio/ValueTables.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

using namespace radio;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

using testing_support::DataPath;

QByteArray Bytes(const Byte* p, int n) {
    return QByteArray(reinterpret_cast<const char*>(p), n);
}

// ---------------------------------------------------------------------------
// Generators
// ---------------------------------------------------------------------------

void Put(document::RadioDocument& doc, int t, int index, const ChannelValues& v,
         const QString& comment) {
    ASSERT_TRUE(EncodeChannel(doc.Radio(), doc.Image(), t, index, v)) << t << " " << index;
    doc.Radio().SetComment(t, index, comment);
}

// Memory channels that use every value of every field: every mode, tone
// mode, tone, code, step, power and icon, every flag, every direction with
// offsets of every kind (transmit frequencies below 0 Hz, out of range, past
// 999 MHz), names over the whole character set and comments with
// separators, quotes and line breaks.
void FillEveryValue(document::RadioDocument& doc) {
    const Hz receive[] = {146520000, 145006250, 145012500, 567000,    1413000,   29620000,
                          52525000,  144000000, 222100000, 446500000, 440012500, 999000000,
                          108000000, 7100000,   50000000,  1000000};
    const Hz offsets[] = {600000, 0, 1230000, 5000000, 100000, 25000000, 7600000, 1600000};
    const Hz splitTx[] = {146970000, 145606250, 0, 400000, 999000000, 830000000};
    const char* comments[] = {
        "",           "plain",     "a, comma", "a \"quote\"",
        "two\nlines", "tab\there", "cr\rhere", "caf\u00e9 30 characters long.....x"};
    int nameCode = 0;
    for (int i = 0; i < image::kMemoryCount; ++i) {
        if (i % 37 == 36)
            continue; // a few channels stay unused
        ChannelValues v;
        v.rx = receive[(i + i / 4) % std::size(receive)]; // every direction meets every band
        v.direction = i % 4;
        v.offset = offsets[(i / 4) % std::size(offsets)];
        if (v.direction == direction::kSplit) {
            v.tx = splitTx[(i / 4) % std::size(splitTx)];
            v.offset = 0;
        } else {
            v.tx = std::max(v.direction == direction::kMinus  ? v.rx - v.offset
                            : v.direction == direction::kPlus ? v.rx + v.offset
                                                              : v.rx,
                            0);
        }
        v.mode = i % 3;
        v.toneMode = i % tonemode::kCount;
        v.ctcss = i % kCtcssCount;
        v.dcs = i % kDcsCount;
        v.step = i % kStepCount;
        v.power = i % 4;
        v.icon = i % 30;
        v.skip = i & 1;
        v.preferential = i & 2;
        v.masked = i & 4;
        v.clockShift = i & 8;
        v.halfDeviation = i & 16;
        // Names walk the printable character set (a character that occurs
        // twice is stored by its first code, so the second is left out).
        for (int k = 0; k < 8; ++k) {
            if (nameCode == 94)
                ++nameCode;
            v.name += QChar(kCharset[static_cast<size_t>(nameCode)]);
            nameCode = (nameCode + 1) % 96;
        }
        Put(doc, tab::kMemories, i, v, QString::fromUtf8(comments[i % std::size(comments)]));
    }
}

// A busy document: every memory value, limit and one-touch rows, edited VFO
// and home rows, hyper memories with both sets, groups with gaps closed,
// comments on every tab. It is stored as the grids write it back, so that
// writing every row from its cells again changes nothing.
void MakeBusy(document::RadioDocument& doc) {
    FillEveryValue(doc);
    ChannelValues v;
    v.rx = 146940000;
    v.direction = direction::kMinus;
    v.offset = 600000;
    v.tx = 146340000;
    v.toneMode = tonemode::kEncode;
    v.ctcss = 8;
    v.name = QStringLiteral("RPT");
    for (int i = 0; i < image::kLimitCount; i += 3) {
        v.rx = 144000000 + 1000000 * (i / 2);
        v.tx = v.rx - v.offset;
        v.skip = i % 2;
        Put(doc, tab::kLimit, i, v, QStringLiteral("limit %1").arg(i));
    }
    for (int i = 0; i < image::kOneTouchCount; i += 2) {
        v.rx = 430012500 + 25000 * i;
        v.direction = direction::kSplit;
        v.tx = 439012500;
        v.masked = i % 4 == 0;
        Put(doc, tab::kOneTouch, i, v, QStringLiteral("one touch %1").arg(i));
    }
    ChannelValues band;
    band.rx = 446006250; // 70cm
    band.offset = 5000000;
    band.direction = direction::kMinus;
    band.tx = band.rx - band.offset;
    band.step = 2;
    band.name = QStringLiteral("LOCAL");
    Put(doc, tab::kVfo, 7, band, QStringLiteral("vfo 70cm"));
    band.rx = 121500000; // Air
    band.direction = direction::kSimplex;
    band.tx = band.rx;
    band.mode = 1;
    Put(doc, tab::kHome, 8, band, QStringLiteral("home air"));

    for (int i = 0; i < image::kHyperCount; ++i) {
        Byte* blk = doc.Radio().RecordForRow(tab::kHyper, i);
        for (int set = 0; set < 2; ++set) {
            ChannelValues s;
            s.rx = set ? 430012500 + 12500 * i : 145006250 + 1000000 * i;
            s.direction = (i + set) % 4;
            s.offset = 600000;
            s.tx = s.direction == direction::kSplit ? s.rx + 1000000 : s.rx;
            s.name = QStringLiteral("H%1%2").arg(i).arg(set ? 'B' : 'A');
            s.icon = i * 3;
            s.toneMode = i % tonemode::kCount;
            s.skip = i & 1;
            s.masked = i & 2;
            EncodeSet(doc.Radio(), blk, set, s);
        }
        blk[block::kHyperStatus] = i % 3 ? block::kHyperInUse : 0xFF;
        doc.Radio().SetComment(tab::kHyper, i, QStringLiteral("hyper %1").arg(i + 1));
    }
    for (int g = 0; g < image::kGroupCount; g += 2) {
        const int size = 4 + 5 * g;
        for (int j = 0; j < size; ++j)
            RadioModel::SetGroupMember(doc.Image(), g, j, (g * 40 + j * 7) % 36 * 12);
        RadioModel::SetGroupSize(doc.Image(), g, size);
    }
    doc.Radio().SetPriorityChannel(5);

    // As the grids write it back.
    std::array<std::unique_ptr<document::TabTable>, tab::kCount> tables;
    for (int t = 0; t < tab::kCount; ++t) {
        tables[static_cast<size_t>(t)] = document::MakeTabTable(doc.Radio(), t);
        tables[static_cast<size_t>(t)]->Fill();
        tables[static_cast<size_t>(t)]->DropBaseline();
    }
    for (const auto& table : tables)
        table->WriteChanged(doc.Image());
    RadioModel::MakeChecksums(doc.Image());
}

// Every memory channel in use on the 12.5 kHz raster, every hyper memory in
// use and every group full, saved as the raw image a radio sends.
void MakeFull(document::RadioDocument& doc) {
    for (int i = 0; i < image::kMemoryCount; ++i) {
        ChannelValues v;
        v.rx = 144000000 + 12500 * i;
        v.direction = i % 3;
        v.offset = 600000;
        v.tx = v.direction == 1 ? v.rx - v.offset : v.direction == 2 ? v.rx + v.offset : v.rx;
        v.ctcss = i % kCtcssCount;
        v.dcs = i % kDcsCount;
        v.step = i % kStepCount;
        v.toneMode = i % tonemode::kCount;
        v.icon = i % 30;
        v.skip = i % 5 == 0;
        v.name = QStringLiteral("CH%1").arg(i);
        Put(doc, tab::kMemories, i, v, QString());
    }
    for (int i = 0; i < image::kHyperCount; ++i)
        doc.Radio().RecordForRow(tab::kHyper, i)[block::kHyperStatus] = block::kHyperInUse;
    for (int g = 0; g < image::kGroupCount; ++g) {
        for (int j = 0; j < image::kGroupMaxMembers; ++j)
            RadioModel::SetGroupMember(doc.Image(), g, j, g * 48 + j);
        RadioModel::SetGroupSize(doc.Image(), g, image::kGroupMaxMembers);
    }
    RadioModel::MakeChecksums(doc.Image());
}

// The images of tests/data. A canonical image is stored as the grids write
// it: writing every row from its cells again keeps its bytes.
struct DataImage {
    const char* file;
    void (*make)(document::RadioDocument&);
    bool canonical;
};
const DataImage kImages[] = {
    {"factory.rdf", nullptr, false},
    {"busy.rdf", &MakeBusy, true},
    {"full.img", &MakeFull, false},
};
// The channel lists: the export of an image with either separator.
const char* const kLists[] = {"factory.csv", "busy.csv", "busy.tab", "full.csv"};

QString Base(const QString& file) {
    return file.section(QLatin1Char('.'), 0, 0);
}

QByteArray ExportBytes(document::RadioDocument& doc, const QString& path) {
    if (document::textio::ExportFile(doc.Radio(), nullptr, path))
        return {};
    return ReadFile(path);
}

QByteArray Info(const QString& path) {
    const testing_support::CliResult r = testing_support::RunCli({QStringLiteral("info"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.out;
}

TEST(DataFiles, Generate) {
    if (qEnvironmentVariable("CLONARA_WRITE_TEST_DATA") != QLatin1String("1"))
        GTEST_SKIP() << "set CLONARA_WRITE_TEST_DATA=1 to write tests/data again";
    for (const DataImage& image : kImages) {
        document::RadioDocument doc;
        doc.StartNew();
        if (image.make)
            image.make(doc);
        const QString path = DataPath(QString::fromLatin1(image.file));
        ASSERT_FALSE(doc.Save(path));
        WriteFile(DataPath(Base(QString::fromLatin1(image.file)) + QStringLiteral(".info")),
                  Info(path));
    }
    for (const char* list : kLists) {
        document::RadioDocument doc;
        const QString name = QString::fromLatin1(list);
        const auto image =
            std::find_if(std::begin(kImages), std::end(kImages),
                         [&](const DataImage& i) { return Base(i.file) == Base(name); });
        ASSERT_FALSE(doc.Load(DataPath(QString::fromLatin1(image->file))));
        ASSERT_FALSE(document::textio::ExportFile(doc.Radio(), nullptr, DataPath(name)));
    }
}

// ---------------------------------------------------------------------------
// Every image
// ---------------------------------------------------------------------------

class ImageSuite : public ::testing::TestWithParam<DataImage> {
protected:
    QString Path() const { return DataPath(QString::fromLatin1(GetParam().file)); }
    QString Temp(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_P(ImageSuite, GridsCommitAndSaveKeepEveryByte) {
    const QByteArray original = ReadFile(Path());
    ASSERT_FALSE(original.isEmpty()) << Path().toStdString();
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path()));
    const QByteArray block = Bytes(doc.Block(), radio::rdf::kFileSize);

    std::array<std::unique_ptr<document::TabTable>, tab::kCount> tables;
    for (int t = 0; t < tab::kCount; ++t) {
        tables[static_cast<size_t>(t)] = document::MakeTabTable(doc.Radio(), t);
        tables[static_cast<size_t>(t)]->Fill();
    }
    auto commit = [&] {
        std::array<Byte, image::kSize> copy;
        std::memcpy(copy.data(), doc.Image(), copy.size());
        bool comments = false;
        for (const auto& table : tables)
            comments = table->WriteChanged(copy.data()) || comments;
        EXPECT_FALSE(comments);
        return Bytes(copy.data(), image::kSize);
    };
    EXPECT_EQ(commit(), Bytes(doc.Image(), image::kSize));
    if (GetParam().canonical) {
        // Every row written from its cells, as after an edit of each.
        for (auto& table : tables)
            table->DropBaseline();
        const QByteArray rewritten = commit();
        const QByteArray stored = Bytes(doc.Image(), image::kSize);
        for (int offset = 0; offset < image::kSize; ++offset)
            ASSERT_EQ(rewritten[offset], stored[offset]) << "image byte " << offset;
    }
    EXPECT_EQ(Bytes(doc.Block(), radio::rdf::kFileSize), block);

    const QString saved = Temp(QStringLiteral("saved.") + Path().section(QLatin1Char('.'), -1));
    ASSERT_FALSE(doc.Save(saved));
    EXPECT_EQ(ReadFile(saved), original);
}

TEST_P(ImageSuite, ExportImportExportKeepsTheText) {
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path()));
    const QString base = Base(QString::fromLatin1(GetParam().file));
    for (const char* extension : {".csv", ".tab"}) {
        const QString name = base + QString::fromLatin1(extension);
        const QByteArray text = ExportBytes(doc, Temp(name));
        ASSERT_FALSE(text.isEmpty());
        // The exports kept under tests/data are the program's, byte for byte.
        const QByteArray kept = ReadFile(DataPath(name));
        if (!kept.isEmpty()) {
            EXPECT_EQ(text, kept) << name.toStdString();
        }

        document::RadioDocument copy;
        const document::textio::ImportSummary summary =
            document::textio::ImportFile(copy.Radio(), Temp(name));
        ASSERT_TRUE(summary.ok) << summary.message.toStdString();
        EXPECT_EQ(ExportBytes(copy, Temp(QStringLiteral("again") + extension)), text);
        if (GetParam().canonical) {
            // Every memory record, flag and comment as the original has it.
            for (int i = 0; i < image::kMemoryCount; ++i) {
                ASSERT_EQ(Bytes(copy.Radio().RecordForRow(tab::kMemories, i), image::kRecordSize),
                          Bytes(doc.Radio().RecordForRow(tab::kMemories, i), image::kRecordSize))
                    << i;
                ASSERT_EQ(copy.Radio().Comment(tab::kMemories, i),
                          doc.Radio().Comment(tab::kMemories, i))
                    << i;
            }
            const int flags = RadioModel::FlagTableOffset(tab::kMemories);
            EXPECT_EQ(Bytes(copy.Image() + flags, image::kMemoryCount / 2),
                      Bytes(doc.Image() + flags, image::kMemoryCount / 2));
        }
    }
}

TEST_P(ImageSuite, InfoAsKept) {
    EXPECT_EQ(Info(Path()), ReadFile(DataPath(Base(QString::fromLatin1(GetParam().file)) +
                                              QStringLiteral(".info"))));
}

INSTANTIATE_TEST_SUITE_P(Data, ImageSuite, ::testing::ValuesIn(kImages),
                         [](const ::testing::TestParamInfo<DataImage>& param) {
                             return Base(QString::fromLatin1(param.param.file)).toStdString();
                         });

// Every channel list: imported into a new document and exported again with
// its own separator, it reads the same.
class ListSuite : public ::testing::TestWithParam<const char*> {};

TEST_P(ListSuite, ImportThenExportGivesTheList) {
    const QString name = QString::fromLatin1(GetParam());
    const QByteArray list = ReadFile(DataPath(name));
    ASSERT_FALSE(list.isEmpty()) << name.toStdString();
    document::RadioDocument doc;
    const document::textio::ImportSummary summary =
        document::textio::ImportFile(doc.Radio(), DataPath(name));
    ASSERT_TRUE(summary.ok) << summary.message.toStdString();
    QTemporaryDir dir;
    EXPECT_EQ(ExportBytes(doc, dir.filePath(name)), list);
}

INSTANTIATE_TEST_SUITE_P(Data, ListSuite, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return QString::fromLatin1(param.param)
                                 .replace(QLatin1Char('.'), QLatin1Char('_'))
                                 .toStdString();
                         });

} // namespace
