// Saving to the disk: what a save replaces and refuses, the leftovers of
// killed saves, every save path of clonara-cli under every fault of the
// disk, a real full tmpfs, and saves killed at random moments.
#include "document/FileSave.h"
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"
#include "link/CloneUpload.h"
#include "link/SerialPort.h"
#include "link/TransferLoop.h"
#include "radio/RadioModel.h"
#include "support/SaveFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <functional>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using testing_support::FaultEnvironment;
using testing_support::ProgramPath;
using testing_support::ReadFile;
using testing_support::SmallTmpfs;
using testing_support::StrayTemporaryFiles;
using testing_support::WriteFile;
using Kind = document::filesave::SaveError::Kind;

namespace {

QByteArray OldContents() {
    QByteArray old;
    while (old.size() < 20000)
        old += "the old file, whole. ";
    return old;
}

using Outcome = testing_support::CliText;
using testing_support::Simulator;

Outcome RunCli(const QStringList& arguments, const QProcessEnvironment& environment) {
    return testing_support::AsText(testing_support::RunCli(arguments, {{}, {}, environment}));
}

// Sends an image to the simulator the way the program does, with short
// pauses between blocks.
void Upload(const QString& device, const QByteArray& image) {
    auto port = std::make_unique<radiolink::SerialPort>();
    port->SetPort(device);
    ASSERT_FALSE(port->OpenForClone());
    radiolink::TransferTiming timing;
    timing.blockPause = std::chrono::milliseconds(1);
    radiolink::CloneUpload upload(
        std::move(port), reinterpret_cast<const radiolink::Byte*>(image.constData()), timing);
    upload.Start(radiolink::Clock::now());
    EXPECT_EQ(radiolink::RunTransfer(upload), radiolink::TransferState::Succeeded)
        << upload.Message().toStdString();
}

// Where a download that could not be saved keeps its image.
QString RescueFolder() {
    return QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/clonara");
}
QStringList RescuedImages() {
    return QDir(RescueFolder()).entryList({QStringLiteral("clonara-download-*.rdf")});
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The inputs of every command: a document with every memory channel
        // in use (its channel list is far larger than 4 KiB), its image and
        // a channel list.
        QByteArray list("Channel Number,Receive Frequency,Name,Comments\n");
        for (int n = 1; n <= 450; ++n)
            list += QByteArray::number(n) + ',' + QByteArray::number(144.0 + n * 0.005, 'f', 5) +
                    ",CH" + QByteArray::number(n) + ",comment " + QByteArray::number(n) + '\n';
        WriteFile(Path("list.csv"), list);
        document::RadioDocument doc;
        ASSERT_EQ(document::textio::ImportFile(doc.Radio(), Path("list.csv")).channels, 450);
        ASSERT_FALSE(doc.Save(Path("in.rdf")));
        ASSERT_FALSE(doc.Save(Path("in.img")));
        WriteFile(Path("in.rsf"), ReadFile(testing_support::DataPath("edited.rsf")));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Path(const char* name) const { return Path(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

// ---------------------------------------------------------------------------
// What a save replaces
// ---------------------------------------------------------------------------

TEST(SaveNames, OnlyTheSavesOwnTemporaryNamesCount) {
    const QByteArray longName(250, 'n');
    const struct {
        const char* file;
        QByteArray target;
        bool ours;
    } cases[] = {
        {".keep.img.clonara-save-AbC123", "keep.img", true},
        {".keep.img.clonara-save-zzzzzz", "keep.img", true},
        {".keep.img.clonara-save-AbC12", "keep.img", false},
        {".keep.img.clonara-save-AbC1234", "keep.img", false},
        {".keep.img.clonara-save-AbC12_", "keep.img", false},
        {".keep.img.clonara-save-AbC12.", "keep.img", false},
        {"keep.img.clonara-save-AbC123", "keep.img", false},
        {".other.img.clonara-save-AbC123", "keep.img", false},
        {".keep.img.clonara-save-AbC123", "other.img", false},
        {".keep.img", "keep.img", false},
        {"keep.img~", "keep.img", false},
        {"keep.img", "keep.img", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(document::filesave::IsTemporaryNameFor(c.file, c.target), c.ours) << c.file;
    // A long name is cut in its temporary name, which stays below 255 bytes.
    const QByteArray cut = '.' + longName.left(200) + ".clonara-save-Ab1234";
    EXPECT_TRUE(document::filesave::IsTemporaryNameFor(cut, longName));
    EXPECT_LT(cut.size(), 255);
}

// Makes what save-targets.txt says is there before a save.
void MakeTarget(const QString& steps, const QString& folder) {
    const auto at = [&](const QString& name) { return folder + u'/' + name; };
    for (const QString& step : steps.split(u';', Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(u' ');
        const QByteArray path = QFile::encodeName(at(w.value(1)));
        if (w[0] == QLatin1String("file")) {
            WriteFile(at(w[1]), "old");
        } else if (w[0] == QLatin1String("link")) {
            QFile::link(w[2].startsWith(u'@') ? at(w[2].mid(1)) : w[2], at(w[1]));
        } else if (w[0] == QLatin1String("fifo")) {
            ::mkfifo(path.constData(), 0644);
        } else if (w[0] == QLatin1String("device")) {
            ::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3));
        } else if (w[0] == QLatin1String("mkdir")) {
            QDir().mkdir(at(w[1]));
        } else if (w[0] == QLatin1String("sticky")) {
            ::chmod(QFile::encodeName(folder).constData(), 01777);
        } else if (w[0] == QLatin1String("lchown")) {
            ::lchown(path.constData(), 65534, 65534);
        } else if (w[0] == QLatin1String("chown-folder")) {
            ::chown(QFile::encodeName(folder).constData(), 65534, 65534);
        } else if (w[0] == QLatin1String("rmdir-folder")) {
            QDir().rmdir(folder);
        } else if (w[0] == QLatin1String("readonly")) {
            QFile::setPermissions(at(w[1]), QFileDevice::ReadOwner);
        } else if (w[0] != QLatin1String("-")) {
            ADD_FAILURE() << "no step " << step.toStdString();
        }
    }
}

TEST_F(SaveTest, OnlyRegularFilesAreReplaced) {
    const QByteArray bytes("new contents");
    const bool root = ::geteuid() == 0;
    int n = 0;
    for (const auto& [line, f] : testing_support::DataLines("save-targets.txt")) {
        ASSERT_EQ(f.size(), 4) << line.toStdString();
        SCOPED_TRACE(f[0].toStdString());
        if ((f[3] == QLatin1String("root") && !root) || (f[3] == QLatin1String("user") && root))
            continue;
        const bool saved = f[2] == QLatin1String("saved");
        const QString folder = Path(QStringLiteral("case%1").arg(++n));
        QDir().mkdir(folder);
        const QString target = folder + QStringLiteral("/target");
        MakeTarget(f[1], folder);
        const QFileInfo before(target);
        const auto error = document::filesave::Save(target, bytes);
        if (saved) {
            ASSERT_FALSE(error) << error->text.toStdString();
            EXPECT_EQ(ReadFile(target), bytes);
            EXPECT_EQ(QFileInfo(target).isSymLink(), before.isSymLink())
                << "a link stays a link; the file it names is updated";
        } else {
            ASSERT_TRUE(error);
            EXPECT_EQ(error->kind, Kind::CannotCreate);
            EXPECT_TRUE(error->reason.startsWith(f[2])) << error->reason.toStdString();
            EXPECT_EQ(error->text,
                      QStringLiteral("Cannot create file:\n%1\n%2").arg(target, error->reason));
            EXPECT_EQ(QFileInfo(target).isSymLink(), before.isSymLink());
            EXPECT_EQ(QFileInfo(target).isFile(), before.isFile());
            if (QFile::exists(folder + "/real")) {
                EXPECT_EQ(ReadFile(folder + "/real"), QByteArray("old"));
            }
            EXPECT_EQ(document::filesave::CheckTarget(target).has_value(), true);
        }
        if (QFileInfo(folder).isDir()) {
            EXPECT_TRUE(StrayTemporaryFiles(folder).isEmpty());
        }
    }
    // The permissions of the file replaced are kept.
    const QString kept = Path("kept");
    WriteFile(kept, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0640), 0);
    ASSERT_FALSE(document::filesave::Save(kept, bytes));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(kept).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(SaveTest, ASaveRemovesTheLeftoversOfKilledSavesOnly) {
    const QString target = Path("keep.rdf");
    WriteFile(target, OldContents());
    const QStringList leftovers = {".keep.rdf.clonara-save-AAAAAA",
                                   ".keep.rdf.clonara-save-b4c5d6"};
    const QStringList others = {"keep.rdf.bak", ".keep.rdf.clonara-save-CCCCC",
                                ".other.rdf.clonara-save-DDDDDD", "keep.rdf.clonara-save-EEEEEE"};
    for (const QString& name : leftovers + others)
        WriteFile(Path(name), "someone's bytes");
    // A save running in another process holds its temporary file locked.
    const QString running = Path(".keep.rdf.clonara-save-RUNNIN");
    WriteFile(running, "half a save");
    const int held = ::open(QFile::encodeName(running).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_FALSE(document::filesave::Save(target, "new"));
    EXPECT_EQ(ReadFile(target), QByteArray("new"));
    for (const QString& name : leftovers)
        EXPECT_FALSE(QFile::exists(Path(name))) << name.toStdString();
    for (const QString& name : others)
        EXPECT_EQ(ReadFile(Path(name)), QByteArray("someone's bytes")) << name.toStdString();
    EXPECT_EQ(ReadFile(running), QByteArray("half a save")) << "a running save is left alone";
    ::close(held);
    ASSERT_FALSE(document::filesave::Save(target, "newer"));
    EXPECT_FALSE(QFile::exists(running));
}

// ---------------------------------------------------------------------------
// Every save path under every fault of the disk
// ---------------------------------------------------------------------------

TEST_F(SaveTest, EverySavePathFailsWholeUnderEveryFault) {
    struct SavePath {
        const char* name;
        const char* target;
        // Runs the command that saves to target; folder holds nothing else.
        std::function<Outcome(const QString& target, const QProcessEnvironment&)> run;
        QString prefix; // before "Error writing file:"
    };
    const QString in = Path("in.rdf");
    auto cli = [](QStringList arguments) {
        return [arguments](const QString& target, const QProcessEnvironment& environment) {
            QStringList args = arguments;
            args.replaceInStrings(QStringLiteral("TARGET"), target);
            return RunCli(args, environment);
        };
    };
    const std::vector<SavePath> paths = {
        {"convert to a raw image", "keep.img", cli({"convert", in, "TARGET"}), {}},
        {"convert to a radio data file",
         "keep.rdf",
         cli({"convert", Path("in.img"), "TARGET"}),
         {}},
        {"new", "keep.rdf", cli({"new", "TARGET"}), {}},
        {"export", "keep.csv", cli({"export", in, "TARGET"}), QStringLiteral("Export Error: ")},
        {"show to a file", "keep.tab", cli({"show", in, "TARGET"}), {}},
        {"settings export", "keep.rsf", cli({"settings", "export", in, "TARGET"}), {}},
        {"settings import --output",
         "keep.rdf",
         cli({"settings", "import", in, Path("in.rsf"), "--output", "TARGET"}),
         {}},
        {"import --output",
         "keep.rdf",
         cli({"import", in, Path("list.csv"), "--output", "TARGET"}),
         {}},
        {"import into the file itself",
         "keep.rdf",
         cli({"import", "TARGET", Path("list.csv")}),
         {}},
        {"download --output",
         "keep.img",
         [&](const QString& target, const QProcessEnvironment& environment) {
             Simulator radio({QStringLiteral("send"), in, QStringLiteral("--fast")});
             return RunCli({"download", "--port", radio.Device(), "--output", target}, environment);
         },
         {}},
        {"the simulator's received image",
         "keep.img",
         [&](const QString& target, const QProcessEnvironment& environment) {
             Simulator radio({QStringLiteral("receive"), target, QStringLiteral("--fast")},
                             environment);
             Upload(radio.Device(), ReadFile(Path("in.img")));
             return testing_support::AsText(radio.Finish());
         },
         {}},
    };
    const struct {
        const char* fault;
        const char* reason;
    } faults[] = {
        {"write:ENOSPC", "No space left on device"},
        {"write:ENOSPC:%1:4096", "No space left on device"},
        {"write:EDQUOT", "Disk quota exceeded"},
        {"fdatasync:EIO", "Input/output error"},
        {"close:EIO", "Input/output error"},
        {"rename:EIO", "Input/output error"},
    };
    int n = 0;
    for (const SavePath& path : paths) {
        for (const auto& fault : faults) {
            // A settings file (1568 bytes) is written before a fault that
            // strikes after 4 KiB.
            if (QByteArray(path.target).endsWith(".rsf") &&
                QByteArray(fault.fault).contains("4096"))
                continue;
            SCOPED_TRACE(std::string(path.name) + " / " + fault.fault);
            const QString folder = Path(QStringLiteral("case%1").arg(++n));
            QDir().mkdir(folder);
            const QString target = folder + QLatin1Char('/') + QString::fromLatin1(path.target);
            const QByteArray old =
                QByteArray(path.name).contains("itself") ? ReadFile(in) : OldContents();
            WriteFile(target, old);
            const QString name = QString::fromLatin1(path.target);
            QString setting = QString::fromLatin1(fault.fault);
            setting =
                setting.contains(QLatin1String("%1")) ? setting.arg(name) : setting + ':' + name;
            QProcessEnvironment environment = FaultEnvironment(setting);
            // Never where a download is kept.
            environment.insert(QStringLiteral("TMPDIR"), folder);
            const QStringList keptBefore = RescuedImages();

            const Outcome run = path.run(target, environment);
            EXPECT_NE(run.exitCode, 0);
            EXPECT_EQ(ReadFile(target), old) << "the old file is whole";
            EXPECT_TRUE(run.err.contains(path.prefix + QStringLiteral("Error writing file:\n") +
                                         target + '\n' + QString::fromLatin1(fault.reason)))
                << run.err.toStdString();
            EXPECT_FALSE(run.out.contains(QStringLiteral("saved"))) << run.out.toStdString();
            EXPECT_FALSE(run.out.contains(QStringLiteral("Imported"))) << run.out.toStdString();
            EXPECT_TRUE(StrayTemporaryFiles(folder).isEmpty());
            if (QByteArray(path.name).startsWith("download")) {
                // The image read from the radio is not lost: it is kept in a
                // new file of the user's own, in the user's own folder.
                QStringList kept = RescuedImages();
                for (const QString& earlier : keptBefore)
                    kept.removeAll(earlier);
                ASSERT_EQ(kept.size(), 1);
                const QString rescue = RescueFolder() + '/' + kept.front();
                EXPECT_EQ(ReadFile(rescue).mid(424, 16210), ReadFile(Path("in.img")).left(16210));
                EXPECT_TRUE(run.err.contains(QStringLiteral("was kept in ") + rescue));
                struct stat status {};
                ASSERT_EQ(::stat(QFile::encodeName(rescue).constData(), &status), 0);
                EXPECT_EQ(status.st_mode & 0777, 0600u);
                ASSERT_EQ(::stat(QFile::encodeName(RescueFolder()).constData(), &status), 0);
                EXPECT_EQ(status.st_mode & 0777, 0700u);
                EXPECT_TRUE(
                    QDir(folder).entryList({QStringLiteral("clonara-download-*")}).isEmpty());
            }
        }
    }
}

TEST_F(SaveTest, AFailedFolderSyncIsReported) {
    // The new file is in place, but whether the rename survives a crash is
    // unknown: the save says so rather than claim success.
    const QString folder = Path("syncfails");
    QDir().mkdir(folder);
    const Outcome run = RunCli({"new", folder + "/keep.rdf"},
                               FaultEnvironment(QStringLiteral("fsync:EIO:syncfails")));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("The new file is in place but could not be made durable:\n%1\nThe "
                       "folder's sync failed: Input/output error")
            .arg(folder + "/keep.rdf")))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Error writing file")));
    EXPECT_EQ(ReadFile(folder + "/keep.rdf").size(), 33680);
}

// ---------------------------------------------------------------------------
// A real full disk
// ---------------------------------------------------------------------------

TEST_F(SaveTest, AFullTmpfsFailsEverySaveAndKeepsTheOldFiles) {
    SmallTmpfs disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString image = disk.Path(QStringLiteral("keep.img"));
    const QString list = disk.Path(QStringLiteral("keep.csv"));
    const QString fresh = disk.Path(QStringLiteral("new.csv"));
    const QByteArray oldImage = ReadFile(Path("in.img"));
    WriteFile(image, oldImage);
    WriteFile(list, "old list\n");
    const QString in = Path("in.rdf");
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString full = QStringLiteral("No space left on device");

    disk.Fill();
    Outcome run = RunCli({"convert", in, image}, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Error writing file:\n") + image + '\n' + full))
        << run.err.toStdString();
    run = RunCli({"export", in, list}, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(full));
    {
        Simulator radio({QStringLiteral("send"), in, QStringLiteral("--fast")});
        const qsizetype kept = RescuedImages().size();
        run = RunCli({"download", "--port", radio.Device(), "--output", image}, environment);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_FALSE(run.out.contains(QStringLiteral("saved")));
        EXPECT_EQ(RescuedImages().size(), kept + 1);
    }
    EXPECT_EQ(ReadFile(image), oldImage);
    EXPECT_EQ(ReadFile(list), QByteArray("old list\n"));

    disk.Fill(4096); // a new file larger than what is left
    run = RunCli({"export", in, fresh}, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(full));
    run = RunCli({"new", disk.Path(QStringLiteral("new.rdf"))}, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_FALSE(QFile::exists(disk.Path(QStringLiteral("new.rdf"))));
    EXPECT_TRUE(StrayTemporaryFiles(disk.Path(QStringLiteral("."))).isEmpty());

    QFile::remove(disk.Path(QStringLiteral("filler")));
    EXPECT_EQ(RunCli({"convert", in, image}, environment).exitCode, 0);
    EXPECT_EQ(ReadFile(image), oldImage);
}

// ---------------------------------------------------------------------------
// Saves killed at random moments
// ---------------------------------------------------------------------------

TEST_F(SaveTest, AKilledSaveLeavesTheOldFileOrTheNew) {
    const QString target = Path("keep.rdf");
    const QByteArray large(256 * 1024, 'L');
    const QByteArray small(100, 'S');
    ASSERT_FALSE(document::filesave::Save(target, large));
    const QByteArray program = QFile::encodeName(ProgramPath("save_loop"));
    const QByteArray argument = QFile::encodeName(target);
    QRandomGenerator random(20261206);
    constexpr int kKills = 200;
    int leftovers = 0;
    for (int i = 0; i < kKills; ++i) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::dup2(ready[1], STDOUT_FILENO);
            ::execl(program.constData(), program.constData(), argument.constData(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(ready[1]);
        char line[16];
        ASSERT_GT(::read(ready[0], line, sizeof line), 0) << "the saving program started";
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(15000)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving program failed at kill " << i;

        const QByteArray now = ReadFile(target);
        ASSERT_TRUE(now == large || now == small) << "torn file of " << now.size() << " bytes";
        leftovers += StrayTemporaryFiles(dir.path()).isEmpty() ? 0 : 1;
    }
    // Many kills land inside a save; the next save cleans up after them.
    EXPECT_GT(leftovers, 0);
    ASSERT_FALSE(document::filesave::Save(target, small));
    EXPECT_TRUE(StrayTemporaryFiles(dir.path()).isEmpty());
    RecordProperty("kills_leaving_a_temporary_file", leftovers);
}

} // namespace
