#include "app/shell/tool_bar_pictures.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <string_view>
#include <map>
#include <unordered_map>
#include <utility>

#include "app/shell/command_ids.h"
#include "engine/model/log_font.h"
#include "platform/font_mapper.h"
#include "platform/music_glyphs.h"

namespace brindle {

namespace {

namespace music = platform::music;

// Every picture is drawn on a grid of this many units a side, scaled to the image.
constexpr double kGrid = 24.0;

const QColor kInk(30, 40, 56);
const QColor kGrey(128, 138, 152);
const QColor kLightGrey(176, 184, 196);
const QColor kPaper(252, 252, 254);
const QColor kBlue(36, 98, 180);
const QColor kLightBlue(214, 230, 248);
const QColor kGreen(32, 142, 66);
const QColor kRed(204, 44, 44);
const QColor kGold(222, 168, 52);
const QColor kLightGold(246, 208, 110);

using Picture = void (*)(QPainter&);

// --- Glyphs of the music fonts ---

QFont FaceFont(std::u16string_view face, bool bold)
{
    quaverly::LogFont record;
    record.SetFaceName(face);
    record.height = -100;
    record.weight = bold ? 700 : 400;
    record.charSet = 1;
    return platform::FontMapper::ToQFont(record, 100);
}

// The outlines of `text` in a face at a 100-unit em, baseline origin at (0, 0).
QPainterPath Outline(std::u16string_view face, std::u16string_view text, bool bold = false)
{
    QPainterPath path;
    path.addText(0, 0, FaceFont(face, bold), QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    return path;
}

QPainterPath Outline(std::u16string_view face, char16_t glyph, bool bold = false)
{
    return Outline(face, std::u16string_view(&glyph, 1), bold);
}

// The path scaled by `factor` about the origin.
QPainterPath Scaled(const QPainterPath& path, double factor)
{
    return QTransform::fromScale(factor, factor).map(path);
}

// The path moved so that its ink box's top left lies at `topLeft`.
QPainterPath At(const QPainterPath& path, QPointF topLeft)
{
    return path.translated(topLeft - path.boundingRect().topLeft());
}

// The path moved so that its ink box's centre lies at `centre`.
QPainterPath CentredAt(const QPainterPath& path, QPointF centre)
{
    return path.translated(centre - path.boundingRect().center());
}

// The path scaled so that its ink is `height` high, its ink box's top left at (0, 0).
QPainterPath InkHigh(const QPainterPath& path, double height)
{
    const QRectF box = path.boundingRect();
    if (box.height() <= 0)
        return path;
    return At(Scaled(path, height / box.height()), QPointF(0, 0));
}

// The path made as large as fits `box` (never larger than `maxFactor` times its size),
// centred in it.
QPainterPath Fitted(const QPainterPath& path, const QRectF& box, double maxFactor = 1e9)
{
    const QRectF ink = path.boundingRect();
    if (ink.width() <= 0 && ink.height() <= 0)
        return path;
    double factor = maxFactor;
    if (ink.width() > 0)
        factor = std::min(factor, box.width() / ink.width());
    if (ink.height() > 0)
        factor = std::min(factor, box.height() / ink.height());
    return CentredAt(Scaled(path, factor), box.center());
}

// A numbered-notation digit `height` units high, its ink box's top left at (0, 0).
QPainterPath Digit(char16_t digit, double height)
{
    return InkHigh(Outline(music::kNumberFace, digit), height);
}

// A digit whose ink box is centred on `x`, its top at `top`.
QPainterPath DigitAt(char16_t digit, double height, double x, double top)
{
    const QPainterPath path = Digit(digit, height);
    return path.translated(x - path.boundingRect().width() / 2, top);
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour = kInk)
{
    p.fillPath(path, colour);
}

void Dot(QPainter& p, QPointF centre, double radius, const QColor& colour = kInk)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    p.fillPath(path, colour);
}

void Bar(QPainter& p, double x, double y, double w, double h, const QColor& colour = kInk)
{
    p.fillRect(QRectF(x, y, w, h), colour);
}

QPen Pen(const QColor& colour, double width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    return QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

void Line(QPainter& p, QPointF a, QPointF b, const QColor& colour = kInk, double width = 1.4)
{
    p.setPen(Pen(colour, width));
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
}

// A slur or tie from `a` to `b`, bulging `lift` units up (down when negative), as the
// score draws it: thin at the ends, `thickness` in the middle.
QPainterPath Slur(QPointF a, QPointF b, double lift, double thickness = 1.3)
{
    const QPointF mid = (a + b) / 2;
    const double sign = lift < 0 ? -1.0 : 1.0;
    QPainterPath path(a);
    path.quadTo(QPointF(mid.x(), mid.y() - 2 * lift), b);
    path.quadTo(QPointF(mid.x(), mid.y() - 2 * (lift - sign * thickness)), a);
    path.closeSubpath();
    return path;
}

// A filled arrowhead with its point at `tip`, pointing along `direction` (degrees, 0 to
// the right, 90 up).
void ArrowHead(QPainter& p, QPointF tip, double direction, double length, double width,
               const QColor& colour = kBlue)
{
    const double a = direction * std::numbers::pi / 180.0;
    const QPointF along(std::cos(a), -std::sin(a));
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    QPainterPath path(tip);
    path.lineTo(base + across * (width / 2));
    path.lineTo(base - across * (width / 2));
    path.closeSubpath();
    p.fillPath(path, colour);
}

// A straight arrow from `from` to `to`, with heads at both ends when `both`.
void Arrow(QPainter& p, QPointF from, QPointF to, bool both = false, const QColor& colour = kBlue)
{
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const double angle = std::atan2(-d.y(), d.x()) * 180.0 / std::numbers::pi;
    const QPointF unit = d / length;
    const double head = 4.0;
    Line(p, both ? from + unit * (head - 0.5) : from, to - unit * (head - 0.5), colour, 1.6);
    ArrowHead(p, to, angle, head, 5.0, colour);
    if (both)
        ArrowHead(p, from, angle + 180.0, head, 5.0, colour);
}

// A sheet of paper with a folded corner.
void Sheet(QPainter& p, const QRectF& r, const QColor& outline = kGrey)
{
    const double fold = r.width() * 0.32;
    QPainterPath path(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(Pen(outline, 1.0, Qt::FlatCap));
    p.setBrush(kPaper);
    p.drawPath(path);
    QPainterPath corner(QPointF(r.right() - fold, r.top()));
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(Qt::NoBrush);
    p.drawPath(corner);
    p.setPen(Qt::NoPen);
}

// A wavy line of the score's wave glyph from `from` along `length` units, turned by
// `angle` degrees (0 to the right, 90 up), `height` units from crest to trough.
QPainterPath Wave(QPointF from, double length, double angle, double height)
{
    QPainterPath wave = Outline(music::kSymbolFace, std::u16string(12, music::kWavyLine));
    if (wave.boundingRect().height() <= 0)
        return wave;
    wave = InkHigh(wave, height);
    // Cut to length: the part of the run that falls within it.
    QPainterPath window;
    window.addRect(QRectF(0, -1, length, height + 2));
    wave = wave.intersected(window);
    QTransform turn;
    turn.translate(from.x(), from.y());
    turn.rotate(-angle);
    turn.translate(0, -height / 2);
    return turn.map(wave);
}

// --- Note entry ---

// The numbered-notation "1" with `dots` octave dots: above when positive, below when
// negative; the whole group in the middle of the picture.
void OctaveNote(QPainter& p, int dots)
{
    const double height = 11.0;
    const double radius = 1.35;
    const double gap = 2.7;
    const double step = 3.3;
    const int count = std::abs(dots);
    const double extent = count ? gap + (count - 1) * step + radius : 0.0;
    const double top = std::round((kGrid - height - extent) / 2);
    const double digitTop = dots > 0 ? top + extent : top;
    const QPainterPath digit = DigitAt(u'1', height, 12, digitTop);
    Fill(p, digit);
    const double x = digit.boundingRect().center().x();
    for (int i = 0; i < count; ++i) {
        const double y = dots > 0 ? digitTop - gap - i * step : digitTop + height + gap + i * step;
        Dot(p, QPointF(x, y), radius);
    }
}

// A note value: the digit "5" followed by `dashes` duration dashes, or with `underlines`
// lines under it.
void NoteValue(QPainter& p, int dashes, int underlines)
{
    if (dashes > 0) {
        const double height = 9.0;
        const double dash = 3.0;
        const double gap = 2.0;
        const QPainterPath digit = Digit(u'5', height);
        const double width = digit.boundingRect().width() + dashes * (gap + dash);
        const double left = std::round((kGrid - width) / 2);
        const double top = std::round((kGrid - height) / 2);
        Fill(p, digit.translated(left, top));
        double x = left + digit.boundingRect().width() + gap;
        for (int i = 0; i < dashes; ++i, x += gap + dash)
            Bar(p, x, top + height / 2 - 0.75, dash, 1.5);
        return;
    }
    const double height = underlines <= 3 ? 11.0 : 11.0 - 2.0 * (underlines - 3);
    const double gap = 2.0;
    const double step = 2.0;
    const double extent = underlines ? gap + (underlines - 1) * step + 1.0 : 0.0;
    const double top = std::round((kGrid - height - extent) / 2);
    const QPainterPath digit = DigitAt(u'5', height, 12, top);
    Fill(p, digit);
    const QRectF ink = digit.boundingRect();
    const double left = std::floor(ink.left() - 1.5);
    const double right = std::ceil(ink.right() + 1.5);
    for (int i = 0; i < underlines; ++i)
        Bar(p, left, std::round(top + height + gap) + i * step, right - left, 1.0);
}

void DottedNote(QPainter& p)
{
    const double height = 11.0;
    const QPainterPath digit = Digit(u'5', height);
    const double width = digit.boundingRect().width() + 2.5 + 3.2;
    const double left = std::round((kGrid - width) / 2);
    const double top = std::round((kGrid - height) / 2);
    Fill(p, digit.translated(left, top));
    Dot(p, QPointF(left + digit.boundingRect().width() + 2.5 + 1.6, top + height / 2), 1.6);
}

void Accidental(QPainter& p, char16_t glyph)
{
    const QPainterPath path = Outline(music::kSymbolFace, glyph);
    Fill(p, Fitted(InkHigh(path, 17.0), QRectF(3, 3, 18, 18), 1.0));
}

void Tie(QPainter& p)
{
    Fill(p, DigitAt(u'5', 9, 6.5, 12));
    Fill(p, DigitAt(u'5', 9, 17.5, 12));
    Fill(p, Slur(QPointF(3.5, 9.5), QPointF(20.5, 9.5), 4.5));
}

void Triplet(QPainter& p)
{
    const QPainterPath three = Fitted(Outline(music::kTupletFace, u'3', true), QRectF(9, 1, 6, 7));
    Fill(p, three);
    Bar(p, 2, 4, 5.5, 1);
    Bar(p, 16.5, 4, 5.5, 1);
    Bar(p, 2, 4, 1, 4);
    Bar(p, 21, 4, 1, 4);
    for (double x : {5.0, 12.0, 19.0})
        Fill(p, DigitAt(u'5', 8, x, 12));
}

// A grace note before (`before`) or after the main note: a small digit joined to the
// main one by a slur.
void GraceNote(QPainter& p, bool before)
{
    const double mainX = before ? 15.5 : 8.5;
    const double graceX = before ? 5.0 : 19.0;
    Fill(p, DigitAt(u'5', 11, mainX, 9));
    const QPainterPath grace = DigitAt(u'6', 6.5, graceX, 3);
    Fill(p, grace);
    const QRectF g = grace.boundingRect();
    Bar(p, std::floor(g.left() - 1), 11, std::ceil(g.width() + 2), 1);
    const QPointF from(graceX, 14.5);
    const QPointF to(mainX + (before ? -3.0 : 3.0), 21.5);
    Fill(p, Slur(before ? from : to, before ? to : from, -2.2, 1.1));
}

// The note-size buttons: a note with a badge that says smaller or larger.
void NoteSize(QPainter& p, bool larger)
{
    Fill(p, DigitAt(u'5', 14, 10, 3));
    Dot(p, QPointF(17.5, 17.5), 5.5, kBlue);
    Bar(p, 14.5, 17, 6, 1.4, Qt::white);
    if (larger)
        Bar(p, 16.8, 14.5, 1.4, 6, Qt::white);
}

// --- File, page, zoom and playback ---

void FileNew(QPainter& p)
{
    Sheet(p, QRectF(5.5, 2.5, 14, 19));
    for (double y : {10.0, 13.0, 16.0})
        Bar(p, 8, y, 9, 1, kLightGrey);
    // A star at the corner: something new.
    QPainterPath star;
    const QPointF c(6, 6);
    for (int i = 0; i < 8; ++i) {
        const double r = i % 2 == 0 ? 5.0 : 1.6;
        const double a = i * std::numbers::pi / 4;
        const QPointF point = c + QPointF(r * std::sin(a), -r * std::cos(a));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    Fill(p, star, kGold);
}

void FileOpen(QPainter& p)
{
    QPainterPath back(QPointF(2.5, 5.5));
    back.lineTo(9, 5.5);
    back.lineTo(11, 7.5);
    back.lineTo(19.5, 7.5);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(Pen(QColor(160, 112, 24), 1.0));
    p.setBrush(kGold);
    p.drawPath(back);
    QPainterPath front(QPointF(6.5, 11.5));
    front.lineTo(22.5, 11.5);
    front.lineTo(19.5, 19.5);
    front.lineTo(2.5, 19.5);
    front.closeSubpath();
    p.setBrush(kLightGold);
    p.drawPath(front);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::NoPen);
}

void FileSave(QPainter& p)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    Fill(p, body, kBlue);
    Bar(p, 7, 3, 10, 7, QColor(226, 232, 240));
    Bar(p, 13.5, 4, 2, 5, kBlue);
    Bar(p, 6, 13, 12, 8, kPaper);
    Bar(p, 8, 15.5, 8, 1, kLightGrey);
    Bar(p, 8, 18, 8, 1, kLightGrey);
}

void FilePrint(QPainter& p)
{
    Bar(p, 7, 2, 10, 7, kPaper);
    p.setPen(Pen(kGrey, 1.0, Qt::FlatCap));
    p.drawRect(QRectF(7.5, 2.5, 9, 6));
    p.setPen(Qt::NoPen);
    QPainterPath body;
    body.addRoundedRect(QRectF(2, 8, 20, 10), 2, 2);
    Fill(p, body, QColor(92, 104, 122));
    Dot(p, QPointF(18.5, 11), 1, QColor(120, 220, 120));
    Bar(p, 6, 14, 12, 8, kPaper);
    p.setPen(Pen(kGrey, 1.0, Qt::FlatCap));
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
    p.setPen(Qt::NoPen);
    Bar(p, 8, 17, 8, 1, kLightGrey);
    Bar(p, 8, 19, 6, 1, kLightGrey);
}

// A curved arrow for undo; redo is its mirror image.
void UndoArrow(QPainter& p)
{
    QPainterPath arc;
    const QRectF circle(6, 6.5, 13, 13);
    arc.arcMoveTo(circle, -60);
    arc.arcTo(circle, -60, 240);
    p.setPen(Pen(kBlue, 2.4, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    // The head at the arc's end (upper left), pointing on round the circle.
    const QPointF end = arc.currentPosition();
    ArrowHead(p, end + QPointF(-1.6, 3.2), 240, 6.5, 7.5);
}

void Redo(QPainter& p)
{
    p.save();
    p.translate(kGrid, 0);
    p.scale(-1, 1);
    UndoArrow(p);
    p.restore();
}

// A page with an arrow for page navigation; `toEnd` adds the stop bar of first and last.
void PageArrow(QPainter& p, bool forward, bool toEnd)
{
    Sheet(p, QRectF(5.5, 1.5, 13, 21), kLightGrey);
    p.save();
    if (!forward) {
        p.translate(kGrid, 0);
        p.scale(-1, 1);
    }
    QPainterPath head(QPointF(16, 12));
    head.lineTo(9, 6);
    head.lineTo(9, 18);
    head.closeSubpath();
    if (toEnd) {
        head.translate(-2.5, 0);
        Bar(p, 14.5, 6, 2.5, 12, kBlue);
    }
    Fill(p, head, kBlue);
    p.restore();
}

void Magnifier(QPainter& p)
{
    p.setPen(Pen(kInk, 3.2));
    p.drawLine(QPointF(15.5, 15.5), QPointF(21, 21));
    p.setPen(Pen(kInk, 1.8));
    p.setBrush(kLightBlue);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::NoPen);
}

void Zoom(QPainter& p, int kind)
{
    Magnifier(p);
    if (kind == 0) {
        Bar(p, 6.5, 9.25, 7, 1.5, kBlue);
        Bar(p, 9.25, 6.5, 1.5, 7, kBlue);
    } else if (kind == 1) {
        Bar(p, 6.5, 9.25, 7, 1.5, kBlue);
    } else {
        Fill(p, DigitAt(u'1', 7.5, 10, 6.25), kBlue);
    }
}

void DragTool(QPainter& p)
{
    Arrow(p, QPointF(12, 12), QPointF(12, 2));
    Arrow(p, QPointF(12, 12), QPointF(12, 22));
    Arrow(p, QPointF(12, 12), QPointF(2, 12));
    Arrow(p, QPointF(12, 12), QPointF(22, 12));
}

void Play(QPainter& p)
{
    QPainterPath path(QPointF(7, 4));
    path.lineTo(20, 12);
    path.lineTo(7, 20);
    path.closeSubpath();
    Fill(p, path, kGreen);
}

void Stop(QPainter& p)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
    Fill(p, path, QColor(64, 74, 92));
}

void Record(QPainter& p)
{
    Dot(p, QPointF(12, 12), 7, kRed);
    Dot(p, QPointF(10, 10), 2.2, QColor(240, 140, 140));
}

void Metronome(QPainter& p)
{
    QPainterPath body(QPointF(9.5, 2.5));
    body.lineTo(14.5, 2.5);
    body.lineTo(19.5, 20.5);
    body.lineTo(4.5, 20.5);
    body.closeSubpath();
    p.setPen(Pen(QColor(110, 66, 30), 1.0));
    p.setBrush(QColor(196, 132, 70));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::NoBrush);
    Bar(p, 6.5, 15, 11, 5.5, QColor(238, 222, 196));
    Line(p, QPointF(12, 17), QPointF(18.5, 4.5), kInk, 1.4);
    Bar(p, 15, 8, 3, 2.2, kInk);
}

// --- Bar lines and repeats, drawn as the score draws them: thin and thick lines, and
// two dots beside them for a repeat ---

constexpr double kBarTop = 4;
constexpr double kBarHeight = 16;

void ThinBar(QPainter& p, double x) { Bar(p, x, kBarTop, 1, kBarHeight); }
void ThickBar(QPainter& p, double x) { Bar(p, x, kBarTop, 3, kBarHeight); }
void RepeatDots(QPainter& p, double x)
{
    Dot(p, QPointF(x, 9.5), 1.4);
    Dot(p, QPointF(x, 14.5), 1.4);
}

// A bar line left out: its place dashed between the notes it no longer parts.
void HiddenBar(QPainter& p)
{
    for (double y = kBarTop; y < kBarTop + kBarHeight; y += 4)
        Bar(p, 11, y, 1, 2, kGrey);
    // The notes on both sides run on as if in one bar.
    Fill(p, DigitAt(u'5', 8, 5.5, 8));
    Fill(p, DigitAt(u'3', 8, 17.5, 8));
}

void SingleBar(QPainter& p) { ThinBar(p, 11); }

void DoubleBar(QPainter& p)
{
    ThinBar(p, 9);
    ThinBar(p, 14);
}

void FinalBar(QPainter& p)
{
    ThinBar(p, 9);
    ThickBar(p, 12);
}

void StartRepeat(QPainter& p)
{
    ThickBar(p, 7);
    ThinBar(p, 12);
    RepeatDots(p, 16);
}

void EndRepeat(QPainter& p)
{
    RepeatDots(p, 8);
    ThinBar(p, 11);
    ThickBar(p, 14);
}

void JumpMark(QPainter& p, char16_t glyph)
{
    Fill(p, Fitted(Outline(music::kSymbolFace, glyph), QRectF(2, 3, 20, 18)));
}

void Ending(QPainter& p, char16_t glyph)
{
    Bar(p, 3, 4, 18, 1);
    Bar(p, 3, 4, 1, 16);
    Fill(p, Fitted(Outline(music::kSymbolFace, glyph), QRectF(6.5, 7, 12, 10)));
}

// --- Note symbols over a note ---

// The symbol made as large as its box above the note allows: a flat or narrow symbol
// gets a box of its own proportions, so that it keeps its size beside the digit.
void SymbolOverNote(QPainter& p, char16_t glyph, double width = 16, double height = 9.5)
{
    Fill(p, DigitAt(u'5', 9, 12, 13));
    Fill(p, Fitted(Outline(music::kSymbolFace, glyph), QRectF(12 - width / 2, 11 - height, width, height)));
}

// The turn after the note: the score sets the delayed turn's glyph where it sets the
// turn, and the glyph itself lies further on. Both are scaled and placed alike here.
void DelayedTurn(QPainter& p)
{
    Fill(p, DigitAt(u'5', 9, 6, 13));
    const QRectF turn = Outline(music::kSymbolFace, music::kTurn).boundingRect();
    if (turn.width() <= 0)
        return;
    const double factor = 10.0 / turn.width();
    QTransform place;
    place.translate(6 - turn.center().x() * factor, 7 - turn.center().y() * factor);
    place.scale(factor, factor);
    Fill(p, place.map(Outline(music::kSymbolFace, music::kDelayedTurn)));
}

// --- Line marks ---

void SmoothSlur(QPainter& p)
{
    Fill(p, DigitAt(u'5', 8, 6, 13));
    Fill(p, DigitAt(u'3', 8, 18, 13));
    Fill(p, Slur(QPointF(3, 10.5), QPointF(21, 10.5), 5));
}

void FlatSlur(QPainter& p)
{
    Fill(p, DigitAt(u'5', 8, 6, 13));
    Fill(p, DigitAt(u'3', 8, 18, 13));
    QPainterPath path(QPointF(3, 11));
    path.cubicTo(QPointF(3, 7.5), QPointF(5, 5.5), QPointF(8, 5.5));
    path.lineTo(16, 5.5);
    path.cubicTo(QPointF(19, 5.5), QPointF(21, 7.5), QPointF(21, 11));
    p.setPen(Pen(kInk, 1.3));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
}

void Hairpin(QPainter& p, bool opening, double top, double bottom, double left = 3, double right = 21)
{
    const double mid = (top + bottom) / 2;
    const double closed = opening ? left : right;
    const double open = opening ? right : left;
    Line(p, QPointF(closed, mid), QPointF(open, top), kInk, 1.3);
    Line(p, QPointF(closed, mid), QPointF(open, bottom), kInk, 1.3);
}

void TrillLine(QPainter& p)
{
    Fill(p, Fitted(Outline(music::kSymbolFace, music::kTrill), QRectF(1, 6, 9.5, 9)));
    Fill(p, Wave(QPointF(11.5, 11.5), 11, 0, 3.5));
}

// The octave sign: "8va" (or "8vb") with a dashed line that ends in a hook.
void OctaveLine(QPainter& p, bool above)
{
    const std::u16string text{music::kOctaveEight, above ? music::kOctaveVa : music::kOctaveVb};
    const double top = above ? 2 : 12;
    Fill(p, Fitted(Outline(music::kSymbolFace, text), QRectF(1, top, 13, 10)));
    const double y = above ? 4 : 19;
    for (double x = 15; x < 20; x += 3)
        Bar(p, x, y, 1.8, 1);
    Bar(p, 21, above ? y : y - 7, 1, 8);
}

// An arpeggio: the wave upright beside a chord of three stacked digits, with an arrow
// head at the top (`direction` 1) or at the bottom (-1) or none (0).
void Arpeggio(QPainter& p, int direction)
{
    const double top = direction > 0 ? 7.5 : 2.5;
    const double bottom = direction < 0 ? 16.5 : 21.5;
    Fill(p, Wave(QPointF(8, bottom), bottom - top, 90, 3.5));
    if (direction > 0)
        ArrowHead(p, QPointF(8, 2), 90, 5, 5.5, kInk);
    else if (direction < 0)
        ArrowHead(p, QPointF(8, 22), 270, 5, 5.5, kInk);
    Fill(p, DigitAt(u'5', 5.5, 16, 2.5));
    Fill(p, DigitAt(u'3', 5.5, 16, 9.25));
    Fill(p, DigitAt(u'1', 5.5, 16, 16));
}

void Glissando(QPainter& p)
{
    Fill(p, DigitAt(u'1', 8, 4.5, 13.5));
    Fill(p, DigitAt(u'5', 8, 19.5, 2.5));
    const QPointF from(7.5, 15);
    const QPointF to(16.5, 8);
    const QPointF d = to - from;
    Fill(p, Wave(from, std::hypot(d.x(), d.y()), std::atan2(-d.y(), d.x()) * 180.0 / std::numbers::pi, 3));
}

// --- Dynamics, in the score's dynamics letters ---

void Dynamic(QPainter& p, std::u16string_view letters)
{
    std::u16string glyphs;
    for (char16_t c : letters) {
        switch (c) {
        case u'f': glyphs += music::kDynamicF; break;
        case u'm': glyphs += music::kDynamicM; break;
        case u'p': glyphs += music::kDynamicP; break;
        case u'r': glyphs += music::kDynamicR; break;
        case u's': glyphs += music::kDynamicS; break;
        case u'z': glyphs += music::kDynamicZ; break;
        default: break;
        }
    }
    // One em for all, so that "p" and "sffzz" are letters of one size where they fit.
    const QPainterPath path = Scaled(Outline(music::kSymbolFace, glyphs), 0.30);
    Fill(p, Fitted(path, QRectF(1.5, 2, 21, 20), 1.0));
}

// --- Layout marks ---

void BarsPerLine(QPainter& p)
{
    Bar(p, 2, 13, 20, 1, kGrey);
    for (double x : {2.0, 8.5, 15.0, 21.0})
        Bar(p, x, 8, 1, 11);
    Fill(p, DigitAt(u'3', 6, 12, 1), kBlue);
}

void LineBreakMark(QPainter& p)
{
    for (double y : {4.0, 19.0})
        Bar(p, 2, y, 20, 1.5, kLightGrey);
    p.setPen(Pen(kBlue, 1.8, Qt::FlatCap));
    QPainterPath hook(QPointF(18.5, 7));
    hook.lineTo(18.5, 13);
    hook.lineTo(9, 13);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    ArrowHead(p, QPointF(4.5, 13), 180, 5, 6.5);
}

void BarWidthMark(QPainter& p)
{
    ThinBar(p, 2);
    ThinBar(p, 21);
    Arrow(p, QPointF(4, 12), QPointF(20, 12), true);
}

void IndentMark(QPainter& p)
{
    Bar(p, 12, 5, 10, 2, kGrey);
    Bar(p, 2, 11, 20, 2, kGrey);
    Bar(p, 2, 17, 20, 2, kGrey);
    Arrow(p, QPointF(2, 6), QPointF(10, 6));
}

void LineSpacingMark(QPainter& p)
{
    Bar(p, 2, 3, 20, 2, kGrey);
    Bar(p, 2, 19, 20, 2, kGrey);
    Arrow(p, QPointF(12, 6.5), QPointF(12, 17.5), true);
}

void LinePositionMark(QPainter& p)
{
    Bar(p, 9, 11, 13, 2, kGrey);
    Arrow(p, QPointF(4, 3), QPointF(4, 21), true);
    Bar(p, 7, 7, 1, 10, kInk);
}

void LyricLinePositionMark(QPainter& p)
{
    for (double x : {5.0, 10.5, 16.0})
        Fill(p, DigitAt(u'5', 5.5, x, 2));
    Bar(p, 2, 16, 5, 2, kGrey);
    Bar(p, 8, 16, 5, 2, kGrey);
    Bar(p, 14, 16, 3, 2, kGrey);
    Arrow(p, QPointF(20.5, 9), QPointF(20.5, 23), true);
}

// --- Lyrics ---

void LyricRow(QPainter& p)
{
    Fill(p, DigitAt(u'5', 6.5, 5, 2));
    Fill(p, DigitAt(u'3', 6.5, 12, 2));
    Fill(p, DigitAt(u'2', 6.5, 19, 2));
}

void EditLyrics(QPainter& p)
{
    LyricRow(p);
    Bar(p, 2, 13, 6, 2, kGrey);
    Bar(p, 9, 13, 5, 2, kGrey);
    // A pencil across the lower right.
    p.save();
    p.translate(17, 17);
    p.rotate(-45);
    Bar(p, -4.5, -1.8, 9, 3.6, kGold);
    Bar(p, -6.5, -1.8, 2, 3.6, QColor(220, 120, 120));
    QPainterPath tip(QPointF(4.5, -1.8));
    tip.lineTo(8.5, 0);
    tip.lineTo(4.5, 1.8);
    tip.closeSubpath();
    Fill(p, tip, QColor(238, 214, 170));
    Dot(p, QPointF(7.7, 0), 0.9, kInk);
    p.restore();
}

void Verse(QPainter& p, char16_t number)
{
    LyricRow(p);
    Fill(p, DigitAt(number, 8, 4.5, 13), kBlue);
    Bar(p, 9, 16.5, 5, 2, kGrey);
    Bar(p, 15.5, 16.5, 6, 2, kGrey);
}

// --- The palette switches and the text tool ---

// A passage between repeat signs.
void BarlineSwitch(QPainter& p)
{
    ThickBar(p, 1);
    ThinBar(p, 5);
    RepeatDots(p, 8);
    RepeatDots(p, 16);
    ThinBar(p, 18);
    ThickBar(p, 20);
}

void SymbolSwitch(QPainter& p)
{
    Fill(p, DigitAt(u'5', 8, 12, 10));
    Fill(p, Fitted(Outline(music::kSymbolFace, music::kFermata), QRectF(5, 1, 14, 8)));
    Fill(p, Fitted(Outline(music::kSymbolFace, music::kAccent), QRectF(8, 19.5, 8, 4)));
}

void LineSwitch(QPainter& p)
{
    Fill(p, Slur(QPointF(2.5, 9), QPointF(21.5, 9), 5.5));
    Hairpin(p, true, 13, 21, 3, 21);
}

void DynamicsSwitch(QPainter& p)
{
    const std::u16string glyphs{music::kDynamicM, music::kDynamicF};
    Fill(p, Fitted(Outline(music::kSymbolFace, glyphs), QRectF(2, 1.5, 20, 13)));
    Hairpin(p, false, 17, 22, 3, 21);
}

void LyricSwitch(QPainter& p)
{
    LyricRow(p);
    Bar(p, 2, 13, 6, 2, kGrey);
    Bar(p, 9.5, 13, 5, 2, kGrey);
    Bar(p, 16, 13, 6, 2, kGrey);
    Bar(p, 2, 18, 9, 2, kLightGrey);
    Bar(p, 12.5, 18, 6, 2, kLightGrey);
}

void LayoutSwitch(QPainter& p)
{
    Sheet(p, QRectF(3.5, 1.5, 17, 21));
    Bar(p, 6, 6, 7, 1.5, kGrey);
    Bar(p, 6, 10, 12, 1.5, kGrey);
    Bar(p, 6, 14, 12, 1.5, kGrey);
    Bar(p, 6, 18, 9, 1.5, kGrey);
    Bar(p, 11.5, 9, 1, 11, kBlue);
}

void FreeText(QPainter& p)
{
    // A serif "T" and the text cursor after it.
    Bar(p, 3, 4, 13, 2.2);
    Bar(p, 3, 4, 1.4, 4.5);
    Bar(p, 14.6, 4, 1.4, 4.5);
    Bar(p, 8.3, 4, 2.4, 15);
    Bar(p, 6, 18, 7, 1.4);
    Bar(p, 19, 5, 1.2, 15, kBlue);
    Bar(p, 17.2, 4, 4.8, 1.2, kBlue);
    Bar(p, 17.2, 19.5, 4.8, 1.2, kBlue);
}

// --- The font toolbar ---

void StyleLetter(QPainter& p, char16_t letter, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100);
    font.setBold(bold);
    font.setItalic(italic);
    if (italic)
        font.setFamily(QStringLiteral("DejaVu Serif"));
    QPainterPath path;
    path.addText(0, 0, font, QString(QChar(letter)));
    const QRectF box = underline ? QRectF(4, 2, 16, 15) : QRectF(3, 2, 18, 20);
    Fill(p, Fitted(path, box));
    if (underline)
        Bar(p, 4, 19.5, 16, 2.5);
}

// --- The table ---

const std::unordered_map<int, Picture>& Pictures()
{
    static const std::unordered_map<int, Picture> table = {
        {cmd::kFileNew, FileNew},
        {cmd::kFileOpen, FileOpen},
        {cmd::kFileSave, FileSave},
        {cmd::kFilePrint, FilePrint},
        {cmd::kEditUndo, UndoArrow},
        {cmd::kEditRedo, Redo},
        {cmd::kFirstPage, [](QPainter& p) { PageArrow(p, false, true); }},
        {cmd::kPrevPage, [](QPainter& p) { PageArrow(p, false, false); }},
        {cmd::kNextPage, [](QPainter& p) { PageArrow(p, true, false); }},
        {cmd::kLastPage, [](QPainter& p) { PageArrow(p, true, true); }},
        {cmd::kZoomIn, [](QPainter& p) { Zoom(p, 0); }},
        {cmd::kZoomOut, [](QPainter& p) { Zoom(p, 1); }},
        {cmd::kZoomDefault, [](QPainter& p) { Zoom(p, 2); }},
        {cmd::kDragTool, DragTool},
        {cmd::kPlay, Play},
        {cmd::kStop, Stop},
        {cmd::kRecord, Record},
        {cmd::kMetronome, Metronome},
        // Note entry: octaves, values, dot, accidentals, tie and triplet.
        {32783, [](QPainter& p) { OctaveNote(p, -2); }},
        {32782, [](QPainter& p) { OctaveNote(p, -1); }},
        {32781, [](QPainter& p) { OctaveNote(p, 0); }},
        {32827, [](QPainter& p) { OctaveNote(p, 1); }},
        {32780, [](QPainter& p) { OctaveNote(p, 2); }},
        {171, [](QPainter& p) { NoteValue(p, 3, 0); }},
        {172, [](QPainter& p) { NoteValue(p, 1, 0); }},
        {173, [](QPainter& p) { NoteValue(p, 0, 0); }},
        {174, [](QPainter& p) { NoteValue(p, 0, 1); }},
        {176, [](QPainter& p) { NoteValue(p, 0, 2); }},
        {183, [](QPainter& p) { NoteValue(p, 0, 3); }},
        {184, [](QPainter& p) { NoteValue(p, 0, 4); }},
        {186, [](QPainter& p) { NoteValue(p, 0, 5); }},
        {32784, DottedNote},
        {178, [](QPainter& p) { Accidental(p, music::kSharp); }},
        {180, [](QPainter& p) { Accidental(p, music::kNatural); }},
        {179, [](QPainter& p) { Accidental(p, music::kFlat); }},
        {32789, Tie},
        {108, Triplet},
        {32804, [](QPainter& p) { GraceNote(p, true); }},
        {32805, [](QPainter& p) { GraceNote(p, false); }},
        {32847, [](QPainter& p) { NoteSize(p, false); }},
        {32846, [](QPainter& p) { NoteSize(p, true); }},
        // Palette switches and the text tool.
        {cmd::kBarlinePalette, BarlineSwitch},
        {cmd::kSymbolPalette, SymbolSwitch},
        {cmd::kLinePalette, LineSwitch},
        {cmd::kDynamicsPalette, DynamicsSwitch},
        {cmd::kLyricPalette, LyricSwitch},
        {cmd::kLayoutPalette, LayoutSwitch},
        {cmd::kFreeTextTool, FreeText},
        // Bar lines, repeats, jumps and endings.
        {32820, HiddenBar},
        {32853, SingleBar},
        {32822, DoubleBar},
        {32858, FinalBar},
        {32867, StartRepeat},
        {32868, EndRepeat},
        {32864, [](QPainter& p) { JumpMark(p, music::kDaCapo); }},
        {32865, [](QPainter& p) { JumpMark(p, music::kDalSegno); }},
        {32866, [](QPainter& p) { JumpMark(p, music::kFine); }},
        {32869, [](QPainter& p) { JumpMark(p, music::kCoda); }},
        {32870, [](QPainter& p) { JumpMark(p, music::kToCoda); }},
        {32871, [](QPainter& p) { JumpMark(p, music::kSegno); }},
        {32918, [](QPainter& p) { Ending(p, music::kFirstEnding); }},
        {32919, [](QPainter& p) { Ending(p, music::kSecondEnding); }},
        // Note symbols, in the glyphs the score draws for them.
        {32920, [](QPainter& p) { SymbolOverNote(p, music::kTrill); }},
        {32921, [](QPainter& p) { SymbolOverNote(p, music::kInvertedMordent); }},
        {32922, [](QPainter& p) { SymbolOverNote(p, music::kMordent); }},
        {32814, [](QPainter& p) { SymbolOverNote(p, music::kTurn); }},
        {32923, DelayedTurn},
        {32806, [](QPainter& p) { SymbolOverNote(p, music::kStaccatissimo, 4, 6.5); }},
        {32925, [](QPainter& p) { SymbolOverNote(p, music::kAccent, 9, 6); }},
        {32809, [](QPainter& p) { SymbolOverNote(p, music::kFermata, 14, 9); }},
        {32810, [](QPainter& p) { SymbolOverNote(p, music::kTenuto, 9, 3); }},
        // Line marks.
        {32915, SmoothSlur},
        {32914, FlatSlur},
        {32818, [](QPainter& p) { Hairpin(p, true, 6, 18); }},
        {32819, [](QPainter& p) { Hairpin(p, false, 6, 18); }},
        {32913, TrillLine},
        {32916, [](QPainter& p) { OctaveLine(p, true); }},
        {32917, [](QPainter& p) { OctaveLine(p, false); }},
        {32926, [](QPainter& p) { Arpeggio(p, 0); }},
        {32927, [](QPainter& p) { Arpeggio(p, 1); }},
        {32928, [](QPainter& p) { Arpeggio(p, -1); }},
        {32929, Glissando},
        // Layout marks.
        {32879, BarsPerLine},
        {32878, LineBreakMark},
        {32872, BarWidthMark},
        {32874, IndentMark},
        {32875, LineSpacingMark},
        {32876, LinePositionMark},
        {32880, LyricLinePositionMark},
        // Dynamics.
        {32889, [](QPainter& p) { Dynamic(p, u"p"); }},
        {32890, [](QPainter& p) { Dynamic(p, u"pp"); }},
        {32891, [](QPainter& p) { Dynamic(p, u"ppp"); }},
        {32895, [](QPainter& p) { Dynamic(p, u"f"); }},
        {32896, [](QPainter& p) { Dynamic(p, u"ff"); }},
        {32897, [](QPainter& p) { Dynamic(p, u"fff"); }},
        {32901, [](QPainter& p) { Dynamic(p, u"mp"); }},
        {32902, [](QPainter& p) { Dynamic(p, u"mf"); }},
        {32903, [](QPainter& p) { Dynamic(p, u"sf"); }},
        {32904, [](QPainter& p) { Dynamic(p, u"sfp"); }},
        {32905, [](QPainter& p) { Dynamic(p, u"sfpp"); }},
        {32906, [](QPainter& p) { Dynamic(p, u"fp"); }},
        {32907, [](QPainter& p) { Dynamic(p, u"rf"); }},
        {32908, [](QPainter& p) { Dynamic(p, u"rfz"); }},
        {32909, [](QPainter& p) { Dynamic(p, u"sfz"); }},
        {32910, [](QPainter& p) { Dynamic(p, u"sffzz"); }},
        {32911, [](QPainter& p) { Dynamic(p, u"fz"); }},
        // Lyrics.
        {32888, EditLyrics},
        {32797, [](QPainter& p) { Verse(p, u'1'); }},
        {32798, [](QPainter& p) { Verse(p, u'2'); }},
        {32799, [](QPainter& p) { Verse(p, u'3'); }},
        {32800, [](QPainter& p) { Verse(p, u'4'); }},
        {32801, [](QPainter& p) { Verse(p, u'5'); }},
        // The font toolbar.
        {cmd::kBold, [](QPainter& p) { StyleLetter(p, u'B', true, false, false); }},
        {cmd::kItalic, [](QPainter& p) { StyleLetter(p, u'I', false, true, false); }},
        {cmd::kUnderline, [](QPainter& p) { StyleLetter(p, u'U', false, false, true); }},
    };
    return table;
}

// A button's icon: its picture drawn when a size is first asked for, at that size, and
// kept. A toolbar shows one size in two modes at most, and a hidden palette none, so
// the program holds only the pictures it shows.
class PictureEngine final : public QIconEngine {
public:
    explicit PictureEngine(int command) : command_(command) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QSize size = actualSize(rect.size(), mode, state);
        QPixmap image = pixmap(size * ratio, mode, state);
        image.setDevicePixelRatio(ratio);
        const QPoint corner = rect.topLeft() + QPoint((rect.width() - size.width()) / 2, (rect.height() - size.height()) / 2);
        painter->drawPixmap(corner, image);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const int side = actualSize(size, mode, state).width();
        if (side <= 0)
            return {};
        const bool disabled = mode == QIcon::Disabled;
        const auto key = std::make_pair(side, disabled);
        auto found = cache_.find(key);
        if (found == cache_.end())
            found = cache_.emplace(key, QPixmap::fromImage(ToolBarPictures::Image(command_, side, disabled))).first;
        return found->second;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        const int side = ToolBarPictures::ImageSize(command_);
        return {QSize(side, side), QSize(2 * side, 2 * side)};
    }

    QString key() const override { return QStringLiteral("brindle-tool-bar-picture"); }
    QIconEngine* clone() const override { return new PictureEngine(command_); }
    bool isNull() override { return !ToolBarPictures::Has(command_); }

private:
    int command_;
    std::map<std::pair<int, bool>, QPixmap> cache_;
};

}  // namespace

bool ToolBarPictures::Has(int command)
{
    return Pictures().contains(command);
}

int ToolBarPictures::ImageSize(int command)
{
    return command == cmd::kBold || command == cmd::kItalic || command == cmd::kUnderline ? kSmallImageSize
                                                                                          : kImageSize;
}

void ToolBarPictures::Draw(QPainter& painter, int command, double side)
{
    const auto found = Pictures().find(command);
    if (found == Pictures().end() || side <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    painter.scale(side / kGrid, side / kGrid);
    found->second(painter);
    painter.restore();
}

QImage ToolBarPictures::Image(int command, int side, bool disabled)
{
    if (side <= 0)
        return {};
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        Draw(painter, command, side);
    }
    return disabled ? Disabled(image) : image;
}

QImage ToolBarPictures::Disabled(const QImage& normal)
{
    QImage grey = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            // Grey of the same lightness, lifted toward white.
            const int level = 140 + qGray(pixel) * 100 / 255;
            line[x] = qRgba(level, level, level, qAlpha(pixel));
        }
    }
    return grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QIcon ToolBarPictures::Icon(int command)
{
    if (!Has(command))
        return {};
    return QIcon(new PictureEngine(command));
}

}  // namespace brindle
