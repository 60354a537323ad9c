// The settings pages on a settings block, offscreen. The Toggles and General
// pages build their controls from the option table, whose bytes and bits the
// settings files in tests/data pin (tests/settings): each kind of control
// reaches its own bits and bytes, what the controls show, the keys each edit
// takes, and the General page's own rules, ARTS and the check of times and
// offsets. Then what is the other pages' own beyond the coding of bitmaps and
// names (tests/settings): the Display page's sliders, icon grid and LED
// colours; the Icon/Font page's previews and editors, drawing on the selected
// bitmap only; names typed into the grids and the TV names shown only with
// the TV band. Each page writes the bytes the user changed and nothing else.
// At the end, the pages' pictures for the documentation.
#include "setwindow/DisplayPage.h"
#include "setwindow/GeneralPage.h"
#include "setwindow/IconFontPage.h"
#include "setwindow/NamesPage.h"
#include "setwindow/TogglesPage.h"

#include "PageSamples.h"
#include "radio/RadioModel.h"
#include "settings/IconFont.h"
#include "settings/NameRecords.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsStore.h"
#include "support/ChangedBytes.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/LedSwatch.h"
#include "widgets/PixelEditor.h"
#include "widgets/PixelPreview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>

#include <functional>
#include <map>
#include <memory>

namespace {

using radio::Byte;
using Block = std::vector<Byte>;
using testing_support::ModalWatcher;

constexpr int kBlockSize = settings::rsf::kBlockSize;

// A page shown on a block; Changes() are the bytes that differ from the
// block it last loaded.
template <class Page>
class PageTest : public ::testing::Test {
public:
    template <class... Extra>
    void Show(const Block& sample, QSize size, Extra... extra) {
        page.reset();
        block = loaded = sample;
        page = std::make_unique<Page>(block.data(), extra..., nullptr);
        page->resize(size);
        page->show();
        QApplication::setActiveWindow(page.get());
        page->Load();
    }
    // New bytes into the block the page holds, loaded.
    void Refill(const Block& fresh) {
        std::copy(fresh.begin(), fresh.end(), block.begin());
        loaded = fresh;
        page->Load();
    }
    std::map<int, int> Changes() const { return ChangedBytes(loaded, block); }

    Block block;
    Block loaded;
    std::unique_ptr<Page> page;
};

// A block of zeros with a sample written over it.
Block Sample(const char* name) {
    Block block(kBlockSize, 0);
    PutSample(name, block.data());
    return block;
}

// ---------------------------------------------------------------------------
// Toggles and General: the controls the option table builds
// ---------------------------------------------------------------------------

template <class W>
W* Get(QWidget& page, const char* key) {
    W* w = page.findChild<W*>(QString::fromLatin1(key));
    EXPECT_NE(w, nullptr) << key;
    return w;
}

std::unique_ptr<setwindow::SettingsPage> OpenOptionPage(bool general, Block& block) {
    std::unique_ptr<setwindow::SettingsPage> page;
    if (general)
        page = std::make_unique<setwindow::GeneralPage>(block.data(), nullptr);
    else
        page = std::make_unique<setwindow::TogglesPage>(block.data(), nullptr);
    page->show();
    page->Load();
    return page;
}

// "BYTE=HEX ..." as a map of bytes; "-" for none.
std::map<int, int> BytesOf(const QString& text) {
    std::map<int, int> bytes;
    for (const QString& pair : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (pair != QLatin1String("-"))
            bytes[pair.section(QLatin1Char('='), 0, 0).toInt()] =
                pair.section(QLatin1Char('='), 1).toInt(nullptr, 16);
    return bytes;
}

// Each kind of control writes its own bits and bytes alone: the cases of the
// list in tests/data.
TEST(OptionControlsTest, EachKindOfControlWritesItsOwnBitsAlone) {
    int cases = 0;
    for (const auto& [line, f] : testing_support::DataLines("option-controls.txt")) {
        SCOPED_TRACE(line.toStdString());
        ASSERT_GE(f.size(), 6);
        Block block(settings::rsf::kBlockSize, 0);
        for (const auto& [at, value] : BytesOf(f[1]))
            block[static_cast<size_t>(at)] = static_cast<Byte>(value);
        const Block loaded = block;
        auto page = OpenOptionPage(f[0].startsWith(QLatin1String("general.")), block);
        const QByteArray key = f[0].toLatin1();
        if (f[2] == QLatin1String("click")) {
            Get<QAbstractButton>(*page, key.constData())->click();
        } else if (f[2] == QLatin1String("pick")) {
            Get<QComboBox>(*page, key.constData())->setCurrentIndex(f[3].toInt());
        } else if (f[2] == QLatin1String("edit")) {
            Get<QComboBox>(*page, key.constData())->setEditText(f[3]);
        } else if (f[2] == QLatin1String("slide")) {
            Get<QSlider>(*page, key.constData())->setValue(f[3].toInt());
        } else if (f[2] == QLatin1String("type")) {
            auto* edit = Get<QLineEdit>(*page, key.constData());
            edit->selectAll();
            QTest::keyClicks(edit, f[3]);
            EXPECT_EQ(edit->text(), f[4]);
        } else {
            ASSERT_EQ(f[2], QLatin1String("none"));
        }
        if (f.value(6) == QLatin1String("disabled")) {
            EXPECT_FALSE(Get<QWidget>(*page, key.constData())->isEnabled());
        }
        page->Save();
        EXPECT_EQ(ChangedBytes(loaded, block), BytesOf(f[5]));
        ++cases;
    }
    EXPECT_GE(cases, 15);
}

TEST(OptionControlsTest, WhatTheControlsShow) {
    Block block(settings::rsf::kBlockSize, 0);
    block[26] = 9;   // past the Rx Save list
    block[0] = 20;   // above the squelch slider
    block[4] = 0x20; // Band Link on
    block[7] = 0x40; // internet mode Vertex
    block[14] = 0x07, block[15] = 0x30;
    auto toggles = OpenOptionPage(false, block);
    EXPECT_EQ(Get<QComboBox>(*toggles, "toggles.rxSave")->currentIndex(), -1);
    EXPECT_EQ(Get<QSlider>(*toggles, "toggles.squelch.main")->value(), 15);
    auto* bandLink = Get<QCheckBox>(*toggles, "toggles.bandLink");
    EXPECT_TRUE(bandLink->isChecked());
    EXPECT_FALSE(bandLink->isEnabled()) << "the radio's own option";
    EXPECT_EQ(Get<QComboBox>(*toggles, "toggles.internet.mode")->currentText(),
              QStringLiteral("Vertex"));

    auto general = OpenOptionPage(true, block);
    EXPECT_EQ(Get<QLineEdit>(*general, "general.timer.on")->text(), QStringLiteral("07:30"));
    EXPECT_FALSE(Get<QCheckBox>(*general, "general.arts.artsSwitch")->isEnabled())
        << "ARTS can only be switched off here";
    auto* cw = Get<QLineEdit>(*general, "general.arts.cwIdentifier");
    cw->clear();
    QTest::keyClicks(cw, QStringLiteral("ab-+*()=XYZ9876543"));
    EXPECT_EQ(cw->text(), QStringLiteral("ab-+*()=XYZ98765")) << "sixteen characters";
}

TEST(OptionControlsTest, DtmfMemoriesTakeTheirKeysOnly) {
    Block block(settings::rsf::kBlockSize, 0xFF);
    const Byte memory4[] = {1, 2, 3, 0xFF, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    std::copy(std::begin(memory4), std::end(memory4), block.begin() + 304 + 48);
    block[304 + 16 * 8] = 200; // past the table: shown, kept unless edited
    auto page = OpenOptionPage(false, block);
    auto* grid = Get<QTableWidget>(*page, "toggles.dtmf");
    ASSERT_EQ(grid->rowCount(), 9);
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("123"));
    EXPECT_EQ(grid->item(8, 0)->text(), QStringLiteral("?"));

    // Lowercase DTMF letters and p become uppercase, other keys are dropped.
    grid->setCurrentCell(3, 0);
    grid->editItem(grid->item(3, 0));
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("1x2!pa#*d"));
    EXPECT_EQ(editor->text(), QStringLiteral("12PA#*D"));
    editor->setText(QStringLiteral("12P"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid takes the text after the key
    page->Save();
    EXPECT_EQ(Block(block.begin() + 352, block.begin() + 356), (Block{1, 2, 26, 0xFF}));
    EXPECT_EQ(block[304 + 16 * 8], 200);
}

TEST(GeneralPageTest, TheCheckRefusesTimesThenOffsets) {
    ModalWatcher watcher;
    Block block(settings::rsf::kBlockSize, 0);
    auto page = OpenOptionPage(true, block);
    auto* on = Get<QLineEdit>(*page, "general.timer.on");
    auto* off = Get<QLineEdit>(*page, "general.timer.off");
    auto* baro = Get<QLineEdit>(*page, "general.baroOffset");
    auto* alt = Get<QLineEdit>(*page, "general.altOffset");
    const QString altText = QStringLiteral("Altimeter Offset must be between -1000 and 4000");
    const struct {
        const char* on;
        const char* off;
        const char* alt;
        const char* baro;
        QString message; // empty: passes
        QLineEdit* focus;
    } cases[] = {
        {"00:00", "23:59", "4000", "-1000", {}, nullptr},
        {"00:00", "00:00", "4001", "0", altText, alt},
        {"00:00", "00:00", "0", "-1001",
         QStringLiteral("Barometric Offset must be between -1000 and 4000"), baro},
        {"24:00", "00:00", "4001", "0", QStringLiteral("On Time must be between 00:00 and 23:59"),
         on},
        {"12:00", "12:60", "0", "0", QStringLiteral("Off Time must be between 00:00 and 23:59"),
         off},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alt);
        watcher.Clear();
        page->Load();
        on->setText(QString::fromLatin1(c.on));
        off->setText(QString::fromLatin1(c.off));
        alt->setText(QString::fromLatin1(c.alt));
        baro->setText(QString::fromLatin1(c.baro));
        EXPECT_EQ(page->Validate(), c.message.isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(watcher.Boxes().isEmpty());
            continue;
        }
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes()[0].text, c.message);
        EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Clonara"));
        EXPECT_EQ(c.focus->selectedText(), c.focus->displayText());
    }
    // What the block holds and no field may take passes while untouched.
    block[22] = 0x7F, block[23] = 0xFF;
    block[14] = 0x99;
    page->Load();
    EXPECT_EQ(alt->text(), QStringLiteral("32767"));
    block[20] = 0x80, block[21] = 0x00;
    page->Load();
    EXPECT_EQ(baro->text(), QStringLiteral("-32768")) << "shown whole";
    watcher.Clear();
    EXPECT_TRUE(page->Validate());
    page->Save();
    EXPECT_EQ(block[22], 0x7F);
    EXPECT_EQ(block[20], 0x80);
    EXPECT_EQ(block[14], 0x99);
}

// ---------------------------------------------------------------------------
// Display
// ---------------------------------------------------------------------------

// A block with a value in every byte the page shows, some of them past
// what its control can show.
Block DisplaySample() {
    Block block(kBlockSize);
    for (int i = 0; i < kBlockSize; ++i)
        block[static_cast<size_t>(i)] = static_cast<Byte>(i * 7 + 3);
    block[11] = 10;  // contrast 1, off the scale
    block[12] = 200; // dimmer past 12
    block[83] = 9;   // past the list
    for (int b = 0; b < 16; ++b)
        block[static_cast<size_t>(62 + b)] = static_cast<Byte>(b);
    block[62 + 14] = 29; // PMS: icon 30
    block[62 + 15] = 30; // Home: no icon
    for (int n = 0; n < 10; ++n) {
        block[static_cast<size_t>(120 + 3 * n)] = static_cast<Byte>(5 * n);
        block[static_cast<size_t>(121 + 3 * n)] = 51;
        block[static_cast<size_t>(122 + 3 * n)] = 0;
    }
    block[120] = 60; // LED 1: red off the scale
    return block;
}

class DisplayPageTest : public PageTest<setwindow::DisplayPage> {
public:
    void SetUp() override { Show(DisplaySample(), {900, 560}); }
    template <class W>
    W* Control(const char* key) {
        return Get<W>(*page, key);
    }
    QComboBox* Combo(const char* key) { return Control<QComboBox>(key); }
    // Picks an item in the icon cell of a band row, as the user does.
    void ChooseIcon(int row, int item) {
        widgets::GridView* grid = page->IconGrid();
        grid->SetActiveCell(1, row);
        grid->StartEdit();
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_TRUE(combo);
        combo->setCurrentIndex(item);
        grid->EndEdit();
    }

    ModalWatcher watcher;
};

// Where the sliders, the icon grid and LED 1's swatch start from is implied by
// the bytes the other cases save; here what only shows.
TEST_F(DisplayPageTest, LoadShowsWhatNoControlCanHold) {
    EXPECT_EQ(Combo("display.subMeterSymbol")->currentText(), QString()) << "past the list";
    const outside::CellStore* grid = page->IconGrid()->Cells();
    EXPECT_EQ(grid->Text(1, 15), QStringLiteral("30"));
    EXPECT_EQ(grid->Text(1, 16), QString()) << "byte 30: no icon";
    EXPECT_EQ(page->Swatch(3)->Colour(), QColor(75, 255, 0));
    EXPECT_EQ(page->HelpTopic(), 103);
}

TEST_F(DisplayPageTest, EachControlSavesItsOwnBytes) {
    struct Case {
        const char* what;
        std::function<void(DisplayPageTest&)> act;
        std::map<int, int> changes;
    };
    const auto key = [](QWidget* w, Qt::Key k) { QTest::keyClick(w, k); };
    const Case cases[] = {
        {"contrast up from an off-scale byte",
         [&](DisplayPageTest& t) { key(t.page->Contrast(), Qt::Key_Right); },
         {{11, 12}}},
        {"dimmer one down from past the top",
         [&](DisplayPageTest& t) { key(t.page->Dimmer(), Qt::Key_Left); },
         {{12, 11}}},
        {"icon of 2m", [&](DisplayPageTest& t) { t.ChooseIcon(6, 29); }, {{67, 29}}},
        {"icon of Home, from none", [&](DisplayPageTest& t) { t.ChooseIcon(16, 0); }, {{77, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Refill(DisplaySample());
        c.act(*this);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

TEST_F(DisplayPageTest, LedButtonsChooseFromTheSwatchColour) {
    QList<QColor> started;
    QList<QColor> answers = {QColor(128, 0, 255), QColor()}; // choose, then cancel
    watcher.OnOtherDialog([&](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_TRUE(dialog);
        started << dialog->currentColor();
        const QColor answer = answers.takeFirst();
        if (answer.isValid()) {
            dialog->setCurrentColor(answer);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    QTest::mouseClick(page->LedButton(2), Qt::LeftButton);
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(128, 0, 255));
    // The second press starts from the first choice; cancelling keeps it.
    QTest::mouseClick(page->LedButton(2), Qt::LeftButton);
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0], QColor(50, 255, 0));
    EXPECT_EQ(started[1], QColor(128, 0, 255));
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(128, 0, 255));
    page->Save();
    EXPECT_EQ(Changes(), (std::map<int, int>{{126, 25}, {127, 0}, {128, 51}}));
    // Stored as levels, shown again as 5 times the level.
    EXPECT_EQ(page->Swatch(2)->Colour(), QColor(125, 0, 255));

    // LED 1 holds red 60: kept until the user chooses a colour for it.
    answers = {QColor(0, 0, 10)};
    QTest::mouseClick(page->LedButton(0), Qt::LeftButton);
    EXPECT_EQ(started.back(), QColor(255, 255, 0));
    page->Save();
    EXPECT_EQ(Changes()[122], 2);
}

// ---------------------------------------------------------------------------
// Icon/Font
// ---------------------------------------------------------------------------

constexpr int kFont = 194; // character k at 194 + 22k
constexpr int kIcon = 448; // icon k at 448 + 124k

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

class IconFontPageTest : public PageTest<setwindow::IconFontPage> {
public:
    void SetUp() override {
        ClearShowGuides();
        Show(Sample("iconfont"), {900, 600});
    }
};

TEST_F(IconFontPageTest, LoadFillsPreviewsAndTheSelectedEditors) {
    EXPECT_EQ(SetPixels(page->FontPreview(1)->Pixels()),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(SetPixels(page->IconPreview(0)->Pixels()), (std::vector<int>{0, 20}));
    EXPECT_TRUE(page->FontButton(2)->isChecked());
    EXPECT_TRUE(page->IconButton(1)->isChecked());
    EXPECT_EQ(EditorPixels(page->FontEditor()), std::vector<int>{109});
    EXPECT_EQ(EditorPixels(page->IconEditor()), std::vector<int>{20 * 21 + 13});
}

TEST_F(IconFontPageTest, ASelectionByteNoButtonHasSurvives) {
    Block fresh = Sample("iconfont");
    fresh[156] = 5;
    fresh[157] = 255;
    Refill(fresh);
    EXPECT_FALSE(page->IconButton(1)->isChecked());
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
        {"picking character 4 without drawing",
         [](setwindow::IconFontPage& p) { QTest::mouseClick(p.FontButton(3), Qt::LeftButton); },
         {{156, 3}}},
        {"drawing on character 2 saves it as 03 FF with the new pixel",
         [](setwindow::IconFontPage& p) {
             QTest::mouseClick(p.FontButton(1), Qt::LeftButton);
             ClickPixel(p.FontEditor(), 10); // row 1, column 0
         },
         {{156, 1}, {kFont + 22, 0x03}, {kFont + 24, 0x02}}},
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
        Refill(Sample("iconfont"));
        c.act(*page);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

// ---------------------------------------------------------------------------
// Names
// ---------------------------------------------------------------------------

constexpr int kTv = 832;  // TV record k at 832 + 9k
constexpr int kWx = 1390; // weather record k at 1390 + 9k

class NamesPageTest : public PageTest<setwindow::NamesPage> {
public:
    void Open(bool showTv) { Show(Sample("names"), {700, 500}, showTv); }
    // Types into a name cell as a user does: the first key opens the editor,
    // the rest go to it, Return ends the edit.
    void Type(widgets::GridView* grid, int row, const QString& text, bool clearFirst = false) {
        grid->SetActiveCell(1, row);
        grid->setFocus();
        if (clearFirst) {
            grid->StartEdit();
            auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_TRUE(edit);
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        for (const QChar ch : text) {
            QWidget* target = grid->IsEditing() ? QApplication::focusWidget() : grid->viewport();
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        if (grid->IsEditing())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(NamesPageTest, LoadShowsTheNames) {
    Open(true);
    const outside::CellStore* wx = page->WxGrid()->Cells();
    EXPECT_EQ(wx->Text(1, 1), QStringLiteral("NOAA 1"));
    EXPECT_EQ(wx->Text(1, 2), QStringLiteral("01?")); // 96 and 124 repeat "0" and "1"
    EXPECT_EQ(wx->MaxLength(1, 1), 8);
    const outside::CellStore* tv = page->TvGrid()->Cells();
    EXPECT_EQ(tv->Text(1, 62), QStringLiteral("SK 2"));
    EXPECT_FALSE(page->WxAlert()->isChecked());
    EXPECT_TRUE(page->TvGrid()->isVisible());
    // Without the TV band the TV names are out of sight but still loaded, so
    // that saving keeps them.
    Open(false);
    EXPECT_FALSE(page->TvGrid()->isVisible());
    EXPECT_EQ(page->TvGrid()->Cells()->Text(1, 62), QStringLiteral("SK 2"));
}

TEST_F(NamesPageTest, EditsSaveThroughTheCharacterTable) {
    struct Case {
        const char* what;
        bool showTv;
        std::function<void(NamesPageTest&)> act;
        std::map<int, int> changes;
    };
    const Case cases[] = {
        {"without the TV band the TV names stay", false, [](NamesPageTest&) {}, {}},
        {"characters the radio lacks are refused as typed",
         true,
         [](NamesPageTest& t) { t.Type(t.page->WxGrid(), 4, QStringLiteral("W\u00e9x\u20ac1")); },
         {{kWx + 27, 33}, {kWx + 28, 60}, {kWx + 29, 1}}},
        {"a TV name",
         true,
         [](NamesPageTest& t) { t.Type(t.page->TvGrid(), 62, QStringLiteral("12"), true); },
         {{kTv + 9 * 61, 1}, {kTv + 9 * 61 + 1, 2}, {kTv + 9 * 61 + 3, 10}}},
        {"the weather alert",
         true,
         [](NamesPageTest& t) { QTest::keyClick(t.page->WxAlert(), Qt::Key_Space); },
         {{7, 0x7F}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.showTv);
        c.act(*this);
        page->Save();
        EXPECT_EQ(Changes(), c.changes);
    }
}

// ---------------------------------------------------------------------------
// The three pages painted on the factory settings with a drawn icon and
// character and named weather channels. With CLONARA_WRITE_SCREENSHOTS=1 the
// pictures are written to docs/ (do that only on purpose):
//
//     CLONARA_WRITE_SCREENSHOTS=1 build/bin/tests_setwindow --gtest_filter=PageScreenshots.*
// ---------------------------------------------------------------------------

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

Block ShowcaseBlock() {
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

TEST(PageScreenshots, DisplayIconFontAndNames) {
    Block block = ShowcaseBlock();
    settings::OpenSettingsGroup()->setValue(QString::fromLatin1(settings::kShowGuides), 1);
    setwindow::DisplayPage display(block.data(), nullptr);
    setwindow::IconFontPage iconFont(block.data(), nullptr);
    setwindow::NamesPage names(block.data(), true, nullptr);
    settings::OpenSettingsGroup()->remove(QString::fromLatin1(settings::kShowGuides));
    for (auto [page, file] :
         {std::pair<setwindow::SettingsPage*, const char*>{&display, "settings-display.png"},
          {&iconFont, "settings-icon-font.png"},
          {&names, "settings-names.png"}}) {
        page->Load();
        Shoot(*page, {900, 560}, file);
    }
}

} // namespace
