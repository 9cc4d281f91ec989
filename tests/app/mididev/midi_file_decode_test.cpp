// Exported files read back by another program: Debian's midicsv turns a MIDI file into
// one line of text per event, with absolute times, so what it reads is what any other
// program would read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "app/mididev/midi_file_export.h"
#include "tests/app/mididev/playback_fixtures.h"

namespace {

using mididev_test::AddStaff;
using mididev_test::NewScore;
using mididev_test::Note;
using mididev_test::ScorePtr;

constexpr int kQuarter = tabulon::kUnitsPerQuarter;

// The lines midicsv prints for the file; fails the test when it cannot read it.
std::vector<std::string> Decode(const QString& path)
{
    const QString midicsv = QStandardPaths::findExecutable(QStringLiteral("midicsv"));
    if (midicsv.isEmpty()) {
        ADD_FAILURE() << "midicsv is not installed (scripts/setup installs it)";
        return {};
    }
    QProcess process;
    process.start(midicsv, {path});
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << "midicsv failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");
    std::vector<std::string> lines;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty())
            lines.push_back(line.trimmed().toStdString());
    }
    return lines;
}

TEST(MidiFileDecode, ExportedScoreReadsBackAsItsNotes)
{
    ScorePtr score = NewScore(3);
    score->SetTitle(u"Little river");
    score->AddMeter({0, 3, 4, 0});
    score->AddTempo({0, 90, kQuarter});
    score->AddTempo({2, 144, kQuarter});
    score->AddKey({0, -1, 0});

    // First stave: two quarters, a G tied over the bar line, a triplet of eighths.
    tabulon::StaffData* melody = AddStaff(*score, 1, 1, 0, 0);
    const tabulon::NoteRecord tiedA = Note(67, 0, 2 * kQuarter);
    const tabulon::NoteRecord tiedB = Note(67, 1, 0, 2 * kQuarter);
    for (const auto& note : {Note(60, 0, 0), Note(64, 0, kQuarter), tiedA, tiedB})
        melody->AddNote(note);
    for (int i = 0; i < 3; ++i)
        melody->AddNote(Note(72 + 2 * i, 1, 2 * kQuarter + i * kQuarter / 3, kQuarter / 2, 100, 0, 3));
    melody->AddTieChain({{tiedA, tiedB}});

    // Second stave on channel 1, guitar: a dotted half, then a grace note of the same
    // key before a half note.
    tabulon::StaffData* bass = AddStaff(*score, 2, 1, 1, 24);
    bass->AddNote(Note(48, 0, 0, 2 * kQuarter, 80, 1));
    bass->AddNote(Note(50, 2, 0, 2 * kQuarter, 90));
    bass->AddNote(Note(50, 2, -kQuarter / 4, kQuarter / 4, 60));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("river.mid"));
    ASSERT_TRUE(brindle::ExportMidiFile(*score, path.toStdString()));

    EXPECT_THAT(Decode(path), ::testing::ElementsAreArray(std::vector<std::string>{
        "0, 0, Header, 1, 3, 120",
        "1, 0, Start_track",
        "1, 0, Text_t, \"\"",
        "1, 0, Copyright_t, \"\"",
        "1, 0, Title_t, \"Little river\"",
        "1, 0, Tempo, 666666",
        "1, 0, Time_signature, 3, 2, 0, 0",
        "1, 0, Key_signature, -1, \"minor\"",
        "1, 720, Tempo, 416666",
        "1, 720, End_track",
        "2, 0, Start_track",
        "2, 0, Program_c, 0, 0",
        "2, 0, Note_on_c, 0, 60, 100",
        "2, 120, Note_off_c, 0, 60, 0",
        "2, 120, Note_on_c, 0, 64, 100",
        "2, 240, Note_off_c, 0, 64, 0",
        "2, 240, Note_on_c, 0, 67, 100",
        "2, 600, Note_off_c, 0, 67, 0",
        "2, 600, Note_on_c, 0, 72, 100",
        "2, 640, Note_off_c, 0, 72, 0",
        "2, 640, Note_on_c, 0, 74, 100",
        "2, 680, Note_off_c, 0, 74, 0",
        "2, 680, Note_on_c, 0, 76, 100",
        "2, 720, Note_off_c, 0, 76, 0",
        "2, 1079, Note_off_c, 0, 0, 0",
        "2, 1079, End_track",
        "3, 0, Start_track",
        "3, 0, Program_c, 1, 24",
        "3, 0, Note_on_c, 1, 48, 80",
        "3, 360, Note_off_c, 1, 48, 0",
        "3, 690, Note_on_c, 1, 50, 60",
        "3, 720, Note_off_c, 1, 50, 0",
        "3, 720, Note_on_c, 1, 50, 90",
        "3, 960, Note_off_c, 1, 50, 0",
        "3, 1079, Note_off_c, 1, 0, 0",
        "3, 1079, End_track",
        "0, 0, End_of_file",
    }));
}

TEST(MidiFileDecode, EmptyScoreIsAValidFile)
{
    ScorePtr score = NewScore(0);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("empty.mid"));
    ASSERT_TRUE(brindle::ExportMidiFile(*score, path.toStdString()));
    EXPECT_THAT(Decode(path), ::testing::ElementsAreArray(std::vector<std::string>{
        "0, 0, Header, 1, 1, 120",
        "1, 0, Start_track",
        "1, 0, Text_t, \"\"",
        "1, 0, Copyright_t, \"\"",
        "1, 0, Title_t, \"\"",
        "1, 0, Tempo, 500000",
        "1, 0, End_track",
        "0, 0, End_of_file",
    }));
}

}  // namespace
