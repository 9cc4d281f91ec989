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
// ---- score, settings and layout menus ----
// Score menu: voices, bars, signatures, tempo, other symbols, bar numbers.
inline constexpr int kAddVoice = 32828;
inline constexpr int kDeleteVoice = 32829;
inline constexpr int kAddBars = 32830;
inline constexpr int kDeleteBars = 32831;
inline constexpr int kKeySignature = 32836;
inline constexpr int kTimeSignature = 32837;
inline constexpr int kTempo = 32838;
inline constexpr int kTempoText = 32839;
inline constexpr int kOtherSymbols = 32912;
inline constexpr int kBarNumbers = 33032;
// Text items of the score menu.
inline constexpr int kAdapterText = 33039;
inline constexpr int kSingerText = 33038;
inline constexpr int kInstrumentName = 33043;
// Lyrics.
inline constexpr int kEditLyrics = 32888;
inline constexpr int kLyricVerse1 = 32797;
inline constexpr int kLyricVerse5 = 32801;
// Tools menu.
inline constexpr int kTranspose = 33059;
inline constexpr int kEnharmonic = 33064;
inline constexpr int kOctaveShift = 33065;
// Layout menu.
inline constexpr int kLineBreak = 32834;
inline constexpr int kRefreshLayout = 32877;
inline constexpr int kBarsPerLine = 32879;
inline constexpr int kLinesOnPage = 33036;
inline constexpr int kRestoreDefaultLayout = 33042;
inline constexpr int kShowPageBorder = 32885;
inline constexpr int kShowTrackBaseLines = 32886;
inline constexpr int kShowLineBreakMarks = 32878;
inline constexpr int kShowIndentMarks = 32874;
inline constexpr int kShowLineSpacingMarks = 32875;
inline constexpr int kShowLinePositionMarks = 32876;
inline constexpr int kShowBarWidthMarks = 32872;
inline constexpr int kShowLyricLineMarks = 32880;
inline constexpr int kHideEmptyLines = 33031;
// Settings menu, and the score information and page set-up of the File menu.
inline constexpr int kFontSettings = 32862;
inline constexpr int kBackgroundSettings = 32861;
inline constexpr int kShortcutKeys = 33030;
inline constexpr int kParameters = 33033;
inline constexpr int kScoreInfo = 32793;
inline constexpr int kPageSetup = 32873;
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
// ---- score, settings and layout menus ----
inline constexpr MessageId kTextEditNext = 0x5F6;
inline constexpr MessageId kTextEditPrevious = 0x5F7;
inline constexpr MessageId kPreviewBackground = 0x5FE;
inline constexpr MessageId kPreviewForeground = 0x5FF;
inline constexpr MessageId kUpdatePageIndicator = 0x609;
// ---- documents ----
inline constexpr MessageId kScoreLoaded = 0x606;
inline constexpr MessageId kScoreLoadFailed = 0x607;
inline constexpr MessageId kScoreLaidOut = 0x608;
// ---- playback ----
inline constexpr MessageId kPlayerPosition = 0x5FD;
// Private to the view: playback or recording stopped (also at the song's end, posted from
// the player's clock thread); the view takes the new state and redraws.
inline constexpr MessageId kPlaybackStopped = 0x6A0;
// Private to the view: the start-up's opening of the MIDI output ended (posted from its
// worker); the first parameter is 1 when the output opened.
inline constexpr MessageId kMidiOutOpened = 0x6A1;
}  // namespace msg

// Strings of the program's own table.
namespace ids {
inline constexpr unsigned kAppTitle = 57344;
inline constexpr unsigned kPagePane = 61456;
inline constexpr unsigned kUnsupportedFile = 61455;
// ---- score, settings and layout menus ----
inline constexpr unsigned kLoseManualLayout = 61454;
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
