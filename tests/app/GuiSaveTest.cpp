// Saving from the desktop program, offscreen: Save, Save As and Export on a
// full disk and onto files that are not regular files show the error and
// keep the old file and the unsaved changes.
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "editor/MainView.h"
#include "support/ModalWatcher.h"
#include "support/SaveFaults.h"
#include "support/TestSupport.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using testing_support::ModalWatcher;
using testing_support::ReadFile;
using testing_support::SmallTmpfs;
using testing_support::StrayTemporaryFiles;
using testing_support::WriteFile;
using namespace widgets::res;

namespace {

class GuiSaveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ModalWatcher watcher;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(GuiSaveTest, APipeOrALinkToOneIsNeverReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe")).constData(), 0644), 0);
    QFile::link(Path("pipe"), Path("link.rdf"));
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    child->Document().SetModified(true);

    // Save to a document whose file became a pipe, or a link to one; the
    // export as its dialog hands over the name.
    const struct {
        const char* name;
        const char* file;
        bool exportList;
        QString caption;
        QString text;
    } cases[] = {
        {"Save onto a link to a pipe", "link.rdf", false, QStringLiteral("Clonara"),
         QStringLiteral("Cannot create file:\n") + Path("link.rdf") +
             QStringLiteral("\nIt is not a regular file")},
        {"Export onto a pipe", "pipe", true, QStringLiteral("Export Error"),
         QStringLiteral("The data file could not be opened because of this error:It is not a "
                        "regular file")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        watcher.Clear();
        if (c.exportList) {
            EXPECT_FALSE(child->Commands()->ExportTo(Path(c.file)));
        } else {
            child->Document().SetFileName(Path(c.file));
            frame.RunCommand(QStringLiteral("file.save"));
        }
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes().back().caption, c.caption);
        EXPECT_TRUE(watcher.Boxes().back().text.startsWith(c.text))
            << watcher.Boxes().back().text.toStdString();
        EXPECT_TRUE(child->Document().IsModified());
        EXPECT_TRUE(QFileInfo(Path("link.rdf")).isSymLink());
        EXPECT_FALSE(QFileInfo(Path("pipe")).isFile());
    }
}

TEST_F(GuiSaveTest, AFullDiskKeepsTheOldFileAndTheChanges) {
    SmallTmpfs disk(128); // room for the file and its next save
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString file = disk.Path(QStringLiteral("radio.rdf"));
    const QString list = disk.Path(QStringLiteral("radio.tab"));
    {
        document::RadioDocument doc;
        ASSERT_FALSE(doc.Save(file));
    }
    WriteFile(list, "old list\n");
    const QByteArray old = ReadFile(file);
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.OpenDocumentFile(file);
    ASSERT_TRUE(child);
    child->Document().Radio().SetComment(0, 0, QStringLiteral("an unsaved change"));
    child->Document().SetModified(true);

    disk.Fill();
    frame.RunCommand(QStringLiteral("file.save"));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("Clonara"));
    EXPECT_EQ(watcher.Boxes()[0].text, QStringLiteral("Error writing file:\n") + file +
                                           QStringLiteral("\nNo space left on device"));
    EXPECT_TRUE(child->Document().IsModified());
    EXPECT_EQ(ReadFile(file), old);

    watcher.Clear();
    EXPECT_FALSE(child->Commands()->ExportTo(list));
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes().back().caption, QStringLiteral("Export Error"));
    EXPECT_EQ(watcher.Boxes().back().text, QStringLiteral("Error writing file:\n") + list +
                                               QStringLiteral("\nNo space left on device"));
    EXPECT_EQ(ReadFile(list), QByteArray("old list\n"));
    EXPECT_TRUE(StrayTemporaryFiles(disk.Path(QStringLiteral("."))).isEmpty());

    // Room again: the same Save goes through.
    QFile::remove(disk.Path(QStringLiteral("filler")));
    watcher.Clear();
    frame.RunCommand(QStringLiteral("file.save"));
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_FALSE(child->Document().IsModified());
    EXPECT_NE(ReadFile(file), old);
}

} // namespace
