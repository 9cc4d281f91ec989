// Notes, their notations and the directions of a bar: a whole score survives two saves
// and loads unchanged; the written form; and what hand-written documents give (other
// divisions, voices with backup, a second staff, odd and huge values, links that lead
// nowhere).
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/container_element.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol_factory.h"
#include "engine/model/part_group.h"
#include "engine/model/tie.h"
#include "engine/model/note_time.h"
#include "engine/xml/direction_converter.h"
#include "tests/engine/xml/full_score.h"
#include "tests/engine/xml/score_description.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

namespace len = note_length;

class NoteDocumentTest : public XmlDocumentTest {
protected:
    // Saves the score and loads the file into `into`.
    std::string SaveAndLoad(Score& from, Score& into, const char* name)
    {
        const std::filesystem::path path = folder / name;
        MusicXmlFile writer;
        writer.SetScore(&from);
        EXPECT_TRUE(writer.Save(path)) << writer.GetError();
        MusicXmlFile reader;
        reader.SetScore(&into);
        EXPECT_TRUE(reader.Load(path)) << reader.GetError();
        EXPECT_EQ(reader.GetValidityErrorCount(), 0);
        return TempFolder::Read(path);
    }
    // Loads the children of the root, read with the given part list.
    bool LoadParts(const std::string& parts, int count = 1)
    {
        std::string list = "<part-list>";
        for (int p = 1; p <= count; ++p)
            list += "<score-part id=\"P" + std::to_string(p) + "\"><part-name/></score-part>";
        return LoadText(Document(list + "</part-list>" + parts));
    }
};

TEST_F(NoteDocumentTest, AWholeScoreSurvivesTwoSavesAndLoads)
{
    FillFullScore(*score);
    const std::string original = Describe(*score);
    auto once = std::make_shared<Score>();
    auto twice = std::make_shared<Score>();
    const std::string firstText = SaveAndLoad(*score, *once, "once.exl");
    EXPECT_EQ(Describe(*once), original);
    const std::string secondText = SaveAndLoad(*once, *twice, "twice.exl");
    EXPECT_EQ(Describe(*twice), original);
    EXPECT_EQ(secondText, firstText);
    // Line marks are written once each, whatever else the bar's directions hold.
    std::size_t lines = 0;
    for (std::size_t at = firstText.find("<staff-line"); at != std::string::npos;
         at = firstText.find("<staff-line", at + 1))
        ++lines;
    EXPECT_EQ(lines, 14u);
}

TEST_F(NoteDocumentTest, TheWrittenFormOfNotes)
{
    FillFullScore(*score);
    // The markup without the line ends and indents between the elements.
    std::string text;
    const std::string saved = SaveText();
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] == '\r' && i + 1 < saved.size() && saved[i + 1] == '\n') {
            i += 2;
            while (i < saved.size() && saved[i] == ' ')
                ++i;
            --i;
            continue;
        }
        text.push_back(saved[i]);
    }
    struct Case {
        const char* what;
        const char* form;
    };
    const Case cases[] = {
        {"a rest has no pitch", "<note relative-x=\"0\" relative-y=\"0\"><rest/>"
                                "<duration>64</duration><type>eighth</type><size>normal</size>"},
        {"a pitch has all three children", "<pitch><step>C</step><alter>0</alter>"
                                           "<octave>4</octave></pitch>"},
        {"a grace note before starts with its grace",
         "<note relative-x=\"0\" relative-y=\"0\"><grace steal-time-following=\"33\"/><pitch>"},
        {"a grace note after", "<grace steal-time-previous=\"33\"/><pitch>"},
        {"a chord note starts with its chord",
         "<note relative-x=\"0\" relative-y=\"0\"><chord/><pitch>"},
        {"the tuplet and its counts",
         "<time-modification><actual-notes>3</actual-notes><normal-notes>2</normal-notes>"
         "</time-modification><notations><tuplet number=\"1\" placement=\"above\" "
         "relative-x=\"0\" relative-y=\"-40\" type=\"start\"/>"},
        {"a tie starting and one ending", "<notations><tied relative-x=\"1\" relative-y=\"14\" "
                                          "type=\"start\"/><tied relative-x=\"0\" "
                                          "relative-y=\"7\" type=\"stop\"/></notations>"},
        {"marks travel in ornaments",
         "<ornaments relative-x=\"3\" relative-y=\"6\"><staccato/></ornaments>"},
        {"a natural", "<alter>4</alter>"},
        {"every verse", "<lyric number=\"5\" relative-x=\"40\" relative-y=\"-4\">"},
        {"a hyphen stays in the text", "<text>春-</text>"},
        {"the dotted quarter", "<duration>128</duration><type>quarter</type><dot/>"},
        {"the first dynamics mark at the note, before it",
         "<dynamics relative-x=\"5\" relative-y=\"6\"><mp/></dynamics></direction-type>"
         "</direction><note"},
        {"the second one at the note, after the notes, with its time",
         "<dynamics relative-x=\"7\" relative-y=\"8\"><mf/></dynamics></direction-type>"
         "<pos>80640</pos></direction>"},
        {"a dynamics mark between notes has its time", "<pos>100000</pos>"},
        {"words", "<words expression=\"true\" relative-x=\"0\" relative-y=\"0\">"},
        {"a metronome mark", "<metronome placement=\"above\" relative-x=\"2\" relative-y=\"1\">"
                             "<beat-unit>eighth</beat-unit><per-minute>144</per-minute>"},
        {"a line mark", "<staff-line relative-x=\"4\" relative-y=\"-4\" type=\"trill\"><bar>0</bar>"
                        "<pos>161280</pos><duration>806400</duration><radian>1.1</radian>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(text.find(c.form), std::string::npos);
    }
    // A note with no links or marks has no notations; no syllables are written.
    EXPECT_EQ(text.find("<notations/>"), std::string::npos);
    EXPECT_EQ(text.find("<syllabic>"), std::string::npos);
}

// One part of hand-written measures.
std::string Part1(const std::string& measures)
{
    return "<part id=\"P1\">" + measures + "</part>";
}

TEST_F(NoteDocumentTest, NoteValuesAndTheReadingPosition)
{
    ASSERT_TRUE(LoadParts(Part1(
        "<measure number=\"1\"><attributes><divisions>128</divisions></attributes>"
        "<note><pitch><step>E</step><alter>1</alter><octave>5</octave></pitch>"
        "<duration>64</duration><type>eighth</type></note>"
        "<note><pitch><step>C</step><octave>4</octave></pitch><duration>192</duration>"
        "<type>quarter</type><dot/></note>"
        // A triplet written with the base durations, as the program writes it.
        "<note><pitch><step>D</step><octave>4</octave></pitch><duration>64</duration>"
        "<type>eighth</type><time-modification><actual-notes>3</actual-notes>"
        "<normal-notes>2</normal-notes></time-modification><notations><tuplet "
        "type=\"start\" number=\"7\"/></notations></note>"
        "<note><pitch><step>D</step><octave>4</octave></pitch><duration>64</duration>"
        "<type>eighth</type><time-modification><actual-notes>3</actual-notes>"
        "<normal-notes>2</normal-notes></time-modification></note>"
        "<note><pitch><step>D</step><octave>4</octave></pitch><duration>64</duration>"
        "<type>eighth</type><time-modification><actual-notes>3</actual-notes>"
        "<normal-notes>2</normal-notes></time-modification></note>"
        "<direction><direction-type><dynamics><p/><fz/></dynamics></direction-type></direction>"
        "<note><pitch><step>B</step><octave>3</octave></pitch><duration>96</duration></note>"
        "<note><rest/></note>"
        "<note><pitch><step>c</step><octave>4</octave></pitch><type>16th</type>"
        "<accidental>natural</accidental><size>huge</size></note>"
        "</measure>")))
        << lastError;
    const auto bar = BarOf(*loaded, 0, 0);
    ASSERT_TRUE(bar);
    const auto& notes = bar->GetNotes();
    ASSERT_EQ(notes.size(), 7u);  // the rest of value 0 is not filed
    EXPECT_EQ(notes[0]->GetPitchCode(), 4);
    EXPECT_EQ(notes[0]->GetAccidental(), 1);
    EXPECT_EQ(notes[0]->GetOctave(), 1);
    EXPECT_EQ(notes[0]->GetDuration(), len::kEighth);
    EXPECT_EQ(notes[1]->GetStartTime(), 80640);
    EXPECT_EQ(notes[1]->GetDots(), 1);
    EXPECT_EQ(notes[2]->GetStartTime(), 80640 + 241920);
    // Each triplet eighth takes 53760, whatever its written duration says.
    EXPECT_EQ(notes[3]->GetStartTime(), 80640 + 241920 + 53760);
    EXPECT_EQ(notes[5]->GetStartTime(), 80640 + 241920 + 3 * 53760);
    ASSERT_EQ(bar->GetTuplets().size(), 1u);
    EXPECT_EQ(bar->GetTuplets()[0]->GetFirstNote(), notes[2]);
    EXPECT_EQ(bar->GetTuplets()[0]->GetNotes().size(), 2u);
    EXPECT_EQ(notes[4]->GetTupletActual(), 3);
    // The dynamics after the triplet sits where the next note starts; the later child
    // names it.
    ASSERT_EQ(bar->GetDirections().size(), 1u);
    EXPECT_EQ(bar->GetDirections()[0]->GetDynamicsCode(), 23);
    EXPECT_EQ(bar->GetDirections()[0]->GetTimePosition(), notes[5]->GetStartTime());
    // Without a type the value is the longest note value the duration holds; "c" is no
    // step; an unknown size keeps the normal style, and "natural" follows "alter".
    EXPECT_EQ(notes[5]->GetDuration(), len::kEighth);
    EXPECT_EQ(notes[6]->GetPitchCode(), pitch_code::kNone);
    EXPECT_EQ(notes[6]->GetDuration(), len::k16th);
    EXPECT_EQ(notes[6]->GetAccidental(), accidental_code::kNatural);
    EXPECT_EQ(notes[6]->GetStyle()->GetKind(), note_style_kind::kNormal);
}

TEST_F(NoteDocumentTest, ATypedNoteTakesItsValueFromTheTypeUnlessTheDurationCutsIt)
{
    // Overwrite entry cuts notes to lengths no value names; the program writes them with
    // the shortest value that holds them. Any other duration is not the note's value.
    struct Case {
        const char* name;
        int divisions;
        const char* note;
        int duration;  // ticks read
        int next;      // where the next note starts
    };
    const Case cases[] = {
        {"a quarter and a half, written as a half", 128,
         "<duration>192</duration><type>half</type>", 241920, 241920},
        {"a quarter and three quarters, written as a half", 128,
         "<duration>224</duration><type>half</type>", 282240, 282240},
        {"two quarters and a half, written as a whole", 128,
         "<duration>320</duration><type>whole</type>", 403200, 403200},
        {"three sixteenths, written as a quarter", 128,
         "<duration>96</duration><type>quarter</type>", 120960, 120960},
        {"a plain quarter", 128, "<duration>128</duration><type>quarter</type>", len::kQuarter,
         len::kQuarter},
        {"a dotted quarter keeps its value", 128,
         "<duration>192</duration><type>quarter</type><dot/>", len::kQuarter, 241920},
        {"longer than the type: the type", 128, "<duration>192</duration><type>quarter</type>",
         len::kQuarter, len::kQuarter},
        {"two breves long: a quarter", 128,
         "<duration>2147483647</duration><type>quarter</type>", len::kQuarter, len::kQuarter},
        {"a performed length off the grid: the type", 480,
         "<duration>470</duration><type>quarter</type>", len::kQuarter, len::kQuarter},
        {"half the type or less is no cut", 128, "<duration>64</duration><type>quarter</type>",
         len::kQuarter, len::kQuarter},
        {"no duration: the type", 128, "<duration>0</duration><type>quarter</type>",
         len::kQuarter, len::kQuarter},
        {"a 1024th written with no duration", 128, "<duration>0</duration><type>1024th</type>",
         630, 630},
        {"a long", 128, "<duration>2048</duration><type>long</type>", 2580480, 2580480},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(LoadParts(Part1("<measure number=\"1\"><attributes><divisions>" +
                                    std::to_string(c.divisions) +
                                    "</divisions></attributes><note><pitch><step>E</step>"
                                    "<octave>5</octave></pitch>" + c.note +
                                    "</note><note><rest/><duration>" +
                                    std::to_string(c.divisions) +
                                    "</duration><type>quarter</type></note></measure>")))
            << lastError;
        const auto bar = BarOf(*loaded, 0, 0);
        ASSERT_TRUE(bar);
        ASSERT_EQ(bar->GetNotes().size(), 2u);
        EXPECT_EQ(bar->GetNotes()[0]->GetDuration(), c.duration);
        EXPECT_EQ(bar->GetNotes()[1]->GetStartTime(), c.next);
    }
}

TEST_F(NoteDocumentTest, EveryValueAndEveryCutIsWrittenWithATypeThatReadsItBack)
{
    struct Case {
        int duration;
        const char* type;  // written
    };
    const Case cases[] = {
        {630, "1024th"},      {1260, "512th"},    {2520, "256th"},    {5040, "128th"},
        {10080, "64th"},      {20160, "32nd"},    {40320, "16th"},    {80640, "eighth"},
        {161280, "quarter"},  {322560, "half"},   {645120, "whole"},  {1290240, "breve"},
        {2580480, "long"},  // the longest a note holds
        // Cuts: the shortest value that holds them.
        {120960, "quarter"},  {241920, "half"},   {282240, "half"},   {403200, "whole"},
    };
    AddPart(*score, u"P1");
    auto bar = std::make_shared<Bar>(0);
    PartOf(*score, 0)->AppendChild(bar);
    int start = 0;
    for (const Case& c : cases) {
        auto note = CreateNote(pitch_code::kFirstDegree + 2);
        note->SetDuration(c.duration);
        note->SetStartTime(start);
        bar->AddNote(note);
        start += c.duration;
    }
    const std::string text = SaveText();
    std::size_t at = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.duration);
        at = text.find("<type>", at);
        ASSERT_NE(at, std::string::npos);
        at += 6;
        EXPECT_EQ(text.substr(at, text.find('<', at) - at), c.type);
    }
    ASSERT_TRUE(LoadText(text)) << lastError;
    const auto& notes = BarOf(*loaded, 0, 0)->GetNotes();
    ASSERT_EQ(notes.size(), std::size(cases));
    start = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        SCOPED_TRACE(cases[i].duration);
        EXPECT_EQ(notes[i]->GetDuration(), cases[i].duration);
        EXPECT_EQ(notes[i]->GetStartTime(), start);
        start += cases[i].duration;
    }
}

TEST_F(NoteDocumentTest, GraceNotesKeepTheirStartTimesThroughSaveAndOpen)
{
    // As entered: each grace note of a list starts where the ones before it end.
    AddPart(*score, u"P1");
    auto bar = std::make_shared<Bar>(0);
    PartOf(*score, 0)->AppendChild(bar);
    std::vector<std::shared_ptr<Note>> mains;
    for (int n = 0; n < 2; ++n) {
        auto main = CreateNote(pitch_code::kFirstDegree + n);
        main->SetStartTime(n * len::kQuarter);
        bar->AddNote(main);
        mains.push_back(main);
    }
    const auto addGraces = [](GraceNoteList& list, std::vector<int> lengths) {
        int start = 0;
        for (int length : lengths) {
            auto grace = CreateNote(pitch_code::kFirstDegree + 4);
            grace->SetDuration(length);
            grace->SetStyle(std::make_shared<GraceNoteStyle>());
            grace->SetStartTime(start);
            list.AddNote(grace);
            start += length;
        }
    };
    addGraces(*mains[1]->GetGraceListA(), {len::k16th, len::k16th, len::kEighth});
    addGraces(*mains[0]->GetGraceListB(), {len::kEighth, len::k32nd});
    const std::vector<std::vector<int>> before = {{}, {0, 40320, 80640}};
    const std::vector<std::vector<int>> after = {{0, 80640}, {}};

    const auto startsOf = [](const GraceNoteList& list) {
        std::vector<int> starts;
        for (const auto& grace : list.GetNotes())
            starts.push_back(grace->GetStartTime());
        return starts;
    };
    auto once = std::make_shared<Score>();
    auto twice = std::make_shared<Score>();
    SaveAndLoad(*score, *once, "once.exl");
    SaveAndLoad(*once, *twice, "twice.exl");
    for (const auto& read : {once, twice}) {
        const auto& notes = BarOf(*read, 0, 0)->GetNotes();
        ASSERT_EQ(notes.size(), 2u);
        for (int n = 0; n < 2; ++n) {
            SCOPED_TRACE(n);
            EXPECT_EQ(notes[n]->GetStartTime(), n * len::kQuarter);
            EXPECT_EQ(startsOf(*notes[n]->GetGraceListA()), before[n]);
            EXPECT_EQ(startsOf(*notes[n]->GetGraceListB()), after[n]);
        }
    }
}

TEST_F(NoteDocumentTest, ChordNotesKeepTheirTiesOnEitherStaff)
{
    // A two-note chord tied to the same chord, on the first and on the second staff;
    // the second staff's chord is written with its upper note first.
    const auto note = [](const char* step, const char* extra) {
        return std::string("<note>") + extra + "<pitch><step>" + step +
               "</step><octave>4</octave></pitch><duration>128</duration><type>quarter</type>";
    };
    const std::string start = "<notations><tied type=\"start\"/></notations>";
    const std::string stop = "<notations><tied type=\"stop\"/></notations>";
    std::string measures;
    for (const std::string& tied : {start, stop}) {
        measures += "<measure number=\"1\">" + note("C", "") + tied + "</note>" +
                    note("E", "<chord/>") + tied + "</note><backup><duration>128</duration>"
                    "</backup>" + note("G", "") + "<staff>2</staff>" + tied + "</note>" +
                    note("E", "<chord/>") + "<staff>2</staff>" + tied + "</note></measure>";
    }
    ASSERT_TRUE(LoadParts("<part id=\"P1\">" + measures + "</part>")) << lastError;
    ASSERT_EQ(loaded->GetChildCount(), 2);
    const auto expectTies = [](const Score& read) {
        for (int p = 0; p < 2; ++p) {
            SCOPED_TRACE(p);
            const auto first = BarOf(read, p, 0)->GetNotes().at(0);
            const auto second = BarOf(read, p, 1)->GetNotes().at(0);
            ASSERT_EQ(first->GetChordNotes()->GetNotes().size(), 1u);
            ASSERT_EQ(second->GetChordNotes()->GetNotes().size(), 1u);
            const auto& ties = PartOf(read, p)->GetTies();
            ASSERT_EQ(ties.size(), 2u);
            EXPECT_EQ(ties[0]->GetStart().note, first);
            EXPECT_EQ(ties[0]->GetEnd().note, second);
            EXPECT_EQ(ties[1]->GetStart().note, first->GetChordNotes()->GetNotes()[0]);
            EXPECT_EQ(ties[1]->GetEnd().note, second->GetChordNotes()->GetNotes()[0]);
        }
    };
    expectTies(*loaded);
    // Saved, the second staff is a part of its own, and its chords keep their ties.
    score = loaded;
    loaded = std::make_shared<Score>();
    ASSERT_TRUE(RoundTrip()) << lastError;
    expectTies(*loaded);
}

TEST_F(NoteDocumentTest, OtherDivisionsAndBackup)
{
    ASSERT_TRUE(LoadParts(Part1(
        "<measure number=\"1\"><attributes><divisions>4</divisions></attributes>"
        "<note><pitch><step>C</step><octave>4</octave></pitch><duration>4</duration></note>"
        "<note><pitch><step>D</step><octave>4</octave></pitch><duration>4</duration></note>"
        "<backup><duration>2</duration></backup>"
        "<direction><direction-type><dynamics><mf/></dynamics></direction-type></direction>"
        "<backup><duration>400</duration></backup>"
        "<direction><direction-type><dynamics><pp/></dynamics></direction-type></direction>"
        "</measure>")))
        << lastError;
    const auto bar = BarOf(*loaded, 0, 0);
    ASSERT_EQ(bar->GetNotes().size(), 2u);
    EXPECT_EQ(bar->GetNotes()[0]->GetDuration(), len::kQuarter);
    const auto& marks = bar->GetDirections();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->GetTimePosition(), 2 * 161280 - 80640);
    EXPECT_EQ(marks[1]->GetTimePosition(), 0);  // never before the measure
}

TEST_F(NoteDocumentTest, TheVoiceFilterWithBackup)
{
    const std::string note = "<note><pitch><step>C</step><octave>4</octave></pitch>"
                             "<duration>128</duration><type>quarter</type>";
    ASSERT_TRUE(LoadParts(
        Part1("<measure number=\"1\">" + note + "<voice>1</voice></note>" + note +
              "<voice>1</voice></note><backup><duration>256</duration></backup>" + note +
              "<voice>2</voice></note>" + note + "<voice>2</voice></note>"
              "<direction><direction-type><dynamics><f/></dynamics></direction-type>"
              "</direction></measure>"
              "<measure number=\"2\">" + note + "<voice>2</voice></note>" + note +
              "<voice>1</voice></note>" + note + "<voice>3</voice></note></measure>") +
            "<part id=\"P2\"><measure number=\"1\">" + note + "<voice>11</voice></note>" +
            note + "<voice>4</voice></note></measure></part>",
        2))
        << lastError;
    // Voice 2 after voice 1 is dropped, but takes its time: the dynamics after it sits
    // at the end of the bar.
    const auto bar = BarOf(*loaded, 0, 0);
    ASSERT_EQ(bar->GetNotes().size(), 2u);
    ASSERT_EQ(bar->GetDirections().size(), 1u);
    EXPECT_EQ(bar->GetDirections()[0]->GetTimePosition(), 2 * len::kQuarter);
    // The lowest voice only goes down; in bar 2 voice 2 is dropped (voice 1 came in bar
    // 1), voice 1 kept, voice 3 dropped.
    EXPECT_EQ(BarOf(*loaded, 0, 1)->GetNotes().size(), 1u);
    // A new part starts afresh: voice 11 is above the first limit, voice 4 is kept.
    ASSERT_EQ(BarOf(*loaded, 1, 0)->GetNotes().size(), 1u);
}

TEST_F(NoteDocumentTest, ASecondStaffThatIsNotTheLastPart)
{
    const std::string c4 = "<pitch><step>C</step><octave>4</octave></pitch>"
                           "<duration>128</duration><type>quarter</type>";
    ASSERT_TRUE(LoadParts(
        "<part id=\"P1\"><measure number=\"1\"><note>" + c4 + "<notations><tied type=\"start\"/>"
        "</notations></note><backup><duration>128</duration></backup><note>" + c4 +
            "<staff>2</staff><notations><tied type=\"start\"/></notations></note><note>"
            "<chord/>" + c4 + "<staff>2</staff><size>grace</size></note></measure>"
            "<measure number=\"2\"><note>" + c4 + "<notations><tied type=\"stop\"/></notations>"
            "</note><backup><duration>128</duration></backup><note>" + c4 +
            "<staff>2</staff><notations><tied type=\"stop\"/></notations></note></measure>"
            "</part><part id=\"P2\"><measure number=\"1\"><note>" + c4 + "</note></measure>"
            "<measure number=\"2\"/></part>",
        2))
        << lastError;
    ASSERT_EQ(loaded->GetChildCount(), 3);
    EXPECT_EQ(PartOf(*loaded, 0)->GetStaffLink(), staff_link::kFirstOfPair);
    EXPECT_EQ(PartOf(*loaded, 1)->GetStaffLink(), staff_link::kSecondOfPair);
    EXPECT_EQ(PartOf(*loaded, 2)->GetStaffLink(), staff_link::kAlone);
    ASSERT_EQ(loaded->GetPartGroups().size(), 1u);
    EXPECT_EQ(loaded->GetPartGroups()[0]->GetFirstPart(), 0);
    EXPECT_EQ(loaded->GetPartGroups()[0]->GetLastPart(), 1);
    // Each staff has its own notes and its own tie; the third part has its own bars.
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p);
        ASSERT_EQ(PartOf(*loaded, p)->GetChildCount(), 2);
        ASSERT_EQ(BarOf(*loaded, p, 0)->GetNotes().size(), 1u);
        ASSERT_EQ(PartOf(*loaded, p)->GetTies().size(), 1u);
        const auto tie = PartOf(*loaded, p)->GetTies()[0];
        EXPECT_EQ(tie->GetStart().note, BarOf(*loaded, p, 0)->GetNotes()[0]);
        EXPECT_EQ(tie->GetEnd().note, BarOf(*loaded, p, 1)->GetNotes()[0]);
    }
    // On the second staff a chord note always takes the chord style.
    const auto main = BarOf(*loaded, 1, 0)->GetNotes()[0];
    ASSERT_EQ(main->GetChordNotes()->GetNotes().size(), 1u);
    EXPECT_EQ(main->GetChordNotes()->GetNotes()[0]->GetStyle()->GetKind(), note_style_kind::kChord);
    EXPECT_EQ(main->GetStyle()->GetKind(), note_style_kind::kChord);
    ASSERT_EQ(PartOf(*loaded, 2)->GetChildCount(), 2);
    EXPECT_EQ(BarOf(*loaded, 2, 0)->GetNotes().size(), 1u);
    EXPECT_EQ(PartOf(*loaded, 2)->GetTies().size(), 0u);
}

TEST_F(NoteDocumentTest, HugeAndNegativeValuesStayInRange)
{
    ASSERT_TRUE(LoadParts(Part1(
        "<measure number=\"1\"><attributes><divisions>1</divisions></attributes>"
        "<note><pitch><step>C</step><alter>99</alter><octave>-2147483648</octave></pitch>"
        "<duration>2147483647</duration></note>"
        "<note><pitch><step>D</step><octave>99999999999</octave></pitch>"
        "<duration>99999999999</duration><type>breve</type><dot/><dot/><dot/><dot/><dot/>"
        "<time-modification><actual-notes>1</actual-notes><normal-notes>2147483647"
        "</normal-notes></time-modification></note>"
        "<note><pitch><step>E</step><octave>4</octave></pitch><duration>-5</duration></note>"
        "<note><pitch><step>F</step><octave>4</octave></pitch><type>half</type>"
        "<time-modification><actual-notes>0</actual-notes><normal-notes>-1</normal-notes>"
        "</time-modification><notations><tuplet type=\"start\"/></notations></note>"
        "<backup><duration>2147483647</duration></backup>"
        "<direction><direction-type><dynamics><p/></dynamics></direction-type>"
        "<pos>-7</pos></direction>"
        "</measure>")))
        << lastError;
    const auto bar = BarOf(*loaded, 0, 0);
    const auto& notes = bar->GetNotes();
    ASSERT_EQ(notes.size(), 3u);  // the negative duration makes a value of 0
    EXPECT_EQ(notes[0]->GetDuration(), len::kBreve);
    EXPECT_EQ(notes[0]->GetAccidental(), 0);
    EXPECT_EQ(notes[0]->GetOctave(), -note_limits::kMaxOctave);
    EXPECT_EQ(notes[1]->GetOctave(), note_limits::kMaxOctave);
    EXPECT_EQ(notes[1]->GetDots(), note_limits::kMaxDots);
    EXPECT_GT(notes[1]->GetStartTime(), 0);
    EXPECT_GE(notes[2]->GetStartTime(), notes[1]->GetStartTime());
    // Counts of 0 and less make no tuplet.
    EXPECT_TRUE(bar->GetTuplets().empty());
    EXPECT_EQ(notes[2]->GetTupletActual(), 0);
    ASSERT_EQ(bar->GetDirections().size(), 1u);
    EXPECT_EQ(bar->GetDirections()[0]->GetTimePosition(), 0);
    // What was read saves and loads again.
    score = loaded;
    loaded = std::make_shared<Score>();
    ASSERT_TRUE(RoundTrip()) << lastError;
    EXPECT_EQ(Describe(*loaded), Describe(*score));
}

TEST_F(NoteDocumentTest, LinksThatLeadNowhereAreDropped)
{
    const std::string c4 = "<pitch><step>C</step><octave>4</octave></pitch>"
                           "<duration>128</duration><type>quarter</type>";
    ASSERT_TRUE(LoadParts(
        "<part id=\"P1\"><measure number=\"1\">"
        // A chord note and a grace note after, with no main note yet.
        "<note><chord/>" + c4 + "</note><note><grace steal-time-previous=\"\"/>" + c4 +
            "</note>"
            // A tie started twice: the first never ends.
            "<note>" + c4 + "<notations><tied type=\"start\"/></notations></note>"
            "<note>" + c4 + "<notations><tied type=\"start\" relative-x=\"5\"/></notations></note>"
            "<note>" + c4 + "<notations><tied type=\"stop\"/><tied/></notations></note>"
            // Grace notes before and a tie still open at the end of the part.
            "<note>" + c4 + "<notations><tied type=\"start\"/></notations></note>"
            "<note><grace steal-time-following=\"x\"/>" + c4 + "</note>"
            "</measure></part>"
            // The next part starts afresh: neither reaches its first note.
            "<part id=\"P2\"><measure number=\"1\"><note>" + c4 +
            "<notations><tied type=\"stop\"/></notations></note>"
            "<note><chord/>" + c4 + "</note></measure></part>",
        2))
        << lastError;
    const auto first = BarOf(*loaded, 0, 0);
    ASSERT_EQ(first->GetNotes().size(), 4u);
    const auto& ties = PartOf(*loaded, 0)->GetTies();
    ASSERT_EQ(ties.size(), 1u);
    EXPECT_EQ(ties[0]->GetOffset(), (Point{5, 0}));
    EXPECT_EQ(ties[0]->GetStart().note, first->GetNotes()[1]);
    EXPECT_EQ(ties[0]->GetEnd().note, first->GetNotes()[2]);
    const auto next = BarOf(*loaded, 1, 0);
    ASSERT_EQ(next->GetNotes().size(), 1u);
    EXPECT_TRUE(next->GetNotes()[0]->GetGraceListA()->GetNotes().empty());
    EXPECT_TRUE(next->GetNotes()[0]->GetChordNotes()->GetNotes().size() == 1u);
    EXPECT_EQ(next->GetNotes()[0]->GetTiedFrom(), nullptr);
    EXPECT_TRUE(PartOf(*loaded, 1)->GetTies().empty());
}

TEST_F(NoteDocumentTest, GraceNotesFindTheirMainNoteInALaterMeasure)
{
    const std::string c4 = "<pitch><step>C</step><octave>4</octave></pitch>"
                           "<duration>128</duration><type>quarter</type>";
    ASSERT_TRUE(LoadParts(Part1("<measure number=\"1\"><note><grace/>" + c4 +
                                "</note><note><grace steal-time-following=\"33\"/>" + c4 +
                                "<size>grace</size></note></measure><measure number=\"2\">"
                                "<note>" + c4 + "</note></measure>")))
        << lastError;
    // A grace element without either attribute is a main note.
    ASSERT_EQ(BarOf(*loaded, 0, 0)->GetNotes().size(), 1u);
    const auto main = BarOf(*loaded, 0, 1)->GetNotes().at(0);
    ASSERT_EQ(main->GetGraceListA()->GetNotes().size(), 1u);
    EXPECT_EQ(main->GetGraceListA()->GetNotes()[0]->GetStyle()->GetKind(), note_style_kind::kGrace);
}

TEST_F(NoteDocumentTest, NotationsAndLyricsOfOtherDocuments)
{
    ASSERT_TRUE(LoadParts(Part1(
        "<measure number=\"1\"><note><pitch><step>C</step><octave>4</octave></pitch>"
        "<duration>128</duration><type>quarter</type><notations>"
        "<ornaments relative-x=\"4\"><accent/><staccato/></ornaments>"
        "<ornaments><staccato/><tenuto/></ornaments>"
        "<ornaments><fermata/></ornaments><fermata/>"
        "<articulations><staccato/></articulations><ornaments><accent/></ornaments>"
        "</notations>"
        "<lyric number=\"1\"><syllabic>begin</syllabic><text>yue</text></lyric>"
        "<lyric number=\"2\"><syllabic>end</syllabic><text>liang</text></lyric>"
        "<lyric><syllabic>middle</syllabic></lyric>"
        "<lyric number=\"6\"><text>six</text></lyric><lyric number=\"0\"><text>zero</text></lyric>"
        "<lyric number=\"5\" relative-y=\"-9\"><text>wu</text></lyric>"
        "</note></measure>")))
        << lastError;
    const auto note = BarOf(*loaded, 0, 0)->GetNotes().at(0);
    std::vector<int> codes;
    for (const auto& mark : note->GetOrnaments())
        codes.push_back(mark->GetSymbolCode());
    // Sorted by their stacking order: fermata 9, staccato 2 (twice).
    EXPECT_EQ(codes, (std::vector<int>{3, 3, 14}));
    EXPECT_EQ(note->GetOrnaments()[0]->GetOffset(), (Point{4, 0}));
    EXPECT_EQ(note->GetLyric(0)->GetText(), u"-");  // the later verse-1 lyric wins
    EXPECT_EQ(note->GetLyric(1)->GetText(), u"liang");
    EXPECT_EQ(note->GetLyric(4)->GetText(), u"wu");
    EXPECT_EQ(note->GetLyric(4)->GetOffset(), (Point{0, -9}));
    for (int v : {2, 3})
        EXPECT_EQ(note->GetLyric(v)->GetText(), u"");
}

TEST_F(NoteDocumentTest, DirectionsOfOtherDocuments)
{
    const std::string slur =
        "<staff-line type=\"smooth-slur\" relative-x=\"1\"><bar>0</bar><pos>40320</pos>"
        "<duration>80640</duration></staff-line>";
    ASSERT_TRUE(LoadParts(
        Part1("<measure number=\"1\"><direction placement=\"below\"><direction-type>"
              "<words>no expression</words><words expression=\"\">first</words>"
              "<words expression=\"yes\" relative-y=\"3\">second</words>"
              "<metronome><beat-unit>half</beat-unit><beat-unit-dot/><per-minute>60"
              "</per-minute></metronome>" + slur + slur +
              "<staff-line type=\"slur\"><bar>0</bar></staff-line>"
              "<staff-line type=\"arpeggio\" relative-x=\"1\"><bar>-4</bar>"
              "</staff-line>"
              "<rehearsal>A</rehearsal><wedge type=\"crescendo\"/></direction-type>"
              "<sound tempo=\"96\"/></direction>"
              "<direction><direction-type>" + slur + "<coda position=\"right\"/>"
              "</direction-type></direction>"
              "<direction><direction-type><metronome><beat-unit>quarter</beat-unit>"
              "<per-minute>0</per-minute></metronome></direction-type></direction>"
              "</measure>")))
        << lastError;
    ASSERT_EQ(loaded->GetExpressionTexts().size(), 1u);
    EXPECT_EQ(loaded->GetExpressionTexts()[0], (ExpressionRecord{0, u"second"}));
    EXPECT_EQ(loaded->GetExpressionTextList()[0]->GetOffset(), (Point{0, 3}));
    // A speed of 0 is passed over.
    ASSERT_EQ(loaded->GetTempoMarks().size(), 1u);
    EXPECT_EQ(loaded->GetTempoMarks()[0], (TempoMarkRecord{0, len::kHalf, 60}));
    EXPECT_EQ(loadedPage.tempo, 96);
    // The slur is kept once; "slur" names no kind; a new arpeggio keeps its radian.
    const auto& lines = PartOf(*loaded, 0)->GetLineMarks();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->GetKind(), line_mark_kind::kSmoothSlur);
    EXPECT_EQ(lines[0]->GetRadian(), -300.0f);
    EXPECT_EQ(lines[0]->GetTimePosition(), 40320);
    EXPECT_EQ(lines[0]->GetDuration(), 80640);
    EXPECT_EQ(lines[1]->GetKind(), line_mark_kind::kArpeggio);
    EXPECT_EQ(lines[1]->GetBar(), 0);
    EXPECT_EQ(lines[1]->GetRadian(), 500.0f);
    const auto bar = BarOf(*loaded, 0, 0);
    EXPECT_EQ(bar->GetBarline(1)->GetMarkValue(), 6);
    // A part other than the first never writes words or metronome marks.
    score = loaded;
    AddPart(*score, u"", u"")->AppendChild(std::make_shared<Bar>(0));
    const std::string text = SaveText();
    const std::size_t secondPart = text.find("<part id=\"P2\"");
    ASSERT_NE(secondPart, std::string::npos);
    EXPECT_EQ(text.find("<words", secondPart), std::string::npos);
    EXPECT_EQ(text.find("<metronome", secondPart), std::string::npos);
}

}  // namespace
}  // namespace quaverly::xml_test

namespace quaverly::xml_test {
namespace {

using DirectionElementTest = DomElementTest;

TEST_F(DirectionElementTest, PlacementIsWrittenAndALaterDirectionTypeReplacesTheValues)
{
    DirectionValues values;
    values.dynamicsKind = 21;
    values.dynamicsOffset = {3, -4};
    DirectionConverter writer(0, 1);
    writer.SetPlacement(2);
    writer.SetValues(values);
    Write(writer, NewParent(u"measure"));
    const std::u16string text = Serialize(document->getDocumentElement());
    EXPECT_NE(text.find(u"<direction placement=\"below\"><direction-type><dynamics "
                        u"relative-x=\"3\" relative-y=\"-4\"><sfz/></dynamics>"),
              std::u16string::npos);

    x::DOMElement* direction = ParseInto(u"direction", u"direction-type;direction-type");
    x::DOMElement* first = static_cast<x::DOMElement*>(direction->getFirstChild());
    x::DOMElement* dynamics = document->createElement(u"dynamics");
    dynamics->appendChild(document->createElement(u"ff"));
    first->appendChild(dynamics);
    x::DOMElement* segno = document->createElement(u"segno");
    segno->setAttribute(u"position", u"middle");
    first->appendChild(segno);
    DirectionConverter one;
    Read(one, direction);
    // The second, empty direction-type gave zeros.
    EXPECT_EQ(one.GetValues().dynamicsKind, 0);
    EXPECT_EQ(one.GetJumpKind(), 0);
    direction->removeChild(direction->getLastChild())->release();
    DirectionConverter two;
    Read(two, direction);
    EXPECT_EQ(two.GetValues().dynamicsKind, 8);
    EXPECT_EQ(two.GetJumpKind(), 8);
    EXPECT_EQ(two.GetJumpSide(), 1);
}

}  // namespace
}  // namespace quaverly::xml_test
