// The settings block against the image, settings files, finding a document's
// settings and the upload's settings step.
#include "settings/RadioSettings.h"
#include "document/RadioDocument.h"
#include "radio/RadioModel.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>

using namespace radio;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

constexpr int kImageOf = image::kSettingsFirst; // block byte n is image byte n + 1682

class RadioSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        auto store = settings::OpenSettingsGroup();
        store->remove(QString());
        settings::Flush(*store);
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    static void Remember(const QString& directory, const QString& file) {
        auto store = settings::OpenSettingsGroup();
        store->setValue(QString::fromLatin1(settings::kSettingDir), directory);
        store->setValue(QString::fromLatin1(settings::kCurrentSettingFile), file);
        settings::Flush(*store);
    }
    // A good settings file whose block bytes are all value.
    static QByteArray GoodFile(Byte value) {
        settings::rsf::FileImage file{};
        settings::rsf::WriteHeader(file.data(), true);
        std::memset(file.data() + settings::rsf::kBlock, value, settings::rsf::kBlockSize);
        return {reinterpret_cast<const char*>(file.data()), settings::rsf::kFileSize};
    }

    QTemporaryDir m_dir;
    RadioModel m_radio;
};

// The block travels into the image as the radio model copies it (tests/radio);
// the dual receive and operation band bits of byte 117 travel on their own,
// into bytes 1426 and 1554, and 1427 and 1555, of which only bit 0 counts.
TEST_F(RadioSettingsTest, DualReceiveAndBandTravelInTheirOwnBytes) {
    const struct {
        Byte block117;
        Byte dual;
        Byte band;
    } cases[] = {{0xF7, 1, 0}, {0x0C, 1, 1}, {0x08, 0, 1}, {0x00, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block117);
        std::vector<Byte> img(image::kSize, 0x77);
        settings::rsf::RadioSettings block;
        block.fill(0x55);
        block[117] = c.block117;
        settings::rsf::WriteSettings(m_radio, block.data(), img.data());
        EXPECT_EQ(img[1426], c.dual);
        EXPECT_EQ(img[1554], c.dual);
        EXPECT_EQ(img[1427], c.band);
        EXPECT_EQ(img[1555], c.band);

        img[1426] |= 0xFE;
        img[1427] |= 0xFE;
        settings::rsf::RadioSettings back;
        back.fill(0x99);
        settings::rsf::ExtractSettings(m_radio, img.data(), back.data());
        EXPECT_EQ(back[117], c.block117);
        for (int n = settings::rsf::kRecordSize; n < settings::rsf::kBlockSize; ++n)
            EXPECT_EQ(back[n], 0x99) << "spare bytes";
    }
}

TEST_F(RadioSettingsTest, FileChecksAndTheirTexts) {
    const QString path = Path(QStringLiteral("x.rsf"));
    using Kind = document::FileError::Kind;
    const QString notRadioData = QStringLiteral("Not a radio data file:\n") + path;
    const QString invalidFormat = QStringLiteral("Radio data file has invalid format");
    const struct {
        const char* name;
        int size;       // the file cut to this size; 0: whole
        int at;         // where put goes
        QByteArray put; // bytes put into the file
        std::optional<Kind> kind;
        QString text;
    } cases[] = {
        {"good", 0, 0, {}, std::nullopt, {}},
        {"version 7 loads", 0, 8, "\7", std::nullopt, {}},
        {"79 bytes", 79, 0, {}, Kind::NotRadioData, notRadioData},
        {"wrong magic", 0, 3, "\1", Kind::NotRadioData, notRadioData},
        {"a radio data file's magic", 0, 0, "RDF", Kind::NotRadioData, notRadioData},
        {"another radio", 0, 4, QByteArray("JH71\1\0\0\0\x20\x06\0\0Other Radio\0", 24),
         Kind::DifferentRadio,
         QStringLiteral("Radio data file for different radio:\nOther Radio")},
        {"size 1567", 0, 12, "\x1F", Kind::InvalidHeader,
         QStringLiteral("Radio data file has invalid header")},
        {"cut after the header", 80, 0, {}, Kind::InvalidFormat, invalidFormat},
        {"one byte short", 1567, 0, {}, Kind::InvalidFormat, invalidFormat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = GoodFile(0x42);
        bytes.replace(c.at, c.put.size(), c.put);
        if (c.size)
            bytes.truncate(c.size);
        WriteFile(path, bytes);
        settings::rsf::FileImage dest;
        dest.fill(0xEE);
        const auto error = settings::rsf::LoadFile(path, dest.data());
        if (!c.kind) {
            ASSERT_FALSE(error) << error->text.toStdString();
            EXPECT_EQ(
                QByteArray(reinterpret_cast<const char*>(dest.data()), settings::rsf::kFileSize),
                bytes);
            continue;
        }
        ASSERT_TRUE(error);
        EXPECT_EQ(error->kind, *c.kind);
        EXPECT_EQ(error->text, c.text);
        EXPECT_EQ(dest[100], 0xEE) << "nothing of a refused file is taken";
    }
    settings::rsf::FileImage dest{};
    const auto missing = settings::rsf::LoadFile(Path(QStringLiteral("none.rsf")), dest.data());
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->text.startsWith(QStringLiteral("Cannot open file:\n") +
                                         Path(QStringLiteral("none.rsf"))));
}

TEST_F(RadioSettingsTest, SavedFilesAreWholeOrNotWrittenAtAll) {
    settings::rsf::FileImage file{};
    settings::rsf::WriteHeader(file.data(), true);
    for (int i = 0; i < settings::rsf::kBlockSize; ++i)
        file[settings::rsf::kBlock + i] = static_cast<Byte>(i);
    const QString path = Path(QStringLiteral("a.rsf"));
    ASSERT_FALSE(settings::rsf::SaveFile(path, file.data()));
    const QByteArray saved = ReadFile(path);
    ASSERT_EQ(saved.size(), 1568);
    settings::rsf::FileImage back{};
    ASSERT_FALSE(settings::rsf::LoadFile(path, back.data()));
    EXPECT_EQ(back, file) << "bytes 176-193 and the spare bytes survive";

    // A folder or a device in the way is refused and nothing changes.
    const auto folder = settings::rsf::SaveFile(m_dir.path(), file.data());
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->text.startsWith(QStringLiteral("Cannot create file:\n")));
    const auto device = settings::rsf::SaveFile(QStringLiteral("/dev/null"), file.data());
    ASSERT_TRUE(device);
    EXPECT_TRUE(device->text.startsWith(QStringLiteral("Cannot create file:\n/dev/null")));
}

TEST_F(RadioSettingsTest, InitialisationBySourceAndItsFallBacks) {
    document::RadioDocument doc;
    doc.Image()[kImageOf + 0] = 9;   // squelch Main
    doc.Image()[1426] = 1;           // dual receive
    doc.Image()[kImageOf + 176] = 3; // a group count
    const QString dir = m_dir.path();
    WriteFile(Path(QStringLiteral("a.rsf")), GoodFile(0xA1));
    WriteFile(Path(QStringLiteral("b.rsf")), GoodFile(0xB2));
    QByteArray shortFile = GoodFile(0xC3);
    shortFile.truncate(200);
    WriteFile(Path(QStringLiteral("short.rsf")), shortFile);
    QDir(dir).mkdir(QStringLiteral("folder.rsf"));
    settings::rsf::RadioSettings defaults{};
    settings::rsf::ExtractDefaults(doc.Radio(), defaults.data());

    const struct {
        QString settingDir;
        QString current;
        QString source;
        Byte block0; // 0: the defaults
        QString fileName;
        bool loadError;
    } cases[] = {
        {dir, "a.rsf", "ReadRadio", 9, "Untitled.rsf", false},
        {dir, "b.rsf", "NewFile", 0xB2, "b.rsf", false}, // the current file
        {dir, "", "NewFile", 0, "Untitled.rsf", false},  // never a file named NewFile
        {dir, "b.rsf", "a.rsf", 0xA1, "a.rsf", false},
        {dir, "b.rsf", "gone.rsf", 0xB2, "b.rsf", false}, // missing: the current file
        {dir, "gone.rsf", "gone.rsf", 0, "Untitled.rsf", false},
        {dir, "", "gone.rsf", 0, "Untitled.rsf", false}, // an empty name is the folder
        {dir, "folder.rsf", "folder.rsf", 0, "Untitled.rsf", false},
        {"", "a.rsf", "a.rsf", 0, "Untitled.rsf", false},     // no remembered folder
        {dir, "b.rsf", "short.rsf", 0, "Untitled.rsf", true}, // broken: its message
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.settingDir + '|' + c.current + '|' + c.source).toStdString());
        Remember(c.settingDir, c.current);
        settings::rsf::FileImage file;
        file.fill(0xEE);
        const settings::rsf::Initialised found =
            settings::rsf::InitialiseBySource(doc.Radio(), doc.Image(), c.source, file.data());
        EXPECT_EQ(found.fileName, c.fileName);
        EXPECT_EQ(found.directory, c.settingDir);
        EXPECT_EQ(found.loadError ? found.loadError->text : QString(),
                  c.loadError ? QStringLiteral("Radio data file has invalid format") : QString());
        EXPECT_EQ(found.untitled, c.fileName == QLatin1String("Untitled.rsf"));
        if (c.block0 == 9) {
            EXPECT_EQ(file[settings::rsf::kBlock + 0], 9);
            EXPECT_EQ(file[settings::rsf::kBlock + 176], 0xEE) << "group counts are not taken";
            EXPECT_EQ(file[settings::rsf::kBlock + 1480], 0xEE) << "spare bytes are not taken";
        } else if (c.block0 == 0) {
            EXPECT_TRUE(found.defaults);
            EXPECT_EQ(0, std::memcmp(file.data() + settings::rsf::kBlock, defaults.data(), 176));
            EXPECT_EQ(0, std::memcmp(file.data() + settings::rsf::kBlock + 194,
                                     defaults.data() + 194, settings::rsf::kRecordSize - 194));
        } else {
            EXPECT_EQ(file[settings::rsf::kBlock + 1487], c.block0);
            EXPECT_EQ(found.path, QDir(dir).filePath(c.fileName));
        }
    }
}

TEST_F(RadioSettingsTest, TheUploadWritesTheNamedSettingsOrStops) {
    Remember(m_dir.path(), QString());
    QByteArray good = GoodFile(0x5A);
    good[settings::rsf::kBlock + 117] =
        char(0x0C); // dual receive, band Sub, bits 0-1 and 4-7 clear
    WriteFile(Path(QStringLiteral("good.rsf")), good);
    WriteFile(Path(QStringLiteral("bad.rsf")), good.left(100));

    document::RadioDocument doc;
    doc.Image()[1799] = 0xFF;
    doc.SetSettingsSourceName(QStringLiteral("bad.rsf"));
    const std::vector<Byte> before(doc.Image(), doc.Image() + image::kSize);
    const auto error = settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(doc));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text, QStringLiteral("Radio data file has invalid format"));
    EXPECT_TRUE(std::equal(before.begin(), before.end(), doc.Image())) << "nothing written";

    doc.SetSettingsSourceName(QStringLiteral("good.rsf"));
    QString from;
    ASSERT_FALSE(settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(doc), &from));
    EXPECT_EQ(from, Path(QStringLiteral("good.rsf")));
    const Byte* img = doc.Image();
    EXPECT_EQ(img[1682], 0x5A);
    EXPECT_EQ(img[1799], 0x00);
    EXPECT_EQ(img[1427], 1) << "band Sub";
    for (int i = 1858; i < 1876; ++i)
        EXPECT_EQ(img[i], before[static_cast<size_t>(i)]) << "group counts stay";
    EXPECT_FALSE(doc.IsModified());

    // "ReadRadio" sends the image's own settings, with bits 6 and 7 of
    // byte 1799 cleared all the same.
    document::RadioDocument radio;
    radio.SetSettingsSourceName(QStringLiteral("ReadRadio"));
    radio.Image()[1799] = 0xC5;
    radio.Image()[1554] = 0;
    radio.Image()[1426] = 1;
    ASSERT_FALSE(
        settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(radio), &from));
    EXPECT_EQ(from, QString());
    EXPECT_EQ(radio.Image()[1799], 0x05);
    EXPECT_EQ(radio.Image()[1554], 1);
    // A new document with no settings file to find: the factory settings.
    document::RadioDocument fresh;
    fresh.Image()[1682] = 0x42;
    ASSERT_FALSE(
        settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(fresh), &from));
    EXPECT_EQ(from, QStringLiteral("*"));
    EXPECT_EQ(fresh.Image()[1682], DefaultImage()[1682]);
}

TEST_F(RadioSettingsTest, RememberingComparesFoldersExactly) {
    const QString upper = Path(QStringLiteral("Dir"));
    const QString lower = Path(QStringLiteral("dir"));
    QDir().mkpath(upper);
    QDir().mkpath(lower);
    Remember(upper, QStringLiteral("old.rsf"));
    ASSERT_TRUE(settings::rsf::RememberFile(lower + QStringLiteral("/new.rsf"), upper));
    settings::rsf::RememberedFile remembered = settings::rsf::ReadRememberedFile();
    EXPECT_EQ(remembered.directory, lower);
    EXPECT_EQ(remembered.fileName, QStringLiteral("new.rsf"));
    // The same folder: the name is still written.
    ASSERT_TRUE(settings::rsf::RememberFile(lower + QStringLiteral("/other.rsf"), lower));
    remembered = settings::rsf::ReadRememberedFile();
    EXPECT_EQ(remembered.directory, lower);
    EXPECT_EQ(remembered.fileName, QStringLiteral("other.rsf"));
}

// The remembered radio header (18 bytes, byte 8 the variant) counts only with
// its sum; variant 1 has the TV names label.
TEST_F(RadioSettingsTest, TheTvVariantTest) {
    EXPECT_FALSE(settings::rsf::ReadRadioVariant().variant) << "nothing stored";
    const struct {
        int size, variant, sum;
        std::optional<int> read;
    } cases[] = {
        {18, 1, 35, 1}, {18, 2, 36, 2}, {18, 1, 36, std::nullopt}, {17, 1, 33, std::nullopt}};
    for (const auto& c : cases) {
        QByteArray header(c.size, '\x02');
        header[8] = static_cast<char>(c.variant);
        auto group = settings::OpenSettingsGroup();
        group->setValue(QString::fromLatin1(settings::kConfiguration), header);
        group->setValue(QString::fromLatin1(settings::kConfiguration1), c.sum);
        settings::Flush(*group);
        const auto read = settings::rsf::ReadRadioVariant();
        EXPECT_EQ(read.variant, c.read) << c.sum;
        EXPECT_EQ(settings::rsf::HasTvNamesLabel(read), c.read == 1);
    }
}

TEST_F(RadioSettingsTest, FieldEncodings) {
    settings::rsf::RadioSettings block;
    block.fill(0x77);
    using namespace settings::option;
    // DTMF memory 4: 1, 2, 3 then 0xFF shows 123; "12P" stores 1, 2, 26.
    Byte* m4 = block.data() + 304 + 48;
    m4[0] = 1, m4[1] = 2, m4[2] = 3, m4[3] = 0xFF;
    EXPECT_EQ(DtmfMemoryText(block.data(), 4), QStringLiteral("123"));
    SetDtmfMemory(block.data(), 4, QStringLiteral("12P"));
    const std::vector<Byte> expected = {1,    2,    26,   0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), m4));
    EXPECT_EQ(block[304 + 47], 0x77);
    EXPECT_EQ(block[304 + 64], 0x77);
    SetDtmfMemory(block.data(), 9, QStringLiteral("0123456789ABCD#*P"));
    EXPECT_EQ(DtmfMemoryText(block.data(), 9), QStringLiteral("0123456789ABCD#*"));
    EXPECT_EQ(block[448], 0x77) << "a memory holds 16 characters";

    // CW identifier A, B, 1.
    SetCwId(block.data(), QStringLiteral("AB1"));
    const std::vector<Byte> cw = {0x00, 11, 0x00, 12, 0x00, 1};
    EXPECT_TRUE(std::equal(cw.begin(), cw.end(), block.data() + 30));
    for (int i = 36; i < 62; ++i)
        EXPECT_EQ(block[i], 0xFF);
    EXPECT_EQ(CwIdText(block.data()), QStringLiteral("AB1"));

    // Offsets: signed 16-bit, high byte first.
    SetOffset(block.data(), 22, -1000);
    EXPECT_EQ(block[22], 0xFC);
    EXPECT_EQ(block[23], 0x18);
    EXPECT_EQ(OffsetValue(block.data(), 22), -1000);
}

} // namespace
