#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <climits>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/mididev/chunk_buffer.h"
#include "app/mididev/file_stream.h"
#include "app/mididev/midi_file_event_list.h"
#include "app/mididev/midi_file_export.h"
#include "app/mididev/midi_file_writer.h"
#include "app/mididev/playback_builder.h"
#include "midi/midi_track.h"
#include "tests/app/mididev/playback_fixtures.h"

namespace {

using brindle::EncodeVarLen;
using brindle::FloorLog2;
using brindle::MidiFileEventList;
using brindle::MidiFileWriter;
using mididev_test::AddStaff;
using mididev_test::NewScore;
using mididev_test::NewSong;
using mididev_test::Note;
using mididev_test::ScorePtr;
using mididev_test::SongPtr;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using Bytes = std::vector<std::uint8_t>;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;

// A stream into memory that can be told to refuse its opening or its n-th write.
class MemoryStream final : public brindle::ByteStream {
public:
    bool opens = true;
    int failingWrite = -1;  // 0-based; -1: none fails
    int writes = 0;
    Bytes bytes;

    bool Open() override { return opens; }
    void Close() override {}
    bool Read(char*, int) override { return false; }
    bool Write(const char* data, int count) override
    {
        if (writes++ == failingWrite)
            return false;
        bytes.insert(bytes.end(), data, data + count);
        return true;
    }
};

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Chunk(const char* id, const Bytes& body)
{
    const auto n = static_cast<std::uint32_t>(body.size());
    Bytes chunk(id, id + 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<std::uint8_t>(n >> shift));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

Bytes Header(int chunks, int division = 120)
{
    return Chunk("MThd", {0, 1, 0, static_cast<std::uint8_t>(chunks), 0,
                          static_cast<std::uint8_t>(division)});
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes WriteSong(const midi::MidiData& song)
{
    MemoryStream stream;
    MidiFileWriter writer(&song, &stream);
    EXPECT_TRUE(writer.Write());
    return stream.bytes;
}

SongPtr BuildSong(const tabulon::ScoreData& score)
{
    SongPtr song = NewSong();
    brindle::PlaybackBuilder builder;
    builder.SetMidiData(song.get());
    builder.SetScoreData(&score);
    EXPECT_TRUE(builder.Build());
    return song;
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(MidiFileWriter, VariableLengthNumbers)
{
    const std::pair<int, Bytes> cases[] = {
        {0, {0x00}},
        {127, {0x7F}},
        {128, {0x81, 0x00}},
        {200, {0x81, 0x48}},
        {480, {0x83, 0x60}},
        {16383, {0xFF, 0x7F}},
        {16384, {0x81, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
        // Never more than four bytes, never a negative number's bit pattern.
        {0x10000000, {0xFF, 0xFF, 0xFF, 0x7F}},
        {INT_MAX, {0xFF, 0xFF, 0xFF, 0x7F}},
        {-1, {0x00}},
        {INT_MIN, {0x00}},
    };
    for (const auto& [value, bytes] : cases)
        EXPECT_EQ(EncodeVarLen(value), bytes) << value;
}

TEST(MidiFileWriter, FloorLog2)
{
    const std::pair<int, int> cases[] = {{1, 0}, {2, 1}, {3, 1}, {4, 2}, {8, 3}, {64, 6},
                                         {INT_MAX, 30}, {0, -1}, {-8, -1}};
    for (const auto& [x, k] : cases)
        EXPECT_EQ(FloorLog2(x), k) << x;
}

TEST(MidiFileWriter, EventBytes)
{
    struct Case {
        const char* what;
        void (*add)(MidiFileEventList&);
        Bytes bytes;  // empty: left out
    };
    const std::string name(200, 'x');
    const Case cases[] = {
        {"tempo 500000", [](MidiFileEventList& l) { l.AddTempo({0, 500000}); }, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}},
        {"tempo 0 is refused", [](MidiFileEventList& l) { l.AddTempo({0, 0}); }, {}},
        {"negative tempo is refused", [](MidiFileEventList& l) { l.AddTempo({0, -5}); }, {}},
        {"tempo above 24 bits is held", [](MidiFileEventList& l) { l.AddTempo({0, 0x1234567}); },
         {0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF}},
        {"3/8", [](MidiFileEventList& l) { l.AddTimeSignature({0, 3, 8, 24, 8}); },
         {0xFF, 0x58, 0x04, 0x03, 0x03, 0x18, 0x08}},
        {"6/8", [](MidiFileEventList& l) { l.AddTimeSignature({0, 6, 8, 0, 0}); },
         {0xFF, 0x58, 0x04, 0x06, 0x03, 0x00, 0x00}},
        {"meter with denominator 0 is left out", [](MidiFileEventList& l) { l.AddTimeSignature({0, 3, 0, 0, 0}); }, {}},
        {"two flats, minor", [](MidiFileEventList& l) { l.AddKeySignature({0, -2, 1}); },
         {0xFF, 0x59, 0x02, 0xFE, 0x01}},
        {"program change, two bytes", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0x28C3}); }, {0xC3, 0x28}},
        {"channel pressure, two bytes", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0x7740D1}); }, {0xD1, 0x40}},
        {"note-on E4", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0x644090}); }, {0x90, 0x40, 0x64}},
        {"data bytes are masked", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0xFFE4C890u}); },
         {0x90, 0x48, 0x64}},
        {"a data byte in the status place is left out", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0x40}); }, {}},
        {"a system message is left out", [](MidiFileEventList& l) { l.AddChannelMessage({0, 0xF8}); }, {}},
        {"empty meta text", [](MidiFileEventList& l) { l.AddMeta("", 1); }, {0xFF, 0x01, 0x00}},
        {"lyric", [](MidiFileEventList& l) { l.AddTimedMeta({5, "la"}, 5); }, {0xFF, 0x05, 0x02, 'l', 'a'}},
        {"sequencer data", [](MidiFileEventList& l) { l.AddSequencerData({0, {1, 2}}); }, {0xFF, 0x7F, 0x02, 1, 2}},
        {"system exclusive", [](MidiFileEventList& l) { l.AddSysEx({0, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}}); },
         {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},
        {"a system-exclusive record without F0 is left out", [](MidiFileEventList& l) { l.AddSysEx({0, {0x7E, 0xF7}}); }, {}},
        {"an empty system-exclusive record is left out", [](MidiFileEventList& l) { l.AddSysEx({0, {}}); }, {}},
    };
    for (const Case& c : cases) {
        MidiFileEventList list;
        c.add(list);
        if (c.bytes.empty()) {
            EXPECT_TRUE(list.Events().empty()) << c.what;
        } else {
            ASSERT_EQ(list.Events().size(), 1u) << c.what;
            EXPECT_EQ(list.Events()[0].bytes, c.bytes) << c.what;
        }
    }

    MidiFileEventList list;
    list.AddMeta(name, 3);
    Bytes expected = {0xFF, 0x03, 0x81, 0x48};
    expected.insert(expected.end(), name.begin(), name.end());
    EXPECT_EQ(list.Events().at(0).bytes, expected);
}

TEST(MidiFileWriter, SortingKeepsOrderAndPutsNoteOnsLastAtOneTick)
{
    MidiFileEventList list;
    list.AddChannelMessage({480, 0x643C90});  // note-on
    list.AddChannelMessage({480, 0x003C80});  // note-off of the same key, added after it
    list.AddChannelMessage({0, 0x0BC0});
    list.AddChannelMessage({480, 0x403C90});  // another note-on: stays after the first
    list.AddChannelMessage({480, 0x003E90});  // a note-on of velocity 0 releases
    list.AddChannelMessage({-20, 0x07B0});    // negative ticks are 0
    list.AddChannelMessage({INT_MAX, 0x003C80});
    list.SortByTick();
    list.ToDeltas();
    std::vector<std::pair<int, Bytes>> got;
    for (const auto& event : list.Events())
        got.emplace_back(event.tick, event.bytes);
    EXPECT_THAT(got, ElementsAre(std::pair<int, Bytes>{0, {0xC0, 0x0B}},
                                 std::pair<int, Bytes>{0, {0xB0, 0x07, 0x00}},
                                 std::pair<int, Bytes>{480, {0x80, 0x3C, 0x00}},
                                 std::pair<int, Bytes>{0, {0x90, 0x3E, 0x00}},
                                 std::pair<int, Bytes>{0, {0x90, 0x3C, 0x64}},
                                 std::pair<int, Bytes>{0, {0x90, 0x3C, 0x40}},
                                 std::pair<int, Bytes>{0x0FFFFFFF - 480, {0x80, 0x3C, 0x00}}));
}

TEST(MidiFileWriter, ChunkBuffer)
{
    brindle::ChunkBuffer chunk;
    chunk.SetId("MTrk");
    chunk.Begin();
    chunk.Append(Bytes(300, 0x11));
    chunk.Finish();
    ASSERT_EQ(chunk.Data().size(), 308u);
    EXPECT_EQ(std::string(chunk.Data().begin(), chunk.Data().begin() + 8),
              std::string("MTrk\x00\x00\x01\x2C", 8));
    chunk.Begin();  // afresh
    chunk.Finish();
    EXPECT_EQ(std::string(chunk.Data().begin(), chunk.Data().end()), std::string("MTrk\0\0\0\0", 8));
}

// One 4/4 bar, no tempo of its own, key C major, title "AB", a quarter C4 at velocity 100.
ScorePtr GoldenScore()
{
    ScorePtr score = NewScore(1);
    score->SetTitle(u"AB");
    score->AddMeter({0, 4, 4, 0});
    score->AddKey({0, 0, 1});
    AddStaff(*score, 1, 1)->AddNote(Note(60, 0, 0));
    return score;
}

const Bytes kGoldenFile = Concat({
    Header(2),
    Chunk("MTrk", Concat({{0x00, 0xFF, 0x01, 0x00},
                          {0x00, 0xFF, 0x02, 0x00},
                          {0x00, 0xFF, 0x03, 0x02, 0x41, 0x42},
                          {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
                          {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x00, 0x00},
                          {0x00, 0xFF, 0x59, 0x02, 0x00, 0x00},
                          kEnd})),
    Chunk("MTrk", Concat({{0x00, 0xC0, 0x00},
                          {0x00, 0x90, 0x3C, 0x64},
                          {0x78, 0x80, 0x3C, 0x00},
                          {0x82, 0x67, 0x80, 0x00, 0x00},  // the closing note-off at tick 479
                          kEnd})),
});

TEST(MidiFileWriter, GoldenFileByteForByte)
{
    ScorePtr score = GoldenScore();
    EXPECT_EQ(WriteSong(*BuildSong(*score)), kGoldenFile);

    // The same through the export, into a file; a tempo mark of 120 quarters gives the
    // same file.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("golden.mid")).toStdString();
    ASSERT_TRUE(brindle::ExportMidiFile(*score, path));
    EXPECT_EQ(ReadFile(path), kGoldenFile);
    score->AddTempo({0, 120, kQuarter});
    ASSERT_TRUE(brindle::ExportMidiFile(*score, path));  // overwritten, not appended to
    EXPECT_EQ(ReadFile(path), kGoldenFile);
}

TEST(MidiFileWriter, SongsNotFromTheBuilder)
{
    // No tracks, no tempo: the header and the conductor track with a tempo at tick 0.
    SongPtr empty = NewSong();
    EXPECT_EQ(WriteSong(*empty),
              Concat({Header(1), Chunk("MTrk", Concat({{0x00, 0xFF, 0x01, 0x00},
                                                        {0x00, 0xFF, 0x02, 0x00},
                                                        {0x00, 0xFF, 0x03, 0x00},
                                                        {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
                                                        kEnd}))}));

    // Everything a song can carry, UTF-8 texts as they are; a first tempo after tick 0
    // gets the default one before it.
    SongPtr song = NewSong();
    song->SetText("t");
    song->SetCopyright("\xC2\xA9");
    song->SetSequenceName("\xE6\x9B\xB2");
    song->AddMarker({240, "m"});
    song->AddCuePoint({0, "c"});
    song->AddTempo({480, 600000});
    song->AddMeter({0, 3, 4, 24, 8});
    song->AddKey({0, 1, 0});
    song->AddSysExRecord({0, {0xF0, 0x41, 0xF7}});
    song->AddTrack(5);
    midi::MidiTrack* track = song->GetTrack(5);
    track->AddText({0, "x"});
    track->AddLyric({120, "ly"});
    track->AddSequencerData({0, {0x00, 0x01}});
    track->SetName("names are not written");
    track->AddEvents({{0, 0x0005C1}, {0, 0x643C91}, {120, 0x003C81}});
    EXPECT_EQ(WriteSong(*song),
              Concat({Header(2),
                      Chunk("MTrk", Concat({{0x00, 0xFF, 0x01, 0x01, 't'},
                                            {0x00, 0xFF, 0x02, 0x02, 0xC2, 0xA9},
                                            {0x00, 0xFF, 0x03, 0x03, 0xE6, 0x9B, 0xB2},
                                            {0x00, 0xFF, 0x07, 0x01, 'c'},
                                            {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
                                            {0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08},
                                            {0x00, 0xFF, 0x59, 0x02, 0x01, 0x00},
                                            {0x00, 0xF0, 0x02, 0x41, 0xF7},
                                            {0x81, 0x70, 0xFF, 0x06, 0x01, 'm'},
                                            {0x81, 0x70, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0},
                                            kEnd})),
                      Chunk("MTrk", Concat({{0x00, 0xFF, 0x01, 0x01, 'x'},
                                            {0x00, 0xFF, 0x7F, 0x02, 0x00, 0x01},
                                            {0x00, 0xC1, 0x05},
                                            {0x00, 0x91, 0x3C, 0x64},
                                            {0x78, 0xFF, 0x05, 0x02, 'l', 'y'},
                                            {0x00, 0x81, 0x3C, 0x00},
                                            kEnd}))}));
}

TEST(MidiFileWriter, TitleIsWrittenAsUtf8)
{
    ScorePtr score = NewScore(1);
    score->SetTitle(u"茉莉花");
    const Bytes file = WriteSong(*BuildSong(*score));
    const Bytes title = {0xFF, 0x03, 0x09, 0xE8, 0x8C, 0x89, 0xE8, 0x8E, 0x89, 0xE8, 0x8A, 0xB1};
    EXPECT_NE(std::search(file.begin(), file.end(), title.begin(), title.end()), file.end());
}

TEST(MidiFileWriter, FailuresAreReported)
{
    SongPtr song = BuildSong(*GoldenScore());
    EXPECT_FALSE(MidiFileWriter(nullptr, nullptr).Write());
    MemoryStream unused;
    EXPECT_FALSE(MidiFileWriter(nullptr, &unused).Write());
    EXPECT_FALSE(MidiFileWriter(song.get(), nullptr).Write());

    MemoryStream closed;
    closed.opens = false;
    EXPECT_FALSE(MidiFileWriter(song.get(), &closed).Write());
    EXPECT_TRUE(closed.bytes.empty());

    // Five writes of the header, one per chunk: whichever fails, the result says so.
    for (int failing = 0; failing < 7; ++failing) {
        MemoryStream stream;
        stream.failingWrite = failing;
        EXPECT_FALSE(MidiFileWriter(song.get(), &stream).Write()) << "write " << failing;
    }
    MemoryStream whole;
    EXPECT_TRUE(MidiFileWriter(song.get(), &whole).Write());
    EXPECT_EQ(whole.writes, 7);

    // A division the header cannot hold.
    song->SetDivision(0x8000);
    MemoryStream stream;
    EXPECT_FALSE(MidiFileWriter(song.get(), &stream).Write());
}

TEST(MidiFileWriter, WritingToAFullDeviceFails)
{
    SongPtr song = BuildSong(*GoldenScore());
    brindle::FileStream full("/dev/full", std::ios::out | std::ios::trunc | std::ios::binary);
    EXPECT_FALSE(MidiFileWriter(song.get(), &full).Write());
    EXPECT_FALSE(full.IsGood());

    EXPECT_FALSE(brindle::ExportMidiFile(*GoldenScore(), "/dev/full"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(brindle::ExportMidiFile(
        *GoldenScore(), dir.filePath(QStringLiteral("no such folder/x.mid")).toStdString()));
    EXPECT_EQ(brindle::kMidiExportFailedMessage, u"导出MIDI文件失败！");
}

TEST(MidiFileWriter, FileStreamReadsWhatItWrote)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("bytes.bin")).toStdString();
    {
        brindle::FileStream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
        ASSERT_TRUE(out.Open());
        EXPECT_TRUE(out.Write("abc", 3));
        EXPECT_FALSE(out.Write(nullptr, 2));
    }  // closed by its destructor
    brindle::FileStream in(path, std::ios::in | std::ios::binary);
    ASSERT_TRUE(in.Open());
    char buffer[3] = {};
    EXPECT_TRUE(in.Read(buffer, 3));
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_FALSE(in.Read(buffer, 1));  // past the end

    brindle::FileStream missing(dir.filePath(QStringLiteral("missing")).toStdString(),
                                std::ios::in | std::ios::binary);
    EXPECT_FALSE(missing.Open());
}

}  // namespace
