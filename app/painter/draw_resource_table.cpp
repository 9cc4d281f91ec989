#include "app/painter/draw_resource_table.h"

#include "app/settings/font_file.h"
#include "platform/music_glyphs.h"

#include <cmath>
#include <mutex>

namespace brindle {
namespace {

using platform::Rgb;

constexpr std::uint8_t kDefaultCharSet = 1;
constexpr std::uint8_t kAntialiasedQuality = 4;

quaverly::LogFont BuiltInFont(std::u16string_view face, std::int32_t height, std::int32_t weight)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.weight = weight;
    lf.charSet = kDefaultCharSet;
    lf.quality = kAntialiasedQuality;
    return lf;
}

// The value of `key`, or `missing` when the map has none; the caller holds the lock.
template <class Map>
typename Map::mapped_type ValueOr(const Map& map, int key, typename Map::mapped_type missing)
{
    const auto it = map.find(key);
    return it == map.end() ? missing : it->second;
}

}  // namespace

DrawResourceTable::DrawResourceTable()
{
    SetDefaultColors();
    SetDefaultFonts();
    SetDefaultMetrics();
}

DrawResourceTable::~DrawResourceTable()
{
    std::unique_lock lock(mutex_);
    spacing_.clear();
    fonts_.clear();
    colors_.clear();
}

void DrawResourceTable::SetDefaultColors()
{
    std::unique_lock lock(mutex_);
    for (int key : {0, 5, 7, 9, 11, 12, 13, 15, 16, 17, 22, 23, 24, 25, 26, 27, 28})
        colors_[key] = Rgb(0, 0, 0);
    for (int key : {1, 3})
        colors_[key] = Rgb(255, 0, 0);
    colors_[2] = Rgb(120, 120, 120);
    for (int key : {4, 29, 30})
        colors_[key] = Rgb(0, 0, 255);
    for (int key : {18, 19, 20, 21})
        colors_[key] = Rgb(0, 51, 153);
    colors_[31] = Rgb(0, 102, 0);
    colors_[32] = Rgb(180, 180, 180);
    for (int key : {33, 34})
        colors_[key] = Rgb(100, 100, 255);
}

void DrawResourceTable::SetDefaultFonts()
{
    std::unique_lock lock(mutex_);
    fonts_[font_key::kMusic] = BuiltInFont(platform::music::kSymbolFace, -20, 400);
    fonts_[font_key::kNote] = BuiltInFont(platform::music::kNumberFace, -15, 400);
    fonts_[font_key::kTuplet] = BuiltInFont(platform::music::kTupletFace, -12, 700);
    fonts_[font_key::kTimeSignature] = BuiltInFont(platform::music::kTimesFace, -12, 700);
    fonts_[font_key::kTempo] = BuiltInFont(u"Arial", -11, 700);
    ++fontGeneration_;
}

void DrawResourceTable::SetDefaultMetrics()
{
    LayoutMetrics& m = metrics_;
    m.noteDashOffset = {0, 0};
    m.accidentalOffset = {0, 0};
    m.noteDotOffset = {100, 20};
    m.noteDotInterval = 0.5;
    // The octave dots' offsets are fitted to the dot and digits of "Tansy Number": each
    // keeps two pixels or more (at 100 %) clear of its digit, and the dots below a note
    // clear of its underlines.
    m.noteHighOctaveOffset = {0, 75};
    m.noteLowOctaveOffset = {0, 80};
    m.noteOctaveDotInterval = 0.25;
    m.noteLegerInterval = 0.2;
    m.noteLegerThickness = 30;
    m.noteLeftLegerBulge = 0;
    m.noteRightLegerBulge = 0;
    m.timeSignatureBarThickness = 40;
    m.chordInterval = 130;
    m.chordNoteScale = 0.7;
    m.chordAccidentalOffset = {0, 0};
    m.chordHighOctaveOffset = {0, 140};  // the smaller digit's top is lower
    m.chordLowOctaveOffset = {0, 60};
    m.graceNoteScale = 0.7;
    m.graceNoteInterval = 30;
    m.graceDotOffset = {50, 0};
    m.graceDotInterval = 0.5;
    m.graceHighOctaveOffset = {0, 40};
    m.graceLowOctaveOffset = {0, 60};
    m.graceOctaveDotInterval = 0.3;
    m.graceLegerInterval = 0.25;
    m.graceLegerThickness = 30;
    m.graceLegerBulge = 0;
    m.metric107 = 200;
    m.metric108 = 200;
    m.metric109 = 150;
    m.barLineHeight = 700;
    m.metric99 = 1219;
    m.metric100 = 1219;
    m.metric101 = 2500;
    m.metric102 = 186;
    m.metric103 = 93;
    m.metric104 = 744;
    m.metric105 = 0;
    m.metric106 = 372;
    m.thinBarLineWidth = 30;
    m.thickBarLineWidth = 75;
    m.barLineGap = 60;
    m.repeatDotSize = 50;
    m.flatSlurOffset = {0, 0};
    m.flatSlurHeight = 260;
    m.bracketLineWidth = 30;
    m.flatSlurHeight2 = 260;
    m.metric111 = 150;
    m.metric110 = 200;
    m.jumpMarkOffset = {0, 200};
    m.dynamicMarkOffset = {0, 100};
    m.wedgeOffset = {0, 300};
    m.wedgeOffset2 = {0, 0};
    m.wedgeLineWidth = 31;
    m.wedgeSpread = 200;
    m.noteSymbolSpacing = 150;
    m.noteSymbolOffset = {0, -100};
    m.spacingUnit = 0.5;
    closeScale_ = 0.5;
    spacingParam_ = 0.5;

    {
        std::unique_lock lock(mutex_);
        spacing_[1290240] = 64;  // breve
        spacing_[645120] = 32;   // whole
        spacing_[322560] = 16;   // half
        spacing_[161280] = 8;    // quarter
        spacing_[80640] = 4;     // eighth
    }
    SetSpacingFactor(40320, 2);   // 16th
    SetSpacingFactor(20160, 1);   // 32nd
    SetSpacingFactor(10080, 0.5); // 64th
    SetSpacingFactor(5040, 0.5);  // 128th: as wide as a 64th
}

platform::ColorRef DrawResourceTable::GetColor(int key) const
{
    if (IsBlackAndWhite())
        return Rgb(0, 0, 0);
    std::shared_lock lock(mutex_);
    return ValueOr(colors_, key, Rgb(0, 0, 0));
}

void DrawResourceTable::SetColor(int key, platform::ColorRef color)
{
    std::unique_lock lock(mutex_);
    colors_[key] = color;
}

bool DrawResourceTable::HasColor(int key) const
{
    std::shared_lock lock(mutex_);
    return colors_.contains(key);
}

quaverly::LogFont DrawResourceTable::GetFont(int key) const
{
    std::shared_lock lock(mutex_);
    return ValueOr(fonts_, key, quaverly::LogFont{});
}

void DrawResourceTable::SetFont(int key, const quaverly::LogFont& font)
{
    std::unique_lock lock(mutex_);
    fonts_[key] = font;
    ++fontGeneration_;
}

bool DrawResourceTable::HasFont(int key) const
{
    std::shared_lock lock(mutex_);
    return fonts_.contains(key);
}

double DrawResourceTable::GetSpacingFactor(int duration) const
{
    std::shared_lock lock(mutex_);
    return ValueOr(spacing_, duration, 0.0);
}

void DrawResourceTable::SetSpacingFactor(int duration, double factor)
{
    std::unique_lock lock(mutex_);
    spacing_[duration] = factor;
}

void DrawResourceTable::ApplyFontFile(const FontFile& file)
{
    SetFont(font_key::kTitle, file.GetFont(kTitleFont));
    SetFont(font_key::kSubtitle, file.GetFont(kSubtitleFont));
    const quaverly::LogFont composer = file.GetFont(kComposerFont);
    SetFont(font_key::kPoet, composer);
    SetFont(font_key::kComposer, composer);
    SetFont(font_key::kExpression, file.GetFont(kExpressionFont));
    // Texts in the default font, such as the rights line, take the file's common font.
    SetFont(font_key::kDefaultText, file.GetFont(kCommonFont));
    SetFont(font_key::kLyric, file.GetFont(kLyricFont));
    SetFont(font_key::kBarIndex, file.GetFont(kBarIndexFont));
    SetFont(font_key::kInstrumentName, file.GetFont(kInstrumentNameFont));
}

void DrawResourceTable::MeasureNoteSizes(platform::DeviceContext& dc, float unitsPerPixel)
{
    const quaverly::LogFont noteFont = GetFont(font_key::kNote);
    const quaverly::LogFont saved = dc.SelectFont(noteFont);

    auto measure = [&dc](const quaverly::LogFont& lf) {
        dc.SelectFont(lf);
        const platform::AbcWidths abc = dc.GetCharAbcWidths(u'0');
        const platform::TextMetrics tm = dc.GetTextMetrics();
        return quaverly::Size{static_cast<int>(abc.a + abc.b + abc.c),
                              tm.ascent - tm.internalLeading};
    };
    // The note font with its height in 0.01 mm, times `scale`.
    auto sized = [&noteFont, unitsPerPixel](double scale) {
        quaverly::LogFont lf = noteFont;
        lf.height = static_cast<std::int32_t>(noteFont.height *
                                              static_cast<double>(unitsPerPixel) * scale);
        return lf;
    };

    const quaverly::LogFont full = sized(1.0);
    SetNoteSize(measure(full));
    dc.SelectFont(full);
    const std::int32_t fullAverage = dc.GetTextMetrics().aveCharWidth;

    quaverly::LogFont chord = sized(metrics_.chordNoteScale);
    chord.width = fullAverage;
    SetChordNoteSize(measure(chord));

    SetGraceNoteSize(measure(sized(metrics_.graceNoteScale)));

    dc.SelectFont(saved);
}

}  // namespace brindle
