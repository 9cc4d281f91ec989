// A score with everything a user puts in one (two parts, five verses, dynamics,
// ornaments, line marks, ties, tuplets, grace notes, repeats, endings and jumps, key,
// time and tempo changes, Chinese header texts, lines laid out by hand) through the whole
// program: opened, laid out by hand, saved, opened again and saved again, printed; and
// damaged or absurd copies of it opened, printed, exported and saved.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QPageSize>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/shell/command_ids.h"
#include "engine/editor/editor_interface.h"
#include "engine/model/page_text_data.h"
#include "engine/xml/music_xml_file.h"
#include "platform/command_manager.h"
#include "program_fixture.h"
#include "rich_document.h"

namespace {

namespace fs = std::filesystem;
using shell_test::Pump;
using shell_test::PumpUntil;
using shell_test::WriteRichDocument;

class RichScoreTest : public shell_test::ProgramTest {
protected:
    platform::CommandManager& Commands() { return app_->GetMainWnd()->Commands(); }

    bool SaveAs(const fs::path& file)
    {
        dialogs_.ChooseFile(brindle::PathText(file));
        return Commands().Execute(brindle::cmd::kFileSaveAs) && fs::exists(file);
    }
    int PrintPdf(const fs::path& file)
    {
        QPdfWriter pdf(QString::fromStdString(file.string()));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        return View()->PrintPages(pdf);
    }
};

TEST_F(RichScoreTest, SavedTwiceTheDocumentIsTheSame)
{
    const fs::path source = folder_ / "源.exl";
    ASSERT_TRUE(WriteRichDocument(source));
    ASSERT_TRUE(Open(source));
    auto* editor = View()->Editor();
    EXPECT_EQ(editor->GetTitle(), u"茉莉花");
    EXPECT_EQ(editor->GetPartCount(), 2);
    EXPECT_EQ(editor->GetBarCount(), 12);
    // Each change is shown (its queued layout run) before the next, as the window does.
    const auto shown = [&] { (void)View()->viewport()->grab(); };
    editor->SetBarsPerLine({2, true});
    shown();
    editor->SetLinesOnPage(2);
    shown();
    editor->SetInstrumentName(u"笛子", true);
    shown();
    quaverly::PageTextData text;
    text.text = u"页面上的字";
    text.rect = {2000, 20000, 9000, 21000};
    text.font.height = -400;
    editor->AddTextItem(text);
    const fs::path first = folder_ / "一.exl";
    const fs::path second = folder_ / "二.exl";
    ASSERT_TRUE(SaveAs(first));
    const int pages = PrintPdf(folder_ / "一.pdf");
    EXPECT_GT(pages, 0);

    ASSERT_TRUE(Commands().Execute(brindle::cmd::kFileClose));
    ASSERT_TRUE(Open(first));
    ASSERT_TRUE(SaveAs(second));
    EXPECT_EQ(PrintPdf(folder_ / "二.pdf"), pages);
    const std::string a = TempFolder::Read(first);
    const std::string b = TempFolder::Read(second);
    EXPECT_EQ(a, b);
    for (const char* made : {"<page-any-text", "<name>笛子</name>", "<print new-system=\"yes\"/>", "<system number=\"7\""})
        EXPECT_NE(a.find(made), std::string::npos) << made;
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST_F(RichScoreTest, DamagedOrAbsurdDocumentsFailCleanlyOrOpenPrintAndSave)
{
    const fs::path source = folder_ / "源.exl";
    ASSERT_TRUE(WriteRichDocument(source));
    ASSERT_TRUE(Open(source));
    View()->Editor()->SetBarsPerLine({2, true});
    const fs::path good = folder_ / "good.exl";
    ASSERT_TRUE(SaveAs(good));
    const std::string text = TempFolder::Read(good);
    ASSERT_NE(text.find("<count>2</count>"), std::string::npos);
    struct Case {
        const char* name;
        std::string bytes;
        bool opens;
        int tempo;  // the view's tempo after opening; 0: the document's own
    };
    const std::string huge = "2000000000";
    const Case cases[] = {
        {"cut in half", text.substr(0, text.size() / 2), false, 0},
        {"empty", "", false, 0},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11), false, 0},
        {"huge bar width", Replace(text, "manual-adjust=\"0\"", "manual-adjust=\"1e30\""), true, 0},
        {"bar width not a number", Replace(text, "manual-adjust=\"0\"", "manual-adjust=\"nan\""), true, 0},
        {"huge staff size", Replace(text, "<staff-size>1219", "<staff-size>" + huge), true, 0},
        {"negative staff size", Replace(text, "<staff-size>1219", "<staff-size>-" + huge), true, 0},
        {"huge paper", Replace(text, "<page-height>297", "<page-height>" + huge), true, 0},
        {"no paper", Replace(Replace(text, "<page-height>297", "<page-height>0"), "<page-width>210", "<page-width>0"), true, 0},
        {"margins wider than the paper", Replace(text, "<left-margin>15", "<left-margin>900"), true, 0},
        // A tempo is kept as the document gives it; only playback speed is bounded.
        {"huge tempo", Replace(text, "<sound tempo=\"88\"", "<sound tempo=\"" + huge + "\""), true, 2000000000},
        {"negative tempo", Replace(text, "<sound tempo=\"88\"", "<sound tempo=\"-5\""), true, 120},
        {"huge note length", Replace(text, "<duration>128</duration>", "<duration>" + huge + "</duration>"), true, 0},
        {"huge bars a line", Replace(text, "<count>2</count>", "<count>" + huge + "</count>"), true, 0},
        {"no bars a line", Replace(text, "<count>2</count>", "<count>0</count>"), true, 0},
        {"huge metronome mark", Replace(text, "<per-minute>72", "<per-minute>" + huge), true, 0},
        {"metronome mark of 0", Replace(text, "<per-minute>72", "<per-minute>0"), true, 0},
        {"huge divisions", Replace(text, "<divisions>128", "<divisions>" + huge), true, 0},
        {"one division", Replace(text, "<divisions>128", "<divisions>1"), true, 0},
        {"no such key", Replace(text, "<fifths>2", "<fifths>99"), true, 0},
        {"huge meter", Replace(text, "<beats>4", "<beats>" + huge), true, 0},
        {"huge octave", Replace(text, "<octave>4", "<octave>" + huge), true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path bad = folder_ / "bad.exl";
        std::ofstream(bad, std::ios::binary | std::ios::trunc) << c.bytes;
        const std::size_t before = dialogs_.MessageBoxes().size();
        ASSERT_TRUE(View()->OpenScoreFile(brindle::PathText(bad)));
        ASSERT_TRUE(PumpUntil([&] { return !View()->m_bLoading; }, 30000));
        if (!c.opens) {
            EXPECT_FALSE(View()->HasScore());
            ASSERT_EQ(dialogs_.MessageBoxes().size(), before + 1);
            EXPECT_EQ(dialogs_.MessageBoxes().back().text, u"文件打开失败！");
            continue;
        }
        ASSERT_TRUE(View()->HasScore());
        EXPECT_EQ(View()->Editor()->GetBarCount(), 12);
        EXPECT_EQ(View()->CurrentTempo(), c.tempo ? c.tempo : 88);
        EXPECT_GE(PrintPdf(folder_ / "bad.pdf"), 1);
        (void)View()->viewport()->grab();
        dialogs_.ChooseFile(brindle::PathText(folder_ / "bad.mid"));
        EXPECT_TRUE(Commands().Execute(brindle::cmd::kExportMidi));
        EXPECT_TRUE(fs::exists(folder_ / "bad.mid"));
        const fs::path again = folder_ / "again.exl";
        ASSERT_TRUE(SaveAs(again));
        EXPECT_EQ(dialogs_.MessageBoxes().size(), before);
        ASSERT_TRUE(Open(again));
        EXPECT_EQ(View()->Editor()->GetBarCount(), 12);
        fs::remove(folder_ / "bad.mid");
    }
}

}  // namespace
