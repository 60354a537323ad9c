// What the fuzz harnesses share: a scratch folder for the files they open,
// the checks every loaded document must pass, and one way to stop on a
// broken promise that both libFuzzer and the seed runner report as a finding.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace document {
class RadioDocument;
}

namespace fuzzing {

// Writes bytes to a file of the given name in a scratch folder that lives as
// long as the process, and returns its path.
QString ScratchFile(const QString& name, const QByteArray& bytes);

// Prints what went wrong and aborts: the fuzzer keeps the input.
[[noreturn]] void Broken(const char* what);

// Runs a loaded document through what the program does with one: every
// channel table filled and committed back unedited (which must change no
// byte of the image or the comments), the channel list export in both
// separators, and the fix-ups and checksums of an upload on a copy.
void ExerciseDocument(document::RadioDocument& doc);

} // namespace fuzzing

// libFuzzer's entry point, defined by each harness.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
