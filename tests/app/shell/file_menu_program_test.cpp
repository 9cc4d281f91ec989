// The file menu in the whole program offscreen with the engine's own editor: a document
// that cannot be read closes the score shown and leaves nothing of it on the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/shell/command_ids.h"
#include "app/shell/document_paths.h"
#include "app/shell/main_frame.h"
#include "program_fixture.h"
#include "score_documents.h"

namespace {

namespace fs = std::filesystem;
using shell_test::Pump;
using shell_test::PumpUntil;

class FileMenuProgramTest : public shell_test::ProgramTest {
protected:
    brindle::CMainFrame& Frame() { return *app_->GetMainWnd(); }

    // Opens a document that fails and waits until the failure has been told.
    void OpenFailing(const fs::path& file)
    {
        dialogs_.AnswerMessageBox(platform::kIdOk);
        ASSERT_TRUE(View()->OpenScoreFile(brindle::PathText(file)));
        ASSERT_TRUE(PumpUntil([&] { return !View()->m_bLoading; }, 15000));
        Pump();
        ASSERT_FALSE(dialogs_.MessageBoxes().empty());
        EXPECT_EQ(dialogs_.MessageBoxes().back().text, u"文件打开失败！");
    }
};

TEST_F(FileMenuProgramTest, TheClosedScoresPagesAreNoLongerShown)
{
    shell_test::ScoreDocument document;
    for (int i = 0; i < 4 * 120; ++i)
        document.melody.push_back({1 + i % 7, 0});
    const fs::path good = folder_.Path() / "long.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(good, document));
    std::string text;
    {
        std::ifstream in(good, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    struct Case {
        const char* name;
        std::string bytes;
    };
    for (const Case& c : {Case{"not a document", "garbage<<<not xml"},
                          Case{"cut off halfway", text.substr(0, text.size() / 2)}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Open(good));
        Pump();
        ASSERT_GT(View()->Editor()->GetLastPageIndex(), 1);
        ASSERT_NE(Frame().StatusText(), u"");

        const fs::path broken = folder_.Path() / "broken.exl";
        {
            std::ofstream out(broken, std::ios::binary | std::ios::trunc);
            out << c.bytes;
        }
        OpenFailing(broken);

        EXPECT_FALSE(View()->HasScore());
        EXPECT_FALSE(View()->IsModified());
        EXPECT_EQ(View()->Editor()->GetLastPageIndex(), 0);
        // The page pane says nothing of a score that is gone.
        EXPECT_EQ(Frame().StatusText(), u"");
    }
}

}  // namespace
