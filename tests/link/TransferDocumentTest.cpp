// What the transfers do to the document and to the remembered radio header.
#include "LinkTestSupport.h"

#include "document/RadioDocument.h"
#include "link/RadioHeader.h"
#include "link/TransferDocument.h"
#include "settings/SettingsStore.h"

#include "support/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace linktest;
using radio::RadioModel;
namespace image = radio::image;

using testing_support::UnwritableStore;

namespace {

const QString kConfiguration = QString::fromLatin1(settings::kConfiguration);
const QString kConfiguration1 = QString::fromLatin1(settings::kConfiguration1);
const QString kCannot = QStringLiteral("Could not create the registry key.");

void ClearStore() {
    auto store = settings::OpenStore();
    store->clear();
    store->sync();
}

QByteArray HeaderOf(const Byte* imageBytes) {
    return QByteArray(reinterpret_cast<const char*>(imageBytes), image::kHeaderSize);
}

} // namespace

TEST(TransferDocument, DownloadedImageIsTakenAndItsHeaderRemembered) {
    ClearStore();
    const Image received = TestImage();
    document::RadioDocument doc;
    ASSERT_FALSE(doc.IsModified());
    EXPECT_FALSE(radiolink::TakeDownloadedImage(doc, received.data()).has_value());

    EXPECT_EQ(ToBytes(received),
              QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize));
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
    EXPECT_TRUE(doc.IsModified());

    auto store = settings::OpenSettingsGroup();
    EXPECT_EQ(store->value(kConfiguration).toByteArray(), HeaderOf(received.data()));
    int sum = 0;
    for (int i = 0; i < image::kHeaderSize; ++i)
        sum += received[static_cast<size_t>(i)];
    EXPECT_EQ(store->value(kConfiguration1).toInt(), sum % 256);
}

TEST(TransferDocument, DownloadWithAStoreThatCannotBeWritten) {
    ClearStore();
    const Image received = TestImage();
    document::RadioDocument doc;
    {
        UnwritableStore unwritable;
        EXPECT_EQ(radiolink::TakeDownloadedImage(doc, received.data()), kCannot);
    }
    // The document is updated all the same; the store holds nothing.
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Image()[image::kChecksum], received[image::kChecksum]);
    auto store = settings::OpenSettingsGroup();
    EXPECT_FALSE(store->contains(kConfiguration));
    EXPECT_FALSE(store->contains(kConfiguration1));
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
            auto store = settings::OpenSettingsGroup();
            if (c.configuration.isValid())
                store->setValue(kConfiguration, c.configuration);
            if (c.configuration1.isValid())
                store->setValue(kConfiguration1, c.configuration1);
        }
        document::RadioDocument doc;
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
    document::RadioDocument doc;
    Byte* img = doc.Image();
    // Memory channel 1 is in use in a new document; give it a split tone mode.
    img[image::kMemories + radio::record::kToneMode] = 5;
    const int splitByte = image::kSettingsFirst + radio::settingsarea::kSplitToneByte;
    img[splitByte] &= static_cast<Byte>(~radio::settingsarea::kSplitToneBit);
    // Spoil all three checksums.
    img[image::kStateBlock + radio::block::kChecksum] ^= 0x5A;
    img[image::kStateCopy + radio::block::kChecksum] ^= 0xA5;
    img[image::kChecksum] ^= 0xFF;

    radiolink::PrepareSendCommand(doc);
    const radiolink::UploadImage prepared = radiolink::PrepareUploadImage(doc);
    EXPECT_TRUE(prepared.bytes[static_cast<size_t>(splitByte)] &
                radio::settingsarea::kSplitToneBit);
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
