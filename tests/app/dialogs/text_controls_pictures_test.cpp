// Pictures of the toolbars, the lyric editor, the in-place text box, the hyperlink and the
// import progress window as the user sees them. Writes PNG files into
// build/bin/specimen/dialogs/ (or into $BRINDLE_SPECIMEN_DIR) for looking at; the tests
// check only that the pictures were made.
#include "app/dialogs/flat_tool_bar.h"
#include "app/dialogs/font_tool_bar.h"
#include "app/dialogs/import_progress_dlg.h"
#include "app/dialogs/link_static.h"
#include "app/dialogs/lyric_edit.h"
#include "app/dialogs/lyric_edit_dlg.h"
#include "app/dialogs/lyrics_editor.h"
#include "app/dialogs/score_text_edit.h"
#include "app/dialogs/slider_tool_bar.h"
#include "platform/frame_window_base.h"
#include "tests/app/dialogs/dialog_test_util.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

namespace fs = std::filesystem;

fs::path SpecimenFolder()
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const fs::path folder = dir ? fs::path(dir) : fs::path(BRINDLE_BIN_DIR) / "specimen" / "dialogs";
    fs::create_directories(folder);
    return folder;
}

void Save(QWidget& widget, const char* name)
{
    brindle::test::ProcessEvents();
    const QImage picture = widget.grab().toImage();
    const fs::path file = SpecimenFolder() / name;
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));
    std::cout << "specimen: " << file.string() << "\n";
    EXPECT_GT(picture.width(), 20);
    EXPECT_GT(picture.height(), 10);
}

class Lyrics final : public brindle::LyricsEditor {
public:
    void GetLyrics(int, int verse, std::vector<std::u16string>& syllables) override
    {
        syllables = verse == 0 ? std::vector<std::u16string>{u"好", u"一", u"朵", u"美", u"丽", u"的", u"", u"茉", u"莉", u"花"}
                               : std::vector<std::u16string>(10);
    }
    void SetLyrics(int, int, const std::vector<std::u16string>&) override {}
};

TEST(Specimen, ToolBars)
{
    platform::FrameWindowBase frame;
    frame.resize(900, 200);
    auto* file = new brindle::CFlatToolBar(&frame);
    for (const char* text : {"新建", "打开", "保存"})
        file->addAction(QString::fromUtf8(text));
    file->addSeparator();
    file->addAction(QStringLiteral("打印"));
    frame.addToolBar(file);

    auto* playback = new brindle::CSliderToolBar(&frame);
    for (const char* text : {"播放", "暂停", "停止"})
        playback->addAction(QString::fromUtf8(text));
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(brindle::CSliderToolBar::kMinimumTempo, brindle::CSliderToolBar::kMaximumTempo);
    slider->setValue(brindle::CSliderToolBar::kDefaultTempo);
    slider->setFixedWidth(140);
    playback->addWidget(slider);
    auto* tempo = new QLineEdit(QStringLiteral("100"));
    tempo->setReadOnly(true);
    tempo->setFixedWidth(40);
    playback->addWidget(tempo);
    frame.addToolBar(playback);

    auto* font = new brindle::CFontToolBar(&frame);
    for (int i = 0; i < 4; ++i)
        font->addSeparator();
    for (const char* text : {"粗体", "斜体", "下划线"})
        font->addAction(QString::fromUtf8(text));
    font->PositionCombos();
    font->setWindowTitle(QStringLiteral("字体"));
    frame.addToolBarBreak();
    frame.addToolBar(font);
    frame.show();
    brindle::test::ProcessEvents();
    Save(*file, "toolbar_file.png");
    Save(*playback, "toolbar_playback.png");
    Save(*font, "toolbar_font.png");

    // The face list as it drops down.
    font->NameBox()->showPopup();
    brindle::test::ProcessEvents();
    if (QWidget* list = font->NameBox()->view()->window())
        Save(*list, "toolbar_font_faces.png");
    font->NameBox()->hidePopup();
    brindle::test::ProcessEvents();
}

TEST(Specimen, LyricEditor)
{
    Lyrics lyrics;
    brindle::CLyricEditDlg dialog(lyrics);
    dialog.SetVoice(0);
    ASSERT_TRUE(dialog.BeginModal());
    dialog.adjustSize();
    dialog.show();
    Save(dialog, "lyric_editor.png");
}

TEST(Specimen, LinkAndProgress)
{
    QWidget about;
    about.setFixedSize(320, 90);
    auto* plain = new brindle::CLinkStatic(QStringLiteral("https://www.example.com/brindle"), &about);
    plain->move(10, 10);
    plain->SetURL(u"https://www.example.com/brindle");
    auto* visited = new brindle::CLinkStatic(QStringLiteral("访问过的链接"), &about);
    visited->move(10, 40);
    visited->SetURL(u"https://www.example.com/visited");
    visited->SetVisited(true);
    about.show();
    Save(about, "link_static.png");

    brindle::CImportProgressDlg progress;
    progress.ResetProgress();
    for (int i = 0; i < 40; ++i)
        progress.StepProgress();
    progress.adjustSize();
    progress.show();
    Save(progress, "import_progress.png");
}

// The in-place box over a piece of paper, partly typed.
class Title final : public brindle::EditableTextItem {
public:
    Title() : EditableTextItem([] { return nullptr; }) {}
    void SetText(std::u16string_view) override {}
    std::u16string GetText() const override { return u"茉莉花"; }
    quaverly::LogFont GetFontHeight() const override
    {
        quaverly::LogFont font;
        font.height = -28;
        font.SetFaceName(u"宋体");
        return font;
    }
};

TEST(Specimen, InPlaceTextBox)
{
    QWidget paper;
    paper.resize(300, 80);
    paper.setStyleSheet(QStringLiteral("background: #f3ead7"));
    auto* box = new brindle::CScoreTextEdit(&paper);
    box->hide();
    QImage texture(4, 4, QImage::Format_RGB32);
    texture.fill(QColor(0xf3, 0xea, 0xd7));
    texture.setPixelColor(1, 1, QColor(0xe6, 0xdc, 0xc4));
    box->SetBackgroundBitmap(texture);
    box->setGeometry(20, 20, 40, 40);
    box->SetTextItem(std::make_shared<Title>());
    paper.show();
    box->show();
    brindle::test::ProcessEvents();
    box->insert(QStringLiteral("（江苏民歌）"));
    Save(paper, "in_place_text_box.png");
    box->SetTextItem(nullptr);
    box->hide();
}

}  // namespace
