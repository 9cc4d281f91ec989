// The import progress window: the bar's range and steps, its start again after the end,
// Escape that leaves it shown, and a second showing that starts from 0.
#include "app/dialogs/import_progress_dlg.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

using brindle::CImportProgressDlg;
using namespace brindle::test;

TEST(ImportProgressDlg, BarStartsAtZeroAndWrapsAfterAHundredSteps)
{
    CImportProgressDlg dialog;
    QProgressBar* bar = dialog.Control<QProgressBar>(CImportProgressDlg::kIdProgress);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(dialog.Position(), 0);
    dialog.StepProgress();
    EXPECT_EQ(dialog.Position(), 1);
    for (int i = 1; i < 100; ++i)
        dialog.StepProgress();
    EXPECT_EQ(dialog.Position(), 100) << "a hundred steps reach the end";
    dialog.StepProgress();
    EXPECT_EQ(dialog.Position(), 0) << "and the next starts again";
    dialog.StepProgress();
    EXPECT_EQ(dialog.Position(), 1);
}

TEST(ImportProgressDlg, EscapeLeavesItShownAndShowingAgainStartsFromZero)
{
    QWidget frame;
    frame.resize(400, 300);
    frame.show();
    CImportProgressDlg dialog(&frame);
    EXPECT_FALSE(dialog.isVisible());
    dialog.ResetProgress();
    ASSERT_TRUE(ShowActive(dialog));
    for (int i = 0; i < 7; ++i)
        dialog.StepProgress();
    SendKey(&dialog, Qt::Key_Escape);
    ProcessEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsEnded());
    EXPECT_EQ(dialog.Position(), 7);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible()) << "a close request does not end it either";

    dialog.hide();
    dialog.ResetProgress();
    dialog.show();
    EXPECT_EQ(dialog.Position(), 0);
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(dialog.isModal());
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("正在导入文件..."));
}

}  // namespace
