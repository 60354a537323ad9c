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
    rsf::FileImage file;
    file.fill(0xEE);
    if (const auto error = rsf::LoadFile(path, file.data())) {
        if (error->text.isEmpty())
            fuzzing::Broken("a refused settings file without its message");
        if (std::any_of(file.begin(), file.end(), [](vx7::Byte b) { return b != 0xEE; }))
            fuzzing::Broken("a refused settings file left bytes behind");
        return 0;
    }
    const vx7::Byte* block = file.data() + rsf::kBlock;
    for (const settingsopt::Option& option : settingsopt::Options())
        settingsopt::ValueText(option, block);

    RadioDocument doc;
    const std::vector<vx7::Byte> before(doc.Image(), doc.Image() + vx7::image::kSize);
    rsf::WriteSettings(doc.Radio(), block, doc.Image());
    rsf::RadioSettings back{};
    rsf::ExtractSettings(doc.Radio(), doc.Image(), back.data());
    for (int n = 0; n < rsf::kRecordSize; ++n) {
        const bool travels = n < 176 || n >= 194;
        if (travels && back[static_cast<size_t>(n)] != block[n])
            fuzzing::Broken("a settings byte changed on its way through the image");
    }
    if (!std::equal(before.begin() + vx7::image::kGroupCounts,
                    before.begin() + vx7::image::kGroupCounts + vx7::image::kGroupCountsSize,
                    doc.Image() + vx7::image::kGroupCounts))
        fuzzing::Broken("the settings reached the memory group counts");
    if (doc.Image()[vx7::image::kSettingsFirst + rsf::kPackedByte] & 0xC0)
        fuzzing::Broken("image byte 1799 kept bits 6 or 7");

    const QString saved = fuzzing::ScratchFile(QStringLiteral("saved.rsf"), QByteArray());
    if (rsf::SaveFile(saved, file.data()))
        fuzzing::Broken("a loaded settings file could not be saved");
    rsf::FileImage again{};
    if (rsf::LoadFile(saved, again.data()) || again != file)
        fuzzing::Broken("a saved settings file did not load the same");
    return 0;
}
