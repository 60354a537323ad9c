// The main view, offscreen: seven grids in tab order, commit marking the
// document modified only on a real change, tab changes, Import and Export.
#include "editor/MainView.h"
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "outside/CellStore.h"
#include "radio/ChannelColumns.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>

using namespace radio;
using testing_support::ModalWatcher;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

QByteArray Image(const document::RadioDocument& doc) {
    return QByteArray(reinterpret_cast<const char*>(doc.Image()), image::kSize);
}

class MainViewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ModalWatcher watcher;
    std::shared_ptr<document::RadioDocument> doc = std::make_shared<document::RadioDocument>();
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// The tabs at the bottom, in the order of the tables.
TEST_F(MainViewTest, SevenTabsAtTheBottom) {
    editor::MainView view(doc);
    view.resize(900, 600);
    view.show();
    ASSERT_EQ(view.TabBar()->count(), 7);
    EXPECT_EQ(view.TabBar()->tabText(tab::kVfo), QStringLiteral("VFO's"));
    EXPECT_EQ(view.TabBar()->shape(), QTabBar::RoundedSouth);
    EXPECT_GT(view.TabBar()->geometry().top(), view.Grid(0)->geometry().bottom())
        << "the tab strip lies below the grids";
    EXPECT_TRUE(view.Grid(0)->isVisible());
    EXPECT_FALSE(view.Grid(3)->isVisible());
}

TEST_F(MainViewTest, CommitMarksModifiedOnlyOnARealChange) {
    editor::MainView view(doc);
    const QByteArray before = Image(*doc);
    EXPECT_TRUE(view.CommitGrids(true));
    EXPECT_FALSE(doc->IsModified()) << "no edit, no change";
    EXPECT_EQ(Image(*doc), before);

    ASSERT_TRUE(view.Cells(0).setData(view.Cells(0).CellIndex(1, 7), QStringLiteral("146.94")));
    EXPECT_EQ(view.Cells(0).Selection(), outside::GridBlock::Rows(7, 7, 1, 18)) << "seeded row";
}

TEST_F(MainViewTest, ATabChangeCommitsAndGroupsAreRefreshedOnEntry) {
    editor::MainView view(doc);
    view.show();
    // A new memory channel typed into the Memories grid...
    view.Cells(0).SetLock({2, 5, 18, 5}, false);
    view.Cells(0).SetText(1, 5, QStringLiteral("146.52000"));
    view.Cells(0).SetText(2, 5, QStringLiteral("146.52000"));
    view.Cells(0).SetListIndex(4, 5, 0);
    view.SetCurrentTab(tab::kGroups);
    // ...is in the image after the switch, and offered by the group lists.
    EXPECT_TRUE(doc->Radio().IsUsed(doc->Image(), tab::kMemories, 4));
    const QStringList items = view.Cells(4).CellList(1, 1)->Items();
    EXPECT_TRUE(items.contains(QStringLiteral("005 - 146.52000 MHz")))
        << items.join('|').toStdString();
}

// File Export and Import through their dialogs, the status bar and the box.
TEST_F(MainViewTest, MenuCommandsImportAndExportThroughTheirDialogs) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    watcher.AnswerFiles({Path("menu.tab")});
    frame.RunCommand(QStringLiteral("file.export"));
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              QStringLiteral("Exported 1 channel to %1").arg(Path("menu.tab")));

    // A list whose lines give no channel brings a message and leaves the
    // document alone.
    WriteFile(Path("none.csv"), "1,146.521\n2,abc\n");
    const QByteArray before = Image(child->Document());
    watcher.Clear();
    watcher.AnswerFiles({Path("none.csv")});
    frame.RunCommand(QStringLiteral("file.import"));
    EXPECT_EQ(watcher.Boxes().size(), 1);
    EXPECT_FALSE(child->Document().IsModified());
    EXPECT_EQ(Image(child->Document()), before);
}

} // namespace
