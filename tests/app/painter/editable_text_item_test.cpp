// The in-place text items: which editor operations the six header texts and the lyric
// syllable reach, the fonts they are edited in at the view's zoom, and the lyric's own copy
// of its text.
#include "app/painter/draw_resource_table.h"
#include "app/painter/editable_text_item.h"
#include "app/painter/header_text_item.h"
#include "app/painter/lyric_text_item.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using brindle::EditableTextItem;
using brindle::LyricLocation;
using brindle::LyricTextItem;
using brindle::TextItemEditor;

// An editor that keeps the header texts and records every call.
class FakeEditor final : public TextItemEditor {
public:
    std::map<std::string, std::u16string> texts;
    std::vector<std::string> calls;
    std::vector<LyricLocation> locations;
    std::vector<std::u16string> lyricTexts;

    std::u16string GetTitle() const override { return Get("title"); }
    void SetTitle(std::u16string_view t) override { Set("title", t); }
    std::u16string GetSubtitle() const override { return Get("subtitle"); }
    void SetSubtitle(std::u16string_view t) override { Set("subtitle", t); }
    std::u16string GetPoet() const override { return Get("poet"); }
    void SetPoet(std::u16string_view t) override { Set("poet", t); }
    std::u16string GetComposer() const override { return Get("composer"); }
    void SetComposer(std::u16string_view t) override { Set("composer", t); }
    std::u16string GetSinger() const override { return Get("singer"); }
    void SetSinger(std::u16string_view t) override { Set("singer", t); }
    std::u16string GetAdapter() const override { return Get("adapter"); }
    void SetAdapter(std::u16string_view t) override { Set("adapter", t); }

    void BeginLyricEdit(const LyricLocation& at) override
    {
        calls.push_back("BeginLyricEdit");
        locations.push_back(at);
    }
    void EndLyricEdit(const LyricLocation& at) override
    {
        calls.push_back("EndLyricEdit");
        locations.push_back(at);
    }
    void SetLyricText(const LyricLocation& at, std::u16string_view text) override
    {
        calls.push_back("SetLyricText");
        locations.push_back(at);
        lyricTexts.emplace_back(text);
    }

private:
    std::u16string Get(const std::string& which) const
    {
        const auto it = texts.find(which);
        return it == texts.end() ? std::u16string() : it->second;
    }
    void Set(const std::string& which, std::u16string_view text)
    {
        calls.push_back("Set " + which);
        texts[which] = std::u16string(text);
    }
};

quaverly::LogFont Font(std::u16string_view face, int height)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.weight = 700;
    lf.charSet = 134;
    return lf;
}

class TextItems : public ::testing::Test {
public:
    TextItems()
    {
        table_.SetFont(brindle::font_key::kTitle, Font(u"Title Face", -24));
        table_.SetFont(brindle::font_key::kSubtitle, Font(u"Subtitle Face", -18));
        // The view fills the poet key from the composer's section too.
        table_.SetFont(brindle::font_key::kPoet, Font(u"Composer Face", -15));
        table_.SetFont(brindle::font_key::kComposer, Font(u"Composer Face", -15));
        table_.SetFont(brindle::font_key::kLyric, Font(u"Lyric Face", -13));
    }

    // The editor in charge, looked up at each call.
    brindle::TextItemEditorGetter Getter()
    {
        return [this]() -> TextItemEditor* { return current_; };
    }

    template <class Item, class... Args>
    std::shared_ptr<EditableTextItem> Make(Args&&... args)
    {
        auto item = std::make_shared<Item>(Getter(), std::forward<Args>(args)...);
        item->SetResourceTable(&table_);
        item->SetScale(2.0f);
        return item;
    }

    brindle::DrawResourceTable table_;
    FakeEditor editor_;
    TextItemEditor* current_ = &editor_;
};

TEST_F(TextItems, HeaderTextsReadAndWriteTheirOwnEditorTextInTheirFont)
{
    struct Case {
        const char* which;
        std::function<std::shared_ptr<EditableTextItem>(TextItems&)> make;
        std::u16string face;
        int zoomedHeight;
    };
    const Case cases[] = {
        {"title", [](TextItems& t) { return t.Make<brindle::TitleTextItem>(); }, u"Title Face",
         -48},
        {"subtitle", [](TextItems& t) { return t.Make<brindle::SubtitleTextItem>(); },
         u"Subtitle Face", -36},
        {"poet", [](TextItems& t) { return t.Make<brindle::PoetTextItem>(); }, u"Composer Face",
         -30},
        {"composer", [](TextItems& t) { return t.Make<brindle::ComposerTextItem>(); },
         u"Composer Face", -30},
        {"singer", [](TextItems& t) { return t.Make<brindle::SingerTextItem>(); },
         u"Composer Face", -30},
        {"adapter", [](TextItems& t) { return t.Make<brindle::AdapterTextItem>(); },
         u"Composer Face", -30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.which);
        editor_ = FakeEditor();
        editor_.texts[c.which] = u"旧文字";
        const std::shared_ptr<EditableTextItem> item = c.make(*this);
        EXPECT_EQ(item->GetText(), u"旧文字");
        item->SetText(u"新的文字");
        EXPECT_EQ(editor_.calls, (std::vector<std::string>{std::string("Set ") + c.which}));
        EXPECT_EQ(editor_.texts[c.which], u"新的文字");
        EXPECT_EQ(item->GetText(), u"新的文字");
        // Every other text stays as it was.
        EXPECT_EQ(editor_.texts.size(), 1u);
        // Opening and closing the edit asks nothing of the editor.
        item->BeginEdit();
        item->EndEdit();
        EXPECT_EQ(editor_.calls.size(), 1u);
        EXPECT_FALSE(item->IsLyric());
        const quaverly::LogFont font = item->GetFontHeight();
        EXPECT_EQ(font.FaceName(), c.face);
        EXPECT_EQ(font.height, c.zoomedHeight);
        EXPECT_EQ(font.weight, 700);  // the other fields as stored
        EXPECT_EQ(font.charSet, 134);
        EXPECT_EQ(item->GetFont(), font);
    }
}

// The poet has a font key of its own (which the view fills from the composer's section);
// the singer and the adapter take the composer's key.
TEST_F(TextItems, PoetReadsItsOwnKeySingerAndAdapterTheComposers)
{
    table_.SetFont(brindle::font_key::kPoet, Font(u"Poet Face", -11));
    struct Case {
        const char* which;
        std::function<std::shared_ptr<EditableTextItem>(TextItems&)> make;
        std::u16string face;
    };
    const Case cases[] = {
        {"poet", [](TextItems& t) { return t.Make<brindle::PoetTextItem>(); }, u"Poet Face"},
        {"composer", [](TextItems& t) { return t.Make<brindle::ComposerTextItem>(); },
         u"Composer Face"},
        {"singer", [](TextItems& t) { return t.Make<brindle::SingerTextItem>(); },
         u"Composer Face"},
        {"adapter", [](TextItems& t) { return t.Make<brindle::AdapterTextItem>(); },
         u"Composer Face"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.which);
        EXPECT_EQ(c.make(*this)->GetFontHeight().FaceName(), c.face);
    }
}

TEST_F(TextItems, EmptyTitleGivesAnEmptyTextAndStillTheZoomedFont)
{
    const auto title = Make<brindle::TitleTextItem>();
    EXPECT_EQ(title->GetText(), u"");
    EXPECT_EQ(title->GetFontHeight().height, -48);
}

TEST_F(TextItems, FontHeightIsTheTableHeightTimesTheZoomTruncated)
{
    struct Case {
        float zoom;
        int height;
    };
    const Case cases[] = {{1.0f, -24}, {0.5f, -12}, {1.5f, -36}, {1.1f, -26}, {0.75f, -18},
                          {0.3f, -7}};
    const auto title = Make<brindle::TitleTextItem>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        title->SetScale(c.zoom);
        EXPECT_EQ(title->GetFontHeight().height, c.height);
    }
    // A fresh item has zoom 1 and no table: the system's font.
    const brindle::TitleTextItem fresh(Getter());
    EXPECT_FLOAT_EQ(fresh.GetScale(), 1.0f);
    EXPECT_EQ(fresh.GetResourceTable(), nullptr);
    EXPECT_EQ(fresh.GetFontHeight(), quaverly::LogFont{});
}

TEST_F(TextItems, LyricOpensWritesAndClosesItsSyllable)
{
    const LyricLocation at{2, 17, 1, 80640};
    const auto item = Make<LyricTextItem>(at, u"春");
    EXPECT_TRUE(item->IsLyric());
    EXPECT_EQ(item->GetText(), u"春");
    const quaverly::LogFont font = item->GetFontHeight();
    EXPECT_EQ(font.FaceName(), u"Lyric Face");
    EXPECT_EQ(font.height, -26);

    item->BeginEdit();
    item->SetText(u"春天");
    item->EndEdit();
    EXPECT_EQ(editor_.calls,
              (std::vector<std::string>{"BeginLyricEdit", "SetLyricText", "EndLyricEdit"}));
    EXPECT_EQ(editor_.locations, (std::vector<LyricLocation>{at, at, at}));
    EXPECT_EQ(editor_.lyricTexts, (std::vector<std::u16string>{u"春天"}));
    // Nothing of the header texts is touched.
    EXPECT_TRUE(editor_.texts.empty());
}

// The item's own copy follows every edit stored through it, whichever way the item is
// held: the text box holds the base, the view the lyric item.
TEST_F(TextItems, LyricCopyStaysCurrentThroughEitherInterface)
{
    const LyricLocation at{0, 3, 4, 0};
    auto lyric = std::make_shared<LyricTextItem>(Getter(), at, u"la");
    std::shared_ptr<EditableTextItem> asBase = lyric;

    asBase->SetText(u"lo");
    EXPECT_EQ(asBase->GetText(), u"lo");
    EXPECT_EQ(lyric->GetText(), u"lo");

    lyric->SetText(u"li");
    EXPECT_EQ(asBase->GetText(), u"li");
    EXPECT_EQ(editor_.lyricTexts, (std::vector<std::u16string>{u"lo", u"li"}));
    EXPECT_EQ(lyric->GetLocation(), at);

    // An empty syllable is written as such.
    asBase->SetText(u"");
    EXPECT_EQ(asBase->GetText(), u"");
    EXPECT_EQ(editor_.lyricTexts.back(), u"");
}

TEST_F(TextItems, TheEditorInChargeAtTheMomentOfTheCallIsUsed)
{
    const auto title = Make<brindle::TitleTextItem>();
    const auto lyric = Make<LyricTextItem>(LyricLocation{1, 2, 3, 4}, u"a");
    FakeEditor other;
    other.texts["title"] = u"另一个";
    current_ = &other;
    EXPECT_EQ(title->GetText(), u"另一个");
    title->SetText(u"x");
    lyric->SetText(u"b");
    EXPECT_EQ(other.calls, (std::vector<std::string>{"Set title", "SetLyricText"}));
    EXPECT_TRUE(editor_.calls.empty());

    // No editor at all: nothing is written, the header text reads empty, the lyric keeps
    // what was typed.
    current_ = nullptr;
    title->SetText(u"lost");
    EXPECT_EQ(title->GetText(), u"");
    lyric->BeginEdit();
    lyric->SetText(u"c");
    lyric->EndEdit();
    EXPECT_EQ(lyric->GetText(), u"c");
    EXPECT_EQ(other.calls.size(), 2u);

    // An empty getter is the same as no editor.
    brindle::TitleTextItem orphan(nullptr);
    orphan.SetText(u"x");
    EXPECT_EQ(orphan.GetText(), u"");
}

}  // namespace
