// The score view shown offscreen over an editor that records the input it gets, with the
// frame that records what the view posts to it. The editor can behave as the real one
// does with a typed note: busy, content changed and modified when the note goes in, and
// "pending commands run" when the view's paint runs its commands.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/view_listeners.h"
#include "engine/model/page_text_data.h"
#include "platform/frame_window_base.h"
#include "platform/key_translation.h"
#include "shell_fakes.h"
#include "stub_editor.h"

namespace view_input_test {

using brindle::CBrindleView;
namespace code = quaverly::EditorNoticeCode;

class InputEditor : public view_test::StubEditor {
public:
    // Every call the tests look at, in order, as text ("InputNote 2 0 161280 0 0 0 0").
    std::vector<std::string> calls;
    quaverly::EditorListener* listener = nullptr;
    std::vector<quaverly::PageTextData> textItems;
    std::vector<quaverly::Point> points;
    // Report on a typed note as the engine does (21, 1, 3); false: report nothing.
    bool reportInput = true;

    void SetListener(quaverly::EditorListener* l) override { listener = l; }
    void InputNote(int degree, int octave, int value, int dots, int accidental, int grace, int flags) override
    {
        Record("InputNote", {degree, octave, value, dots, accidental, grace, flags});
        ReportInput();
    }
    void InputChord(const std::vector<int>* keys, int value, int dots, int grace, int flags) override
    {
        std::vector<int> values = keys ? *keys : std::vector<int>{};
        values.insert(values.end(), {value, dots, grace, flags});
        Record("InputChord", values);
        ReportInput();
    }
    void RunPendingCommands(quaverly::ScorePainter*) override
    {
        calls.push_back("Run");
        Send(code::PendingCommandsRun);
    }
    void SetNoteValue(int v) override { Record("SetNoteValue", {v}); }
    void SetOctave(int v) override { Record("SetOctave", {v}); }
    void SetDots(int v) override { Record("SetDots", {v}); }
    void SetAccidental(int v) override { Record("SetAccidental", {v}); }
    void MakeTuplet(int a, int n) override { Record("MakeTuplet", {a, n}); }
    void ToggleTie() override { calls.push_back("ToggleTie"); }
    void EnlargeNote() override { calls.push_back("EnlargeNote"); }
    void ShrinkNote() override { calls.push_back("ShrinkNote"); }
    void SetInputMode(int mode) override { Record("SetInputMode", {mode}); }
    void SetCurrentPage(int page) override { Record("SetCurrentPage", {page}); }
    void OnKeyDown(int key, int flags) override { Record("OnKeyDown", {key, flags}); }
    void OnButtonDown(quaverly::Point p, int flags, int) override
    {
        points.push_back(p);
        Record("OnButtonDown", {flags});
    }
    void OnButtonUp(quaverly::Point p, int flags) override
    {
        points.push_back(p);
        Record("OnButtonUp", {flags});
    }
    void OnPointerMove(quaverly::Point p, int flags) override
    {
        points.push_back(p);
        Record("OnPointerMove", {flags});
    }
    void OnDoubleClick(quaverly::Point p, int flags, int) override
    {
        points.push_back(p);
        Record("OnDoubleClick", {flags});
    }
    void SetCaretEnabled(bool on) override { Record("SetCaretEnabled", {on ? 1 : 0}); }
    void AddTextItem(const quaverly::PageTextData& text) override
    {
        textItems.push_back(text);
        calls.push_back("AddTextItem");
    }
    void BeginLyricEdit(int part, int bar, int verse, int time) override
    {
        Record("BeginLyricEdit", {part, bar, verse, time});
    }
    std::u16string GetTitle() const override { return u"标题"; }
    void SetTitle(const std::u16string& text) override
    {
        calls.push_back("SetTitle");
        storedText = text;
    }
    void SetLyricText(const quaverly::LyricTextRecord& r) override
    {
        Record("SetLyricText", {r.part, r.bar, r.verse, r.time});
        storedText = r.text;
    }
    // The text of the last title or syllable stored.
    std::u16string storedText;

    void Send(int noticeCode)
    {
        if (listener)
            listener->Notify(quaverly::EditorNotice{noticeCode});
    }

    // The calls whose text starts with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0)
                out.push_back(c);
        return out;
    }

private:
    void ReportInput()
    {
        if (!reportInput)
            return;
        Send(code::InputBusy);
        Send(code::ContentChanged);
        Send(code::DocumentModified);
    }
    void Record(const std::string& name, const std::vector<int>& values)
    {
        std::string text = name;
        for (int v : values)
            text += " " + std::to_string(v);
        calls.push_back(text);
    }
};

// The view with the set-up's key tables left to the tests.
class InputView : public CBrindleView {
public:
    void Key(int key, int modifiers = 0, unsigned flags = 0)
    {
        platform::ScopedModifierState state(modifiers);
        OnKeyDown(key, 1, flags);
    }
    void KeyUp(int key)
    {
        platform::ScopedModifierState state(0);
        OnKeyUp(key, 1, 0xC000u);
    }
    void Press(int x, int y, unsigned flags = platform::kMkLButton) { OnLButtonDown(flags, {x, y}); }
    void Release(int x, int y, unsigned flags = 0) { OnLButtonUp(flags, {x, y}); }
    void Move(int x, int y, unsigned flags = platform::kMkLButton) { OnMouseMove(flags, {x, y}); }
    void DoubleClick(int x, int y, unsigned flags = 0) { OnLButtonDblClk(flags, {x, y}); }

protected:
    void BuildKeyCommands() override {}
    void BuildSymbolKeyCommands() override {}
};

class ViewInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = std::make_unique<platform::FrameWindowBase>();
        for (platform::MessageId id : {brindle::msg::kShowPosition, brindle::msg::kMouseToolChanged}) {
            frame_->MapMessage(id, [this, id](platform::WParam w, platform::LParam l) {
                posted_.push_back({id, static_cast<int>(w), static_cast<int>(l)});
                return platform::LResult{0};
            });
        }
        StartView();
    }

    // A new view in place of the fixture's, set up from `dataFolder` (empty: the
    // program's own).
    void StartView(std::u16string dataFolder = {})
    {
        view_.reset();
        view_ = std::make_unique<InputView>();
        view_->UseEditor(&editor_);
        view_->UseMidiOut(&echo_);
        view_->SetFrame(frame_.get());
        view_->SetDataFolder(std::move(dataFolder));
        view_->resize(700, 600);
        view_->show();
        view_->Create();
        view_->InitialUpdate();
        shell_test::Pump();
        posted_.clear();
    }

    void TearDown() override { view_.reset(); }

    // A score shown on an A4 page, its first renders done.
    void ShowScore()
    {
        view_->SetPageInfo(brindle::PageInfo{});
        view_->ApplyPageInfo();
        view_->ShowScore();
        for (int i = 0; i < 5 && view_->PendingRenders() > 0; ++i)
            Paint();
        shell_test::Pump();
        editor_.calls.clear();
    }

    void Paint() { (void)view_->viewport()->grab(); }

    // Delivers what was posted and paints whenever a render is owed, until the queue is
    // empty and the editor free.
    void Settle()
    {
        for (int i = 0; i < 50; ++i) {
            shell_test::Pump();
            if (view_->PendingRenders() > 0)
                Paint();
            else if (view_->QueuedInputCount() == 0 && !view_->IsEditorBusy())
                return;
        }
    }

    struct Posted {
        platform::MessageId id;
        int w;
        int l;
    };

    InputEditor editor_;
    shell_test::RecordingSink echo_;
    std::unique_ptr<platform::FrameWindowBase> frame_;
    std::unique_ptr<InputView> view_;
    std::vector<Posted> posted_;
};

}  // namespace view_input_test
