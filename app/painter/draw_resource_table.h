// The drawing device's resources besides the drawing context: the colour of each colour
// key, the logical font of each font key, the layout metrics and scale factors that give
// the score its look, the note-spacing factors, the measured sizes of the note digits and
// the black-and-white flag. The score view owns one; every drawing device it makes reads it.
//
// The table is read by the user-interface thread and by the document-loading worker's
// layout pass. Lookups never change it (a missing key reads as black, an all-zero font or
// a factor of 0 and is not added), and the maps are guarded so that the set-up may replace
// fonts while a worker reads.
#pragma once

#include "engine/model/layout_types.h"
#include "engine/model/log_font.h"
#include "platform/device_context.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <shared_mutex>

namespace brindle {

class FontFile;

// Font keys of the table.
namespace font_key {
inline constexpr int kMusic = 0;       // "Tansy": accidentals, articulations, dynamics, ...
inline constexpr int kNote = 1;        // "Tansy Number": note digits and dots
inline constexpr int kTuplet = 2;      // "Tansy Tuplet"
inline constexpr int kTitle = 3;
inline constexpr int kSubtitle = 4;
inline constexpr int kPoet = 5;
inline constexpr int kComposer = 6;
inline constexpr int kTimeSignature = 8;  // "Tansy Times"
inline constexpr int kTempo = 9;          // tempo numbers
inline constexpr int kExpression = 10;
inline constexpr int kDefaultText = 11;
inline constexpr int kLyric = 12;
inline constexpr int kBarIndex = 13;
inline constexpr int kInstrumentName = 14;
}  // namespace font_key

// Layout metrics, 0.01 mm unless said otherwise.
struct LayoutMetrics {
    quaverly::Point noteDashOffset;
    quaverly::Point accidentalOffset;  // of a note's accidental
    quaverly::Point noteDotOffset;
    double noteDotInterval = 0;        // times the note width
    quaverly::Point noteHighOctaveOffset;
    quaverly::Point noteLowOctaveOffset;
    double noteOctaveDotInterval = 0;  // times the note height
    double noteLegerInterval = 0;      // times the note height
    int noteLegerThickness = 0;
    int noteLeftLegerBulge = 0;
    int noteRightLegerBulge = 0;
    int timeSignatureBarThickness = 0;
    int chordInterval = 0;
    double chordNoteScale = 0;
    quaverly::Point chordAccidentalOffset;
    quaverly::Point chordHighOctaveOffset;
    quaverly::Point chordLowOctaveOffset;
    double graceNoteScale = 0;
    int graceNoteInterval = 0;
    quaverly::Point graceDotOffset;
    double graceDotInterval = 0;         // times the grace-note width
    quaverly::Point graceHighOctaveOffset;
    quaverly::Point graceLowOctaveOffset;
    double graceOctaveDotInterval = 0;   // times the grace-note height
    double graceLegerInterval = 0;       // times the grace-note height
    int graceLegerThickness = 0;
    int graceLegerBulge = 0;
    int metric107 = 0;
    int metric108 = 0;
    int metric109 = 0;
    int barLineHeight = 0;
    int metric99 = 0;
    int metric100 = 0;
    int metric101 = 0;
    int metric102 = 0;
    int metric103 = 0;
    int metric104 = 0;
    int metric105 = 0;
    int metric106 = 0;
    int thinBarLineWidth = 0;
    int thickBarLineWidth = 0;
    int barLineGap = 0;
    int repeatDotSize = 0;
    quaverly::Point flatSlurOffset;
    int flatSlurHeight = 0;
    int bracketLineWidth = 0;  // flat slurs, tuplet brackets, ending brackets
    int flatSlurHeight2 = 0;
    int metric111 = 0;
    int metric110 = 0;
    quaverly::Point jumpMarkOffset;
    quaverly::Point dynamicMarkOffset;
    quaverly::Point wedgeOffset;
    quaverly::Point wedgeOffset2;
    int wedgeLineWidth = 0;
    int wedgeSpread = 0;
    int noteSymbolSpacing = 0;
    quaverly::Point noteSymbolOffset;  // of the first articulation or ornament
    double spacingUnit = 0;

    friend bool operator==(const LayoutMetrics&, const LayoutMetrics&) = default;
};

class DrawResourceTable {
public:
    // Every map empty and every metric zero, then the defaults.
    DrawResourceTable();
    ~DrawResourceTable();
    DrawResourceTable(const DrawResourceTable&) = delete;
    DrawResourceTable& operator=(const DrawResourceTable&) = delete;

    void SetDefaultColors();
    void SetDefaultFonts();
    void SetDefaultMetrics();

    // Colours as 0x00BBGGRR. Black for every key in black-and-white mode; black for a key
    // without an entry.
    platform::ColorRef GetColor(int key) const;
    void SetColor(int key, platform::ColorRef color);
    bool HasColor(int key) const;

    // A copy of the key's font; an all-zero font (the system's face and height) for a key
    // without an entry.
    quaverly::LogFont GetFont(int key) const;
    void SetFont(int key, const quaverly::LogFont& font);
    bool HasFont(int key) const;
    // Counts the changes of the fonts, so that a reader may keep fonts it looked up for
    // as long as the count stays.
    std::uint64_t GetFontGeneration() const { return fontGeneration_.load(); }

    // Note-spacing factor of a duration in ticks (161280 a quarter note); 0 for a duration
    // without an entry.
    double GetSpacingFactor(int duration) const;
    void SetSpacingFactor(int duration, double factor);

    const LayoutMetrics& GetMetrics() const { return metrics_; }
    // Replaces every metric; for the set-up, before any drawing device reads the table.
    void SetMetrics(const LayoutMetrics& metrics) { metrics_ = metrics; }
    double GetChordNoteScale() const { return metrics_.chordNoteScale; }
    double GetGraceNoteScale() const { return metrics_.graceNoteScale; }
    int GetEndingLineWidth() const { return metrics_.bracketLineWidth; }
    double GetCloseScale() const { return closeScale_; }
    // Like SetMetrics: for the set-up and the layout-parameter dialog, while no drawing
    // device reads the table.
    void SetCloseScale(double scale) { closeScale_ = scale; }
    double GetSpacingParam() const { return spacingParam_; }

    // Measured sizes (width, visible height) of the note digits, 0.01 mm.
    void SetNoteSize(quaverly::Size size) { noteSize_ = size; }
    quaverly::Size GetNoteSize() const { return noteSize_; }
    void SetChordNoteSize(quaverly::Size size) { chordNoteSize_ = size; }
    quaverly::Size GetChordNoteSize() const { return chordNoteSize_; }
    void SetGraceNoteSize(quaverly::Size size) { graceNoteSize_ = size; }
    quaverly::Size GetGraceNoteSize() const { return graceNoteSize_; }

    void SetBlackAndWhite(bool on) { blackAndWhite_.store(on); }
    bool IsBlackAndWhite() const { return blackAndWhite_.load(); }

    // Stores the text fonts of the font file: title, subtitle, composer (for the poet and
    // the composer keys), expression, common (for the default-font texts), lyric, bar
    // number and instrument name. The file's note, tuplet, time and tempo fonts are not
    // used: the music keys keep their built-in fonts.
    void ApplyFontFile(const FontFile& file);

    // Measures the note digits on a context in the 0.01 mm mapping of a screen whose pixel
    // covers `unitsPerPixel`: the width of "0" (its A + B + C widths) and the visible
    // height (ascent - internal leading) of the note font, of the chord-note font (height
    // times the chord-note scale, width the full font's average width) and of the
    // grace-note font (height times the grace-note scale); stores the three sizes.
    void MeasureNoteSizes(platform::DeviceContext& dc, float unitsPerPixel);

private:
    mutable std::shared_mutex mutex_;
    std::map<int, platform::ColorRef> colors_;
    std::map<int, quaverly::LogFont> fonts_;
    LayoutMetrics metrics_;
    std::map<int, double> spacing_;
    double closeScale_ = 0;
    double spacingParam_ = 0;
    quaverly::Size noteSize_;
    quaverly::Size chordNoteSize_;
    quaverly::Size graceNoteSize_;
    std::atomic<bool> blackAndWhite_{false};
    std::atomic<std::uint64_t> fontGeneration_{0};
};

}  // namespace brindle
