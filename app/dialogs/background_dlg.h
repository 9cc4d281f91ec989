// "背景设置": the foreground (paper) and background texture pictures of the score view,
// chosen from the bitmap files of the two texture folders that "SYSTEM INFO" names. Each
// change of a choice is previewed at once: the owner window is sent 0x5FE (background)
// or 0x5FF (foreground) with the chosen file name (a zero-terminated UTF-16 string owned
// by the dialog, valid during the call) as the first parameter. OK writes the two names
// into "TEXTURE INFO" of the option file; Cancel writes nothing, and the owner undoes the
// previews by loading the textures from the option file again.
//
// A list without a choice (an empty folder, or a current file that is not there) leaves
// its name in the option file as it was. When the option file cannot be written, OK
// says so ("背景设置保存失败！") and the dialog stays open.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/dialogs/data_folder.h"
#include "platform/dialog_base.h"
#include "platform/message_port.h"

namespace brindle {

class CBackgroundDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 195;
    static constexpr int kIdForegroundList = 1077;
    static constexpr int kIdBackgroundList = 1078;
    static constexpr platform::MessageId kMsgBackgroundPreview = platform::kWmUser + 0x1FE;  // 0x5FE
    static constexpr platform::MessageId kMsgForegroundPreview = platform::kWmUser + 0x1FF;  // 0x5FF
    static constexpr std::u16string_view kMsgWriteFailed = u"背景设置保存失败！";

    explicit CBackgroundDlg(QWidget* parent = nullptr);

    // Where the settings are found; by default the program's own. Before DoModal.
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }
    // The window that receives the preview messages (not owned; may be null).
    void SetOwnerWindow(platform::MessagePort* owner) { owner_ = owner; }

    const std::vector<std::u16string>& BackgroundFiles() const { return backgroundFiles_; }
    const std::vector<std::u16string>& ForegroundFiles() const { return foregroundFiles_; }

    // The names (without folder) of the bitmap files in a folder: regular files whose
    // extension is "bmp" in any case, sorted by name. Empty for a missing folder.
    static std::vector<std::u16string> ListPictureFiles(const std::filesystem::path& folder);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::u16string OptionFilePath() const;
    void FillList(int id, const std::vector<std::u16string>& names, const std::u16string& current);
    void OnSelectionChanged(int id);

    // The program's own settings unless the caller gave others.
    DataFolder folder_ = DataFolder::Program();
    platform::MessagePort* owner_ = nullptr;
    std::vector<std::u16string> backgroundFiles_;
    std::vector<std::u16string> foregroundFiles_;
    bool filling_ = false;
};

}  // namespace brindle
