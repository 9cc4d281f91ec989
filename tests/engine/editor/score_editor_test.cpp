// The engine-side editor object: its initial state, document reset, selection list and
// notices.
#include <memory>

#include <gtest/gtest.h>

#include "engine/editor/score_editor.h"
#include "engine/model/container_element.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

TEST(ScoreEditorTest, StartsWithAnEmptyDocumentUnderTheController)
{
    ScoreEditor editor;
    EXPECT_EQ(editor.score->GetChildCount(), 0);
    EXPECT_EQ(editor.layout->GetChildCount(), 0);
    EXPECT_EQ(editor.layout->GetParent(), editor.controller.get());
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(editor.cursor, (CursorPosition{0, 1, 0, 0, 0}));
    EXPECT_EQ(editor.currentPage, 0);
    EXPECT_TRUE(editor.caretEnabled);
    EXPECT_EQ(editor.caretLine->GetColor(), color_index::kCaretLine);
    EXPECT_EQ(editor.guideLine->GetColor(), color_index::kGuideLine);
    EXPECT_EQ(editor.viewFlags, (std::array<bool, 8>{true, true, true, false, false, false,
                                                      false, false}));
    EXPECT_FALSE(editor.history.CanUndo());
    EXPECT_FALSE(editor.history.CanRedo());
    EXPECT_EQ(editor.GetBarCount(), 0);
}

TEST(ScoreEditorTest, ResetDocumentEmptiesTheDocumentAndKeepsTheFirstTwoViewFlags)
{
    ScoreEditor editor;
    fakes::RecordingListener listener;
    editor.listener = &listener;
    editor.score->AppendChild(std::make_shared<ContainerElement>());
    editor.layout->AppendChild(std::make_shared<ContainerElement>());
    editor.lines.push_back(std::make_shared<ContainerElement>());
    editor.cursor = {3, 4, 1, 2, 161280};
    editor.currentPage = 3;
    editor.caretEnabled = false;
    editor.viewFlags = {false, false, false, true, true, true, true, true};
    editor.hideEmptyLines = true;
    editor.deferredReflows = {1, 2};
    editor.pageContentWidth = 18000;
    editor.currentMode = 2;
    editor.AddSelectedElement(std::make_shared<ScoreElement>());

    editor.ResetDocument();

    EXPECT_EQ(editor.score->GetChildCount(), 0);
    EXPECT_EQ(editor.layout->GetChildCount(), 0);
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(editor.cursor, CursorPosition{});
    EXPECT_EQ(editor.currentPage, 0);
    EXPECT_TRUE(editor.caretEnabled);
    EXPECT_EQ(editor.viewFlags, (std::array<bool, 8>{false, false, true, false, false, false,
                                                      false, false}));
    EXPECT_FALSE(editor.hideEmptyLines);
    EXPECT_TRUE(editor.deferredReflows.empty());
    EXPECT_TRUE(editor.selectedElements.empty());
    // What belongs to the host and the session stays, and nothing is reported.
    EXPECT_EQ(editor.pageContentWidth, 18000);
    EXPECT_EQ(editor.currentMode, 2);
    EXPECT_EQ(editor.listener, &listener);
    EXPECT_TRUE(listener.codes.empty());
}

TEST(ScoreEditorTest, SelectionListKeepsOrderAndHoldsEachElementOnce)
{
    ScoreEditor editor;
    auto a = std::make_shared<ScoreElement>();
    auto b = std::make_shared<ScoreElement>();
    auto c = std::make_shared<ScoreElement>();

    EXPECT_EQ(editor.AddSelectedElement(a), 0);
    EXPECT_EQ(editor.AddSelectedElement(b), 1);
    EXPECT_EQ(editor.AddSelectedElement(a), 0);  // already there
    EXPECT_EQ(editor.AddSelectedElement(c), 2);
    EXPECT_EQ(editor.AddSelectedElement(nullptr), -1);
    editor.RemoveSelectedElement(b.get());
    editor.RemoveSelectedElement(b.get());  // absent: nothing

    EXPECT_EQ(editor.selectedElements, (std::vector<std::shared_ptr<ScoreElement>>{a, c}));
}

TEST(ScoreEditorTest, ClearSelectedElementsDeselectsEveryEntry)
{
    ScoreEditor editor;
    auto a = std::make_shared<ScoreElement>();
    auto b = std::make_shared<ScoreElement>();
    a->Select();
    b->Select();
    editor.AddSelectedElement(a);
    editor.AddSelectedElement(b);

    editor.ClearSelectedElements();

    EXPECT_TRUE(editor.selectedElements.empty());
    EXPECT_EQ(a->GetState(), element_state::kNormal);
    EXPECT_EQ(b->GetState(), element_state::kNormal);
}

TEST(ScoreEditorTest, NoticesReachTheListenerOnlyWhenOneIsSet)
{
    ScoreEditor editor;
    editor.NotifyListener(EditorNoticeCode::ContentChanged);  // no listener: nothing

    fakes::RecordingListener listener;
    editor.listener = &listener;
    editor.NotifyListener(EditorNoticeCode::ContentChanged);
    editor.NotifyListener(EditorNotice{EditorNoticeCode::DocumentModified});

    EXPECT_EQ(listener.codes, (std::vector<int>{1, 3}));
}

TEST(ScoreEditorTest, BarCountIsTheNumberOfBarsOfTheFirstPart)
{
    ScoreEditor editor;
    auto container = std::make_shared<ContainerElement>();
    auto part = std::make_shared<ScoreElement>();
    for (int i = 0; i < 4; ++i)
        part->AppendChild(std::make_shared<ScoreElement>());
    container->AppendChild(part);
    editor.score->AppendChild(container);

    EXPECT_EQ(editor.GetBarCount(), 4);
}

TEST(ScoreEditorTest, NotificationsFromTheViewEndAtTheController)
{
    ScoreEditor editor;
    auto controller = std::make_shared<fakes::RecordingElement>("controller", nullptr);
    controller->HandleNotifications(1);
    editor.controller = controller;
    editor.layout->SetParent(controller.get());
    auto page = std::make_shared<ContainerElement>();
    editor.layout->AppendChild(page);
    fakes::FakePainter painter;
    editor.layout->Layout(painter);

    EXPECT_EQ(page->NotifySelf(notification_id::kSelectionChanged, nullptr), 1);
    ASSERT_EQ(controller->ReceivedRecords().size(), 1u);
}

}  // namespace
}  // namespace quaverly
