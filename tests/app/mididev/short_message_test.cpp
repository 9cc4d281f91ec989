#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/mididev/short_message.h"

namespace {

using brindle::MoveToChannel;
using brindle::UnpackShortMessage;

struct UnpackCase {
    const char* what;
    std::uint32_t message;
    std::vector<std::uint8_t> bytes;  // empty: not sent
};

TEST(ShortMessage, UnpacksWellFormedMessagesAndRefusesLoneOrMalformedBytes)
{
    const UnpackCase cases[] = {
        {"note-on", 0x643C90, {0x90, 0x3C, 0x64}},
        {"note-off, top byte ignored", 0xFF403C80u, {0x80, 0x3C, 0x40}},
        {"program change has one data byte", 0x7705C1, {0xC1, 0x05}},
        {"channel pressure has one data byte", 0x0040D2, {0xD2, 0x40}},
        {"pitch bend", 0x4000E3, {0xE3, 0x00, 0x40}},
        {"song position", 0x0110F2, {0xF2, 0x10, 0x01}},
        {"song select", 0x03F3, {0xF3, 0x03}},
        {"tune request", 0xF6, {0xF6}},
        {"timing clock", 0xF8, {0xF8}},
        {"system reset", 0xFF, {0xFF}},
        {"data byte where the status belongs", 0x40, {}},
        {"system-exclusive start alone", 0xF0, {}},
        {"system-exclusive end alone", 0xF7, {}},
        {"undefined system common", 0xF4, {}},
        {"undefined real-time", 0xFD, {}},
        {"data byte with its top bit", 0x64BC90, {}},
        {"second data byte with its top bit", 0x803C90, {}},
    };
    for (const UnpackCase& c : cases) {
        const brindle::ShortMessageBytes result = UnpackShortMessage(c.message);
        const std::vector<std::uint8_t> bytes(result.bytes.begin(),
                                              result.bytes.begin() + static_cast<long>(result.length));
        EXPECT_EQ(bytes, c.bytes) << c.what;
    }
}

TEST(ShortMessage, MovesOnlyChannelMessagesToAnotherChannel)
{
    EXPECT_EQ(MoveToChannel(0x643C90, 3), 0x643C93u);
    EXPECT_EQ(MoveToChannel(0x00403CEF, 0), 0x00403CE0u);
    EXPECT_EQ(MoveToChannel(0x0005C7, 9), 0x0005C9u);
    // System messages keep their status: a clock byte must not become a lone 0xF9 or
    // a system-exclusive start.
    for (const std::uint32_t system : {0xF8u, 0xFEu, 0x0110F2u, 0xF6u, 0xFFu})
        EXPECT_EQ(MoveToChannel(system, 9), system);
    EXPECT_EQ(MoveToChannel(0x40, 5), 0x40u);
}

}  // namespace
