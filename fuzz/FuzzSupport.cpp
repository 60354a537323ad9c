#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "document/TextImportExport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzing {

QString ScratchFile(const QString& name, const QByteArray& bytes) {
    static QTemporaryDir dir;
    if (!dir.isValid())
        Broken("no scratch folder");
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        Broken("cannot write the scratch file");
    return path;
}

void Broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

void ExerciseDocument(document::RadioDocument& doc) {
    const std::vector<radio::Byte> before(doc.Block(), doc.Block() + radio::rdf::kFileSize);
    for (int t = 0; t < radio::tab::kCount; ++t) {
        document::TabGrid grid(doc.Radio(), t);
        grid.Fill();
        std::vector<radio::Byte> work(doc.Image(), doc.Image() + radio::image::kSize);
        grid.WriteChanged(work.data());
        if (std::memcmp(work.data(), doc.Image(), work.size()) != 0)
            Broken("committing an unedited table changed the image");
        if (std::memcmp(before.data(), doc.Block(), before.size()) != 0)
            Broken("committing an unedited table changed the document");
        if (t == radio::tab::kMemories) {
            const QString commas =
                document::textio::ExportText(doc.Radio(), grid.Cells(), QLatin1Char(','));
            const QString tabs =
                document::textio::ExportText(doc.Radio(), grid.Cells(), QLatin1Char('\t'));
            if (commas.isEmpty() || tabs.isEmpty())
                Broken("the export lost its header line");
        }
    }
    std::vector<radio::Byte> upload(doc.Image(), doc.Image() + radio::image::kSize);
    doc.Radio().PrepareCurrentState(upload.data());
    radio::RadioModel::MakeChecksums(upload.data());
    if (!radio::RadioModel::ImageChecksumHolds(upload.data()) ||
        !radio::RadioModel::BlockChecksumHolds(upload.data() + radio::image::kStateBlock) ||
        !radio::RadioModel::BlockChecksumHolds(upload.data() + radio::image::kStateCopy))
        Broken("checksums made for an upload do not hold");
}

} // namespace fuzzing
