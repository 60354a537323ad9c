// The simulator's faults at single image bytes: which byte each one strikes,
// and which wins where several meet at one byte.
#include "simulator/RadioSimulator.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using simulator::ByteFate;
using simulator::Faults;

TEST(SimulatorFaults, FateOfAnImageByte) {
    struct Case {
        const char* name;
        std::function<void(Faults&)> set;
        int index;
        ByteFate fate;
    };
    const Case cases[] = {
        {"no fault", [](Faults&) {}, 0, ByteFate::Passes},
        {"no fault, checksum byte", [](Faults&) {}, 16210, ByteFate::Passes},
        {"lost byte 0", [](Faults& f) { f.loseByte = 0; }, 0, ByteFate::Lost},
        {"before the lost byte", [](Faults& f) { f.loseByte = 5; }, 4, ByteFate::Passes},
        {"the lost byte", [](Faults& f) { f.loseByte = 5; }, 5, ByteFate::Lost},
        {"after the lost byte", [](Faults& f) { f.loseByte = 5; }, 6, ByteFate::Passes},
        {"before the silence", [](Faults& f) { f.silenceAfter = 10; }, 9, ByteFate::Passes},
        {"silence from there", [](Faults& f) { f.silenceAfter = 10; }, 10, ByteFate::FallsSilent},
        {"silence stays", [](Faults& f) { f.silenceAfter = 10; }, 16210, ByteFate::FallsSilent},
        {"silent at once", [](Faults& f) { f.silenceAfter = 0; }, 0, ByteFate::FallsSilent},
        {"hang-up from there", [](Faults& f) { f.hangUpAfter = 10; }, 10, ByteFate::HangsUp},
        {"hang-up before silence",
         [](Faults& f) {
             f.silenceAfter = 10;
             f.hangUpAfter = 10;
         },
         10, ByteFate::HangsUp},
        {"silence before loss",
         [](Faults& f) {
             f.silenceAfter = 10;
             f.loseByte = 10;
         },
         10, ByteFate::FallsSilent},
        {"silence first, hang-up later",
         [](Faults& f) {
             f.silenceAfter = 10;
             f.hangUpAfter = 20;
         },
         15, ByteFate::FallsSilent},
        {"noise, checksum and NAK strike no image byte",
         [](Faults& f) {
             f.noiseBytes = 3;
             f.wrongChecksum = true;
             f.nakAfter = 10;
         },
         2, ByteFate::Passes},
    };
    for (const Case& c : cases) {
        Faults faults;
        c.set(faults);
        EXPECT_EQ(simulator::FateOf(faults, c.index), c.fate) << c.name;
    }
}

} // namespace
