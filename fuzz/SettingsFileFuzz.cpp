// Settings files as the program opens them: any bytes must either load whole
// or be refused with a message and nothing taken. A loaded block must show
// on every option, go into an image and come back out unchanged (but for
// the bytes that never reach the image), and save and load again the same.
#include "fuzz/FuzzSupport.h"

#include "document/RadioDocument.h"
#include "settings/RadioSettings.h"
#include "settings/SettingsOptions.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = fuzzing::ScratchFile(QStringLiteral("input.rsf"), bytes);
    settings::rsf::FileImage file;
    file.fill(0xEE);
    if (const auto error = settings::rsf::LoadFile(path, file.data())) {
        if (error->text.isEmpty())
            fuzzing::Broken("a refused settings file without its message");
        if (std::any_of(file.begin(), file.end(), [](radio::Byte b) { return b != 0xEE; }))
            fuzzing::Broken("a refused settings file left bytes behind");
        return 0;
    }
    const radio::Byte* block = file.data() + settings::rsf::kBlock;
    for (const settings::option::Option& option : settings::option::Options())
        settings::option::ValueText(option, block);

    document::RadioDocument doc;
    const std::vector<radio::Byte> before(doc.Image(), doc.Image() + radio::image::kSize);
    settings::rsf::WriteSettings(doc.Radio(), block, doc.Image());
    settings::rsf::RadioSettings back{};
    settings::rsf::ExtractSettings(doc.Radio(), doc.Image(), back.data());
    for (int n = 0; n < settings::rsf::kRecordSize; ++n) {
        const bool travels = n < 176 || n >= 194;
        if (travels && back[static_cast<size_t>(n)] != block[n])
            fuzzing::Broken("a settings byte changed on its way through the image");
    }
    if (!std::equal(before.begin() + radio::image::kGroupCounts,
                    before.begin() + radio::image::kGroupCounts + radio::image::kGroupCountsSize,
                    doc.Image() + radio::image::kGroupCounts))
        fuzzing::Broken("the settings reached the memory group counts");
    if (doc.Image()[radio::image::kSettingsFirst + settings::rsf::kPackedByte] & 0xC0)
        fuzzing::Broken("image byte 1799 kept bits 6 or 7");

    const QString saved = fuzzing::ScratchFile(QStringLiteral("saved.rsf"), QByteArray());
    if (settings::rsf::SaveFile(saved, file.data()))
        fuzzing::Broken("a loaded settings file could not be saved");
    settings::rsf::FileImage again{};
    if (settings::rsf::LoadFile(saved, again.data()) || again != file)
        fuzzing::Broken("a saved settings file did not load the same");
    return 0;
}
