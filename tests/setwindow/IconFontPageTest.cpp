// The Icon/Font page on a settings block, offscreen: previews and editors
// load from the bitmaps, drawing in an editor changes the selected bitmap
// only, and Save writes back the bitmaps and selections the user changed.
#include "setwindow/IconFontPage.h"
#include "settings/RadioSettings.h"

#include "settings/SettingsStore.h"
#include "support/ChangedBytes.h"
#include "widgets/PixelEditor.h"
#include "widgets/PixelPreview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <map>

namespace {

using radio::Byte;
using Block = std::vector<Byte>;

constexpr int kBlockSize = settings::rsf::kBlockSize;
constexpr int kFont = 194; // character k at 194 + 22k
constexpr int kIcon = 448; // icon k at 448 + 124k

Block Sample() {
    Block block(kBlockSize, 0);
    block[kFont + 0] = 0x03; // character 1: top row
    block[kFont + 1] = 0xFF;
    block[kFont + 22] = 0xFF; // character 2: top row, unused bits set
    block[kFont + 23] = 0xFF;
    block[kFont + 44 + 21] = 0x01; // character 3: bottom right pixel
    block[kIcon + 0] = 0x10;       // icon 1: pixels 0 and 20
    block[kIcon + 2] = 0x01;
    block[kIcon + 123] = 0xAA;      // icon 1's padding byte, not zero
    block[kIcon + 124 + 62] = 0x80; // icon 2: row 20, column 13
    block[156] = 2;
    block[157] = 1;
    return block;
}

std::vector<int> SetPixels(const std::vector<bool>& pixels) {
    std::vector<int> set;
    for (size_t p = 0; p < pixels.size(); ++p)
        if (pixels[p])
            set.push_back(static_cast<int>(p));
    return set;
}

std::vector<int> EditorPixels(const widgets::PixelEditor* editor) {
    std::vector<int> set;
    for (int p = 0; p < editor->Columns() * editor->Rows(); ++p)
        if (editor->Pixel(p))
            set.push_back(p);
    return set;
}

void ClickPixel(widgets::PixelEditor* editor, int index) {
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->CellRect(index).center());
}

void ClearShowGuides() {
    auto store = settings::OpenSettingsGroup();
    store->remove(QString::fromLatin1(settings::kShowGuides));
    settings::Flush(*store);
}

class IconFontPageTest : public ::testing::Test {
public:
    void SetUp() override {
        ClearShowGuides();
        block = Sample();
        page = std::make_unique<setwindow::IconFontPage>(block.data(), nullptr);
        page->resize(900, 600);
        page->show();
        QApplication::setActiveWindow(page.get());
        page->Load();
    }
    void Refill(const Block& fresh) {
        std::copy(fresh.begin(), fresh.end(), block.begin());
        page->Load();
    }
    std::map<int, int> Changes() const { return ChangedBytes(Sample(), block); }

    Block block;
    std::unique_ptr<setwindow::IconFontPage> page;
};

TEST_F(IconFontPageTest, LoadFillsPreviewsAndTheSelectedEditors) {
    EXPECT_EQ(SetPixels(page->FontPreview(1)->Pixels()),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(SetPixels(page->IconPreview(0)->Pixels()), (std::vector<int>{0, 20}));
    EXPECT_EQ(page->FontPreview(0)->BitmapWidth(), 10);
    EXPECT_EQ(page->IconPreview(2)->BitmapHeight(), 41);
    EXPECT_EQ(page->FontEditor()->Columns(), 10);
    EXPECT_EQ(page->IconEditor()->Rows(), 41);
    EXPECT_TRUE(page->FontButton(2)->isChecked());
    EXPECT_TRUE(page->IconButton(1)->isChecked());
    EXPECT_EQ(EditorPixels(page->FontEditor()), std::vector<int>{109});
    EXPECT_EQ(EditorPixels(page->IconEditor()), std::vector<int>{20 * 21 + 13});
}

TEST_F(IconFontPageTest, ASelectionByteNoButtonHasSurvives) {
    Block fresh = Sample();
    fresh[156] = 5;
    fresh[157] = 255;
    Refill(fresh);
    for (int k = 0; k < 5; ++k)
        EXPECT_FALSE(page->FontButton(k)->isChecked()) << k;
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(page->IconButton(k)->isChecked()) << k;
    // With nothing selected, the editor is blank and takes no drawing.
    EXPECT_FALSE(page->FontEditor()->isEnabled());
    EXPECT_FALSE(page->IconEditor()->isEnabled());
    EXPECT_TRUE(EditorPixels(page->IconEditor()).empty());
    page->Save();
    EXPECT_EQ(block[156], 5);
    EXPECT_EQ(block[157], 255);
}

TEST_F(IconFontPageTest, SavingWhatTheUserChanged) {
    struct Case {
        const char* what;
        std::function<void(setwindow::IconFontPage&)> act;
        std::map<int, int> changes;
    };
    const Case cases[] = {
        {"nothing: unused bits and the padding byte stay", [](setwindow::IconFontPage&) {}, {}},
        {"picking character 4 without drawing",
         [](setwindow::IconFontPage& p) { QTest::mouseClick(p.FontButton(3), Qt::LeftButton); },
         {{156, 3}}},
        {"drawing on character 2 saves it as 03 FF with the new pixel",
         [](setwindow::IconFontPage& p) {
             QTest::mouseClick(p.FontButton(1), Qt::LeftButton);
             ClickPixel(p.FontEditor(), 10); // row 1, column 0
         },
         {{156, 1}, {kFont + 22, 0x03}, {kFont + 24, 0x02}}},
        {"drawing and undrawing a pixel writes nothing",
         [](setwindow::IconFontPage& p) {
             ClickPixel(p.FontEditor(), 50);
             ClickPixel(p.FontEditor(), 50);
         },
         {}},
        {"drawing on icon 1 clears its padding byte",
         [](setwindow::IconFontPage& p) {
             QTest::mouseClick(p.IconButton(0), Qt::LeftButton);
             ClickPixel(p.IconEditor(), 21); // row 1, column 0
         },
         {{157, 0}, {kIcon + 3, 0x10}, {kIcon + 123, 0x00}}},
        {"drawing on icon 3 changes icon 3 only",
         [](setwindow::IconFontPage& p) {
             QTest::mouseClick(p.IconButton(2), Qt::LeftButton);
             ClickPixel(p.IconEditor(), 860);
         },
         {{157, 2}, {kIcon + 248 + 122, 0x01}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Refill(Sample());
        c.act(*page);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

TEST_F(IconFontPageTest, DrawingShowsInTheSelectedPreviewAtOnce) {
    QTest::mouseClick(page->IconButton(2), Qt::LeftButton);
    EXPECT_TRUE(EditorPixels(page->IconEditor()).empty());
    ClickPixel(page->IconEditor(), 42);
    EXPECT_EQ(SetPixels(page->IconPreview(2)->Pixels()), std::vector<int>{42});
    EXPECT_EQ(SetPixels(page->IconPreview(1)->Pixels()), std::vector<int>{20 * 21 + 13});
    // Back to icon 2: the editor shows it again.
    QTest::mouseClick(page->IconButton(1), Qt::LeftButton);
    EXPECT_EQ(EditorPixels(page->IconEditor()), std::vector<int>{20 * 21 + 13});
    // With keys: Space sets the pixel under the cursor of the font editor.
    page->FontEditor()->setFocus();
    QTest::keyClick(page->FontEditor(), Qt::Key_Right);
    QTest::keyClick(page->FontEditor(), Qt::Key_Space);
    EXPECT_TRUE(page->FontPreview(2)->Pixel(1));
}

TEST_F(IconFontPageTest, ShowGuidesIsRemembered) {
    QCheckBox* guides = page->ShowGuides();
    EXPECT_EQ(guides->text(), QStringLiteral("Show Guides"));
    EXPECT_FALSE(guides->isChecked());
    EXPECT_FALSE(page->IconEditor()->ShowGuides());
    QTest::keyClick(guides, Qt::Key_Space);
    EXPECT_TRUE(page->IconEditor()->ShowGuides());
    EXPECT_TRUE(page->FontEditor()->ShowGuides());
    EXPECT_EQ(
        settings::OpenSettingsGroup()->value(QString::fromLatin1(settings::kShowGuides)).toInt(),
        1);

    // The next page (the settings window opened again) starts with them.
    page.reset();
    setwindow::IconFontPage again(block.data(), nullptr);
    EXPECT_TRUE(again.ShowGuides()->isChecked());
    EXPECT_TRUE(again.IconEditor()->ShowGuides());
    EXPECT_TRUE(again.FontEditor()->ShowGuides());
    QTest::keyClick(again.ShowGuides(), Qt::Key_Space);
    EXPECT_EQ(
        settings::OpenSettingsGroup()->value(QString::fromLatin1(settings::kShowGuides)).toInt(),
        0);
}

} // namespace
