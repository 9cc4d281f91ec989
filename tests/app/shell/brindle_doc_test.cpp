#include "app/shell/brindle_doc.h"

#include <gtest/gtest.h>

#include <QString>

#include "../../platform/temp_folder.h"
#include "app/shell/brindle_app.h"

namespace {

namespace fs = std::filesystem;

std::u16string U16(const fs::path& path)
{
    return QString::fromStdString(path.string()).toStdU16String();
}

TEST(BrindleDocTest, OpenKeepsThePathOfAReadableFileWhateverItsType)
{
    TempFolder folder;
    TempFolder::Write(folder / "notes.txt", "text");
    brindle::CBrindleDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.OpenPath().empty());
    EXPECT_TRUE(doc.OnOpenDocument(U16(folder / "notes.txt")));
    EXPECT_EQ(doc.OpenPath(), U16(folder / "notes.txt"));
}

TEST(BrindleDocTest, OpenRefusesWhatCannotBeReadAndKeepsTheEarlierPath)
{
    TempFolder folder;
    TempFolder::Write(folder / "a.exl", "<score-partwise/>");
    brindle::CBrindleDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(U16(folder / "a.exl")));
    for (const fs::path& bad : {folder / "missing.exl", folder.Path(), fs::path()}) {
        EXPECT_FALSE(doc.OnOpenDocument(U16(bad))) << bad;
        EXPECT_EQ(doc.OpenPath(), U16(folder / "a.exl"));
    }
}

TEST(JoinDataPathTest, SettingsNamesUseBackslashesBetweenFolders)
{
    struct Case {
        const char16_t* name;
        const char* expected;
    };
    for (const Case c : {Case{u"fonts\\Tansy.ttc", "/data/fonts/Tansy.ttc"}, Case{u"help\\index.html", "/data/help/index.html"},
                         Case{u"Tansy.ini", "/data/Tansy.ini"}, Case{u"a/b.ini", "/data/a/b.ini"}, Case{u"", "/data"}})
        EXPECT_EQ(brindle::JoinDataPath("/data", c.name), fs::path(c.expected)) << c.expected;
}

}  // namespace
