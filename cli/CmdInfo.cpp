// clonara-cli info FILE: what a radio data file or clone image holds.
#include "cli/Cli.h"
#include "document/RadioDocument.h"

#include <QCommandLineParser>

using namespace radio;

namespace {

quint32 ReadLe32(const Byte* p) {
    return static_cast<quint32>(p[0] | (p[1] << 8) | (p[2] << 16)) |
           (static_cast<quint32>(p[3]) << 24);
}

QString YesNo(bool holds) {
    return holds ? QStringLiteral("holds") : QStringLiteral("wrong");
}

int RowsInUse(const document::RadioDocument& doc, int t) {
    int used = 0;
    for (int i = 0; i < RadioModel::RecordCount(t); ++i)
        used += RadioModel::IsUsed(doc.Image(), t, i) ? 1 : 0;
    return used;
}

int Run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Radio data file or raw clone image."));
    if (!cli::Parse(parser, arguments, QStringLiteral("info"),
                    QStringLiteral("Shows the header, checksums and channel counts of a file.")) ||
        !cli::ExpectPositionals(parser, 1, 1))
        return 2;
    document::RadioDocument doc;
    if (!cli::OpenDocument(doc, parser.positionalArguments().at(0)))
        return 1;

    const Byte* block = doc.Block();
    const Byte* img = doc.Image();
    int hyper = 0;
    for (int i = 0; i < image::kHyperCount; ++i)
        hyper +=
            img[image::kHyper + image::kBlockSize * i + block::kHyperStatus] == block::kHyperInUse
                ? 1
                : 0;
    int groups = 0;
    for (int g = 0; g < image::kGroupCount; ++g)
        groups += RadioModel::GroupSize(img, g) > 0 ? 1 : 0;

    QString text;
    const auto line = [&text](const QString& label, const QString& value) {
        text += QStringLiteral("%1 %2\n").arg(label + QLatin1Char(':'), -28).arg(value);
    };
    line(QStringLiteral("Radio name"), doc.RadioName());
    line(QStringLiteral("Radio tag"),
         QString::fromLatin1(reinterpret_cast<const char*>(block + radio::rdf::kTag),
                             radio::rdf::kTagSize));
    line(QStringLiteral("Format version"), QString::number(ReadLe32(block + radio::rdf::kVersion)));
    line(QStringLiteral("Size field"), QString::number(ReadLe32(block + radio::rdf::kSizeField)));
    line(QStringLiteral("Channel count"), QString::number(doc.ChannelCount()));
    line(QStringLiteral("Settings source"), doc.SettingsSourceName());
    line(QStringLiteral("Image checksum"), YesNo(RadioModel::ImageChecksumHolds(img)));
    line(QStringLiteral("State block checksum"),
         YesNo(RadioModel::BlockChecksumHolds(img + image::kStateBlock)));
    line(QStringLiteral("State copy checksum"),
         YesNo(RadioModel::BlockChecksumHolds(img + image::kStateCopy)));
    line(QStringLiteral("Variant flag"), QString::number(img[image::kVariantFlag]));
    line(QStringLiteral("Memories in use"), QString::number(RowsInUse(doc, tab::kMemories)));
    line(QStringLiteral("Limit memories in use"), QString::number(RowsInUse(doc, tab::kLimit)));
    line(QStringLiteral("One touch memories in use"),
         QString::number(RowsInUse(doc, tab::kOneTouch)));
    line(QStringLiteral("Hyper memories in use"), QString::number(hyper));
    line(QStringLiteral("Memory groups in use"), QString::number(groups));
    cli::Out(text);
    return 0;
}

const cli::Registrar registrar("info", "Show what a radio data file or image holds", &Run);

} // namespace
