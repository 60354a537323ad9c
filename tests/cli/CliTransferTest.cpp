// The command line's transfers against 'clonara-cli simulate' in a second
// process, as a user would run them.
#include "link/LinkTestSupport.h"

#include "document/RadioDocument.h"
#include "link/TransferDocument.h"
#include "radio/DataFileLayout.h"
#include "radio/RadioModel.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

using namespace linktest;
using radiolink::Clock;
using testing_support::ProgramPath;
using testing_support::ReadFile;
using testing_support::WriteFile;
using namespace std::chrono_literals;

namespace {

const QString kConfiguration = QString::fromLatin1(settings::kConfiguration);

using Result = testing_support::CliText;

QStringList Args(std::initializer_list<const char*> list) {
    QStringList args;
    for (const char* a : list)
        args << QString::fromUtf8(a);
    return args;
}

Result RunCli(const QStringList& args) {
    return testing_support::AsText(testing_support::RunCli(args));
}

// 'clonara-cli simulate' beside the test.
struct Simulator : testing_support::Simulator {
    using testing_support::Simulator::Simulator;
    Result Finish() { return testing_support::AsText(testing_support::Simulator::Finish()); }
};

class CliTransfer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        auto store = settings::OpenStore();
        store->clear();
        store->sync();
        m_image = TestImage();
        m_imagePath = Path("radio.img");
        WriteFile(m_imagePath, ToBytes(m_image));
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QVariant Stored(const QString& name) const {
        auto store = settings::OpenSettingsGroup();
        store->sync();
        return store->value(name);
    }

    QTemporaryDir m_dir;
    Image m_image{};
    QString m_imagePath;
};

} // namespace

TEST_F(CliTransfer, DownloadSavesTheImageAndRemembersTheHeader) {
    struct Case {
        const char* file;
        bool rawImage;
    };
    for (const Case c : {Case{"got.rdf", false}, Case{"got.img", true}}) {
        SCOPED_TRACE(c.file);
        // The simulator sends a raw image, then the radio data file saved
        // by the first download.
        const QString source = c.rawImage ? Path("got.rdf") : m_imagePath;
        Simulator radio(QStringList{QStringLiteral("send"), source, QStringLiteral("--fast")});
        const Result r =
            RunCli(QStringList{QStringLiteral("download"), QStringLiteral("--port"), radio.Device(),
                               QStringLiteral("--output"), Path(c.file)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        // Plain progress lines when stderr is no terminal.
        EXPECT_TRUE(r.err.contains(QStringLiteral("Receiving: 16211 of 16211 bytes (100%)")));
        const Result sim = radio.Finish();
        EXPECT_EQ(sim.exitCode, 0);
        EXPECT_TRUE(sim.err.contains(QStringLiteral("The computer sent 3 bytes: 06 06 06")));

        const QByteArray saved = ReadFile(Path(c.file));
        if (c.rawImage) {
            EXPECT_EQ(saved, ToBytes(m_image));
        } else {
            document::RadioDocument doc;
            ASSERT_FALSE(doc.Load(Path(c.file)).has_value());
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.Image()), radiolink::kImageSize),
                      ToBytes(m_image));
            EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("ReadRadio"));
        }
        EXPECT_EQ(Stored(kConfiguration).toByteArray(), ToBytes(m_image).left(18));
    }
}

TEST_F(CliTransfer, DownloadFailuresWriteNothing) {
    struct Case {
        const char* name;
        QStringList simulator; // extra options
        QString message;
    };
    const Case cases[] = {
        {"wrong checksum",
         {QStringLiteral("--wrong-checksum")},
         QStringLiteral("Error: Check sum error.")},
        {"cable pulled",
         {QStringLiteral("--hang-up-after"), QStringLiteral("5000")},
         QStringLiteral("The serial port was disconnected.")},
        {"noise in the middle",
         {QStringLiteral("--noise"), QStringLiteral("5"), QStringLiteral("--noise-after"),
          QStringLiteral("8000")},
         QStringLiteral("Error: Check sum error.")},
    };
    // A file of that name from before stays as it was, and no other file
    // is left beside it.
    const QByteArray old("an older file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path("got.rdf"), old);
        Simulator radio(QStringList{QStringLiteral("send"), m_imagePath, QStringLiteral("--fast")} +
                        c.simulator);
        const Result r =
            RunCli(QStringList{QStringLiteral("download"), QStringLiteral("--port"), radio.Device(),
                               QStringLiteral("--output"), Path("got.rdf")});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.trimmed().endsWith(c.message)) << r.err.toStdString();
        EXPECT_LT(r.elapsed, 10s);
        EXPECT_EQ(ReadFile(Path("got.rdf")), old);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("got.rdf"), QStringLiteral("radio.img")}));
        EXPECT_FALSE(Stored(kConfiguration).isValid());
    }
}

TEST_F(CliTransfer, PortChoiceAndOpenErrors) {
    {
        SCOPED_TRACE("none given and none remembered");
        const Result r = RunCli(Args({"download", "--output"}) << Path("x.rdf"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("No serial port is remembered")));
        const Result u = RunCli(Args({"upload"}) << m_imagePath);
        EXPECT_EQ(u.exitCode, 1);
        EXPECT_TRUE(u.err.contains(QStringLiteral("No serial port is remembered")));
    }
    {
        SCOPED_TRACE("a port that is not there");
        const Result r = RunCli(Args({"download", "--port", "/dev/ttyUSB9-clonara", "--output"})
                                << Path("x.rdf"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.trimmed(),
                  QStringLiteral("/dev/ttyUSB9-clonara: Invalid or unsupported port."));
    }
    {
        SCOPED_TRACE("the remembered port");
        Simulator radio(QStringList{QStringLiteral("send"), m_imagePath, QStringLiteral("--fast")});
        const Result set = RunCli(QStringList{QStringLiteral("port"), radio.Device()});
        EXPECT_EQ(set.out.trimmed(), radio.Device());
        const Result r = RunCli(Args({"download", "--output"}) << Path("x.rdf"));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(radio.Device()));
        EXPECT_EQ(RunCli(Args({"port", "--forget"})).out.trimmed(),
                  QStringLiteral("No port is remembered."));
    }
    {
        SCOPED_TRACE("output folder missing: refused before the radio is waited for");
        const Result r = RunCli(Args({"download", "--port", "/dev/null", "--output"})
                                << Path("no-such-folder/x.rdf"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("Cannot write")));
    }
}

TEST_F(CliTransfer, CtrlCCancelsAWaitingDownload) {
    // The radio is never switched on.
    Simulator radio(QStringList{QStringLiteral("send"), m_imagePath,
                                QStringLiteral("--start-delay"), QStringLiteral("600000")});
    QProcess download;
    download.start(ProgramPath("clonara-cli"),
                   QStringList{QStringLiteral("download"), QStringLiteral("--port"), radio.Device(),
                               QStringLiteral("--output"), Path("got.rdf")});
    ASSERT_TRUE(download.waitForStarted());
    download.setReadChannel(QProcess::StandardError);
    // Wait until it says it waits for the radio.
    QByteArray said;
    while (!said.contains("Ctrl+C") && download.waitForReadyRead(5000))
        said += download.readAllStandardError();
    ASSERT_TRUE(said.contains("Waiting for the radio"));
    // The user waits a moment before giving up (and the radio sees the port
    // open).
    std::this_thread::sleep_for(200ms);
    ::kill(static_cast<pid_t>(download.processId()), SIGINT);
    ASSERT_TRUE(download.waitForFinished(5000));
    EXPECT_EQ(download.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(download.exitCode(), 130);
    EXPECT_TRUE(download.readAllStandardError().contains("Cancelled"));
    EXPECT_FALSE(QFile::exists(Path("got.rdf")));
    // The simulator saw the port close.
    const Result sim = radio.Finish();
    EXPECT_EQ(sim.exitCode, 1);
}

TEST_F(CliTransfer, UploadSendsThePreparedImage) {
    // A remembered header with its sum: the upload stamps it in.
    QByteArray header = ToBytes(m_image).left(18);
    header[8] = 1;
    int sum = 0;
    for (char b : header)
        sum += static_cast<unsigned char>(b);
    {
        auto store = settings::OpenSettingsGroup();
        store->setValue(kConfiguration, header);
        store->setValue(QString::fromLatin1(settings::kConfiguration1), sum % 256);
    }
    // A document whose settings were imported from a settings file; the
    // file changes afterwards, and the upload sends it as it is now.
    {
        document::RadioDocument doc;
        ASSERT_FALSE(doc.Load(m_imagePath).has_value());
        ASSERT_FALSE(doc.Save(Path("radio.rdf")).has_value());
    }
    QByteArray settings = ReadFile(testing_support::DataPath("edited.rsf"));
    WriteFile(Path("mine.rsf"), settings);
    const Result imported =
        RunCli(Args({"settings", "import"}) << Path("radio.rdf") << Path("mine.rsf"));
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    settings[80 + 0] = 11; // squelch Main
    WriteFile(Path("mine.rsf"), settings);
    const QByteArray file = ReadFile(Path("radio.rdf"));

    // What the radio must receive: the file after the send command's steps.
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path("radio.rdf")).has_value());
    radiolink::PrepareSendCommand(doc);
    ASSERT_FALSE(settings::rsf::WriteSettingsForUpload(settings::rsf::SettingsSource(doc)));
    const radiolink::UploadImage expected = radiolink::PrepareUploadImage(doc);
    ASSERT_EQ(QByteArray(reinterpret_cast<const char*>(expected.bytes.data()), 18), header);

    Simulator radio(QStringList{QStringLiteral("receive"), Path("out.img"),
                                QStringLiteral("--fast"), QStringLiteral("--noise"),
                                QStringLiteral("9")});
    const Result r = RunCli(QStringList{QStringLiteral("upload"), QStringLiteral("--port"),
                                        radio.Device(), Path("radio.rdf")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Sending: 16211 of 16211 bytes (100%)")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("The settings of mine.rsf (in %1) go into the radio.")
                                   .arg(QDir::toNativeSeparators(m_dir.path()))))
        << r.err.toStdString();
    const Result sim = radio.Finish();
    EXPECT_EQ(sim.exitCode, 0) << sim.err.toStdString();
    const QByteArray sent = ReadFile(Path("out.img"));
    EXPECT_EQ(sent, QByteArray(reinterpret_cast<const char*>(expected.bytes.data()),
                               radiolink::kImageSize));
    // The settings file as it is now (squelch Main 11), and byte 117 packed
    // into the state blocks.
    EXPECT_EQ(sent[1682], 11);
    for (int i : {1426, 1427, 1554, 1555})
        EXPECT_EQ(sent[i], 1) << i;
    // The file itself is not changed by an upload.
    EXPECT_EQ(ReadFile(Path("radio.rdf")), file);
}

TEST_F(CliTransfer, UploadRefusedByTheRadio) {
    Simulator radio(QStringList{QStringLiteral("receive"), Path("out.img"),
                                QStringLiteral("--fast"), QStringLiteral("--nak")});
    const Result r = RunCli(QStringList{QStringLiteral("upload"), QStringLiteral("--port"),
                                        radio.Device(), m_imagePath});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().split(QLatin1Char('\n')).last(), QStringLiteral("Comm Error"));
    EXPECT_EQ(radio.Finish().exitCode, 1);
    EXPECT_FALSE(QFile::exists(Path("out.img")));
}

TEST_F(CliTransfer, UploadStopsOnABrokenSettingsFile) {
    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(m_imagePath).has_value());
    doc.SetSettingsSourceName(QStringLiteral("broken.rsf"));
    ASSERT_FALSE(doc.Save(Path("radio.rdf")).has_value());
    WriteFile(Path("broken.rsf"), ReadFile(testing_support::DataPath("edited.rsf")).left(300));
    {
        auto store = settings::OpenSettingsGroup();
        store->setValue(QString::fromLatin1(settings::kSettingDir), m_dir.path());
    }
    Simulator radio(
        QStringList{QStringLiteral("receive"), Path("out.img"), QStringLiteral("--fast")});
    const Result r = RunCli(Args({"upload", "--port"}) << radio.Device() << Path("radio.rdf"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Radio data file has invalid format\nNothing was "
                                              "sent.")))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("Sending")));
    EXPECT_FALSE(QFile::exists(Path("out.img")));
}

// Every image that crosses the cable is kept in the radio history: once, as
// it crossed, marked when an upload did not finish; the first image from a
// radio stays whatever the limit; a history that cannot be kept stops no
// transfer.
TEST_F(CliTransfer, TheRadioHistoryKeepsWhatCrossedTheCable) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), Path("data"));
    const auto run = [&env](const QStringList& args) {
        return testing_support::AsText(testing_support::RunCli(args, {{}, {}, env}));
    };
    const QString folder = Path("data") + QStringLiteral("/clonara/history");
    const auto kept = [&folder] {
        QList<QByteArray> images;
        for (const QString& name : QDir(folder).entryList({QStringLiteral("*.img")}, QDir::Files,
                                                          QDir::Name | QDir::Reversed))
            images << ReadFile(folder + QLatin1Char('/') + name);
        return images;
    };
    const auto download = [&](const QString& source) {
        Simulator radio(QStringList{QStringLiteral("send"), source, QStringLiteral("--fast")}, env);
        const Result r = run({QStringLiteral("download"), QStringLiteral("--port"), radio.Device(),
                              QStringLiteral("--output"), Path("got.rdf")});
        radio.Finish();
        return r;
    };

    for (int twice = 0; twice < 2; ++twice)
        EXPECT_EQ(download(m_imagePath).exitCode, 0);
    ASSERT_EQ(kept(), QList<QByteArray>{ToBytes(m_image)}) << "an image kept once";
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << "a private folder";
    EXPECT_EQ(QFileInfo(folder + QStringLiteral("/") +
                        QDir(folder).entryList({QStringLiteral("*.img")}).value(0))
                      .permissions() &
                  0x0077,
              0);

    for (const bool cut : {false, true}) {
        QStringList arguments{QStringLiteral("receive"), Path("sent.img"),
                              QStringLiteral("--fast")};
        if (cut)
            arguments << QStringLiteral("--hang-up-after") << QStringLiteral("3000");
        Simulator radio(arguments, env);
        EXPECT_EQ(run({QStringLiteral("upload"), QStringLiteral("--port"), radio.Device(),
                       Path("got.rdf")})
                          .exitCode == 0,
                  !cut);
        radio.Finish();
        if (!cut) {
            EXPECT_EQ(kept().first(), ReadFile(Path("sent.img"))) << "as the radio got it";
        }
    }
    const QStringList lines = run({QStringLiteral("history"), QStringLiteral("list")})
                                  .out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" sent ")) &&
                lines[0].endsWith(QStringLiteral("got.rdf  (incomplete)")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("got.rdf"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("(first from this radio)")));

    // With room for one entry, the newest stays and so does the first image.
    auto store = settings::OpenSettingsGroup();
    store->setValue(QStringLiteral("HistoryLimit"), 1);
    store->sync();
    Image other = m_image;
    other[200] ^= 1;
    radio::RadioModel::MakeChecksums(other.data());
    WriteFile(Path("other.img"), ToBytes(other));
    EXPECT_EQ(download(Path("other.img")).exitCode, 0);
    EXPECT_EQ(kept(), (QList<QByteArray>{ToBytes(other), ToBytes(m_image)}));
    const QString id = lines[2].section(QLatin1Char(' '), 0, 0);
    const Result shown = run({QStringLiteral("history"), QStringLiteral("show"), id});
    EXPECT_TRUE(shown.out.contains(QStringLiteral("First from this radio:       yes")))
        << shown.out.toStdString();
    EXPECT_EQ(
        run({QStringLiteral("history"), QStringLiteral("extract"), id, Path("x.img")}).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("x.img")), ToBytes(m_image));

    // A data folder that cannot be made: the download goes on and says so.
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_imagePath);
    const Result r = download(Path("other.img"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("The image could not be kept in the radio history: ")))
        << r.err.toStdString();
    EXPECT_EQ(ReadFile(Path("got.rdf")).size(), radio::rdf::kFileSize);
}
