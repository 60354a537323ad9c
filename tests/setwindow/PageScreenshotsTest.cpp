// The three pages painted on the factory settings with a drawn icon and
// character and named weather channels. With CLONARA_WRITE_SCREENSHOTS=1 the
// pictures are written to docs/ (do that only on purpose):
//
//     CLONARA_WRITE_SCREENSHOTS=1 build/bin/tests_setpages --gtest_filter=PageScreenshots.*
#include "settings/RadioSettings.h"
#include "setwindow/DisplayPage.h"
#include "setwindow/IconFontPage.h"
#include "setwindow/NamesPage.h"

#include "radio/RadioModel.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"
#include "settings/SettingsStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QRadioButton>

namespace {

using radio::Byte;

constexpr int kBlockSize = settings::rsf::kBlockSize;

// A bitmap drawn as rows of '#' and '.' in a file of the test data.
settings::rset::Pixels ReadDrawing(const char* name, const settings::rset::BitmapShape& shape) {
    const QByteArray text = testing_support::ReadFile(testing_support::DataPath(name));
    const QList<QByteArray> rows = text.trimmed().split('\n');
    EXPECT_EQ(rows.size(), shape.height) << name;
    settings::rset::Pixels pixels(static_cast<size_t>(shape.PixelCount()));
    for (int r = 0; r < shape.height && r < rows.size(); ++r)
        for (int c = 0; c < shape.width && c < rows[r].size(); ++c)
            pixels[static_cast<size_t>(r * shape.width + c)] = rows[r][c] == '#';
    return pixels;
}

std::vector<Byte> ShowcaseBlock() {
    std::vector<Byte> block(kBlockSize, 0);
    const auto& image = radio::DefaultImage();
    std::copy(image.begin() + radio::image::kSettingsFirst,
              image.begin() + radio::image::kSettingsEnd, block.begin());
    settings::rset::EncodeBitmap(settings::rset::kIconShape,
                                 ReadDrawing("sample-icon.txt", settings::rset::kIconShape),
                                 block.data() + settings::rset::kIconShape.Offset(0));
    settings::rset::EncodeBitmap(settings::rset::kFontShape,
                                 ReadDrawing("sample-char.txt", settings::rset::kFontShape),
                                 block.data() + settings::rset::kFontShape.Offset(1));
    block[static_cast<size_t>(settings::rset::kFontShape.selectionByte)] = 1;
    for (int k = 0; k < settings::rset::names::kWxCount; ++k)
        settings::rset::names::Encode(block.data() + settings::rset::names::WxRecord(k),
                                      QStringLiteral("NOAA %1").arg(k + 1));
    return block;
}

void Shoot(QWidget& page, const QSize& size, const char* file) {
    page.resize(size);
    page.show();
    QApplication::processEvents();
    const QImage picture = page.grab().toImage();
    ASSERT_EQ(picture.size(), size);
    if (qEnvironmentVariableIntValue("CLONARA_WRITE_SCREENSHOTS") == 1) {
        ASSERT_TRUE(
            picture.save(testing_support::DataPath("../../docs/") + QString::fromLatin1(file)));
    }
}

TEST(PageScreenshots, Display) {
    std::vector<Byte> block = ShowcaseBlock();
    setwindow::DisplayPage page(block.data(), nullptr);
    page.Load();
    Shoot(page, {900, 560}, "settings-display.png");
}

TEST(PageScreenshots, IconFont) {
    std::vector<Byte> block = ShowcaseBlock();
    settings::OpenSettingsGroup()->setValue(QString::fromLatin1(settings::kShowGuides), 1);
    setwindow::IconFontPage page(block.data(), nullptr);
    page.Load();
    Shoot(page, {900, 560}, "settings-icon-font.png");
    settings::OpenSettingsGroup()->remove(QString::fromLatin1(settings::kShowGuides));
}

TEST(PageScreenshots, Names) {
    std::vector<Byte> block = ShowcaseBlock();
    setwindow::NamesPage page(block.data(), true, nullptr);
    page.Load();
    Shoot(page, {900, 560}, "settings-names.png");
}

} // namespace
