// Command ids and private window messages of the application, the main frame and the
// view, as the menus, toolbars and settings files know them.
#pragma once

#include "platform/window_message.h"

namespace brindle {

namespace cmd {
// File and edit.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFileMru1 = 57616;
inline constexpr int kFileMru16 = 57631;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelp = 57670;
// View menu: the main toolbar and the status bar.
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
// Pages and zoom.
inline constexpr int kFirstPage = 188;
inline constexpr int kPrevPage = 152;
inline constexpr int kNextPage = 156;
inline constexpr int kLastPage = 190;
inline constexpr int kZoomIn = 140;
inline constexpr int kZoomOut = 144;
inline constexpr int kZoomDefault = 148;
inline constexpr int kDragTool = 170;
// Playback.
inline constexpr int kPlay = 32848;
inline constexpr int kStop = 32849;
inline constexpr int kMetronome = 32852;
// Palette switches.
inline constexpr int kBarlinePalette = 32984;
inline constexpr int kLinePalette = 32985;
inline constexpr int kSymbolPalette = 32986;
inline constexpr int kLayoutPalette = 32987;
inline constexpr int kDynamicsPalette = 32996;
inline constexpr int kLyricPalette = 32998;
inline constexpr int kFreeTextTool = 33060;
// Font toolbar toggles.
inline constexpr int kBold = 33061;
inline constexpr int kItalic = 33062;
inline constexpr int kUnderline = 33063;
inline constexpr int kEmpty32844 = 32844;
inline constexpr int kPreviewNext = 61447;
inline constexpr int kPreviewPrev = 61448;
// ---- documents ----
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kExportMidi = 32794;
inline constexpr int kExportMetafile = 33034;
// ---- playback ----
inline constexpr int kRecord = 32850;
inline constexpr int kAllNotesOff = 32851;  // a menu item without an action
inline constexpr int kMidiDevices = 32863;
}  // namespace cmd

namespace msg {
using platform::MessageId;
inline constexpr MessageId kStartUp = 0x5F4;
inline constexpr MessageId kViewSetUpDone = 0x5F5;
inline constexpr MessageId kTempoSliderMoved = 0x5F8;
inline constexpr MessageId kSetTempo = 0x5F9;
inline constexpr MessageId kGetTempo = 0x5FA;
inline constexpr MessageId kTempoChanged = 0x5FB;
inline constexpr MessageId kShowPosition = 0x5FC;
inline constexpr MessageId kAutosave = 0x600;
inline constexpr MessageId kCloseConfirmed = 0x601;
inline constexpr MessageId kIgnored602 = 0x602;
inline constexpr MessageId kIgnored603 = 0x603;
inline constexpr MessageId kShowProgress = 0x604;
inline constexpr MessageId kHideProgress = 0x605;
inline constexpr MessageId kMouseToolChanged = 0x60B;
inline constexpr MessageId kTextStyleChange = 0x60C;
// ---- documents ----
inline constexpr MessageId kScoreLoaded = 0x606;
inline constexpr MessageId kScoreLoadFailed = 0x607;
inline constexpr MessageId kScoreLaidOut = 0x608;
// ---- playback ----
inline constexpr MessageId kPlayerPosition = 0x5FD;
// Private to the view: playback or recording stopped (also at the song's end, posted from
// the player's clock thread); the view takes the new state and redraws.
inline constexpr MessageId kPlaybackStopped = 0x6A0;
}  // namespace msg

// Strings of the program's own table.
namespace ids {
inline constexpr unsigned kAppTitle = 57344;
inline constexpr unsigned kPagePane = 61456;
inline constexpr unsigned kUnsupportedFile = 61455;
// ---- documents ----
inline constexpr unsigned kOpenFilter = 201;
inline constexpr unsigned kUntitled = 61443;
inline constexpr unsigned kRecoveryQuestion = 61446;
inline constexpr unsigned kSaveFilter = 61449;
inline constexpr unsigned kDocumentExtension = 61451;
inline constexpr unsigned kMidiExportFailed = 61452;
inline constexpr unsigned kOpenFailed = 61453;
}  // namespace ids

}  // namespace brindle
