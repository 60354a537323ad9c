// Radio data files: the new document, storing and loading byte for byte, every
// refusal with its text, raw images, comments and header texts. (Saves under
// faults of the disk are the save tests'; any bytes at all, the fuzz harness's.)
#include "document/RadioDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstring>

using namespace radio;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

QByteArray BlockOf(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Block()), radio::rdf::kFileSize);
}

void PutLe32(QByteArray& bytes, int offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

class DataFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray NewFileBytes() {
        document::RadioDocument doc;
        return BlockOf(doc);
    }
};

TEST_F(DataFileTest, NewDocumentHeader) {
    document::RadioDocument doc;
    const QByteArray b = BlockOf(doc);
    EXPECT_EQ(b.left(16), QByteArray::fromHex("52444600"
                                              "4A483730"
                                              "02000000"
                                              "90830000"));
    EXPECT_EQ(QByteArray(b.constData() + 16), QByteArray("Yaesu VX-7"));
    EXPECT_EQ(b.mid(56, 12), QByteArray::fromHex("C201"
                                                 "2000"
                                                 "0F410000"
                                                 "A8010000"));
    EXPECT_EQ(QByteArray(b.constData() + 168), QByteArray("NewFile"));
    EXPECT_EQ(b.mid(424, image::kSize),
              QByteArray(reinterpret_cast<const char*>(DefaultImage().data()), image::kSize));
    EXPECT_EQ(b.mid(radio::rdf::kMemoryComments),
              QByteArray(radio::rdf::kFileSize - radio::rdf::kMemoryComments, 0));
    EXPECT_EQ(doc.ChannelCount(), 450);
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("NewFile"));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DataFileTest, StoreAndLoadByteForByte) {
    document::RadioDocument doc;
    doc.Radio().SetComment(tab::kHome, 10, QStringLiteral("last home comment"));
    doc.Image()[5000] = 0x42;
    QByteArray expected = BlockOf(doc);
    ASSERT_FALSE(doc.Save(Path("a.rdf")));
    EXPECT_EQ(ReadFile(Path("a.rdf")), expected);

    // Bytes 70 to 87 read back as zero; everything else as stored.
    QByteArray onDisk = expected;
    for (int i = 70; i < 88; ++i)
        onDisk[i] = static_cast<char>(0x5A);
    PutLe32(onDisk, 12, 33681);
    WriteFile(Path("b.rdf"), onDisk + QByteArray("trailing bytes are ignored"));
    document::RadioDocument loaded;
    loaded.SetModified(true);
    ASSERT_FALSE(loaded.Load(Path("b.rdf")));
    QByteArray want = onDisk;
    for (int i = 70; i < 88; ++i)
        want[i] = 0;
    EXPECT_EQ(BlockOf(loaded), want);
    EXPECT_FALSE(loaded.IsModified());
    ASSERT_FALSE(loaded.Save(Path("c.rdf")));
    EXPECT_EQ(ReadFile(Path("c.rdf")), want) << "stored again with size field 33681";
}

TEST_F(DataFileTest, RefusalsWithTheirTexts) {
    const QByteArray good = NewFileBytes();
    using Kind = document::FileError::Kind;
    const QStringList kinds = {"not radio data", "different radio", "invalid header",
                               "invalid format"};
    const Kind kindOf[] = {Kind::NotRadioData, Kind::DifferentRadio, Kind::InvalidHeader,
                           Kind::InvalidFormat};
    const QString path = Path("x.rdf");
    const QMap<document::FileError::Kind, QString> texts = {
        {document::FileError::Kind::NotRadioData,
         QStringLiteral("Not a radio data file:\n") + path},
        {document::FileError::Kind::DifferentRadio,
         QStringLiteral("Radio data file for different radio:\nYaesu VX-7")},
        {document::FileError::Kind::InvalidHeader,
         QStringLiteral("Radio data file has invalid header")},
        {document::FileError::Kind::InvalidFormat,
         QStringLiteral("Radio data file has invalid format")},
    };
    for (const auto& [line, f] : testing_support::DataLines("datafile-refusals.txt")) {
        SCOPED_TRACE(line.toStdString());
        QByteArray bytes = good;
        const QStringList change = f[1].split(u' ');
        if (change[0] == QLatin1String("cut"))
            bytes = good.left(change[1].toInt());
        else
            bytes.replace(change[1].toInt(), change[2].size() / 2,
                          QByteArray::fromHex(change[2].toLatin1()));
        ASSERT_TRUE(kinds.contains(f[2]));
        const Kind kind = kindOf[kinds.indexOf(f[2])];
        WriteFile(path, bytes);
        document::RadioDocument doc;
        doc.Image()[100] = 0x77;
        const QByteArray before = BlockOf(doc);
        const auto error = doc.Load(path);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->kind, kind);
        EXPECT_EQ(error->text, texts.value(kind));
        EXPECT_EQ(doc.LoadErrorMessage(), error->text);
        EXPECT_EQ(BlockOf(doc), before) << "a refused file changes nothing";
    }

    // The other radio is named from the file's own header.
    QByteArray named = good;
    std::memcpy(named.data() + 4, "JH71", 4);
    std::memset(named.data() + 16, 0, 40);
    std::memcpy(named.data() + 16, "Other Radio 9", 13);
    WriteFile(path, named);
    document::RadioDocument doc;
    EXPECT_EQ(doc.Load(path)->text,
              QStringLiteral("Radio data file for different radio:\nOther Radio 9"));
    // A name that fills its whole field without a terminator is read within it.
    std::memset(named.data() + 16, 'N', 40);
    WriteFile(path, named);
    EXPECT_EQ(doc.Load(path)->text, QStringLiteral("Radio data file for different radio:\n") +
                                        QString(40, QLatin1Char('N')));

    const auto missing = doc.Load(Path("missing.rdf"));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, document::FileError::Kind::CannotOpen);
}

TEST_F(DataFileTest, RawImagesAreRecognisedByContent) {
    QByteArray img(reinterpret_cast<const char*>(DefaultImage().data()), image::kSize);
    img[5] = 0x33;
    img[16210] = static_cast<char>(0x00); // a stale checksum is taken as it is
    WriteFile(Path("radio.img"), img + QByteArray(169, 'm'));
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path("radio.img")));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.Image()), image::kSize), img);
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));

    // A raw image written leaves with fresh sums (state blocks and image);
    // the document keeps its own bytes.
    ASSERT_FALSE(doc.Save(Path("out.IMG")));
    QByteArray fresh = img;
    RadioModel::MakeChecksums(reinterpret_cast<Byte*>(fresh.data()));
    ASSERT_NE(fresh, img);
    EXPECT_EQ(ReadFile(Path("out.IMG")), fresh);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.Image()), image::kSize), img);

    WriteFile(Path("short.img"), img.left(16210));
    const auto error = doc.Load(Path("short.img"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, document::FileError::Kind::ShortImage);
    EXPECT_EQ(error->text,
              QStringLiteral("The clone image is too short (16,210 of 16,211 bytes):\n") +
                  Path("short.img"));
}

TEST_F(DataFileTest, OddChannelCountsLoadAndAreKept) {
    QByteArray bytes = NewFileBytes();
    bytes[56] = static_cast<char>(0xFF);
    bytes[57] = static_cast<char>(0xFF);
    WriteFile(Path("count.rdf"), bytes);
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path("count.rdf")));
    EXPECT_EQ(doc.ChannelCount(), 0xFFFF);
    EXPECT_EQ(doc.Radio().CommentSlot(tab::kMemories, 450), nullptr);
    EXPECT_NE(doc.Radio().CommentSlot(tab::kMemories, 449), nullptr);
}

TEST(CommentTest, SlotsTextsAndTabs) {
    document::RadioDocument doc;
    const struct {
        int tab;
        int row;
        int offset;
    } places[] = {
        {tab::kMemories, 0, 16655},
        {tab::kMemories, 449, 16655 + 449 * 32},
        {tab::kLimit, 39, 31055 + 39 * 32},
        {tab::kOneTouch, 9, 32335 + 288},
        {tab::kHyper, 0, 32655},
        {tab::kVfo, 10, 32975 + 320},
        {tab::kHome, 10, 33327 + 320},
    };
    for (const auto& s : places) {
        EXPECT_EQ(doc.Radio().CommentSlot(s.tab, s.row), doc.Block() + s.offset) << s.tab;
    }
    EXPECT_EQ(doc.Radio().CommentSlot(tab::kGroups, 0), nullptr);
    const QByteArray before = BlockOf(doc);
    doc.Radio().SetComment(tab::kGroups, 0, QStringLiteral("nothing"));
    EXPECT_EQ(BlockOf(doc), before) << "Memory Groups have no comments";

    EXPECT_EQ(doc.Radio().CommentSlot(tab::kMemories, 3), doc.Block() + 16655 + 3 * 32);
    Byte* slot = doc.Radio().CommentSlot(tab::kMemories, 3);
    std::memset(slot, 'x', 32);
    doc.Radio().SetComment(tab::kMemories, 3, QString(40, QLatin1Char('c')));
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(slot), 32),
              QByteArray(30, 'c') + QByteArray(1, '\0') + QByteArray(1, 'x'));
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 3), QString(30, QLatin1Char('c')));
    // A slot without a terminator reads to its end and no further.
    std::memset(slot, 'y', 32);
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 3), QString(32, QLatin1Char('y')));
    doc.Radio().SetComment(tab::kMemories, 3, QStringLiteral("short"));
    EXPECT_EQ(doc.Radio().Comment(tab::kMemories, 3), QStringLiteral("short"));
}

TEST(HeaderTextTest, SettingsSourceNameStaysInItsField) {
    document::RadioDocument doc;
    doc.SetSettingsSourceName(QString(300, QLatin1Char('s')));
    EXPECT_EQ(doc.SettingsSourceName(), QString(255, QLatin1Char('s')));
    EXPECT_EQ(doc.Block()[radio::rdf::kSettingsSource + 255], 0);
    std::memset(doc.Block() + radio::rdf::kSettingsSource, 'z', 256);
    EXPECT_EQ(doc.SettingsSourceName().size(), 256);
    doc.SetSettingsSourceName(QStringLiteral("ReadRadio"));
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
    EXPECT_EQ(doc.Block()[radio::rdf::kSettingsSource + 100], 0);
}

} // namespace
