// The desktop program's shell, offscreen: start-up, opening good and bad
// files, saving, the recent-file list, the save question.
#include "app/MainWindow.h"
#include "app/Application.h"
#include "app/DocumentWindow.h"
#include "document/RadioDocument.h"
#include "editor/DocumentCommands.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"
#include "settings/SettingsStore.h"
#include "support/ModalWatcher.h"
#include "support/TestSupport.h"
#include "widgets/Resources.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <sys/stat.h>
#include <unistd.h>

using testing_support::ModalWatcher;
using testing_support::ReadFile;
using testing_support::WriteFile;
using namespace widgets::res;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ModalWatcher watcher;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString NewFile(const char* name) {
        document::RadioDocument doc;
        doc.Save(Path(name));
        return Path(name);
    }
};

TEST_F(MainWindowTest, StartsWithANewDocumentOrTheFilesNamed) {
    app::Application app;
    ASSERT_EQ(app.Start({}, QStringLiteral("/usr/bin/clonara")), app::Application::Startup::Window);
    app::MainWindow* frame = app.Window();
    ASSERT_TRUE(frame);
    ASSERT_EQ(frame->Children().size(), 1);
    EXPECT_EQ(frame->Children()[0]->windowTitle(), QStringLiteral("Untitled[*]"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Clonara - [Untitled[*]]"));

    // Files named on the command line open in windows of their own.
    const QString a = NewFile("a.rdf");
    const QString b = NewFile("b.rdf");
    app::Application withFiles;
    ASSERT_EQ(withFiles.Start({a, b}, QString()), app::Application::Startup::Window);
    const auto children = withFiles.Window()->Children();
    ASSERT_EQ(children.size(), 2);
    EXPECT_EQ(children[0]->Document().FileName(), a);
}

// A short file, another radio's, a missing one and a pipe each give one box
// and no window; a pipe is refused at once by File Open and by Compare
// With: the window never waits on it. An
// alarm ends the test program should it hang.
TEST_F(MainWindowTest, FilesThatCannotBeOpenedGiveOneBoxAndNoWindow) {
    ::alarm(60);
    WriteFile(Path("short.rdf"), QByteArray(100, 'x'));
    QByteArray other = ReadFile(NewFile("other.rdf"));
    other.replace(4, 4, "ABCD");
    WriteFile(Path("other.rdf"), other);
    const QString pipe = Path("pipe.rdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString notRegular = QStringLiteral("It is not a regular file");
    const struct {
        QString path;
        QString text; // how the box's text starts
    } cases[] = {
        {Path("short.rdf"), QStringLiteral("Not a radio data file:\n") + Path("short.rdf")},
        {Path("other.rdf"), QStringLiteral("Radio data file for different radio:\nYaesu VX-7")},
        {Path("missing.rdf"), QString()},
        {pipe, QStringLiteral("Cannot open file:\n") + pipe + '\n' + notRegular},
    };
    app::MainWindow frame;
    frame.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        watcher.Clear();
        EXPECT_EQ(frame.OpenDocumentFile(c.path), nullptr);
        ASSERT_EQ(watcher.Boxes().size(), 1);
        EXPECT_EQ(watcher.Boxes()[0].caption, QStringLiteral("File Error"));
        EXPECT_TRUE(watcher.Boxes()[0].text.startsWith(c.text))
            << watcher.Boxes()[0].text.toStdString();
        EXPECT_TRUE(frame.Children().isEmpty());
    }

    // Compare With a pipe.
    app::DocumentWindow* open = frame.NewDocument();
    watcher.Clear();
    open->Commands()->CompareWith(pipe);
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_TRUE(watcher.Boxes()[0].text.contains(notRegular));
    ::alarm(0);
}

// Save (asking for a name) and Save As "Radio as text": the file written
// becomes the document's, and opening it again gives the same block.
TEST_F(MainWindowTest, SaveAsAndReopenByteForByte) {
    const struct {
        const char* command;
        const char* filter; // none: the dialog's own choice
        const char* file;
    } cases[] = {
        {"file.save", nullptr, "saved.rdf"},
        {"file.saveAs", "Radio as text (*.yaml)", "radio.yaml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        app::MainWindow frame;
        frame.show();
        app::DocumentWindow* child = frame.NewDocument();
        child->Document().Radio().SetComment(0, 0, QStringLiteral("first channel"));
        child->Document().SetModified(true);
        const QByteArray block(reinterpret_cast<const char*>(child->Document().Block()), 33680);

        if (c.filter)
            watcher.AnswerFilters({QString::fromLatin1(c.filter)});
        const QString path = Path(c.file);
        watcher.AnswerFiles({path.section(u'.', 0, -2)}); // the default extension is added
        frame.RunCommand(QString::fromLatin1(c.command));
        if (c.filter) {
            EXPECT_TRUE(ReadFile(path).contains("comment: first channel}\n"));
        } else {
            EXPECT_EQ(ReadFile(path), block);
        }
        EXPECT_EQ(child->windowTitle(), QString::fromLatin1(c.file) + QStringLiteral("[*]"));
        EXPECT_FALSE(child->isWindowModified());
        EXPECT_EQ(frame.Recent().Files().value(0), path);

        app::DocumentWindow* again = frame.OpenDocumentFile(path);
        EXPECT_EQ(again, child) << "an open file's window is activated, not opened twice";
        child->close();
        QApplication::processEvents();
        app::DocumentWindow* reopened = frame.OpenDocumentFile(path);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(reopened->Document().Block()), 33680),
                  block);
        EXPECT_TRUE(watcher.Boxes().isEmpty());
    }
}

TEST_F(MainWindowTest, SaveQuestionOnCloseAndExit) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    child->Document().SetModified(true);

    watcher.AnswerBoxes({QMessageBox::Cancel});
    EXPECT_FALSE(child->close());
    ASSERT_EQ(watcher.Boxes().size(), 1);
    EXPECT_EQ(watcher.Boxes()[0].text, QStringLiteral("Save changes to Untitled?"));
    EXPECT_EQ(frame.Children().size(), 1);

    watcher.Clear();
    watcher.AnswerBoxes({QMessageBox::No});
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(watcher.Boxes().size(), 1);
}

TEST_F(MainWindowTest, QuittingWithDocumentWindowsOpen) {
    // Closed first (Exit), or destroyed with its windows still open (the
    // program ending): the document windows go without touching a main
    // window that is half gone.
    for (const bool closeFirst : {true, false}) {
        SCOPED_TRACE(closeFirst);
        auto* frame = new app::MainWindow;
        frame->show();
        frame->NewDocument();
        frame->OpenDocumentFile(NewFile("quit.rdf"));
        frame->NewDocument();
        ASSERT_EQ(frame->Children().size(), 3);
        if (closeFirst) {
            EXPECT_TRUE(frame->close());
        }
        delete frame;
    }
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

// Each kind of file dialog starts in the folder last used for its kind, kept
// for the next run. Open offers clone images beside radio data files.
TEST_F(MainWindowTest, FileDialogsStartInTheFolderUsedLastForTheirKind) {
    const QString radio = Path("radio");
    const QString lists = Path("lists");
    QDir().mkpath(radio);
    QDir().mkpath(lists);
    WriteFile(Path("lists/in.csv"), "Receive Frequency,Name\n147.000,IN\n");
    const QString start = QDir::currentPath();
    app::MainWindow frame;
    frame.show();
    frame.NewDocument();
    const auto run = [&](app::MainWindow& window, const char* command, const QString& answer) {
        watcher.Clear();
        if (!answer.isEmpty())
            watcher.AnswerFiles({answer});
        window.RunCommand(QLatin1String(command));
        EXPECT_TRUE(watcher.Boxes().isEmpty());
        return watcher.FileDialogsSeen().value(0);
    };
    EXPECT_EQ(run(frame, "file.saveAs", radio + "/one.rdf").folder, start);
    EXPECT_EQ(run(frame, "file.open", radio + "/one.rdf").folder, radio);
    EXPECT_EQ(run(frame, "file.export", lists + "/out.csv").folder, start);
    EXPECT_EQ(run(frame, "file.import", lists + "/in.csv").folder, lists);
    // Cancelled: nothing remembered.
    EXPECT_EQ(run(frame, "file.saveAs", QString()).folder, radio);
    const auto open = run(frame, "file.open", QString());
    EXPECT_EQ(open.folder, radio);
    EXPECT_EQ(open.filters, (QStringList{"Radio Data Files (*.rdf)", "Radio clone images (*.img)",
                                         "Radio as text (*.yaml)",
                                         "All radio files (*.rdf *.img *.yaml)", "All Files (*)"}));
    app::MainWindow next;
    next.show();
    EXPECT_EQ(run(next, "file.open", QString()).folder, radio);
    for (app::DocumentWindow* child : frame.Children())
        child->Document().SetModified(false);
}

// The menu bar without and with a document, and the toolbar, one line per
// item: where it is, its name, text, status tip and shortcuts ("-" for a
// separator), and whether it is greyed.
QStringList MenuLines(app::MainWindow& frame) {
    const auto line = [](const QString& where, QAction* action) {
        if (action->isSeparator())
            return where + QStringLiteral(" -");
        QStringList keys;
        for (const QKeySequence& key : action->shortcuts())
            keys << key.toString();
        return QStringLiteral("%1 %2 | %3 | %4 | %5")
                   .arg(where, action->objectName(),
                        action->text().replace(QLatin1Char('\t'), "\\t"), action->statusTip(),
                        keys.join(QLatin1Char(' ')))
                   .trimmed() +
               (action->isEnabled() ? QString() : QStringLiteral(" (greyed)"));
    };
    QStringList lines;
    for (QAction* menu : frame.menuBar()->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            if (item->isVisible())
                lines << line(menu->text(), item);
        }
    }
    for (QAction* button : frame.findChild<QToolBar*>()->actions())
        lines << line(QStringLiteral("toolbar"), button);
    return lines;
}

// The commands that need a document are greyed without one, in the menus
// and on the toolbar, and do nothing, asking nothing, when run all the same.
TEST_F(MainWindowTest, MenusAndToolbarShowTheNamedActions) {
    settings::OpenStore()->clear(); // no recent files
    app::MainWindow frame;
    frame.show();
    const QStringList none = MenuLines(frame);
    QStringList lines = QStringList{QStringLiteral("# no document")} + none;
    app::DocumentWindow* child = frame.NewDocument();
    lines << QStringLiteral("# a document") << MenuLines(frame);
    QFile file(testing_support::DataPath("menus.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList expected =
        QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, expected) << lines.join(QLatin1Char('\n')).toStdString();
    child->close();
    QApplication::processEvents();
    EXPECT_EQ(MenuLines(frame), none) << "closed again";
    for (const char* name :
         {"file.close",    "file.save",         "file.saveAs", "file.import",    "file.export",
          "file.print",    "file.printPreview", "edit.cut",    "edit.copy",      "edit.paste",
          "edit.insert",   "edit.delete",       "edit.sort",   "radio.getData",  "radio.sendData",
          "view.settings", "view.options",      "window.new",  "window.cascade", "window.tile",
          "window.arrange"})
        frame.RunCommand(QLatin1String(name));
    EXPECT_TRUE(watcher.Boxes().isEmpty());
    EXPECT_EQ(watcher.FileDialogs(), 0);
    EXPECT_TRUE(frame.Children().isEmpty());
}

// CHIRP lists through the File menu: Import reports on the status bar,
// Export offers the CHIRP list, Save As the clone image alone.
TEST_F(MainWindowTest, ChirpListsAndTheCloneImageThroughTheFileMenu) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    document::RadioDocument& doc = child->Document();

    watcher.AnswerFiles({testing_support::DataPath("chirp-zero.csv")});
    frame.RunCommand(QStringLiteral("file.import"));
    EXPECT_TRUE(frame.statusBar()->currentMessage().startsWith(
        QStringLiteral("Imported 3 of 4 lines into memory channels from a CHIRP list")));
    EXPECT_TRUE(doc.IsModified());

    watcher.AnswerFilters({QStringLiteral("CHIRP channel list (*.csv)")});
    watcher.AnswerFiles({Path("out")});
    frame.RunCommand(QStringLiteral("file.export"));
    const QByteArray exported = ReadFile(Path("out.csv"));
    EXPECT_TRUE(exported.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
    EXPECT_TRUE(exported.contains("\n450,LAST,146.580000,"));

    doc.Radio().SetComment(0, 0, QStringLiteral("kept in the document only"));
    const QString title = child->windowTitle();
    watcher.AnswerFilters({QStringLiteral("Radio clone image (*.img)")});
    watcher.AnswerFiles({Path("radio")});
    frame.RunCommand(QStringLiteral("file.saveAs"));
    QByteArray image(reinterpret_cast<const char*>(doc.Image()), 16211);
    radio::RadioModel::MakeChecksums(reinterpret_cast<radio::Byte*>(image.data()));
    EXPECT_EQ(ReadFile(Path("radio.img")), image) << "with sums made for what is written";
    EXPECT_EQ(child->windowTitle(), title) << "the image alone is a copy";
    EXPECT_TRUE(doc.IsModified()) << QDir(dir.path()).entryList().join(' ').toStdString();
    EXPECT_TRUE(watcher.Boxes().isEmpty());
}

// File Compare With...: a window with what differs, in the radio's terms, as
// a table grouped by table with a count each; Copy and Ctrl+C put the
// selection, or everything, on the clipboard; Close closes it.
TEST_F(MainWindowTest, CompareWithShowsTheDifferencesAsATable) {
    app::MainWindow frame;
    frame.show();
    app::DocumentWindow* child = frame.NewDocument();
    const QString same = NewFile("same.rdf");
    radio::RadioModel& radio = child->Document().Radio();
    radio.SetComment(radio::tab::kMemories, 0, QStringLiteral("first channel"));
    radio.SetComment(radio::tab::kHome, 0, QStringLiteral("broadcast"));
    radio.SetComment(radio::tab::kHome, 1, QStringLiteral("home note"));
    radio.SetPriorityChannel(7);

    watcher.AnswerFiles({same});
    frame.RunCommand(QStringLiteral("file.compare"));
    EXPECT_EQ(watcher.FileDialogs(), 1);
    QApplication::processEvents();
    auto windows = frame.findChildren<QDialog*>(QStringLiteral("CompareWindow"));
    ASSERT_EQ(windows.size(), 1);
    QDialog* window = windows[0];
    auto* tree = window->findChild<QTreeWidget*>();
    QStringList groups;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        groups << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(groups.join(u'|').toStdString(),
              "Memories (1)|Home Channels (2)|Priority channel (1)");

    // Nothing selected: Ctrl+C copies everything, a line per difference; a
    // selected row copies itself, a selected group its rows (here by Copy).
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Memories\t1\tComment\tfirst channel\t(empty)\n"
              "Home Channels\tBC\tComment\tbroadcast\t(empty)\n"
              "Home Channels\tSW\tComment\thome note\t(empty)\n"
              "Priority channel\t\t\t7\t1\n");
    tree->topLevelItem(1)->child(1)->setSelected(true);
    tree->topLevelItem(2)->setSelected(true);
    window->findChild<QPushButton*>(QStringLiteral("copy"))->click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Home Channels\tSW\tComment\thome note\t(empty)\n"
              "Priority channel\t\t\t7\t1\n");

    window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.findChildren<QDialog*>(QStringLiteral("CompareWindow")).isEmpty());

    // The same radios: no rows, and it says so.
    frame.NewDocument()->Commands()->CompareWith(same);
    windows = frame.findChildren<QDialog*>(QStringLiteral("CompareWindow"));
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0]->findChild<QTreeWidget*>()->topLevelItemCount(), 0);
    EXPECT_EQ(windows[0]->findChild<QLabel*>(QStringLiteral("summary"))->text(),
              QStringLiteral("The two radios' memories are the same."));

    child->Commands()->CompareWith(Path("missing.rdf"));
    EXPECT_EQ(watcher.Boxes().size(), 1) << "a file that cannot be read says so";
}

} // namespace
