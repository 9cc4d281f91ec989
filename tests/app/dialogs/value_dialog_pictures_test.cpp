// Pictures of the value dialogs as they open, for people to look at:
//
//     build/bin/test_app_dialogs --gtest_filter='Specimen.*'
//
// writes build/bin/specimen/value_dialogs/*.png (or into $BRINDLE_SPECIMEN_DIR/value_dialogs) and one
// sheet of them all, value_dialogs.png. Each dialog is shown off-screen after its
// initialisation and grabbed; the test checks that each picture has ink in it.
#include "app/dialogs/add_bars_dlg.h"
#include "app/dialogs/add_voice_dlg.h"
#include "app/dialogs/bar_number_dlg.h"
#include "app/dialogs/beat_dlg.h"
#include "app/dialogs/delete_bars_dlg.h"
#include "app/dialogs/key_signature_dlg.h"
#include "app/dialogs/octave_shift_dlg.h"
#include "app/dialogs/score_info_dlg.h"
#include "app/dialogs/tempo_mark_dlg.h"
#include "app/dialogs/time_signature_dlg.h"
#include "app/dialogs/transpose_dlg.h"
#include "platform/font_resources.h"
#include "tests/app/dialogs/value_dialog_test_support.h"

#include <QImage>
#include <QPixmap>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>

namespace {

using dialog_test::TestFolder;
using platform::DialogBase;

std::filesystem::path SpecimenFolder()
{
    const char* dir = std::getenv("BRINDLE_SPECIMEN_DIR");
    const std::filesystem::path root = dir ? std::filesystem::path(dir) : std::filesystem::path(BRINDLE_BIN_DIR) / "specimen";
    std::filesystem::create_directories(root / "value_dialogs");
    return root;
}

// Shows the dialog as its modal run does, lets `prepare` work on it, and grabs it.
QImage Grab(DialogBase& dialog, platform::ScriptedDialogService& script,
            const std::function<void(DialogBase&)>& prepare = {})
{
    QImage picture;
    script.AnswerModal([&](DialogBase& d) {
        if (prepare)
            prepare(d);
        d.show();
        ProcessPostedMessages();
        picture = d.grab().toImage();
        d.hide();
        d.ClickButton(platform::kIdCancel);
    });
    dialog.DoModal();
    return picture;
}

// Pixels that differ from the top-left corner (the window's background).
int Ink(const QImage& image)
{
    if (image.isNull())
        return 0;
    const QRgb background = image.pixel(0, 0);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += image.pixel(x, y) != background ? 1 : 0;
    return ink;
}

TEST(Specimen, ValueDialogs)
{
    ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
    platform::ScriptedDialogService script;
    platform::ScopedDialogService inForce(script);
    TestFolder data;
    data.Name("Patch Name File", "settings\\PatchName.ini");
    data.Write("settings/PatchName.ini",
                   "[PATCH SECTION]\r\nPatch Count=2\r\nItem 0=钢琴\r\nItem 1=明亮钢琴\r\n"
                   "[PATCH SECTION 1028]\r\nPatch Count=2\r\nItem 0=钢琴\r\nItem 1=明亮钢琴\r\n");

    struct Shot {
        const char* name;
        std::unique_ptr<DialogBase> dialog;
        std::function<void(DialogBase&)> prepare;
    };
    std::vector<Shot> shots;
    shots.push_back({"key_signature", std::make_unique<brindle::CKeySignatureDlg>(), {}});
    shots.push_back({"time_signature", std::make_unique<brindle::CTimeSignatureDlg>(), {}});
    shots.push_back({"beat", std::make_unique<brindle::CBeatDlg>(), {}});
    shots.push_back({"tempo_mark", std::make_unique<brindle::CTempoMarkDlg>(), {}});
    shots.push_back({"transpose", std::make_unique<brindle::CTransposeDlg>(), {}});
    shots.push_back({"octave_shift", std::make_unique<brindle::COctaveShiftDlg>(), {}});
    auto info = std::make_unique<brindle::CScoreInfoDlg>();
    info->SetTitle(u"茉莉花");
    info->SetSubtitle(u"江苏民歌");
    shots.push_back({"score_info", std::move(info), {}});
    auto voice = std::make_unique<brindle::CAddVoiceDlg>();
    voice->SetDataFolder(data.Data());
    voice->SetVoiceCount(2);
    shots.push_back({"add_voice", std::move(voice), {}});
    auto bars = std::make_unique<brindle::CDeleteBarsDlg>();
    bars->SetCurrentBar(5);
    bars->SetBarCount(8);
    shots.push_back({"delete_bars", std::move(bars), {}});
    shots.push_back({"bar_number_collapsed", std::make_unique<brindle::CBarNumberDlg>(), {}});
    shots.push_back({"bar_number_expanded", std::make_unique<brindle::CBarNumberDlg>(),
                     [](DialogBase& d) { d.ClickButton(brindle::CBarNumberDlg::kIdAdvanced); }});

    const std::filesystem::path folder = SpecimenFolder();
    std::vector<QImage> pictures;
    for (Shot& shot : shots) {
        QImage picture = Grab(*shot.dialog, script, shot.prepare);
        EXPECT_GT(Ink(picture), 500) << shot.name;
        const std::filesystem::path file = folder / "value_dialogs" / (std::string(shot.name) + ".png");
        EXPECT_TRUE(picture.save(QString::fromStdString(file.string())));
        pictures.push_back(std::move(picture));
    }
    // One sheet of them all, three to a row.
    const QImage sheet = dialog_test::PictureSheet(pictures, 3, Qt::white);
    const std::filesystem::path file = folder / "value_dialogs.png";
    EXPECT_TRUE(sheet.save(QString::fromStdString(file.string())));
    std::cout << "specimen sheet: " << file.string() << "\n";
}

}  // namespace
