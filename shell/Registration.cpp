#include "shell/Registration.h"

#include "document/RadioDataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace shell::registration {

namespace {

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString Quoted(const QString& path) {
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString DesktopEntry(const QString& program) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Clonara\n"
                          "Comment=Edit the memory of the Yaesu VX-7 handheld\n"
                          "Exec=%1 %f\n"
                          "Terminal=false\n"
                          "Categories=Utility;HamRadio;\n"
                          "MimeType=%2;\n")
        .arg(Quoted(program), QString::fromLatin1(kMimeType));
}

QString MimeEntry() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>Radio data file</comment>\n"
               "    <magic priority=\"50\"><match type=\"string\" offset=\"0\" "
               "value=\"RDF\\0JH70\"/></magic>\n"
               "    <glob pattern=\"*.rdf\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QString::fromLatin1(kMimeType));
}

QString DBusEntry(const QString& program) {
    return QStringLiteral("[D-BUS Service]\n"
                          "Name=%1\n"
                          "Exec=%2 -Embedding\n")
        .arg(QString::fromLatin1(kDBusService), Quoted(program));
}

} // namespace

QStringList Files() {
    const QString home = DataHome();
    return {home + QLatin1Char('/') + QString::fromLatin1(kDesktopFile),
            home + QLatin1Char('/') + QString::fromLatin1(kMimeFile),
            home + QLatin1Char('/') + QString::fromLatin1(kDBusServiceFile)};
}

std::optional<QString> Register(const QString& programPath) {
    const QString program = QFileInfo(programPath).absoluteFilePath();
    const QStringList files = Files();
    const QString contents[] = {DesktopEntry(program), MimeEntry(), DBusEntry(program)};
    for (int i = 0; i < files.size(); ++i) {
        if (!QDir().mkpath(QFileInfo(files[i]).absolutePath()))
            return QStringLiteral("Cannot create folder:\n%1")
                .arg(QFileInfo(files[i]).absolutePath());
        if (auto error = document::datafile::WriteFileAtomically(files[i], contents[i].toUtf8()))
            return error->text;
    }
    return std::nullopt;
}

std::optional<QString> Unregister() {
    for (const QString& file : Files()) {
        if (QFile::exists(file) && !QFile::remove(file))
            return QStringLiteral("Cannot remove file:\n%1").arg(file);
    }
    return std::nullopt;
}

} // namespace shell::registration
