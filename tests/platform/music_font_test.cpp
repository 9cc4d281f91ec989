// The music fonts: every character code the program draws has a glyph of its own in the
// face it is drawn from, and the vertical metrics the layout relies on hold.
#include "platform/font_resources.h"
#include "platform/music_glyphs.h"

#include <QFont>
#include <QPainterPath>
#include <QRawFont>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <vector>

namespace {

const std::filesystem::path kFontFile =
    std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc";

QString Q(std::u16string_view s)
{
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

QRawFont RawFace(std::u16string_view face, bool bold, int pixels)
{
    QFont font(Q(face));
    font.setPixelSize(pixels);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::NoFontMerging);
    return QRawFont::fromFont(font);
}

class MusicFontTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(platform::AddFontResource(kFontFile), 5); }
};

TEST_F(MusicFontTest, EveryCodeHasADistinctNonEmptyGlyphInItsFace)
{
    for (const auto& face : platform::music::kAllFaces) {
        SCOPED_TRACE(Q(face.face).toStdString());
        const QRawFont raw = RawFace(face.face, face.bold, 200);
        ASSERT_TRUE(raw.isValid());
        EXPECT_EQ(raw.familyName(), Q(face.face));
        EXPECT_EQ(raw.weight() >= QFont::Bold, face.bold);

        std::map<quint32, char16_t> owner;
        std::vector<std::pair<char16_t, QPainterPath>> shapes;
        for (char16_t code : face.codes) {
            SCOPED_TRACE(static_cast<int>(code));
            const QList<quint32> glyphs = raw.glyphIndexesForString(QString(QChar(code)));
            ASSERT_EQ(glyphs.size(), 1);
            EXPECT_NE(glyphs[0], 0u) << "no glyph";
            const auto [it, added] = owner.emplace(glyphs[0], code);
            EXPECT_TRUE(added) << "shares its glyph with code " << static_cast<int>(it->second);
            const QPainterPath path = raw.pathForGlyph(glyphs[0]);
            EXPECT_GT(path.boundingRect().width(), 0.0);
            EXPECT_GT(path.boundingRect().height(), 0.0);
            for (const auto& [other, shape] : shapes)
                EXPECT_FALSE(shape == path) << "same outline as code " << static_cast<int>(other);
            shapes.emplace_back(code, path);
        }
    }
}

TEST_F(MusicFontTest, InvertedMordentIsNotTheDoubleSharp)
{
    EXPECT_NE(platform::music::kInvertedMordent, platform::music::kDoubleSharp);
    const QRawFont raw = RawFace(platform::music::kSymbolFace, false, 200);
    const auto a = raw.glyphIndexesForString(QString(QChar(platform::music::kInvertedMordent)));
    const auto b = raw.glyphIndexesForString(QString(QChar(platform::music::kDoubleSharp)));
    ASSERT_EQ(a.size(), 1);
    ASSERT_EQ(b.size(), 1);
    EXPECT_NE(a[0], b[0]);
}

// Heights in font units of a 1000-unit em, read through QRawFont at 1000 pixels.
struct Heights {
    double ascent;
    double descent;
    double inkTop;     // top of the given code's outline above the baseline
    double inkBottom;  // bottom (negative below the baseline)
};

Heights Measure(std::u16string_view face, bool bold, char16_t code)
{
    const QRawFont raw = RawFace(face, bold, 1000);
    const auto glyphs = raw.glyphIndexesForString(QString(QChar(code)));
    const QRectF box = raw.pathForGlyph(glyphs.value(0)).boundingRect();
    return {raw.ascent(), raw.descent(), -box.top(), -box.bottom()};
}

TEST_F(MusicFontTest, VerticalMetricsFitTheLayout)
{
    using namespace platform::music;
    // Note digits: they stand on the baseline, and the visible height (em - descent), the
    // height of a note's box, leaves 30 hundredths of a millimetre (76 units at 15 pixels)
    // free above them, where a dot one octave above sits clear of the digit.
    const Heights one = Measure(kNumberFace, false, u'1');
    EXPECT_NEAR(1000.0 - one.descent - one.inkTop, 76.0, 2.0);
    EXPECT_NEAR(one.inkBottom, 0.0, 1.0);
    const Heights dot = Measure(kNumberFace, false, u'.');
    EXPECT_GT(dot.inkBottom, 50.0);
    EXPECT_LT(dot.inkTop, 200.0);

    // Time-signature numbers fill a box of their visible height when the cell is centred
    // in it: ascent one em.
    const Heights times = Measure(kTimesFace, true, u'4');
    EXPECT_NEAR(times.ascent, 1000.0, 1.0);
    EXPECT_NEAR(1000.0 - times.descent, times.inkTop, 2.0);

    // Tuplet digits are raised so that they centre on the bracket line.
    const Heights tuplet = Measure(kTupletFace, true, u'3');
    EXPECT_GT(tuplet.inkBottom, 100.0);

    // Symbols: at 20 pixels of 26.46 hundredths of a millimetre the cell is taller than
    // 800, the part of it that a dynamics mark's height leaves out.
    const Heights symbol = Measure(kSymbolFace, false, kDynamicF);
    const double em = 20 * 2540.0 / 96.0;
    EXPECT_GT((symbol.ascent + symbol.descent) * em / 1000.0 - 800.0, 200.0);
}

}  // namespace
