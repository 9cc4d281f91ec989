// The dialog service: filter texts, default extensions, the scripted answers and the
// buttons of the real message boxes.
#include "platform/scripted_dialog_service.h"

#include "platform/qt_dialog_service.h"
#include "tests/platform/temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using platform::FileDialogRequest;
using platform::FileFilter;
using platform::ScriptedDialogService;

TEST(DialogServiceTest, FilterTextsGiveTheirEntries)
{
    EXPECT_EQ(platform::ParseFileFilter(u"Larkspire简谱文件(*.exl)|*.exl|MusicXML Files(*.xml)|*.xml|MIDI Files(*.mid)|*.mid|"
                                        u"所有文件(*.*)|*.*||"),
              (std::vector<FileFilter>{{u"Larkspire简谱文件(*.exl)", {u"*.exl"}},
                                       {u"MusicXML Files(*.xml)", {u"*.xml"}},
                                       {u"MIDI Files(*.mid)", {u"*.mid"}},
                                       {u"所有文件(*.*)", {u"*.*"}}}));
    EXPECT_EQ(platform::ParseFileFilter(u"Pictures|*.bmp; *.png||ignored|*.x"),
              (std::vector<FileFilter>{{u"Pictures", {u"*.bmp", u"*.png"}}}));
    EXPECT_EQ(platform::ParseFileFilter(u"No end|*.wmf"), (std::vector<FileFilter>{{u"No end", {u"*.wmf"}}}));
    EXPECT_TRUE(platform::ParseFileFilter(u"").empty());
    EXPECT_TRUE(platform::ParseFileFilter(u"description only|").empty());
}

// A file dialog lists each entry's patterns once, also for the descriptions that carry
// them already.
TEST(DialogServiceTest, FilterChoicesShowTheirPatternsOnce)
{
    struct Case {
        FileFilter filter;
        std::u16string shown;
    };
    const Case cases[] = {
        {{u"Midi Files(*.mid)", {u"*.mid"}}, u"Midi Files (*.mid)"},
        {{u"Larkspire简谱文件(*.exl)", {u"*.exl"}}, u"Larkspire简谱文件 (*.exl)"},
        {{u"Windows Metafile(*.wmf)", {u"*.wmf"}}, u"Windows Metafile (*.wmf)"},
        {{u"Pictures", {u"*.bmp", u"*.png"}}, u"Pictures (*.bmp *.png)"},
        {{u"Pictures (*.bmp;*.png)", {u"*.bmp", u"*.png"}}, u"Pictures (*.bmp *.png)"},
        {{u"Scores(*.xml)", {u"*.exl"}}, u"Scores(*.xml) (*.exl)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::FileFilterChoice(c.filter), c.shown);
}

TEST(DialogServiceTest, DefaultExtensionsAreAddedOnlyToNamesWithoutOne)
{
    struct Case {
        std::u16string path;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"/home/u/song", u"/home/u/song.exl"},   {u"/home/u/song.exl", u"/home/u/song.exl"},
        {u"/home/u/song.xml", u"/home/u/song.xml"}, {u"/home/u.d/song", u"/home/u.d/song.exl"},
        {u"song", u"song.exl"},                   {u"/home/u/", u"/home/u/"},
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::WithDefaultExtension(c.path, u"exl"), c.expected);
    EXPECT_EQ(platform::WithDefaultExtension(u"a", u".mid"), u"a.mid");
}

TEST(DialogServiceTest, ScriptedFileDialogsAnswerInOrderAndSaveNamesGetTheExtension)
{
    ScriptedDialogService script;
    platform::ScopedDialogService inForce(script);
    script.ChooseFile(u"/tmp/score", 2);
    script.CancelFileDialog();

    FileDialogRequest save;
    save.open = false;
    save.filter = u"Midi Files(*.mid)|*.mid||";
    save.defaultExtension = u"mid";
    save.flags = platform::kOfnHideReadOnly | platform::kOfnOverwritePrompt;
    save.filterIndex = 0;
    ASSERT_TRUE(platform::DialogService::Current().GetFileName(save));
    EXPECT_EQ(save.fileName, u"/tmp/score.mid");
    EXPECT_EQ(save.filterIndex, 2u);

    FileDialogRequest open;
    EXPECT_FALSE(platform::DialogService::Current().GetFileName(open));
    // Without a step the dialog is cancelled.
    EXPECT_FALSE(platform::DialogService::Current().GetFileName(open));
    ASSERT_EQ(script.FileDialogs().size(), 3u);
    EXPECT_EQ(script.FileDialogs()[0].flags, 6u);
    EXPECT_EQ(script.FileDialogs()[0].filterIndex, 1u);  // index 0 asks for the first filter
}

TEST(DialogServiceTest, ScriptedMessageBoxesRecordAndAnswer)
{
    ScriptedDialogService script;
    platform::ScopedDialogService inForce(script);
    platform::SetMessageCaption(u"Larkspire简谱");
    script.AnswerMessageBox(platform::kIdYes);
    EXPECT_EQ(platform::ShowMessage(u"是否继续？", platform::kMbYesNo | platform::kMbIconQuestion), platform::kIdYes);
    // Unanswered: OK for an OK box, No for Yes/No, Cancel otherwise.
    EXPECT_EQ(platform::ShowMessage(u"文件打开失败！"), platform::kIdOk);
    EXPECT_EQ(platform::ShowMessage(u"?", platform::kMbYesNo), platform::kIdNo);
    EXPECT_EQ(platform::ShowMessage(u"?", platform::kMbYesNoCancel), platform::kIdCancel);
    script.SetDefaultMessageAnswer(platform::kIdYes);
    EXPECT_EQ(platform::ShowMessage(u"?", platform::kMbYesNoCancel), platform::kIdYes);
    ASSERT_EQ(script.MessageBoxes().size(), 5u);
    EXPECT_EQ(script.MessageBoxes()[0].text, u"是否继续？");
    EXPECT_EQ(script.MessageBoxes()[0].caption, u"Larkspire简谱");
    EXPECT_EQ(script.MessageBoxes()[0].type, platform::kMbYesNo | platform::kMbIconQuestion);
    platform::SetMessageCaption(u"");
}

TEST(DialogServiceTest, ScopedServicesNestAndTheBuiltInOneComesBack)
{
    platform::DialogService& builtIn = platform::DialogService::Current();
    ScriptedDialogService outer, inner;
    {
        platform::ScopedDialogService a(outer);
        {
            platform::ScopedDialogService b(inner);
            EXPECT_EQ(&platform::DialogService::Current(), &inner);
        }
        EXPECT_EQ(&platform::DialogService::Current(), &outer);
    }
    EXPECT_EQ(&platform::DialogService::Current(), &builtIn);
}

TEST(DialogServiceTest, ScriptedFontDialogs)
{
    ScriptedDialogService script;
    platform::ScopedDialogService inForce(script);
    script.AnswerFontDialog([](platform::FontDialogRequest& request) {
        request.font.SetFaceName(u"宋体");
        request.font.height = -16;
        return true;
    });
    platform::FontDialogRequest request;
    request.font.SetFaceName(u"Arial");
    ASSERT_TRUE(platform::DialogService::Current().ChooseFont(request));
    EXPECT_EQ(request.font.FaceName(), u"宋体");
    EXPECT_EQ(script.FontDialogs().at(0).font.FaceName(), u"Arial");
    EXPECT_FALSE(platform::DialogService::Current().ChooseFont(request));
}

}  // namespace

namespace {

// The real message box, answered by clicking the button with the given text.
struct ShownBox {
    QStringList texts;
    int answer = 0;
};

ShownBox ShowAndClick(unsigned type, const QString& click)
{
    ShownBox shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QAbstractButton* target = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            shown.texts << button->text();
            if (button->text() == click)
                target = button;
        }
        if (target)
            target->click();
        else
            box->reject();
    });
    platform::QtDialogService service;
    shown.answer = service.MessageBox(nullptr, u"是否保存？", u"", type);
    shown.texts.sort();
    return shown;
}

}  // namespace

TEST(QtDialogServiceTest, MessageBoxButtonsAreChineseAndGiveTheirAnswers)
{
    struct Case {
        unsigned type;
        QStringList texts;
        QString click;
        int answer;
    };
    const Case cases[] = {
        {platform::kMbYesNo, {u"否(&N)"_qs, u"是(&Y)"_qs}, u"否(&N)"_qs, platform::kIdNo},
        {platform::kMbYesNoCancel, {u"取消"_qs, u"否(&N)"_qs, u"是(&Y)"_qs}, u"是(&Y)"_qs, platform::kIdYes},
        {platform::kMbOkCancel, {u"取消"_qs, u"确定"_qs}, u"取消"_qs, platform::kIdCancel},
        {platform::kMbOk, {u"确定"_qs}, u"确定"_qs, platform::kIdOk},
    };
    for (const Case& c : cases) {
        QStringList expected = c.texts;
        expected.sort();
        const ShownBox shown = ShowAndClick(c.type, c.click);
        EXPECT_EQ(shown.texts, expected) << c.type;
        EXPECT_EQ(shown.answer, c.answer) << c.type;
    }
}

// The file dialog opens in the folder asked for, with the proposed name in that folder.
TEST(QtDialogServiceTest, FileDialogStartsInTheFolderAskedFor)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "歌曲");
    const QString start = QString::fromStdString((folder.Path() / "歌曲").string());
    QString shownFolder;
    QStringList shownFiles;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownFolder = dialog->directory().absolutePath();
        shownFiles = dialog->selectedFiles();
        dialog->reject();
    });
    platform::QtDialogService service;
    platform::FileDialogRequest request;
    request.open = false;
    request.filter = u"MIDI Files(*.mid)|*.mid||";
    request.fileName = u"song";
    request.initialFolder = start.toStdU16String();
    EXPECT_FALSE(service.GetFileName(request));
    EXPECT_EQ(shownFolder, start);
    EXPECT_EQ(shownFiles, QStringList{start + QStringLiteral("/song")});
}
