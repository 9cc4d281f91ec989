// Every value dialog shows its caption and its fixed texts (group titles, labels, button
// texts) as the program's users know them.
#include "app/dialogs/add_bars_dlg.h"
#include "app/dialogs/add_text_dlg.h"
#include "app/dialogs/add_voice_dlg.h"
#include "app/dialogs/bar_number_dlg.h"
#include "app/dialogs/bars_per_line_dlg.h"
#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/delete_bars_dlg.h"
#include "app/dialogs/delete_voice_dlg.h"
#include "app/dialogs/instrument_name_dlg.h"
#include "app/dialogs/key_signature_dlg.h"
#include "app/dialogs/lines_per_page_dlg.h"
#include "app/dialogs/octave_shift_dlg.h"
#include "app/dialogs/score_info_dlg.h"
#include "app/dialogs/tempo_mark_dlg.h"
#include "app/dialogs/tempo_text_dlg.h"
#include "app/dialogs/time_signature_dlg.h"
#include "app/dialogs/transpose_dlg.h"
#include "app/dialogs/tuplet_number_dlg.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QStringList TextsOf(const QWidget& dialog)
{
    QStringList texts;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        if (!group->title().isEmpty())
            texts << group->title();
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text();
    return texts;
}

TEST(ValueDialogTexts, CaptionsTemplatesAndFixedTexts)
{
    struct Case {
        std::function<std::unique_ptr<platform::DialogBase>()> make;
        int templateId;
        const char* caption;
        std::vector<const char*> texts;
    };
    using namespace brindle;
    const Case cases[] = {
        {[] { return std::make_unique<CAddVoiceDlg>(); }, 153, "添加声部",
         {"普通乐器", "打击乐器", "单行谱", "钢琴谱", "乐器", "添加位置（之后）：", "确定", "取消"}},
        {[] { return std::make_unique<CDeleteVoiceDlg>(); }, 155, "删除声部", {"删除当前声部", "确定", "取消"}},
        {[] { return std::make_unique<CAddBarsDlg>(); }, 157, "添加小节", {"添加小节数：", "添加位置(之后)："}},
        {[] { return std::make_unique<CDeleteBarsDlg>(); }, 159, "删除小节", {"删除小节数：", "删除位置："}},
        {[] { return std::make_unique<CBarsPerLineDlg>(); }, 215, "小节数设置对话框",
         {"行小节数", "作用范围", "当前行", "所有行"}},
        {[] { return std::make_unique<CLinesPerPageDlg>(); }, 263, "页行数设置", {"行数"}},
        {[] { return std::make_unique<CBarNumberDlg>(); }, 252, "添加小节序号对话框",
         {"每行首小节", "间隔小节", "无", "括号", "方框", "圆环", "偏移(0.1mm)", "X:", "Y:", "从指定小节开始计数:", "计数",
          "从", "到", "计数范围", "高级(&A)", "确定", "取消"}},
        {[] { return std::make_unique<CKeySignatureDlg>(); }, 161, "添加调号", {"调号"}},
        {[] { return std::make_unique<CTimeSignatureDlg>(); }, 163, "Dialog",
         {"拍号", "A", "B", "C", "D", "E", "F", "G", "H", "I"}},
        {[] { return std::make_unique<CBeatDlg>(); }, 244, "节拍设置", {"拍：", "拍类型：", "确定"}},
        {[] { return std::make_unique<CTempoMarkDlg>(); }, 165, "添加节拍标记", {"节拍", "Q", "＝"}},
        {[] { return std::make_unique<CTempoTextDlg>(); }, 167, "添加速度表情标记", {"速度表情标记"}},
        {[] { return std::make_unique<CScoreInfoDlg>(); }, 151, "乐谱信息",
         {"标题：", "副标题：", "作曲：", "作词：", "版权：", "其它描述："}},
        {[] { return std::make_unique<CAddTextDlg>(); }, 264, "添加文本对话框", {"确定", "取消"}},
        {[] { return std::make_unique<CInstrumentNameDlg>(); }, 267, "添加乐器名",
         {"乐器名", "作用范围", "当前行", "所有行", "确认(O)", "取消"}},
        {[] { return std::make_unique<CTransposeDlg>(); }, 270, "转调",
         {"调号", "方向", "向上", "向下", "作用范围（小节）", "从", "到", "到乐谱末尾", "到下一个调改变处"}},
        {[] { return std::make_unique<COctaveShiftDlg>(); }, 283, "升降八度",
         {"小节", "从：", "到：", "八度", "升高八度", "降低八度"}},
        {[] { return std::make_unique<CTupletNumberDlg>(); }, 217, "Dialog", {"输入连音数："}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<platform::DialogBase> dialog = c.make();
        EXPECT_EQ(dialog->TemplateId(), c.templateId) << c.caption;
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption)) << c.templateId;
        const QStringList texts = TextsOf(*dialog);
        for (const char* text : c.texts)
            EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << c.templateId << ": " << text;
    }
}

}  // namespace
