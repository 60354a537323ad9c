// What the transfers do to the document and to the remembered radio header.
#include "LinkTestSupport.h"

#include "document/RadioDocument.h"
#include "link/RadioHeader.h"
#include "link/TransferDocument.h"
#include "settings/Registry.h"

#include "support/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace linktest;
using vx7::RadioModel;
namespace image = vx7::image;

using testing_support::UnwritableStore;

namespace {

const QString kConfiguration = QString::fromLatin1(reg::kConfiguration);
const QString kConfiguration1 = QString::fromLatin1(reg::kConfiguration1);
const QString kCannot = QStringLiteral("Could not create the registry key.");

void ClearStore() {
    auto settings = reg::OpenProgramKey();
    settings->clear();
    settings->sync();
}

QByteArray HeaderOf(const Byte* imageBytes) {
    return QByteArray(reinterpret_cast<const char*>(imageBytes), image::kHeaderSize);
}

} // namespace

TEST(TransferDocument, DownloadedImageIsTakenAndItsHeaderRemembered) {
    ClearStore();
    const Image received = TestImage();
    RadioDocument doc;
    ASSERT_FALSE(doc.IsModified());
    EXPECT_FALSE(radiolink::TakeDownloadedImage(doc, received.data()).has_value());

    EXPECT_EQ(ToBytes(received),
              QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize));
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
    EXPECT_TRUE(doc.IsModified());

    auto settings = reg::OpenSettingsKey();
    EXPECT_EQ(settings->value(kConfiguration).toByteArray(), HeaderOf(received.data()));
    int sum = 0;
    for (int i = 0; i < image::kHeaderSize; ++i)
        sum += received[static_cast<size_t>(i)];
    EXPECT_EQ(settings->value(kConfiguration1).toInt(), sum % 256);
}

TEST(TransferDocument, DownloadWithAStoreThatCannotBeWritten) {
    ClearStore();
    const Image received = TestImage();
    RadioDocument doc;
    {
        UnwritableStore unwritable;
        EXPECT_EQ(radiolink::TakeDownloadedImage(doc, received.data()), kCannot);
    }
    // The document is updated all the same; the store holds nothing.
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Image()[image::kChecksum], received[image::kChecksum]);
    auto settings = reg::OpenSettingsKey();
    EXPECT_FALSE(settings->contains(kConfiguration));
    EXPECT_FALSE(settings->contains(kConfiguration1));
}

TEST(TransferDocument, UploadTakesTheRememberedHeaderOnlyWhenItsSumMatches) {
    const QByteArray remembered = QByteArray::fromHex("0A0102060924F8010024F8010201FFFFFFFF");
    ASSERT_EQ(remembered.size(), image::kHeaderSize);
    int sum = 0;
    for (char c : remembered)
        sum += static_cast<unsigned char>(c);
    sum %= 256;

    struct Case {
        const char* name;
        QVariant configuration; // invalid: not stored
        QVariant configuration1;
        bool takesRemembered;
    };
    const Case cases[] = {
        {"nothing stored (no download yet)", QVariant(), QVariant(), false},
        {"stored with a matching sum", remembered, sum, true},
        {"stored with a sum that does not match", remembered, (sum + 1) % 256, false},
        {"the sum without the modulo", remembered, sum + 256, false},
        {"only the header", remembered, QVariant(), false},
        {"a header of 17 bytes", remembered.left(17), sum, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearStore();
        {
            auto settings = reg::OpenSettingsKey();
            if (c.configuration.isValid())
                settings->setValue(kConfiguration, c.configuration);
            if (c.configuration1.isValid())
                settings->setValue(kConfiguration1, c.configuration1);
        }
        RadioDocument doc;
        const QByteArray own = HeaderOf(doc.Image());
        ASSERT_NE(own, remembered);
        const radiolink::UploadImage prepared = radiolink::PrepareUploadImage(doc);
        EXPECT_FALSE(prepared.warning.has_value());
        EXPECT_EQ(HeaderOf(prepared.bytes.data()), c.takesRemembered ? remembered : own);
        // The document's image is stamped in place and the copy matches it.
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize),
                  QByteArray(reinterpret_cast<const char*>(prepared.bytes.data()),
                             radiolink::kImageSize));
        EXPECT_TRUE(RadioModel::ImageChecksumHolds(prepared.bytes.data()));
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(TransferDocument, UploadMarksSplitToneAndMakesEveryChecksum) {
    ClearStore();
    RadioDocument doc;
    Byte* img = doc.Image();
    // Memory channel 1 is in use in a new document; give it a split tone mode.
    img[image::kMemories + vx7::record::kToneMode] = 5;
    const int splitByte = image::kSettingsFirst + vx7::settingsarea::kSplitToneByte;
    img[splitByte] &= static_cast<Byte>(~vx7::settingsarea::kSplitToneBit);
    // Spoil all three checksums.
    img[image::kStateBlock + vx7::block::kChecksum] ^= 0x5A;
    img[image::kStateCopy + vx7::block::kChecksum] ^= 0xA5;
    img[image::kChecksum] ^= 0xFF;

    radiolink::PrepareSendCommand(doc);
    const radiolink::UploadImage prepared = radiolink::PrepareUploadImage(doc);
    EXPECT_TRUE(prepared.bytes[static_cast<size_t>(splitByte)] & vx7::settingsarea::kSplitToneBit);
    EXPECT_TRUE(RadioModel::BlockChecksumHolds(prepared.bytes.data() + image::kStateBlock));
    EXPECT_TRUE(RadioModel::BlockChecksumHolds(prepared.bytes.data() + image::kStateCopy));
    EXPECT_TRUE(RadioModel::ImageChecksumHolds(prepared.bytes.data()));
    // The three checksum bytes where the radio has them.
    const Byte* out = prepared.bytes.data();
    EXPECT_EQ(out[1553], RadioModel::BlockChecksum(out + 1426));
    EXPECT_EQ(out[1681], RadioModel::BlockChecksum(out + 1554));
    EXPECT_EQ(out[16210], RadioModel::ImageChecksum(out));
    EXPECT_FALSE(doc.IsModified());
}

TEST(TransferDocument, RememberedHeaderRoundTrip) {
    ClearStore();
    const Image source = TestImage();
    ASSERT_FALSE(radiolink::StoreRadioHeader(source.data()).has_value());
    const radiolink::RememberedHeader loaded = radiolink::LoadRadioHeader();
    ASSERT_TRUE(loaded.header.has_value());
    EXPECT_FALSE(loaded.error.has_value());
    EXPECT_TRUE(std::equal(loaded.header->begin(), loaded.header->end(), source.begin()));
}
