// The services that ask the user something: message boxes, the open and save file
// dialogs, the font dialog and modal dialogs. Everything goes through the one service in
// force, so tests put in a service that answers from a script (ScriptedDialogService)
// and the program runs headless.
#pragma once

#include "engine/model/log_font.h"
#include "platform/device_context.h"

#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace platform {

class DialogBase;

// Answers of message boxes and modal dialogs.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Message box types: buttons in the low four bits, the icon in the next four.
inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbIconStop = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbButtonMask = 0x0F;
inline constexpr unsigned kMbIconMask = 0xF0;

// File dialog flags.
inline constexpr unsigned kOfnReadOnly = 0x1;
inline constexpr unsigned kOfnOverwritePrompt = 0x2;
inline constexpr unsigned kOfnHideReadOnly = 0x4;
inline constexpr unsigned kOfnPathMustExist = 0x800;
inline constexpr unsigned kOfnFileMustExist = 0x1000;

struct FileDialogRequest {
    bool open = true;             // false: a save dialog
    std::u16string filter;        // "description|patterns|description|patterns||"
    std::u16string defaultExtension;  // without the dot; empty for none
    std::u16string fileName;      // in: the name proposed; out: the full path chosen
    std::u16string initialFolder;  // where the dialog starts; empty: where it likes
    unsigned flags = 0;           // kOfn*
    unsigned filterIndex = 1;     // 1-based; in: the filter shown first; out: the one chosen
    QWidget* parent = nullptr;
};

struct FontDialogRequest {
    quaverly::LogFont font;  // in: the font shown; out: the one chosen
    ColorRef color = 0;      // text colour
    QWidget* parent = nullptr;
};

// One entry of a file dialog's filter text.
struct FileFilter {
    std::u16string description;
    std::vector<std::u16string> patterns;  // "*.exl"; several were joined by ";"
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // IDOK, IDCANCEL, IDYES or IDNO, by the buttons of `type`.
    virtual int MessageBox(QWidget* parent, std::u16string_view text, std::u16string_view caption,
                           unsigned type) = 0;
    // True when the user chose a file. A save dialog's name without an extension gets
    // the default extension.
    bool GetFileName(FileDialogRequest& request);
    // True when the user chose a font.
    virtual bool ChooseFont(FontDialogRequest& request) = 0;
    // Runs a dialog modally: its initialisation, then the user's (or the script's) work
    // until the dialog ends; returns its end code.
    virtual int RunModal(DialogBase& dialog) = 0;

    // The service in force: the one installed last, else the one on Qt's dialogs.
    static DialogService& Current();
    // Puts a service in force (not owned) and returns the one it replaces (null for the
    // built-in one); null puts the built-in one back.
    static DialogService* Install(DialogService* service);

protected:
    virtual bool AskFileName(FileDialogRequest& request) = 0;
};

// The entries of a filter text "desc|pattern|desc|pattern||": "||" (an empty
// description) ends the list; an entry without a pattern is dropped.
std::vector<FileFilter> ParseFileFilter(std::u16string_view filter);
// The entry as a file dialog lists it: the description, then its patterns in brackets
// once; a description that already ends with those patterns in brackets keeps them
// there only. "Midi Files(*.mid)" with "*.mid" gives "Midi Files (*.mid)".
std::u16string FileFilterChoice(const FileFilter& filter);

// `path` with ".extension" added when its file name has no extension.
std::u16string WithDefaultExtension(std::u16string_view path, std::u16string_view extension);

// The caption of message boxes that name none: the application's name.
void SetMessageCaption(std::u16string_view caption);
std::u16string MessageCaption();

// A message box of the service in force with the application's caption.
int ShowMessage(std::u16string_view text, unsigned type = kMbOk, QWidget* parent = nullptr);

// Puts a service in force for the lifetime of the object, then the previous one back.
class ScopedDialogService {
public:
    explicit ScopedDialogService(DialogService& service) : previous_(DialogService::Install(&service)) {}
    ~ScopedDialogService() { DialogService::Install(previous_); }
    ScopedDialogService(const ScopedDialogService&) = delete;
    ScopedDialogService& operator=(const ScopedDialogService&) = delete;

private:
    DialogService* previous_;
};

}  // namespace platform
