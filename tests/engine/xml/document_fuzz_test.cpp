// Damaged documents: a few thousand mutations of saved documents (bytes changed, lines
// dropped, repeated or swapped, numbers replaced by extreme or broken ones, foreign
// elements put in) are opened, laid out and drawn, on their own and in the editor, which
// also draws every page and edits two of them. Each either fails to load, leaving an
// empty score, or loads into a score that lays out, draws and takes the edits; nothing
// crashes or hangs. The same path runs under libFuzzer with scripts/fuzz (see its CMake
// option).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/new_score_settings.h"
#include "engine/model/page_text_data.h"
#include "engine/model/part_group.h"
#include "tests/engine/xml/full_score.h"
#include "tests/engine/xml/open_document_harness.h"
#include "tests/support/sanitizer_scale.h"

namespace quaverly::xml_test {
namespace {

constexpr int kRuns = testsupport::ScaledCount(2000);

// Texts that numbers and names are replaced with.
const char* const kOddValues[] = {
    "-1", "0", "2147483647", "-2147483648", "99999999999", "1e309", "nan", "abc", "", "7",
    "   12", "+3", "0x10", "-0", "4294967296",
};

// Elements put in at random places.
const char* const kForeignElements[] = {
    "<note><chord/><type>breve</type><dot/><dot/><dot/><dot/></note>",
    "<note><grace steal-time-previous=\"1\"/><pitch><step>G</step><octave>-9</octave></pitch></note>",
    "<note><pitch><step>A</step><octave>4</octave></pitch><duration>99999</duration><staff>2</staff>"
    "<notations><tied type=\"start\"/><tuplet type=\"start\"/></notations></note>",
    "<backup><duration>2147483647</duration></backup>",
    "<direction><direction-type><dynamics><sffzz/></dynamics></direction-type><pos>-5</pos></direction>",
    "<direction><direction-type><staff-line type=\"glissandi\"><bar>999999</bar><pos>-1</pos>"
    "<duration>2147483647</duration><radian>1e38</radian></staff-line></direction-type></direction>",
    "<attributes><divisions>3</divisions><time><beats>7</beats><beat-type>8</beat-type></time></attributes>",
    "<measure number=\"1\"/>",
    "<note><rest/><time-modification><actual-notes>99</actual-notes><normal-notes>1</normal-notes>"
    "</time-modification><notations><tuplet type=\"start\"/></notations></note>",
    "<lyric number=\"3\"><syllabic>middle</syllabic></lyric>",
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::string Mutate(const std::string& text)
    {
        std::vector<std::string> lines = Lines(text);
        const int steps = Pick(4) + 1;
        bool bytes = false;
        for (int s = 0; s < steps; ++s) {
            switch (Pick(6)) {
                case 0:
                    bytes = true;
                    break;
                case 1:
                    lines.erase(lines.begin() + Pick(static_cast<int>(lines.size())));
                    break;
                case 2: {
                    const auto at = static_cast<std::size_t>(Pick(static_cast<int>(lines.size())));
                    lines.insert(lines.begin() + static_cast<long>(at), lines[at]);
                    break;
                }
                case 3:
                    std::swap(lines[static_cast<std::size_t>(Pick(static_cast<int>(lines.size())))],
                              lines[static_cast<std::size_t>(Pick(static_cast<int>(lines.size())))]);
                    break;
                case 4:
                    ReplaceValue(lines[static_cast<std::size_t>(Pick(static_cast<int>(lines.size())))]);
                    break;
                default:
                    lines.insert(lines.begin() + Pick(static_cast<int>(lines.size())),
                                 kForeignElements[Pick(std::size(kForeignElements))]);
                    break;
            }
            if (lines.empty())
                lines.emplace_back();
        }
        std::string out;
        for (const std::string& line : lines)
            out += line + "\r\n";
        if (bytes) {
            for (int k = Pick(8) + 1; k > 0 && !out.empty(); --k)
                out[static_cast<std::size_t>(Pick(static_cast<int>(out.size())))] =
                    static_cast<char>(Pick(256));
        }
        return out;
    }

private:
    int Pick(std::size_t count) { return Pick(static_cast<int>(count)); }
    int Pick(int count)
    {
        return count <= 1 ? 0 : std::uniform_int_distribution<int>(0, count - 1)(random_);
    }

    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::size_t at = 0;
        while (at < text.size()) {
            std::size_t end = text.find("\r\n", at);
            if (end == std::string::npos)
                end = text.size();
            lines.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }

    // The text of a one-line element ("<a>text</a>") or the value of its first
    // attribute becomes an odd value.
    void ReplaceValue(std::string& line)
    {
        const std::string value = kOddValues[Pick(std::size(kOddValues))];
        const std::size_t open = line.find('>');
        const std::size_t close = open == std::string::npos ? open : line.find("</", open);
        if (close != std::string::npos && Pick(2) == 0) {
            line.replace(open + 1, close - open - 1, value);
            return;
        }
        const std::size_t quote = line.find('"');
        const std::size_t end = quote == std::string::npos ? quote : line.find('"', quote + 1);
        if (end != std::string::npos)
            line.replace(quote + 1, end - quote - 1, value);
    }

    std::mt19937 random_;
};

using DocumentFuzzTest = XmlDocumentTest;

using EditorHandle = std::unique_ptr<api::ScoreEditor, EditorDeleter>;

EditorHandle MakeEditor()
{
    EditorHandle editor(create_quaverly_editor());
    editor->SetPageContentSize(16000, 24000);
    return editor;
}

// The editor's document saved; its bytes (empty when the save failed).
std::string Save(api::ScoreEditor& editor, const std::filesystem::path& to,
                 const PageLayoutResult& info = {})
{
    if (!editor.SaveMusicXml(to.u16string(), info))
        return {};
    std::ifstream in(to, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The document opened by the editor, laid out and saved again.
std::string SavedByEditor(const std::filesystem::path& from, const std::filesystem::path& to)
{
    const EditorHandle editor = MakeEditor();
    PageLayoutResult info;
    if (!editor->LoadMusicXml(from.u16string(), info))
        return {};
    fakes::FakePainter painter;
    editor->RunPendingCommands(&painter);
    return Save(*editor, to, info);
}

// A new score of two braced staves over three pages, with notes, a key, a tempo, a
// line break and a page text, saved by the editor.
std::string SavedNewScore(const std::filesystem::path& to)
{
    const EditorHandle editor = MakeEditor();
    NewScoreSettings settings;
    settings.title = u"长卷";
    settings.staves = {{0, false, 0}, {40, false, 1}};
    settings.staffGroups = {{0, 1, part_group_type::kBrace}};
    settings.barsPerLine = 4;
    fakes::FakePainter painter;
    editor->NewDocument(settings);
    editor->RunPendingCommands(&painter);
    editor->AddBars({0, 40});
    editor->RunPendingCommands(&painter);
    for (int degree = 2; degree < 8; ++degree)
        editor->InputNote(degree, 0, kTicksPerQuarter, 0, 0, 0, 0);
    editor->SetKeySignature(2);
    editor->SetTempo(kTicksPerQuarter, 96);
    editor->InsertLineBreak();
    PageTextData text;
    text.rect = {1000, 20000, 6000, 20600};
    text.text = u"附注";
    editor->AddTextItem(text);
    editor->RunPendingCommands(&painter);
    return Save(*editor, to);
}

TEST_F(DocumentFuzzTest, DamagedDocumentsFailOrOpenAndDraw)
{
    FillFullScore(*score);
    const std::string full = SaveText("full.exl");
    ASSERT_FALSE(full.empty());
    // The same score saved by the editor after its first layout: with the records of its
    // lines and rows, so those are damaged too.
    const std::string laidOut = SavedByEditor(folder / "full.exl", folder / "laid_out.exl");
    ASSERT_FALSE(laidOut.empty());
    const std::string longScore = SavedNewScore(folder / "long.exl");
    ASSERT_FALSE(longScore.empty());
    ASSERT_GT(OpenAndDraw(longScore, folder / "long_again.exl").pages, 1);
    const std::string seeds[] = {
        full,
        laidOut,
        longScore,
        Document("<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
                 "<part id=\"P1\"><measure number=\"1\">\r\n"
                 "<attributes><divisions>4</divisions></attributes>\r\n"
                 "<note><pitch><step>C</step><octave>4</octave></pitch><duration>4</duration>"
                 "<voice>1</voice></note>\r\n"
                 "<backup><duration>4</duration></backup>\r\n"
                 "<note><pitch><step>D</step><octave>4</octave></pitch><duration>2</duration>"
                 "<voice>2</voice><staff>2</staff></note>\r\n"
                 "</measure></part>"),
    };
    Mutator mutator(20261210);
    const std::filesystem::path scratch = folder / "fuzz.exl";
    int loadedCount = 0;
    int bars = 0;
    int pages = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int run = 0; run < kRuns; ++run) {
        // Of ten runs: four on the saved score, three on the editor's copy of it, one on
        // the long score and two on the small one.
        static constexpr std::size_t kSeedOfRun[] = {0, 0, 0, 0, 1, 1, 1, 2, 3, 3};
        const std::size_t seed = kSeedOfRun[run % 10];
        const std::string input = mutator.Mutate(seeds[seed]);
        const auto start = std::chrono::steady_clock::now();
        const OpenResult result = OpenAndDraw(input, scratch);
        if (result.loaded)
            ++loadedCount;
        bars += result.bars;
        pages += result.pages;
        // Far above what any document here takes, even on a loaded machine: a run this
        // long is a loop that does not end with the document.
        constexpr int kLimit = testsupport::kUnderSanitizer ? 60 : 10;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(kLimit))
            ADD_FAILURE() << "run " << run << " took more than " << kLimit << " s";
        if (HasFailure()) {
            ADD_FAILURE() << "run " << run << ":\n" << input;
            break;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    // Most mutations still load: the converters, not only the parser, see odd values.
    EXPECT_GT(loadedCount, kRuns / 10);
    RecordProperty("runs", kRuns);
    RecordProperty("loaded", loadedCount);
    std::printf("%d runs, %d loaded, %d bars drawn, %d pages laid out, %.1f s\n", kRuns,
                loadedCount, bars, pages, seconds);
}

}  // namespace
}  // namespace quaverly::xml_test
