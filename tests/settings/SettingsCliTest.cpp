// clonara-cli settings show, export and import as whole programs, against
// the project's own files in tests/data: NAME.settings is what show prints
// for NAME, factory.rsf what export writes for a new document, edited.rsf a
// settings file made by hand with every kind of option set.
#include "document/RadioDocument.h"
#include "settings/SettingsStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::WriteFile;

namespace {

QByteArray Show(const QString& path) {
    const auto r = RunCli({QStringLiteral("settings"), QStringLiteral("show"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.out;
}

struct Shown {
    const char* file;
    const char* settings;
};

class SettingsShow : public ::testing::TestWithParam<Shown> {};

TEST_P(SettingsShow, AsKept) {
    EXPECT_EQ(Show(testing_support::DataPath(GetParam().file)),
              ReadFile(testing_support::DataPath(GetParam().settings)));
}

INSTANTIATE_TEST_SUITE_P(Data, SettingsShow,
                         ::testing::Values(Shown{"factory.rdf", "factory.settings"},
                                           Shown{"factory.rsf", "factory.settings"},
                                           Shown{"full.img", "full.settings"},
                                           Shown{"edited.rsf", "edited.settings"},
                                           Shown{"drawn.rsf", "drawn.settings"}),
                         [](const ::testing::TestParamInfo<Shown>& param) {
                             return QString::fromLatin1(param.param.file)
                                 .replace(QLatin1Char('.'), QLatin1Char('_'))
                                 .toStdString();
                         });

class SettingsCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto store = settings::OpenStore();
        store->clear();
        store->sync();
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QString Stored(const char* name) {
        auto store = settings::OpenSettingsGroup();
        store->sync();
        return store->value(QString::fromLatin1(name)).toString();
    }
    QTemporaryDir dir;
};

TEST_F(SettingsCli, ExportWritesTheImagesSettings) {
    const auto r =
        RunCli({"settings", "export", testing_support::DataPath("factory.rdf"), Path("out.rsf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadFile(Path("out.rsf")), ReadFile(testing_support::DataPath("factory.rsf")));
}

TEST_F(SettingsCli, ImportWritesTheFileIntoTheImageAndRemembersIt) {
    WriteFile(Path("edited.rsf"), ReadFile(testing_support::DataPath("edited.rsf")));
    const auto r = RunCli({"settings", "import", testing_support::DataPath("factory.rdf"),
                           Path("edited.rsf"), "--output", Path("out.rdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Every option shown as the file holds it; how the bytes travel into the
    // image is the settings block's own (RadioSettingsTest.cpp).
    EXPECT_EQ(Show(Path("out.rdf")), ReadFile(testing_support::DataPath("edited.settings")));

    document::RadioDocument doc;
    ASSERT_FALSE(doc.Load(Path("out.rdf")));
    EXPECT_EQ(doc.SettingsSourceName(), QStringLiteral("edited.rsf"));
    EXPECT_EQ(Stored(settings::kSettingDir), dir.path());
    EXPECT_EQ(Stored(settings::kCurrentSettingFile), QStringLiteral("edited.rsf"));
    EXPECT_EQ(ReadFile(testing_support::DataPath("factory.rdf")).size(), 33680);
}

TEST_F(SettingsCli, FailuresChangeNothing) {
    WriteFile(Path("doc.rdf"), ReadFile(testing_support::DataPath("factory.rdf")));
    WriteFile(Path("short.rsf"), ReadFile(testing_support::DataPath("edited.rsf")).left(1000));
    QDir().mkdir(Path("folder.rsf"));
    const struct {
        QStringList arguments;
        int exitCode;
        QString err; // the start of the last line... or the text it contains
    } cases[] = {
        {{"settings", "show", Path("short.rsf")}, 1, "Radio data file has invalid format"},
        {{"settings", "import", Path("doc.rdf"), Path("short.rsf")},
         1,
         "Radio data file has invalid format"},
        {{"settings", "import", Path("doc.rdf"), Path("gone.rsf")}, 1, "Cannot open file:\n"},
        {{"settings", "export", Path("doc.rdf"), Path("folder.rsf")},
         1,
         "Cannot create file:\n" + Path("folder.rsf")},
        {{"settings", "show", Path("gone.rdf")}, 1, "Cannot open file:\n"},
        {{"settings", "rename"}, 2, "Unknown settings command: rename"},
        {{"settings"}, 2, "Usage: clonara-cli settings show FILE"},
        {{"settings", "show"}, 2, "clonara-cli settings show"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto r = RunCli(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(c.err)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_EQ(ReadFile(Path("doc.rdf")), ReadFile(testing_support::DataPath("factory.rdf")));
    EXPECT_TRUE(Stored(settings::kCurrentSettingFile).isEmpty());
}

} // namespace
