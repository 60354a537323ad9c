#include "support/TestSupport.h"

#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>

namespace testing_support {

QString DataPath(const QString& name) {
    return QStringLiteral(CLONARA_TEST_DATA_DIR "/") + name;
}

std::vector<DataLine> DataLines(const char* name) {
    std::vector<DataLine> lines;
    const QString text = QString::fromUtf8(ReadFile(DataPath(name)));
    EXPECT_FALSE(text.isEmpty()) << name;
    for (const QString& line : text.split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'\t');
        for (QString& field : fields) {
            if (field == QLatin1String("<empty>"))
                field.clear();
        }
        lines.push_back({line, fields});
    }
    return lines;
}

std::vector<std::uint8_t> Hex(const char* text) {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (const char* p = text; *p; ++p) {
        if (std::isspace(static_cast<unsigned char>(*p)))
            continue;
        const int digit = std::isdigit(static_cast<unsigned char>(*p))
                              ? *p - '0'
                              : std::toupper(static_cast<unsigned char>(*p)) - 'A' + 10;
        if (digit < 0 || digit > 15)
            throw std::invalid_argument("not a hex digit");
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0)
        throw std::invalid_argument("odd number of hex digits");
    return bytes;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

QString ProgramPath(const char* name) {
    return QStringLiteral(CLONARA_BIN_DIR "/") + QString::fromLatin1(name);
}

CliResult RunCli(const QStringList& arguments, const CliOptions& options) {
    QProcess process;
    process.setProcessEnvironment(options.environment);
    if (!options.outputFile.isEmpty())
        process.setStandardOutputFile(options.outputFile);
    const auto start = std::chrono::steady_clock::now();
    process.start(ProgramPath("clonara-cli"), arguments);
    process.waitForStarted();
    process.write(options.input);
    process.closeWriteChannel();
    if (!process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-2, {}, "hangs", std::chrono::steady_clock::now() - start};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError(),
            std::chrono::steady_clock::now() - start};
}

CliText AsText(const CliResult& result) {
    return {result.exitCode, QString::fromUtf8(result.out), QString::fromUtf8(result.err),
            result.elapsed};
}

Simulator::Simulator(const QStringList& arguments, const QProcessEnvironment& environment) {
    m_process.setProcessEnvironment(environment);
    m_process.start(ProgramPath("clonara-cli"),
                    QStringList{QStringLiteral("simulate")} + arguments);
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    m_device = QString::fromUtf8(m_process.readLine()).trimmed();
    EXPECT_TRUE(m_device.startsWith(QStringLiteral("/dev/"))) << m_device.toStdString();
}

Simulator::~Simulator() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

CliResult Simulator::Finish() {
    if (!m_process.waitForFinished(60000))
        m_process.kill();
    m_process.waitForFinished();
    return {m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1,
            m_process.readAllStandardOutput(), m_process.readAllStandardError()};
}

UnwritableStore::UnwritableStore() {
    m_original = QFileInfo(settings::OpenStore()->fileName()).dir().absolutePath();
    m_original = QFileInfo(m_original).dir().absolutePath(); // above the organisation
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    if (!file.open(QIODevice::WriteOnly))
        ADD_FAILURE() << "cannot make the blocking file";
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       blocker + QStringLiteral("/config"));
}

UnwritableStore::~UnwritableStore() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_original);
}

} // namespace testing_support
