// Radio texts as the program opens them: any text must either be read whole
// or be refused with its place and a message, the block untouched. A text
// that is read writes a text that reads back to the same block, and its
// document goes through what the program does with one.
#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"
#include "settings/RadioText.h"

#include <algorithm>
#include <array>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::array<radio::Byte, radio::rdf::kFileSize> block;
    block.fill(0xEE);
    if (const auto error =
            settings::radiotext::Read(text, QStringLiteral("in.yaml"), block.data())) {
        if (!error->text.startsWith(QStringLiteral("in.yaml")) || error->text.size() < 12)
            fuzzing::Broken("a refused text without its place and message");
        if (std::any_of(block.begin(), block.end(), [](radio::Byte b) { return b != 0xEE; }))
            fuzzing::Broken("a refused text left bytes behind");
        return 0;
    }
    const QByteArray again = settings::radiotext::Write(block.data());
    std::array<radio::Byte, radio::rdf::kFileSize> back{};
    if (settings::radiotext::Read(again, QStringLiteral("again.yaml"), back.data()) ||
        back != block)
        fuzzing::Broken("a text that was read did not write a text that reads the same");
    document::RadioDocument doc;
    std::memcpy(doc.Block(), block.data(), block.size());
    fuzzing::ExerciseDocument(doc);
    return 0;
}
