// The fields of the settings block that the pages show as a list or a check
// box: where each lives and how it reads and writes. Byte numbers count from
// the start of the settings block.
#pragma once

#include "radio/ImageLayout.h"

#include <vector>

namespace rset {

using vx7::Byte;

// A drop-down option: a field of one byte holding the index of its entry.
// The field may hold an index past the entries; such a value is shown as no
// entry and kept.
struct ChoiceOption {
    const char* label;
    int byte;
    int shift; // lowest bit of the field
    Byte mask; // the field's bits, before shifting
    std::vector<const char*> entries;

    int Count() const { return static_cast<int>(entries.size()); }
    int Read(const Byte* block) const { return (block[byte] >> shift) & mask; }
    // Stores the low bits of index that fit the field; the byte's other bits
    // stay.
    void Write(Byte* block, int index) const {
        const int field = mask << shift;
        block[byte] = static_cast<Byte>((block[byte] & ~field) | ((index << shift) & field));
    }
};

// A check box: one bit.
struct FlagOption {
    const char* label;
    int byte;
    Byte bit;

    bool Read(const Byte* block) const { return (block[byte] & bit) != 0; }
    void Write(Byte* block, bool on) const {
        block[byte] = static_cast<Byte>(on ? block[byte] | bit : block[byte] & ~bit);
    }
};

} // namespace rset
