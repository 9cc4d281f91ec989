// The byte form of score fragments: golden bytes of the writer, reading back, the
// lenient parts of the reader and the damaged blocks it refuses whole.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/score_fragment_reader.h"
#include "engine/editor/score_fragment_writer.h"

namespace quaverly {
namespace {

void Put(ByteVector& bytes, std::string_view id)
{
    bytes.insert(bytes.end(), id.begin(), id.end());
}

void Put32(ByteVector& bytes, std::uint32_t value)
{
    AppendLittleEndian32(bytes, value);
}

// A chunk built by hand: identifier, size and body.
ByteVector Chunk(std::string_view id, const ByteVector& body)
{
    ByteVector bytes;
    Put(bytes, id);
    Put32(bytes, static_cast<std::uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

ByteVector List(std::string_view type, const std::vector<ByteVector>& children,
                std::string_view id = "RIFF")
{
    ByteVector body;
    Put(body, type);
    for (const ByteVector& child : children)
        body.insert(body.end(), child.begin(), child.end());
    return Chunk(id, body);
}

ByteVector UnitLeaf(const NoteUnit& unit)
{
    return Chunk("UNIT", EncodeNoteUnit(unit));
}

const NoteUnit kQuarter{0, 2, 161280, 0, 0, 0, 0};

ScoreFragment FullFragment()
{
    FragmentEntry chord{{0, 4, 161280, 1, 1, -1, 0}, {{0, 6, 161280, 0, 0, 2, 1}}, {}, {}};
    FragmentEntry graces{{241920, 7, 80640, -1, 0, 1, 1},
                         {},
                         {{0, 3, 40320, 0, 0, 0, 2}, {0, 5, 20160, 2, 0, -2, 2}},
                         {{0, 8, 40320, 0, 3, 0, 2}}};
    FragmentEntry rest{{322560, 1, 322560, 0, 0, 0, 0}, {}, {}, {}};
    return ScoreFragment{{
        {{chord, graces, rest}, {}},
        {{}, {FragmentEntry{{-5, 13, 1290240, -10, 3, -2, 2}, {}, {}, {}}}},
    }};
}

TEST(ScoreFragmentWriterTest, AnEmptyFragmentIsTwelveBytes)
{
    ByteVector bytes{1, 2, 3};
    WriteScoreChunk(ScoreFragment{}, bytes);
    EXPECT_EQ(bytes, (ByteVector{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'S', 'C', 'O', 'R'}));
}

TEST(ScoreFragmentWriterTest, OneQuarterNoteGivesTheGoldenBytes)
{
    const ScoreFragment fragment{{{{FragmentEntry{kQuarter, {}, {}, {}}}}}};
    ByteVector bytes;
    WriteScoreChunk(fragment, bytes);

    ByteVector expected;
    const auto list = [&expected](std::string_view type, std::uint32_t size) {
        Put(expected, "RIFF");
        Put32(expected, size);
        Put(expected, type);
    };
    list("SCOR", 88);
    list("STAV", 76);
    list("BAR0", 64);
    list("NOTE", 52);
    list("NORM", 40);
    Put(expected, "UNIT");
    Put32(expected, 28);
    for (const std::uint8_t b : {0, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x76, 0x02, 0, 0, 0, 0, 0,
                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
        expected.push_back(b);
    ASSERT_EQ(bytes.size(), 96u);
    EXPECT_EQ(bytes, expected);
}

TEST(ScoreFragmentWriterTest, UnitFieldsAreLittleEndianInFieldOrder)
{
    EXPECT_EQ(EncodeNoteUnit({0x01020304, -1, 161280, -2, 3, -1, 2}),
              (ByteVector{4, 3, 2, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x76, 0x02, 0x00, 0xFE,
                          0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0}));
}

TEST(ScoreFragmentWriterTest, EveryListOfTheTreeSaysRiffAndUnitListsAre48Bytes)
{
    ByteVector bytes;
    WriteScoreChunk(FullFragment(), bytes);
    RiffNode root;
    ASSERT_TRUE(ParseRiffTree(bytes, root));
    EXPECT_EQ(root.listType, "SCOR");
    const RiffNode& note = root.lists[0].lists[0].lists[1];
    ASSERT_EQ(note.listType, "NOTE");
    std::vector<std::string> types;
    for (const RiffNode& unit : note.lists) {
        types.push_back(unit.listType);
        EXPECT_EQ(unit.id, "RIFF");
        ASSERT_EQ(unit.leaves.size(), 1u);
        EXPECT_EQ(unit.leaves[0].payload.size(), kNoteUnitSize);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"NORM", "PREG", "PREG", "PSTG"}));
    ByteVector one;
    WriteScoreChunk({{{{FragmentEntry{kQuarter, {kQuarter}, {}, {}}}}}}, one);
    EXPECT_EQ(one.size(), 96u + 48u);
}

TEST(ScoreFragmentReaderTest, AFragmentReadsBackAsWritten)
{
    const ScoreFragment written = FullFragment();
    ByteVector bytes;
    WriteScoreChunk(written, bytes);
    ScoreFragment read;
    ASSERT_TRUE(ReadScoreChunk(bytes, read));
    EXPECT_EQ(read, written);

    ScoreFragment empty;
    WriteScoreChunk({}, bytes);
    ASSERT_TRUE(ReadScoreChunk(bytes, empty));
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(ScoreFragmentReaderTest, StavesAreAppendedToWhatTheFragmentHolds)
{
    ScoreFragment fragment{{{}}};
    ByteVector bytes;
    WriteScoreChunk(FullFragment(), bytes);
    ASSERT_TRUE(ReadScoreChunk(bytes, fragment));
    EXPECT_EQ(fragment.staves.size(), 3u);
}

TEST(ScoreFragmentReaderTest, NestedListsMayBeListChunks)
{
    const ByteVector bytes = List(
        "SCOR", {List("STAV", {List("BAR0", {List("NOTE", {List("NORM", {UnitLeaf(kQuarter)},
                                                                 "LIST"),
                                                            List("CHOD", {UnitLeaf(kQuarter)},
                                                                 "LIST")},
                                                  "LIST")},
                                    "LIST")},
                          "LIST")});
    ScoreFragment fragment;
    ASSERT_TRUE(ReadScoreChunk(bytes, fragment));
    EXPECT_EQ(fragment,
              (ScoreFragment{{{{FragmentEntry{kQuarter, {kQuarter}, {}, {}}}}}}));
}

TEST(ScoreFragmentReaderTest, UnknownTypesGiveEmptyPiecesAndUnknownLeavesAreIgnored)
{
    const NoteUnit other{7, 3, 80640, 0, 0, 0, 0};
    const ByteVector bytes = List(
        "SCOR",
        {Chunk("JUNK", {1, 2, 3}),
         List("XXXX", {List("BAR0", {})}),
         List("STAV", {List("BARX", {List("NOTE", {})}),
                       List("BAR0", {List("NOTX", {}),
                                     List("NOTE", {Chunk("ABCD", {9}),
                                                   List("WHAT", {UnitLeaf(other)}),
                                                   List("NORM", {Chunk("ZERO", {}),
                                                                 UnitLeaf(kQuarter),
                                                                 UnitLeaf(other)}),
                                                   List("PREG", {})})})})});
    ScoreFragment fragment;
    ASSERT_TRUE(ReadScoreChunk(bytes, fragment));
    const FragmentEntry zero{};
    const FragmentEntry read{other, {}, {NoteUnit{}}, {}};  // the later UNIT wins
    EXPECT_EQ(fragment, (ScoreFragment{{{}, {{}, {zero, read}}}}));
}

TEST(ScoreFragmentReaderTest, BytesAfterTheOuterChunkAreIgnored)
{
    ByteVector bytes;
    WriteScoreChunk(FullFragment(), bytes);
    bytes.resize(bytes.size() + 26, 0);
    ScoreFragment fragment;
    ASSERT_TRUE(ReadScoreChunk(bytes, fragment));
    EXPECT_EQ(fragment, FullFragment());
}

// Sets the 32-bit value at the offset.
ByteVector Patched(ByteVector bytes, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

ByteVector Nested(int depth)
{
    ByteVector bytes = List("NORM", {UnitLeaf(kQuarter)});
    for (int i = 1; i < depth; ++i)
        bytes = List("DEEP", {bytes});
    return List("SCOR", {bytes});
}

TEST(ScoreFragmentReaderTest, DamagedBlocksAreRefusedWholeAndChangeNothing)
{
    ByteVector good;
    WriteScoreChunk(FullFragment(), good);
    ByteVector one;
    WriteScoreChunk({{{{FragmentEntry{kQuarter, {}, {}, {}}}}}}, one);
    // In `one`: SCOR at 0, STAV at 12, BAR0 at 24, NOTE at 36, NORM at 48, UNIT at 60.
    ByteVector truncated(good.begin(), good.end() - 1);
    ByteVector notRiff = one;
    notRiff[0] = 'L';  // the outer chunk must say RIFF
    ByteVector notScor = one;
    notScor[11] = 'X';
    ByteVector leftover = List("SCOR", {List("STAV", {})});
    leftover.insert(leftover.end(), {0, 0, 0});
    leftover = Patched(leftover, 4, static_cast<std::uint32_t>(leftover.size() - 8));
    const ByteVector shortUnit = List("SCOR", {List("STAV", {List("BAR0", {List(
        "NOTE", {List("NORM", {Chunk("UNIT", ByteVector(27, 0))})})})})});
    const ByteVector longUnit = List("SCOR", {List("STAV", {List("BAR0", {List(
        "NOTE", {List("CHOD", {Chunk("UNIT", ByteVector(29, 0))})})})})});

    struct Case {
        const char* name;
        ByteVector bytes;
    };
    const Case cases[] = {
        {"no bytes", {}},
        {"shorter than a list header", ByteVector(one.begin(), one.begin() + 11)},
        {"truncated by one byte", truncated},
        {"outer identifier LIST", notRiff},
        {"outer type not SCOR", notScor},
        {"outer size past the buffer", Patched(one, 4, 89)},
        {"outer size below 4", Patched(one, 4, 3)},
        {"outer size negative", Patched(one, 4, 0xFFFFFFF0u)},
        {"child size past its parent", Patched(one, 16, 77)},
        {"child size past the buffer", Patched(one, 40, 0x7FFFFFFFu)},
        {"list size below 4", Patched(one, 28, 2)},
        {"leaf size past its list", Patched(one, 64, 29)},
        {"a few bytes left over in a list", leftover},
        {"unit payload of 27 bytes", shortUnit},
        {"unit payload of 29 bytes", longUnit},
        {"nested too deep", Nested(kMaxListDepth)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreFragment fragment{{{{FragmentEntry{kQuarter, {}, {}, {}}}}}};
        const ScoreFragment before = fragment;
        EXPECT_FALSE(ReadScoreChunk(c.bytes, fragment));
        EXPECT_EQ(fragment, before);
    }
    // The deepest nesting allowed still reads.
    ScoreFragment deepest;
    EXPECT_TRUE(ReadScoreChunk(Nested(kMaxListDepth - 1), deepest));
}

TEST(ScoreFragmentReaderTest, AChunkRunningPastItsParentByAFewBytesIsRefused)
{
    // The first stave's list holds one leaf; a second stave follows, and bytes after the
    // block, so a size a few bytes too large still points into the buffer.
    ByteVector block = List("SCOR", {List("STAV", {Chunk("JUNK", {1, 2, 3, 4})}), List("STAV", {})});
    block.insert(block.end(), 8, 0);
    constexpr std::size_t kStaveSize = 16;  // offset of the first stave's size
    constexpr std::size_t kLeafSize = 28;   // offset of the leaf's size
    ScoreFragment whole;
    ASSERT_TRUE(ReadScoreChunk(block, whole));
    ASSERT_EQ(whole.staves.size(), 2u);
    for (std::uint32_t overrun = 1; overrun <= 8; ++overrun) {
        SCOPED_TRACE(overrun);
        ScoreFragment fragment;
        // The leaf: 4 bytes of body in a list with nothing after it.
        EXPECT_FALSE(ReadScoreChunk(Patched(block, kLeafSize, 4 + overrun), fragment));
        // The list: 16 bytes in a block body of 28 after the type.
        EXPECT_FALSE(ReadScoreChunk(Patched(block, kStaveSize, 28 + overrun), fragment));
        EXPECT_TRUE(fragment.staves.empty());
    }
}

TEST(ScoreFragmentReaderTest, ChunkIdentifiers)
{
    EXPECT_EQ(MakeChunkId(0x46464952u), "RIFF");
    EXPECT_TRUE(ChunkIdEquals("SCOR", "SCOR"));
    EXPECT_FALSE(ChunkIdEquals("SCO", "SCO"));
    EXPECT_FALSE(ChunkIdEquals(std::string("SCOR\0", 5), "SCOR"));
    EXPECT_FALSE(ChunkIdEquals("SCOR", "STAV"));
}

// Random blocks and random damage to sound blocks: the reader never reads outside the
// bytes, never crashes, and whatever it accepts writes and reads back the same.
TEST(ScoreFragmentReaderFuzzTest, RandomBytesNeverBreakTheReader)
{
    std::mt19937 random(20261210);
    ByteVector good;
    WriteScoreChunk(FullFragment(), good);
    int accepted = 0;
    for (int run = 0; run < 4000; ++run) {
        ByteVector bytes;
        switch (run % 3) {
        case 0: {  // a sound block with a few bytes changed
            bytes = good;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
            break;
        }
        case 1: {  // a sound block cut short or run on
            bytes = good;
            bytes.resize(random() % (good.size() + 40), static_cast<std::uint8_t>(random()));
            break;
        }
        default: {  // a sound header over random bytes
            bytes.resize(random() % 300);
            for (std::uint8_t& b : bytes)
                b = static_cast<std::uint8_t>(random());
            if (bytes.size() >= 12) {
                bytes = Patched(bytes, 0, 0x46464952u);
                bytes = Patched(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
                bytes = Patched(bytes, 8, 0x524F4353u);  // "SCOR"
            }
            break;
        }
        }
        ScoreFragment fragment;
        if (!ReadScoreChunk(bytes, fragment)) {
            EXPECT_TRUE(fragment.IsEmpty());
            continue;
        }
        ++accepted;
        ByteVector again;
        WriteScoreChunk(fragment, again);
        ScoreFragment reread;
        ASSERT_TRUE(ReadScoreChunk(again, reread));
        EXPECT_EQ(reread, fragment);
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace quaverly
