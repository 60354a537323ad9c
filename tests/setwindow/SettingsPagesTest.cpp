// The Toggles and General pages, offscreen. The pages build their controls
// from the option table, whose bytes and bits the settings files in
// tests/data pin (tests/settings); here each kind of control reaches its own
// bits and bytes, what the controls show, the keys each edit takes, and the
// General page's own rules: ARTS and the check of times and offsets.
#include "settings/RadioSettings.h"
#include "setwindow/GeneralPage.h"
#include "setwindow/TogglesPage.h"
#include "support/ChangedBytes.h"
#include "support/ModalWatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

using radio::Byte;
using testing_support::ModalWatcher;

namespace {

using Block = std::vector<Byte>;

template <class W>
W* Get(QWidget& page, const char* key) {
    W* w = page.findChild<W*>(QString::fromLatin1(key));
    EXPECT_NE(w, nullptr) << key;
    return w;
}

std::unique_ptr<setwindow::SettingsPage> Open(bool general, Block& block) {
    std::unique_ptr<setwindow::SettingsPage> page;
    if (general)
        page = std::make_unique<setwindow::GeneralPage>(block.data(), nullptr);
    else
        page = std::make_unique<setwindow::TogglesPage>(block.data(), nullptr);
    page->show();
    page->Load();
    return page;
}

// What a case does to the control of its key.
using Act = std::function<void(QWidget& page, const char* key)>;

Act Click() {
    return [](QWidget& p, const char* key) { Get<QAbstractButton>(p, key)->click(); };
}
Act Pick(int index) {
    return [index](QWidget& p, const char* key) { Get<QComboBox>(p, key)->setCurrentIndex(index); };
}
// Types keys into an edit, its text selected first, and checks what it shows.
Act Type(const char* keys, const char* shown) {
    return [=](QWidget& p, const char* key) {
        auto* edit = Get<QLineEdit>(p, key);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(keys));
        EXPECT_EQ(edit->text(), QString::fromLatin1(shown));
    };
}

TEST(OptionControlsTest, EachKindOfControlWritesItsOwnBitsAlone) {
    struct Case {
        const char* key;           // the control; "general." ones sit on the General page
        std::map<int, int> loaded; // the block's bytes besides zeros
        Act act;
        std::map<int, int> changes;
    };
    std::map<int, int> freeCwId;
    for (int i = 30; i < 62; ++i)
        freeCwId[i] = 0xFF;
    const Act nothing = [](QWidget&, const char*) {};
    const Case cases[] = {
        {"toggles.beep", {}, Click(), {{3, 0x04}}},
        {"toggles.beep", {{3, 0xFF}}, Click(), {{3, 0xFB}}},         // the other bits stay
        {"toggles.band.sub", {{117, 0xF3}}, Click(), {{117, 0xFB}}}, // a radio button
        {"toggles.rxSave", {{26, 1}}, Pick(5), {{26, 5}}},
        {"toggles.rxSave", {{26, 9}}, nothing, {}}, // a byte past its list survives
        {"toggles.rxSave", {{26, 9}}, Pick(0), {{26, 0}}},
        {"general.spectrumAnalyzer.mode", {{5, 0xEF}}, Pick(1), {{5, 0xFF}}}, // a bit
        {"toggles.internet.mode", {{7, 0x40}}, Pick(0), {{7, 0x00}}},         // sorted: User
        {"toggles.internet.mode",
         {}, // a typed mode that is neither sets the bit
         [](QWidget& p, const char* key) {
             Get<QComboBox>(p, key)->setEditText(QStringLiteral("Other"));
         },
         {{7, 0x40}}},
        {"toggles.squelch.sub",
         {{1, 7}},
         [](QWidget& p, const char* key) { Get<QSlider>(p, key)->setValue(12); },
         {{1, 12}}},
        {"toggles.squelch.sub", {{1, 20}}, nothing, {}}, // a level above 15 survives
        {"toggles.internet.dtmfCode", {{160, 0x55}}, Type("b", "B"), {{160, 0x12}}},
        {"toggles.internet.dtmfCode", {{160, 0x55}}, Type("x", ""), {{160, 0x00}}},
        {"toggles.internet.dtmfCh", {{163, 4}}, Type("93", "9"), {{163, 9}}},
        {"general.timer.on", {}, Type("2305", "23:05"), {{14, 0x23}, {15, 0x05}}},
        {"general.baroOffset", {}, Type("-5", "-5"), {{20, 0xFF}, {21, 0xFB}}},
        {"general.arts.cwIdentifier",
         freeCwId,
         Type("A!B.1", "AB1"),
         {{30, 0x00}, {31, 11}, {32, 0x00}, {33, 12}, {34, 0x00}, {35, 1}}},
        // ARTS can be switched off, never on.
        {"general.arts.artsSwitch",
         {{6, 0x20}},
         [](QWidget& p, const char* key) {
             auto* arts = Get<QCheckBox>(p, key);
             arts->click();
             EXPECT_FALSE(arts->isEnabled());
         },
         {{6, 0x00}}},
        {"general.arts.artsSwitch", {}, Click(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Block block(settings::rsf::kBlockSize, 0);
        for (const auto& [at, value] : c.loaded)
            block[static_cast<size_t>(at)] = static_cast<Byte>(value);
        const Block loaded = block;
        auto page = Open(QString::fromLatin1(c.key).startsWith(QLatin1String("general.")), block);
        c.act(*page, c.key);
        page->Save();
        EXPECT_EQ(ChangedBytes(loaded, block), c.changes);
    }
}

TEST(OptionControlsTest, WhatTheControlsShow) {
    Block block(settings::rsf::kBlockSize, 0);
    block[26] = 9;   // past the Rx Save list
    block[0] = 20;   // above the squelch slider
    block[4] = 0x20; // Band Link on
    block[7] = 0x40; // internet mode Vertex
    block[14] = 0x07, block[15] = 0x30;
    auto toggles = Open(false, block);
    EXPECT_EQ(Get<QComboBox>(*toggles, "toggles.rxSave")->currentIndex(), -1);
    EXPECT_EQ(Get<QSlider>(*toggles, "toggles.squelch.main")->value(), 15);
    EXPECT_EQ(Get<QSlider>(*toggles, "toggles.squelch.main")->maximum(), 15);
    auto* bandLink = Get<QCheckBox>(*toggles, "toggles.bandLink");
    EXPECT_TRUE(bandLink->isChecked());
    EXPECT_FALSE(bandLink->isEnabled()) << "the radio's own option";
    auto* mode = Get<QComboBox>(*toggles, "toggles.internet.mode");
    EXPECT_TRUE(mode->isEditable());
    EXPECT_EQ(mode->currentText(), QStringLiteral("Vertex"));

    auto general = Open(true, block);
    auto* on = Get<QLineEdit>(*general, "general.timer.on");
    EXPECT_EQ(on->inputMask(), QStringLiteral("99:99;_"));
    EXPECT_EQ(on->text(), QStringLiteral("07:30"));
    auto* arts = Get<QCheckBox>(*general, "general.arts.artsSwitch");
    EXPECT_FALSE(arts->isChecked());
    EXPECT_FALSE(arts->isEnabled()) << "ARTS can only be switched off here";
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
    auto page = Open(false, block);
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
    EXPECT_EQ(block[356], 0xFF) << "the rest of memory 4 cleared";
    EXPECT_EQ(block[304 + 16 * 8], 200);
}

TEST(GeneralPageTest, TheCheckRefusesTimesThenOffsets) {
    ModalWatcher watcher;
    Block block(settings::rsf::kBlockSize, 0);
    auto page = Open(true, block);
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
    watcher.Clear();
    EXPECT_TRUE(page->Validate());
    page->Save();
    EXPECT_EQ(block[22], 0x7F);
    EXPECT_EQ(block[14], 0x99);
}

} // namespace
