// The Toggles and General pages, offscreen, against hand-computed bytes: each
// control loads from its bits and bytes and saves into them alone.
#include "settings/RadioSettings.h"
#include "setwindow/GeneralPage.h"
#include "setwindow/TogglesPage.h"
#include "support/ModalWatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using radio::Byte;
using testing_support::ModalWatcher;

namespace {

template <class Page>
class PageFixture {
public:
    PageFixture() : page(std::make_unique<Page>(block.data(), nullptr)) {
        block.fill(0);
        page->show();
    }
    template <class W>
    W* Get(const char* key) {
        W* w = page->template findChild<W*>(QString::fromLatin1(key));
        EXPECT_NE(w, nullptr) << key;
        return w;
    }
    settings::rsf::RadioSettings block{};
    std::unique_ptr<Page> page;
};

struct CheckCase {
    const char* id;
    int byte;
    Byte mask;
    bool editable;
};

struct ListCase {
    const char* id;
    int byte;
    int count;
    const char* first;
    const char* last;
};

struct BitCase {
    const char* id0; // the radio button or list for 0
    const char* id1; // the radio button for 1; nullptr for a list
    int byte;
    Byte mask;
    const char* text0;
    const char* text1;
};

template <class Page>
void CheckBoxes(const std::vector<CheckCase>& cases) {
    PageFixture<Page> f;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.id);
        auto* box = f.template Get<QCheckBox>(c.id);
        ASSERT_TRUE(box);
        f.block.fill(0);
        f.block[c.byte] = static_cast<Byte>(~c.mask);
        f.page->Load();
        EXPECT_FALSE(box->isChecked());
        f.block[c.byte] = 0xFF;
        f.page->Load();
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->isEnabled(), c.editable);
        box->click();
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], c.editable ? static_cast<Byte>(~c.mask) : 0xFF);
        f.page->Load();
        EXPECT_EQ(box->isChecked(), !c.editable);
        if (c.editable) {
            box->click();
            f.page->Save();
            EXPECT_EQ(f.block[c.byte], 0xFF);
        }
    }
}

template <class Page>
void Lists(const std::vector<ListCase>& cases) {
    PageFixture<Page> f;
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.id);
        auto* list = f.template Get<QComboBox>(c.id);
        ASSERT_TRUE(list);
        ASSERT_EQ(list->count(), c.count);
        EXPECT_EQ(list->itemText(0), QString::fromUtf8(c.first));
        EXPECT_EQ(list->itemText(c.count - 1), QString::fromUtf8(c.last));
        f.block.fill(0x33);
        f.block[c.byte] = 1;
        f.page->Load();
        EXPECT_EQ(list->currentIndex(), 1);
        list->setCurrentIndex(c.count - 1);
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], c.count - 1);
        EXPECT_EQ(f.block[c.byte + 1], 0x33);
        // A byte past the list shows nothing and survives.
        f.block[c.byte] = static_cast<Byte>(c.count + 3);
        f.page->Load();
        EXPECT_EQ(list->currentIndex(), -1);
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], c.count + 3);
        f.page->Load();
        list->setCurrentIndex(0);
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], 0);
    }
}

template <class Page>
void BitChoices(const std::vector<BitCase>& cases) {
    PageFixture<Page> f;
    for (const BitCase& c : cases) {
        SCOPED_TRACE(c.id0);
        f.block.fill(0);
        f.block[c.byte] = static_cast<Byte>(~c.mask);
        f.page->Load();
        if (c.id1) {
            auto* zero = f.template Get<QRadioButton>(c.id0);
            auto* one = f.template Get<QRadioButton>(c.id1);
            ASSERT_TRUE(zero && one);
            EXPECT_EQ(zero->text(), QString::fromUtf8(c.text0));
            EXPECT_EQ(one->text(), QString::fromUtf8(c.text1));
            EXPECT_TRUE(zero->isChecked());
            one->click();
            f.page->Save();
            EXPECT_EQ(f.block[c.byte], 0xFF);
            f.page->Load();
            EXPECT_TRUE(one->isChecked());
            zero->click();
        } else {
            auto* list = f.template Get<QComboBox>(c.id0);
            ASSERT_TRUE(list);
            EXPECT_EQ(list->itemText(0), QString::fromUtf8(c.text0));
            EXPECT_EQ(list->itemText(1), QString::fromUtf8(c.text1));
            EXPECT_EQ(list->currentIndex(), 0);
            list->setCurrentIndex(1);
            f.page->Save();
            EXPECT_EQ(f.block[c.byte], 0xFF);
            f.page->Load();
            EXPECT_EQ(list->currentIndex(), 1);
            list->setCurrentIndex(0);
        }
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], static_cast<Byte>(~c.mask));
    }
}

// ---------------------------------------------------------------------------
// Toggles
// ---------------------------------------------------------------------------

TEST(TogglesPageTest, CheckBoxesAgainstTheirBits) {
    CheckBoxes<setwindow::TogglesPage>({
        {"toggles.dtmfDialer", 3, 0x01, true},
        {"toggles.splitTone", 3, 0x02, true},
        {"toggles.beep", 3, 0x04, true},
        {"toggles.ars", 3, 0x08, true},
        {"toggles.scanLamp", 3, 0x20, true},
        {"toggles.txSave", 4, 0x01, true},
        {"toggles.subBandMute", 4, 0x02, true},
        {"toggles.hyperWrite", 4, 0x04, true},
        {"toggles.edgeBeep", 4, 0x08, true},
        {"toggles.bclo", 4, 0x10, true},
        {"toggles.bandLink", 4, 0x20, false},
        {"toggles.busyLed", 4, 0x80, true},
        {"toggles.moniTCall", 5, 0x01, true},
        {"toggles.homeReverse", 5, 0x02, true},
        {"toggles.internet.enable", 5, 0x04, true},
        {"toggles.ch1UserWrite", 5, 0x40, false},
        {"toggles.arsEnable", 5, 0x80, false},
        {"toggles.autoRxMode", 6, 0x40, true},
        {"toggles.lock", 6, 0x80, true},
        {"toggles.att", 7, 0x04, true},
        {"toggles.micMonitor", 7, 0x10, false},
        {"toggles.dualReceive", 117, 0x04, true},
    });
}

TEST(TogglesPageTest, ListsAgainstTheirBytes) {
    Lists<setwindow::TogglesPage>({
        {"toggles.rxSave", 26, 6, "Off", "2 sec"},
        {"toggles.autoPowerOff", 78, 6, "Off", "8 hour"},
        {"toggles.timeOutTimer", 79, 5, "Off", "10 min"},
        {"toggles.bell", 80, 6, "Off", "Continue"},
        {"toggles.scanResume", 24, 5, "3 sec", "Hold"},
        {"toggles.lockMode", 158, 7, "Key", "All"},
    });
}

TEST(TogglesPageTest, RadioGroupsAndTheInternetMode) {
    BitChoices<setwindow::TogglesPage>({
        {"toggles.vfo.all", "toggles.vfo.band", 3, 0x80, "All", "Band"},
        {"toggles.band.main", "toggles.band.sub", 117, 0x08, "Main", "Sub"},
    });
    // The internet mode: sorted, "User" is 0 and "Vertex" 1; a typed text
    // that matches neither sets the bit.
    PageFixture<setwindow::TogglesPage> f;
    auto* mode = f.Get<QComboBox>("toggles.internet.mode");
    ASSERT_TRUE(mode);
    EXPECT_TRUE(mode->isEditable());
    f.block[7] = 0x40;
    f.page->Load();
    EXPECT_EQ(mode->currentText(), QStringLiteral("Vertex"));
    mode->setCurrentIndex(0);
    f.page->Save();
    EXPECT_EQ(f.block[7], 0x00);
    f.page->Load();
    mode->setEditText(QStringLiteral("Other"));
    f.page->Save();
    EXPECT_EQ(f.block[7], 0x40);
}

TEST(TogglesPageTest, DualReceiveAndBandShareByte117) {
    PageFixture<setwindow::TogglesPage> f;
    f.block[117] = 0x0C;
    f.page->Load();
    EXPECT_TRUE(f.Get<QCheckBox>("toggles.dualReceive")->isChecked());
    EXPECT_TRUE(f.Get<QRadioButton>("toggles.band.sub")->isChecked());
    f.Get<QCheckBox>("toggles.dualReceive")->click();
    f.page->Save();
    EXPECT_EQ(f.block[117], 0x08);
    f.block[117] = 0xF3;
    f.page->Load();
    f.Get<QRadioButton>("toggles.band.sub")->click();
    f.page->Save();
    EXPECT_EQ(f.block[117], 0xFB);
}

TEST(TogglesPageTest, SquelchSliders) {
    PageFixture<setwindow::TogglesPage> f;
    const struct {
        const char* id;
        int byte;
    } cases[] = {
        {"toggles.squelch.main", 0}, {"toggles.squelch.sub", 1}, {"toggles.squelch.wide", 2}};
    for (const auto& c : cases) {
        auto* slider = f.Get<QSlider>(c.id);
        ASSERT_TRUE(slider);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 15);
        f.block.fill(0);
        f.block[c.byte] = 7;
        f.page->Load();
        EXPECT_EQ(slider->value(), 7);
        slider->setValue(12);
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], 12);
        EXPECT_EQ(f.block[c.byte == 0 ? 1 : 0], 0);
        // A level the slider cannot show survives.
        f.block[c.byte] = 20;
        f.page->Load();
        EXPECT_EQ(slider->value(), 15);
        f.page->Save();
        EXPECT_EQ(f.block[c.byte], 20);
    }
}

TEST(TogglesPageTest, InternetDtmfCodeAndChannel) {
    PageFixture<setwindow::TogglesPage> f;
    auto* code = f.Get<QLineEdit>("toggles.internet.dtmfCode");
    auto* channel = f.Get<QLineEdit>("toggles.internet.dtmfCh");
    ASSERT_TRUE(code && channel);
    const struct {
        const char* typed;
        const char* shown;
        Byte stored;
    } cases[] = {
        {"b", "B", 0x12}, {"x", "", 0x00},  {"#", "#", 0xF3},
        {"*", "*", 0xFA}, {"7", "7", 0x07}, {"D", "D", 0x14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        f.block[160] = 0x55;
        f.page->Load();
        code->clear();
        QTest::keyClicks(code, QString::fromLatin1(c.typed));
        EXPECT_EQ(code->text(), QString::fromLatin1(c.shown));
        f.page->Save();
        EXPECT_EQ(f.block[160], c.stored);
        f.page->Load();
        EXPECT_EQ(code->text(), QString::fromLatin1(c.shown[0] ? c.shown : "0"));
    }
    // "#" and "*" survive a round trip untouched.
    f.block[160] = 0xF3;
    f.page->Load();
    EXPECT_EQ(code->text(), QStringLiteral("#"));
    f.page->Save();
    EXPECT_EQ(f.block[160], 0xF3);

    f.block[163] = 4;
    f.page->Load();
    EXPECT_EQ(channel->text(), QStringLiteral("4"));
    channel->clear();
    QTest::keyClicks(channel, QStringLiteral("x"));
    EXPECT_EQ(channel->text(), QString());
    f.page->Save();
    EXPECT_EQ(f.block[163], 0);
    f.page->Load();
    EXPECT_EQ(channel->text(), QStringLiteral("0"));
    QTest::keyClick(channel, Qt::Key_Backspace);
    QTest::keyClicks(channel, QStringLiteral("93"));
    EXPECT_EQ(channel->text(), QStringLiteral("9"));
    f.page->Save();
    EXPECT_EQ(f.block[163], 9);
}

TEST(TogglesPageTest, DtmfMemoriesAndTheirKeys) {
    PageFixture<setwindow::TogglesPage> f;
    auto* grid = f.Get<QTableWidget>("toggles.dtmf");
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->rowCount(), 9);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("DTMF"));
    f.block.fill(0xFF);
    const Byte memory4[] = {1, 2, 3, 0xFF, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    std::copy(std::begin(memory4), std::end(memory4), f.block.begin() + 304 + 48);
    f.block[304 + 16 * 8] = 200; // past the table: shown, kept unless edited
    f.page->Load();
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("123"));
    EXPECT_EQ(grid->item(0, 0)->text(), QString());
    EXPECT_EQ(grid->item(8, 0)->text(), QStringLiteral("?"));

    // Typing into memory 4: lowercase DTMF letters and p become uppercase,
    // other keys are dropped.
    grid->setCurrentCell(3, 0);
    grid->editItem(grid->item(3, 0));
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("1x2!p"));
    EXPECT_EQ(editor->text(), QStringLiteral("12P"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QStringLiteral("pa#*d"));
    EXPECT_EQ(editor->text(), QStringLiteral("12PA#*D"));
    editor->setText(QStringLiteral("12P"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the grid takes the text after the key
    EXPECT_EQ(grid->item(3, 0)->text(), QStringLiteral("12P"));
    f.page->Save();
    const Byte expected[] = {1,    2,    26,   0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), f.block.begin() + 352));
    EXPECT_EQ(f.block[304 + 16 * 8], 200);
}

// ---------------------------------------------------------------------------
// General
// ---------------------------------------------------------------------------

TEST(GeneralPageTest, CheckBoxesListsAndRadioGroups) {
    CheckBoxes<setwindow::GeneralPage>({
        {"general.spectrumAnalyzer.audioCenterFreq", 3, 0x10, true},
        {"general.arts.cwId", 3, 0x40, true},
        {"general.timer.enableOn", 7, 0x01, true},
        {"general.timer.enableOff", 7, 0x02, true},
        {"general.timer.timeAlert", 6, 0x02, true},
    });
    Lists<setwindow::GeneralPage>({
        {"general.voxSenitivity", 8, 3, "Off", "Low"},
        {"general.voxDelay", 9, 3, "0.5 second", "2 seconds"},
        {"general.waveMonitor", 18, 3, "All", "TX Modulation"},
        {"general.baroUnits", 19, 4, "hPa", "inch"},
        {"general.channelCounter", 27, 4, "\u00b15 MHz", "\u00b1100 MHz"},
        {"general.arts.artsBeep", 29, 3, "Off", "Always"},
        {"general.sensorDisplay", 116, 8, "Off", "WX"},
        {"general.spectrumAnalyzer.channelSpan", 118, 5, "\u00b15", "\u00b160"},
        {"general.specialSelect", 119, 6, "Off", "Marine"},
    });
    BitChoices<setwindow::GeneralPage>({
        {"general.spectrumAnalyzer.mode", nullptr, 5, 0x10, "Single", "Continuous"},
        {"general.arts.artsSpeed", nullptr, 5, 0x08, "15 sec", "25 sec"},
        {"general.altimeter.m", "general.altimeter.ft", 6, 0x10, "m", "ft"},
        {"general.temperature.c", "general.temperature.f", 6, 0x08, "C", "F"},
    });
}

TEST(GeneralPageTest, ArtsCanOnlyBeSwitchedOff) {
    PageFixture<setwindow::GeneralPage> f;
    auto* arts = f.Get<QCheckBox>("general.arts.artsSwitch");
    f.block[6] = 0x00;
    f.page->Load();
    EXPECT_FALSE(arts->isChecked());
    EXPECT_FALSE(arts->isEnabled());
    arts->click();
    f.page->Save();
    EXPECT_EQ(f.block[6], 0x00);
    f.block[6] = 0x20;
    f.page->Load();
    EXPECT_TRUE(arts->isChecked());
    EXPECT_TRUE(arts->isEnabled());
    arts->click();
    EXPECT_FALSE(arts->isChecked());
    EXPECT_FALSE(arts->isEnabled());
    f.page->Save();
    EXPECT_EQ(f.block[6], 0x00);
}

TEST(GeneralPageTest, TimesOffsetsAndTheCwIdentifier) {
    PageFixture<setwindow::GeneralPage> f;
    auto* on = f.Get<QLineEdit>("general.timer.on");
    auto* off = f.Get<QLineEdit>("general.timer.off");
    auto* baro = f.Get<QLineEdit>("general.baroOffset");
    auto* alt = f.Get<QLineEdit>("general.altOffset");
    auto* cw = f.Get<QLineEdit>("general.arts.cwIdentifier");
    EXPECT_EQ(on->inputMask(), QStringLiteral("99:99;_"));
    f.block[14] = 0x07, f.block[15] = 0x30, f.block[16] = 0x18, f.block[17] = 0x45;
    f.block[20] = 0x01, f.block[21] = 0x00; // 256
    f.block[22] = 0xFC, f.block[23] = 0x18; // -1000
    f.block[30] = 0xFF, f.block[31] = 0xFF;
    f.page->Load();
    EXPECT_EQ(on->text(), QStringLiteral("07:30"));
    EXPECT_EQ(off->text(), QStringLiteral("18:45"));
    EXPECT_EQ(baro->text(), QStringLiteral("256"));
    EXPECT_EQ(alt->text(), QStringLiteral("-1000"));
    EXPECT_EQ(cw->text(), QString());

    on->selectAll();
    QTest::keyClicks(on, QStringLiteral("2305"));
    EXPECT_EQ(on->text(), QStringLiteral("23:05"));
    baro->setText(QStringLiteral("-5"));
    alt->setText(QStringLiteral("4000"));
    QTest::keyClicks(cw, QStringLiteral("A!B.1"));
    EXPECT_EQ(cw->text(), QStringLiteral("AB1"));
    ASSERT_TRUE(f.page->Validate());
    f.page->Save();
    EXPECT_EQ(f.block[14], 0x23);
    EXPECT_EQ(f.block[15], 0x05);
    EXPECT_EQ(f.block[16], 0x18) << "the untouched Off time";
    EXPECT_EQ(f.block[20], 0xFF);
    EXPECT_EQ(f.block[21], 0xFB);
    EXPECT_EQ(f.block[22], 0x0F);
    EXPECT_EQ(f.block[23], 0xA0);
    const Byte id[] = {0x00, 11, 0x00, 12, 0x00, 1};
    EXPECT_TRUE(std::equal(std::begin(id), std::end(id), f.block.begin() + 30));
    for (int i = 36; i < 62; ++i)
        EXPECT_EQ(f.block[i], 0xFF) << i;
    cw->clear();
    QTest::keyClicks(cw, QStringLiteral("ab-+*()=XYZ9876543"));
    EXPECT_EQ(cw->text(), QStringLiteral("ab-+*()=XYZ98765"));
}

TEST(GeneralPageTest, TheCheckRefusesTimesThenOffsets) {
    ModalWatcher watcher;
    PageFixture<setwindow::GeneralPage> f;
    f.page->Load();
    auto* on = f.Get<QLineEdit>("general.timer.on");
    auto* off = f.Get<QLineEdit>("general.timer.off");
    auto* baro = f.Get<QLineEdit>("general.baroOffset");
    auto* alt = f.Get<QLineEdit>("general.altOffset");
    const QString altText = QStringLiteral("Altimeter Offset must be between -1000 and 4000");
    const QString baroText = QStringLiteral("Barometric Offset must be between -1000 and 4000");
    const struct {
        const char* on;
        const char* off;
        const char* alt;
        const char* baro;
        QString message; // empty: passes
        QLineEdit* focus;
    } cases[] = {
        {"00:00", "00:00", "4000", "-1000", {}, nullptr},
        {"00:00", "00:00", "-1000", "4000", {}, nullptr},
        {"00:00", "00:00", "4001", "0", altText, alt},
        {"00:00", "00:00", "69000", "0", altText, alt},
        {"00:00", "00:00", "-1001", "9999", altText, alt},
        {"00:00", "00:00", "0", "4001", baroText, baro},
        {"24:00", "00:00", "4001", "0", QStringLiteral("On Time must be between 00:00 and 23:59"),
         on},
        {"12:00", "12:60", "0", "0", QStringLiteral("Off Time must be between 00:00 and 23:59"),
         off},
        {"1", "00:00", "0", "0", QStringLiteral("On Time must be between 00:00 and 23:59"), on},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alt);
        watcher.Clear();
        f.page->Load();
        on->setText(QString::fromLatin1(c.on));
        off->setText(QString::fromLatin1(c.off));
        alt->setText(QString::fromLatin1(c.alt));
        baro->setText(QString::fromLatin1(c.baro));
        const bool passed = f.page->Validate();
        EXPECT_EQ(passed, c.message.isEmpty());
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
    f.block[22] = 0x7F, f.block[23] = 0xFF;
    f.block[14] = 0x99;
    f.page->Load();
    EXPECT_EQ(alt->text(), QStringLiteral("32767"));
    watcher.Clear();
    EXPECT_TRUE(f.page->Validate());
    f.page->Save();
    EXPECT_EQ(f.block[22], 0x7F);
    EXPECT_EQ(f.block[14], 0x99);
}

} // namespace
