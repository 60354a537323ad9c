// Raw clone images as other programs save them: the input is made into an
// image file (its first byte the image's 0x0A, short inputs filled up with
// 0xFF, longer ones keeping their tail as trailing metadata) so that every
// input reaches the image's own contents.
#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"
#include "radio/ImageLayout.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (bytes.size() < radio::image::kSize)
        bytes.append(radio::image::kSize - bytes.size(), '\xFF');
    bytes[0] = '\x0A';
    const QString path = fuzzing::ScratchFile(QStringLiteral("input.img"), bytes);
    document::RadioDocument doc;
    if (doc.Load(path))
        fuzzing::Broken("a raw image was refused");
    if (std::memcmp(doc.Image(), bytes.constData(), radio::image::kSize) != 0)
        fuzzing::Broken("the image was not taken as it is");
    fuzzing::ExerciseDocument(doc);
    return 0;
}
