// The column options: the stored value's bits, the dialog that edits it, and
// the grids that follow it (the channel lists of the window the dialog was
// opened from at once, other windows when they are set up again, the hyper
// and group grids never).
#include "settings/ColumnOptions.h"
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "radio/ChannelColumns.h"
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/HelpWindow.h"
#include "widgets/OptionsDialog.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using namespace radio;
using testing_support::ModalWatcher;

namespace {

const int kListTabs[] = {tab::kMemories, tab::kLimit, tab::kOneTouch, tab::kVfo, tab::kHome};
constexpr std::uint32_t kNameAndMask = (1u << 4) | (1u << 15);

void StoreRaw(const QVariant& value) {
    auto store = settings::OpenSettingsGroup();
    if (value.isValid())
        store->setValue(QString::fromLatin1(settings::kColumns), value);
    else
        store->remove(QString::fromLatin1(settings::kColumns));
    store->sync();
}

QVariant StoredRaw() {
    return settings::OpenSettingsGroup()->value(QString::fromLatin1(settings::kColumns));
}

QList<int> HiddenColumns(const outside::CellStore& grid) {
    QList<int> hidden;
    for (int c = 1; c <= grid.MaxCols(); ++c) {
        if (grid.IsColumnHidden(c))
            hidden.append(c);
    }
    return hidden;
}

void PressButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

class ColumnOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { StoreRaw({}); }
    void TearDown() override { StoreRaw({}); }
    ModalWatcher watcher;
};

// The value's bits, building a value and reading the stored one back: one
// case a line of column-options.txt.
TEST_F(ColumnOptionsTest, ValueBitsAndTheStoredValue) {
    QFile file(testing_support::DataPath("column-options.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const auto hex = [](const QString& text) { return text.toULongLong(nullptr, 16); };
    int cases = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        SCOPED_TRACE(line.toStdString());
        const QStringList f = line.split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 4);
        ++cases;
        if (f[0] == QLatin1String("bits")) {
            const settings::ColumnOptions options{static_cast<std::uint32_t>(hex(f[1]))};
            QStringList hidden;
            for (int col = 1; col <= 20; ++col) {
                if (options.IsHidden(col))
                    hidden << QString::number(col);
            }
            EXPECT_EQ(hidden.isEmpty() ? QStringLiteral("-") : hidden.join(QLatin1Char(',')), f[2]);
            EXPECT_EQ(options.Frozen(), f[3].toInt());
        } else if (f[0] == QLatin1String("make")) {
            EXPECT_EQ(
                settings::ColumnOptions::Make(static_cast<std::uint32_t>(hex(f[1])), f[2].toInt())
                    .value,
                hex(f[3]));
        } else {
            StoreRaw(f[1] == QLatin1String("missing") ? QVariant()
                     : f[1] == QLatin1String("text")  ? QVariant(f[2])
                                                      : QVariant(hex(f[2])));
            EXPECT_EQ(settings::ReadColumnOptions().value, hex(f[3]));
        }
    }
    EXPECT_EQ(cases, 14);
    ASSERT_TRUE(settings::StoreColumnOptions({kNameAndMask}));
    EXPECT_EQ(settings::ReadColumnOptions().value, kNameAndMask);
}

// The dialog shows the stored value; Help opens the columns page and stores
// nothing. OK stores what was ticked and applies it to the channel lists of
// the window it was opened from (never to hyper memories or groups); other
// windows follow when they are set up again.
TEST_F(ColumnOptionsTest, DialogShowsStoresAndAppliesToThisWindowOnly) {
    StoreRaw(qulonglong(1u << 8 | 1u << 0 | 3u << 24));
    {
        widgets::OptionsDialog dialog;
        ASSERT_EQ(dialog.HideBoxCount(), 16);
        EXPECT_EQ(dialog.HideBox(15)->text().remove(u'&'), QStringLiteral("Mask"));
        for (int k = 0; k < dialog.HideBoxCount(); ++k)
            EXPECT_EQ(dialog.HideBox(k)->isChecked(), k == 0 || k == 8) << k;
        EXPECT_EQ(dialog.FreezeBox()->value(), 3);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
        auto* help = dialog.findChild<widgets::HelpWindow*>();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->CurrentTopic(), widgets::help::kColumnOptions);
        EXPECT_EQ(StoredRaw().toULongLong(), 1u << 8 | 1u << 0 | 3u << 24);
    }
    StoreRaw({});
    editor::MainView view(std::make_shared<document::RadioDocument>());
    editor::MainView other(std::make_shared<document::RadioDocument>());
    watcher.OnOtherDialog([](QWidget* modal) {
        auto* dialog = qobject_cast<widgets::OptionsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->HideBox(4)->setChecked(true);  // Name
        dialog->HideBox(15)->setChecked(true); // Mask
        dialog->FreezeBox()->setValue(3);
        PressButton(dialog, QDialogButtonBox::Ok);
    });
    editor::DocumentCommands(view).Options();
    EXPECT_EQ(StoredRaw().toULongLong(), kNameAndMask | 3u << 24);
    const QList<int> nameAndMask = {channelcol::kName, channelcol::kMask};
    for (int t : kListTabs) {
        EXPECT_EQ(HiddenColumns(view.Cells(t)), nameAndMask) << t;
        EXPECT_EQ(view.Cells(t).FrozenColumns(), 3) << t;
        EXPECT_TRUE(view.Grid(t)->isColumnHidden(channelcol::kName - 1)) << "on screen too";
    }
    for (int t : {tab::kHyper, tab::kGroups}) {
        EXPECT_TRUE(HiddenColumns(view.Cells(t)).isEmpty()) << t;
        EXPECT_EQ(view.Cells(t).FrozenColumns(), 1) << t;
    }
    EXPECT_TRUE(HiddenColumns(other.Cells(tab::kMemories)).isEmpty());
    editor::MainView reopened(std::make_shared<document::RadioDocument>());
    EXPECT_EQ(HiddenColumns(reopened.Cells(tab::kVfo)), nameAndMask);
    EXPECT_EQ(reopened.Cells(tab::kVfo).FrozenColumns(), 3);
}

// Cancel stores nothing but applies what another window stored meanwhile; a
// store that cannot be written counts as nothing stored, without a message.
TEST_F(ColumnOptionsTest, CancelOrAStoreThatCannotBeWritten) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        StoreRaw(cancel ? QVariant(qulonglong(1u << 0)) : QVariant());
        std::unique_ptr<testing_support::UnwritableStore> unwritable;
        if (!cancel)
            unwritable = std::make_unique<testing_support::UnwritableStore>();
        editor::MainView view(std::make_shared<document::RadioDocument>());
        watcher.OnOtherDialog([cancel](QWidget* modal) {
            auto* dialog = qobject_cast<widgets::OptionsDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->HideBox(4)->setChecked(true);
            PressButton(dialog, cancel ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
        });
        editor::DocumentCommands(view).Options();
        EXPECT_TRUE(watcher.Boxes().isEmpty()) << "no message";
        EXPECT_EQ(settings::ReadColumnOptions().value, cancel ? 1u : 0u);
        EXPECT_EQ(HiddenColumns(view.Cells(tab::kMemories)),
                  cancel ? QList<int>{channelcol::kTransmit} : QList<int>{});
        EXPECT_EQ(view.Cells(tab::kMemories).FrozenColumns(), 1);
    }
}

} // namespace

// Tab and Shift+Tab go along the row past hidden columns, in and out of the
// frozen ones, and stop at the row's ends; a typed cell left with Tab is
// stored.
TEST_F(ColumnOptionsTest, TabGoesAlongTheRowPastHiddenAndFrozenColumns) {
    StoreRaw(static_cast<qulonglong>(kNameAndMask | 3u << 24)); // Name, Mask; 3 frozen
    auto doc = std::make_shared<document::RadioDocument>();
    editor::MainView view(doc);
    view.resize(900, 500);
    view.show();
    QApplication::setActiveWindow(&view);
    view.FocusGrid();
    widgets::GridView* grid = view.Grid(tab::kMemories);
    grid->SetActiveCell(channelcol::kTransmit, 1);
    for (const char ch : std::string("144.6"))
        QTest::keyClick(QApplication::focusWidget(), ch);
    ASSERT_TRUE(grid->IsEditing());
    // Four Tabs to Tone Mode past the hidden Name, five Shift+Tabs back to
    // the first column and no further.
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Tab, channelcol::kOffset},      {Qt::Key_Tab, channelcol::kDirection},
        {Qt::Key_Tab, channelcol::kMode},        {Qt::Key_Tab, channelcol::kToneMode},
        {Qt::Key_Backtab, channelcol::kMode},    {Qt::Key_Backtab, channelcol::kDirection},
        {Qt::Key_Backtab, channelcol::kOffset},  {Qt::Key_Backtab, channelcol::kTransmit},
        {Qt::Key_Backtab, channelcol::kReceive}, {Qt::Key_Backtab, channelcol::kReceive},
    };
    for (const auto& [key, col] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key,
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::processEvents();
        EXPECT_EQ(grid->ActiveColumn(), col);
    }
    EXPECT_EQ(grid->ActiveRow(), 1);
    EXPECT_EQ(view.Cells(tab::kMemories).Text(channelcol::kTransmit, 1),
              QStringLiteral("144.60000"));
    grid->SetActiveCell(channelcol::kCount, 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->ActiveColumn(), channelcol::kCount) << "the row's end";
}
