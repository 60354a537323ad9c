// Channel lists: any text imported into a new document, which then goes
// through everything done with a document. What the import stored must come
// back the same when it is exported, imported into another new document and
// exported again.
#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"
#include "document/TabGrid.h"
#include "document/TextImportExport.h"
#include "outside/ImportData.h"

namespace {

void Import(document::RadioDocument& doc, const QByteArray& bytes, const QString& fileName) {
    outside::ImportDataStruct request;
    request.names = document::textio::ColumnNames();
    request.rowHandler = [&doc](const QStringList& fields, int lineIndex) {
        document::textio::ImportRow(doc.Radio(), fields, lineIndex);
    };
    const outside::ImportResult result = outside::ImportBytes(bytes, fileName, request);
    if (!result.ok && result.dataLines > 0)
        fuzzing::Broken("a refused list handed lines over");
}

QString Export(document::RadioDocument& doc) {
    document::TabGrid grid(doc.Radio(), radio::tab::kMemories);
    grid.Fill();
    return document::textio::ExportText(doc.Radio(), grid.Cells(), QLatin1Char(','));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    document::RadioDocument doc;
    // The file name only decides the separator of a list with neither tabs
    // nor commas; let the input's length choose it.
    Import(doc, bytes, size % 2 ? QStringLiteral("list.tab") : QStringLiteral("list.csv"));
    fuzzing::ExerciseDocument(doc);

    const QString first = Export(doc);
    document::RadioDocument again;
    Import(again, first.toUtf8(), QStringLiteral("again.csv"));
    if (Export(again) != first)
        fuzzing::Broken("an exported list does not import to the same channels");
    return 0;
}
