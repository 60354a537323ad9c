// Radio data files as the program opens them: any bytes, read through the
// file, must either load (and then survive everything done with a document)
// or be refused with a message; nothing in between.
#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = fuzzing::ScratchFile(QStringLiteral("input.rdf"), bytes);
    document::RadioDocument doc;
    if (const auto error = doc.Load(path)) {
        if (error->text.isEmpty() || doc.LoadErrorMessage() != error->text)
            fuzzing::Broken("a refused file without its message");
        return 0;
    }
    fuzzing::ExerciseDocument(doc);
    return 0;
}
