// CHIRP channel lists: any text read as one into a new document, which then
// goes through everything done with a document. The list the export writes
// must import to the same channels: exported again, it gives the same bytes.
#include "fuzz/FuzzSupport.h"

#include "document/ChirpList.h"
#include "document/RadioDocument.h"
#include "outside/ImportData.h"

namespace {

void Import(document::RadioDocument& doc, const QByteArray& bytes) {
    outside::ImportDataStruct request;
    request.names = document::chirp::ColumnNames();
    QList<QStringList> rows;
    request.rowHandler = [&rows](const QStringList& fields, int) { rows.append(fields); };
    const outside::ImportResult result =
        outside::ImportBytes(bytes, QStringLiteral("list.csv"), request);
    if (!result.ok && result.dataLines > 0)
        fuzzing::Broken("a refused list handed lines over");
    const document::chirp::ImportOutcome outcome = document::chirp::ImportRows(doc.Radio(), rows);
    if (outcome.channels + outcome.skipped != rows.size())
        fuzzing::Broken("a CHIRP line was neither imported nor skipped");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    document::RadioDocument doc;
    Import(doc, bytes);
    fuzzing::ExerciseDocument(doc);

    const QByteArray first = document::chirp::ExportBytes(doc.Radio());
    document::RadioDocument again;
    Import(again, first);
    if (document::chirp::ExportBytes(again.Radio()) != first)
        fuzzing::Broken("an exported CHIRP list does not import to the same channels");
    return 0;
}
