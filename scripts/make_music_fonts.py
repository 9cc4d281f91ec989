#!/usr/bin/python3
"""Builds the program's music fonts as one TrueType collection, data/fonts/Tansy.ttc.

The collection holds five faces:

  "Tansy"            music symbols: accidentals, articulations and ornaments, dynamics,
                     jump marks, line-mark pieces, key names and tempo notes
  "Tansy Number"     note digits, the duration dash, the dot and the unpitched note symbols
  "Tansy Tuplet"     tuplet numbers (bold)
  "Tansy Times"      time-signature numbers (bold)
  "Tansy Signature"  the signs the dialogs show for keys, time signatures and note values

The music glyphs come from the LilyPond music font (Debian package lilypond-fonts, SIL Open
Font License 1.1 with the reserved names "Emmentaler" and "Feta"); digits, letters and
punctuation come from DejaVu (fonts-dejavu-core, Bitstream Vera licence). Our faces carry
their own names. Run with the system interpreter, which has FontForge's module:

    /usr/bin/python3 scripts/make_music_fonts.py [output.ttc]

The output is the same byte for byte on every run with the same source fonts.

Placement: the drawing device addresses these faces at fixed pixel heights (Tansy at 20
pixels, Tansy Number at 15, Tansy Tuplet and Tansy Times at 12) and places every glyph at a
fixed distance, in hundredths of a millimetre, from the point the score gives it. The
vertical metrics and the glyph positions below are chosen so that those distances put each
glyph where it belongs on a screen of 96 dots per inch, the reference the layout was drawn
for. `units(u, px)` turns a distance of u hundredths of a millimetre into font units of a
face drawn at px pixels.
"""

import glob
import os
import sys

# FontForge stamps the creation and modification times into the files; a fixed stamp keeps
# the output reproducible. It must be set before the module loads.
os.environ["SOURCE_DATE_EPOCH"] = "1704067200"  # 2024-01-01 00:00:00 UTC

import fontforge  # noqa: E402  (Debian: python3-fontforge)
import psMat  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(ROOT, "data", "fonts", "Tansy.ttc")

EM = 1000
HUNDREDTHS_PER_PIXEL = 2540.0 / 96.0  # 0.01 mm per pixel at 96 dpi

DEJAVU_DIR = "/usr/share/fonts/truetype/dejavu"
VERSION = "1.000"
COPYRIGHT = ("Music glyphs: Copyright (c) 1996-2017 The LilyPond authors, SIL Open Font "
             "License 1.1 (Reserved Font Names \"Emmentaler\", \"Feta\"). Digits, letters "
             "and punctuation: Copyright (c) 2003 Bitstream, Inc. (Bitstream Vera), DejaVu "
             "changes in the public domain. Assembled for Brindle.")
LICENSE = ("This Font Software is licensed under the SIL Open Font License, Version 1.1; "
           "glyphs taken from DejaVu also carry the Bitstream Vera licence. See OFL.txt and "
           "LICENSE-DejaVu.txt beside this file.")
LICENSE_URL = "https://openfontlicense.org"


def units(hundredths, pixels):
    """Font units of a distance in 0.01 mm for a face drawn `pixels` high at 96 dpi."""
    return int(round(hundredths * EM / (pixels * HUNDREDTHS_PER_PIXEL)))


def hundredths(font_units, pixels):
    """The distance in 0.01 mm of `font_units` of a face drawn `pixels` high at 96 dpi."""
    return font_units * pixels * HUNDREDTHS_PER_PIXEL / EM


# The note digits ("Tansy Number", font key 1), drawn 15 pixels high: one em is 397. A
# note's box is the face's visible height (em - descent) tall; the digits stand on its
# bottom, the baseline, and leave NOTE_HEADROOM free above them. Octave dots above a note
# are set from the box's top, so the headroom is what keeps them off the digit.
NUMBER_PX = 15
DIGIT_HEIGHT = 729  # DejaVu Sans digits at one em of 1000
NOTE_HEADROOM = units(30, NUMBER_PX)
NUMBER_ASCENT = 1000
NUMBER_DESCENT = EM - DIGIT_HEIGHT - NOTE_HEADROOM
NOTE_BOX = hundredths(EM - NUMBER_DESCENT, NUMBER_PX)  # the note's height, 0.01 mm
DIGIT_TOP = hundredths(NOTE_HEADROOM, NUMBER_PX)       # below the box's top, 0.01 mm


def find_emmentaler():
    found = sorted(glob.glob("/usr/share/lilypond/*/fonts/otf/emmentaler-20.otf"))
    if not found:
        sys.exit("make_music_fonts: emmentaler-20.otf not found (install lilypond-fonts)")
    return found[-1]


class Sources:
    """The source fonts, opened once."""

    def __init__(self):
        self.music = fontforge.open(find_emmentaler())
        self.sans = fontforge.open(os.path.join(DEJAVU_DIR, "DejaVuSans.ttf"))
        self.sans_bold = fontforge.open(os.path.join(DEJAVU_DIR, "DejaVuSans-Bold.ttf"))
        self.serif_italic = fontforge.open(os.path.join(DEJAVU_DIR, "DejaVuSerif-Italic.ttf"))
        self.serif_bold_italic = fontforge.open(
            os.path.join(DEJAVU_DIR, "DejaVuSerif-BoldItalic.ttf"))


class Shape:
    """Outlines in font units, built from pieces of the source fonts."""

    def __init__(self):
        self.layer = fontforge.layer()
        self.layer.is_quadratic = False

    def add(self, source, key, scale=1.0, dx=0.0, dy=0.0, sx=None):
        """Adds glyph `key` of `source` scaled by `scale` (x by `sx` when given) and moved."""
        glyph = source[key]
        glyph.unlinkRef()
        piece = glyph.foreground.dup()
        piece.is_quadratic = False
        unit = EM / source.em
        piece.transform(psMat.scale((sx if sx is not None else scale) * unit, scale * unit))
        piece.transform(psMat.translate(dx, dy))
        self.layer += piece
        return self

    def add_text(self, source, text, scale, x=0.0, y=0.0, tracking=0.0):
        """Adds a row of characters of `source`, advancing by their own widths."""
        unit = EM / source.em
        for ch in text:
            self.add(source, ord(ch), scale, x, y)
            x += source[ord(ch)].width * scale * unit + tracking
        return x

    def rect(self, x0, y0, x1, y1):
        c = fontforge.contour()
        c.is_quadratic = False
        for (x, y) in ((x0, y0), (x0, y1), (x1, y1), (x1, y0)):
            c += fontforge.point(x, y, True)
        c.closed = True
        self.layer += c
        return self

    def move(self, dx, dy):
        self.layer.transform(psMat.translate(dx, dy))
        return self

    def bbox(self):
        return self.layer.boundingBox()

    def width(self):
        x0, _, x1, _ = self.bbox()
        return x1 - x0

    def height(self):
        _, y0, _, y1 = self.bbox()
        return y1 - y0

    def fit_height(self, target):
        """Scales about the origin so that the ink is `target` units tall."""
        f = target / self.height()
        self.layer.transform(psMat.scale(f))
        return self

    def bottom_to(self, y):
        return self.move(0, y - self.bbox()[1])

    def top_to(self, y):
        return self.move(0, y - self.bbox()[3])

    def middle_to(self, y):
        _, y0, _, y1 = self.bbox()
        return self.move(0, y - (y0 + y1) / 2.0)

    def left_to(self, x):
        return self.move(x - self.bbox()[0], 0)

    def centre_x_to(self, x):
        x0, _, x1, _ = self.bbox()
        return self.move(x - (x0 + x1) / 2.0, 0)


class Face:
    """One face of the collection."""

    def __init__(self, family, bold, ascent, descent, postscript):
        f = fontforge.font()
        f.encoding = "UnicodeFull"
        f.em = EM
        f.ascent = 800
        f.descent = 200
        f.familyname = family
        style = "Bold" if bold else "Regular"
        f.fontname = postscript + "-" + style
        f.fullname = family + (" Bold" if bold else "")
        f.weight = style
        f.version = VERSION
        f.copyright = COPYRIGHT
        f.os2_version = 4
        f.os2_weight = 700 if bold else 400
        f.os2_vendor = "BRND"
        f.os2_fstype = 0
        f.macstyle = 1 if bold else 0
        # fsSelection: bold or regular, and "use the typographic metrics".
        f.os2_stylemap = (0x20 if bold else 0x40)
        f.os2_use_typo_metrics = True
        # Every metric set agrees, whatever a rasteriser reads: hhea, typographic, Windows.
        for attr in ("hhea_ascent_add", "hhea_descent_add", "os2_typoascent_add",
                     "os2_typodescent_add", "os2_winascent_add", "os2_windescent_add"):
            setattr(f, attr, False)
        f.hhea_ascent = ascent
        f.hhea_descent = -descent
        f.hhea_linegap = 0
        f.os2_typoascent = ascent
        f.os2_typodescent = -descent
        f.os2_typolinegap = 0
        f.os2_winascent = ascent
        f.os2_windescent = descent
        lang = "English (US)"
        f.appendSFNTName(lang, "Family", family)
        f.appendSFNTName(lang, "SubFamily", style)
        f.appendSFNTName(lang, "Preferred Family", family)
        f.appendSFNTName(lang, "Preferred Styles", style)
        f.appendSFNTName(lang, "UniqueID", "Brindle: " + f.fullname + " " + VERSION)
        f.appendSFNTName(lang, "License", LICENSE)
        f.appendSFNTName(lang, "License URL", LICENSE_URL)
        self.font = f
        self.space(250)

    def space(self, width):
        g = self.font.createChar(32, "space")
        g.width = width

    def put(self, code, name, shape, lsb=None, rsb=None, advance=None, keep_x=False):
        """Stores `shape` as the glyph of `code`.

        With keep_x the outlines stay where they are and `advance` is the width; otherwise
        the ink starts at `lsb` and the width is ink + lsb + rsb, or the ink is centred in
        `advance`.
        """
        g = self.font.createChar(code, name)
        if not keep_x:
            x0, _, x1, _ = shape.bbox()
            if advance is not None:
                shape.move((advance - (x1 - x0)) / 2.0 - x0, 0)
            else:
                shape.move((lsb or 0) - x0, 0)
                advance = (x1 - x0) + (lsb or 0) + (rsb or 0)
        g.foreground = shape.layer
        g.removeOverlap()
        g.correctDirection()
        g.round()
        g.width = int(round(advance))
        return g


# --------------------------------------------------------------------------- Tansy (key 0)
# Drawn 20 pixels high: one em is 529 hundredths of a millimetre.
TANSY_PX = 20
# Visible height (em - descent) 470 units = 249: an articulation's box is this tall and
# its glyph hangs in that box. Ascent + descent = 2080 units = 1101: dynamics marks take
# the cell height minus 800 (301) as their height.
TANSY_ASCENT = 1550
TANSY_DESCENT = 530
TANSY_VISIBLE = EM - TANSY_DESCENT

ACCIDENTAL_SCALE = 0.55    # of the LilyPond design size
# The device measures an accidental 10 pixels high and draws it with the baseline at the
# bottom of that box (the note hangs the box half above its top, so the accidental stands
# at the digit's upper left). Every accidental has its ink centred in the box.
ACCIDENTAL_MIDDLE = units(132, TANSY_PX)
# Clear space right of an accidental's ink, towards the digit it stands before.
ACCIDENTAL_RSB = 50
ARTICULATION_SCALE = 0.8
# Glyphs that stand on the bottom of their box keep half a pixel clear of it, so that
# their anti-aliased edge stays inside the box at every zoom.
BOX_CLEARANCE = 25
DYNAMIC_SCALE = 0.85
JUMP_SIGN_SCALE = 0.9

# Sizes shared by the key names and the "=" that follows the key's "1": letters as tall as
# a note digit, standing on the digits' baseline. The "1" stands on the bottom of a note
# box drawn at the key's y; the key name is drawn on a baseline half a box plus 170 below
# that y, so the digits' baseline lies 170 - NOTE_BOX / 2 above it.
KEY_CAP = units(hundredths(DIGIT_HEIGHT, NUMBER_PX), TANSY_PX)
KEY_BASE = units(170 - NOTE_BOX / 2, TANSY_PX)
# The middle of the digits, above the drawn baseline.
EQUALS_MIDDLE = units(170 - NOTE_BOX / 2 + hundredths(DIGIT_HEIGHT, NUMBER_PX) / 2, TANSY_PX)

KEYS = [  # key -7 .. 7: accidental glyph name or None, letter
    ("accidentals.flat", "C"), ("accidentals.flat", "G"), ("accidentals.flat", "D"),
    ("accidentals.flat", "A"), ("accidentals.flat", "E"), ("accidentals.flat", "B"),
    (None, "F"), (None, "C"), (None, "G"), (None, "D"), (None, "A"), (None, "E"),
    (None, "B"), ("accidentals.sharp", "F"), ("accidentals.sharp", "C"),
]

# Tempo notes: the notehead against the face's own size (the whole note's head larger),
# and the clear space before and after the note, in font units of the 20-pixel face.
TEMPO_HEAD_SCALE = 0.62
TEMPO_WHOLE_SCALE = 0.9
TEMPO_LSB = 160
TEMPO_RSB = 120

NOTE_VALUES = [  # whole .. 32nd: notehead, stem, flag
    ("noteheads.s0", False, None), ("noteheads.s1", True, None),
    ("noteheads.s2", True, None), ("noteheads.s2", True, "flags.u3"),
    ("noteheads.s2", True, "flags.u4"), ("noteheads.s2", True, "flags.u5"),
]


def note_value(src, head, stem, flag, scale, head_bottom, stem_top, stem_width):
    """A note value sign: notehead, stem up on the right of the head, flag at its top."""
    s = Shape().add(src.music, head, scale)
    s.bottom_to(head_bottom).left_to(0)
    if stem:
        x0, y0, x1, y1 = s.bbox()
        s.rect(x1 - stem_width, (y0 + y1) / 2.0, x1, stem_top)
        if flag:
            # The flags hang from the stem's top; the longer ones are shortened so that
            # they end above the head instead of below it.
            f = Shape().add(src.music, flag, scale, x1 - stem_width, stem_top)
            bottom = f.bbox()[1]
            if bottom < y1:
                f.layer.transform(psMat.translate(0, -stem_top))
                f.layer.transform(psMat.scale(1.0, (stem_top - y1) / (stem_top - bottom)))
                f.layer.transform(psMat.translate(0, stem_top))
            s.layer += f.layer
    return s


def key_name(src, accidental, letter, cap, base, size=0.6, gap=0.04):
    """A key name as a jianpu score writes it: an accidental `size` of the letter's height
    before the letter, `gap` of that height clear of it."""
    s = Shape()
    x = 0.0
    if accidental:
        a = Shape().add(src.music, accidental, 1.0).fit_height(cap * size)
        a.top_to(base + cap).left_to(0)
        s.layer += a.layer
        x = a.width() + cap * gap
    letter_shape = Shape().add(src.sans, ord(letter), cap / 1493.0 * 2048 / EM)
    letter_shape.bottom_to(base).left_to(x)
    s.layer += letter_shape.layer
    return s


def build_tansy(src):
    face = Face("Tansy", False, TANSY_ASCENT, TANSY_DESCENT, "Tansy")
    m = src.music

    # Accidentals. The device measures every accidental as wide as the sharp and draws the
    # normal size right-aligned at the box's right edge, the chord and grace sizes
    # left-aligned at its left edge: so every accidental gets the one advance, wide enough
    # for the widest ink, and keeps ACCIDENTAL_RSB clear towards the digit.
    accidentals = []
    for code, name in ((33, "accidentals.flat"), (34, "accidentals.natural"),
                       (35, "accidentals.sharp"), (161, "accidentals.doublesharp"),
                       (162, "accidentals.flatflat")):
        s = Shape().add(m, name, ACCIDENTAL_SCALE).middle_to(ACCIDENTAL_MIDDLE)
        accidentals.append((code, name, s))
    accidental_advance = max(s.width() for _, _, s in accidentals) + 10 + ACCIDENTAL_RSB
    for code, name, s in accidentals:
        face.put(code, name.split(".")[1], s,
                 lsb=accidental_advance - ACCIDENTAL_RSB - s.width(), rsb=ACCIDENTAL_RSB)

    # Articulations and ornaments. An ornament's box is TANSY_VISIBLE tall and the device
    # draws its glyph with the baseline `depth` below the box top; each glyph stands on the
    # box bottom, the side towards the note. bottom_for(depth) is that bottom in font units
    # above the drawn baseline (less the clearance).
    def bottom_for(depth):
        return units(depth, TANSY_PX) - TANSY_VISIBLE + BOX_CLEARANCE

    def stand(code, glyph_name, name, depth, lsb=40, rsb=40):
        s = Shape().add(m, glyph_name, ARTICULATION_SCALE)
        s.bottom_to(bottom_for(depth))
        face.put(code, name, s, lsb=lsb, rsb=rsb)

    stand(99, "scripts.sforzato", "accent", 250)
    stand(98, "scripts.staccato", "staccato", 250)
    stand(109, "scripts.tenuto", "tenuto", 150)
    stand(107, "scripts.ustaccatissimo", "staccatissimo", 350)
    stand(103, "scripts.ufermata", "fermata", 300)
    stand(163, "scripts.turn", "turn", 250)
    stand(164, "scripts.mordent", "mordent", 150)
    stand(166, "scripts.prall", "invertedmordent", 150)
    # The delayed turn stands over the gap after its note: the turn in the right half of a
    # box twice as wide, which the layout centres over the note.
    turn = Shape().add(m, "scripts.turn", ARTICULATION_SCALE)
    turn.bottom_to(bottom_for(250))
    tw = turn.width()
    turn.left_to(tw + 80)
    face.put(165, "delayedturn", turn, keep_x=True, advance=2 * tw + 80 + 40)

    # The trill sign: an ornament, and the head of a trill line. Its right side bearing
    # leaves room for the ")" that the continued trill line sets 70 into it.
    trill = Shape().add(m, "scripts.trill", ARTICULATION_SCALE)
    trill.bottom_to(bottom_for(250))
    face.put(160, "trill", trill, lsb=30, rsb=units(70, TANSY_PX) - 60)

    # Dynamics letters keep the LilyPond spacing, which is made for combining them (the
    # device widens a mark's box by the overhangs of its first and last letters). The box
    # is the cell height less 800 (301) with the baseline 50 above its bottom: the letters
    # are raised so that the tail of the f ends inside it, and sized so that the f fits.
    unit = EM / m.em
    dynamic_bottom = -units(50, TANSY_PX) + 12
    dynamic_lift = dynamic_bottom - m[ord("f")].boundingBox()[1] * DYNAMIC_SCALE * unit
    for code, letter in ((224, "f"), (225, "m"), (227, "p"), (228, "r"), (229, "s"),
                         (230, "z")):
        s = Shape().add(m, ord(letter), DYNAMIC_SCALE, 0, dynamic_lift)
        face.put(code, "dynamic." + letter, s, keep_x=True,
                 advance=m[ord(letter)].width * DYNAMIC_SCALE * unit)

    # Jump marks stand on the baseline, the bottom of their box (less the clearance):
    # signs up to 15 pixels tall, words up to 10.
    sign_cap = units(int(15 * HUNDREDTHS_PER_PIXEL), TANSY_PX) * 0.9
    word_cap = units(int(10 * HUNDREDTHS_PER_PIXEL), TANSY_PX) * 0.85
    segno = Shape().add(m, "scripts.segno", 1.0).fit_height(sign_cap).bottom_to(BOX_CLEARANCE)
    face.put(208, "segno", segno, lsb=30, rsb=30)
    coda = Shape().add(m, "scripts.coda", 1.0).fit_height(sign_cap).bottom_to(BOX_CLEARANCE)
    face.put(209, "coda", coda, lsb=30, rsb=30)
    word_scale = word_cap / 1493.0 * 2048 / EM
    to_coda = Shape()
    x = to_coda.add_text(src.serif_bold_italic, "To", word_scale)
    small_coda = Shape().add(m, "scripts.coda", 1.0).fit_height(sign_cap * 0.8)
    small_coda.bottom_to(0).left_to(x + 60)
    to_coda.layer += small_coda.layer
    to_coda.bottom_to(BOX_CLEARANCE)
    face.put(210, "tocoda", to_coda, lsb=30, rsb=30)
    for code, word, name in ((211, "D.S.", "dalsegno"), (212, "D.C.", "dacapo"),
                             (213, "Fine", "fine")):
        s = Shape()
        s.add_text(src.serif_bold_italic, word, word_scale)
        face.put(code, name, s.bottom_to(BOX_CLEARANCE), lsb=30, rsb=30)

    # Line marks. The wavy piece repeats every 150 (so an arpeggio of glyphs turned upright
    # covers its span exactly); it lies 17 below its baseline, at the middle of the trill
    # sign's lower part when the trill line draws it 80 above the sign's baseline.
    wave_advance = units(150, TANSY_PX)
    wave_scale = wave_advance / (2 * 250.0)
    wave = Shape().add(m, "scripts.trill_element", wave_scale)
    wave.add(m, "scripts.trill_element", wave_scale, 250 * wave_scale)
    wave_middle = -units(17, TANSY_PX)
    wave.middle_to(wave_middle)
    face.put(246, "wavyline", wave, keep_x=True, advance=wave_advance)
    # Arpeggio arrows: drawn upright, 70 left of the line's x, while the turned wave lies
    # 50 + 17 right of it; the arrow is centred on the wave.
    arrow_centre = units(70 + 50 + 17, TANSY_PX)
    up = Shape().add(m, "scripts.arpeggio.arrow.1", wave_scale * 1.6)
    up.centre_x_to(arrow_centre).bottom_to(0)
    face.put(240, "arpeggioup", up, keep_x=True, advance=2 * arrow_centre)
    down = Shape().add(m, "scripts.arpeggio.arrow.M1", wave_scale * 1.6)
    down.centre_x_to(arrow_centre).top_to(0)
    face.put(241, "arpeggiodown", down, keep_x=True, advance=2 * arrow_centre)

    # Octave lines: "8" with "va" or "vb" raised beside it, a dashed line on the baseline
    # and a hook at the end (down for the line above the notes, up for the one below).
    eight_cap = units(230, TANSY_PX)
    eight_scale = eight_cap / 1493.0 * 2048 / EM
    eight = Shape().add(src.serif_bold_italic, ord("8"), eight_scale).bottom_to(0)
    face.put(248, "octave8", eight, lsb=20, rsb=50)
    for code, text, name in ((249, "va", "octaveva"), (250, "vb", "octavevb")):
        s = Shape()
        s.add_text(src.serif_italic, text, eight_scale * 0.62)
        face.put(code, name, s.bottom_to(0), lsb=10, rsb=40)
    # The dashes and the hook are a pixel thick at 100 %. The hook is drawn at the line's
    # end, where the row of dashes stops up to a dash and a gap short of it: it brings a
    # last dash of its own from the left, so that the line runs on into the hook.
    dash_thick = 50
    dash_len = units(95, TANSY_PX)
    dash = Shape().rect(0, -dash_thick / 2, dash_len, dash_thick / 2)
    face.put(247, "octavedash", dash, keep_x=True, advance=units(150, TANSY_PX))
    hook = units(220, TANSY_PX)
    down = Shape().rect(0, dash_thick / 2 - hook, dash_thick, dash_thick / 2)
    down.rect(-dash_len, -dash_thick / 2, 0, dash_thick / 2)
    face.put(244, "octavehookdown", down, keep_x=True, advance=dash_thick)
    up = Shape().rect(0, -dash_thick / 2, dash_thick, hook - dash_thick / 2)
    up.rect(-dash_len, -dash_thick / 2, 0, dash_thick / 2)
    face.put(243, "octavehookup", up, keep_x=True, advance=dash_thick)

    # Brackets around a continued trill sign or octave sign; ")" starts with a gap because
    # it is set into the width of the sign before it.
    paren_height = units(260, TANSY_PX)
    paren_bottom = units(60, TANSY_PX)
    for code, ch, name, lsb in ((42, "(", "bracketleft", 20), (43, ")", "bracketright", 80)):
        s = Shape().add(src.sans, ord(ch), 1.0).fit_height(paren_height)
        s.bottom_to(paren_bottom)
        face.put(code, name, s, lsb=lsb, rsb=20)

    # Ending numbers hang below their baseline, inside the bracket under its line: the
    # device draws them 50 right of the hook and 50 below the line, so they start a little
    # further in to keep two pixels or more clear of both.
    ending_top = -units(40, TANSY_PX)
    ending_cap = units(180, TANSY_PX)
    for code, text, name in ((251, "1.", "ending1"), (252, "2.", "ending2")):
        s = Shape()
        s.add_text(src.sans_bold, text, ending_cap / 1493.0 * 2048 / EM)
        s.top_to(ending_top)
        face.put(code, name, s, lsb=units(40, TANSY_PX), rsb=30)

    # Grace-note marks: drawn at the top of a box 100 high, "," starting at the middle of
    # the span and "-" ending there; both glyphs centre their ink on that point.
    mark_depth = units(100, TANSY_PX)
    comma = Shape().add(src.sans, ord(","), 1.0).fit_height(mark_depth * 0.8)
    comma.middle_to(-mark_depth / 2).centre_x_to(0)
    face.put(44, "gracecomma", comma, keep_x=True, advance=comma.width() / 2)
    line_len = units(110, TANSY_PX)
    bar = Shape().rect(0, -mark_depth / 2 - 15, line_len, -mark_depth / 2 + 15)
    bar.centre_x_to(line_len)
    face.put(45, "gracedash", bar, keep_x=True, advance=line_len)

    # "=" for key and tempo signatures, at the middle of the digits beside it.
    equals = Shape().add(src.sans, ord("="), KEY_CAP / 1493.0 * 2048 / EM)
    equals.middle_to(EQUALS_MIDDLE)
    face.put(61, "equal", equals, lsb=30, rsb=30)

    # Key names, codes 65 ("C flat", key -7) to 79 ("C sharp", key 7).
    for i, (accidental, letter) in enumerate(KEYS):
        s = key_name(src, accidental, letter, KEY_CAP, KEY_BASE)
        face.put(65 + i, "key%+d" % (i - 7), s, lsb=20, rsb=20)

    # Tempo notes, codes 91 (whole) to 96 (32nd): the number beside them is 11-pixel bold
    # text standing 65 higher; the notehead sits on that baseline, the stem reaches its top.
    # The whole note has no stem to make it stand as tall as the others: its head is drawn
    # larger, about half the height of the number. The side bearings keep the note more
    # than two pixels clear of a tempo word written before it and of the "=" after it.
    head_bottom = units(65, TANSY_PX)
    stem_top = units(65 + 230, TANSY_PX)
    for i, (head, stem, flag) in enumerate(NOTE_VALUES):
        scale = TEMPO_HEAD_SCALE if stem else TEMPO_WHOLE_SCALE
        s = note_value(src, head, stem, flag, scale, head_bottom, stem_top, 26)
        face.put(91 + i, "tempo%d" % (1 << i), s, lsb=TEMPO_LSB, rsb=TEMPO_RSB)
    return face


# -------------------------------------------------------------------- Tansy Number (key 1)
# The sizes of the face are set out above, with units().
def build_number(src):
    face = Face("Tansy Number", False, NUMBER_ASCENT, NUMBER_DESCENT, "TansyNumber")
    sans = src.sans
    for d in "0123456789":
        s = Shape().add(sans, ord(d), 1.0)
        face.put(ord(d), "digit" + d, s, keep_x=True, advance=sans[ord(d)].width * EM / sans.em)
    digit_advance = sans[ord("0")].width * EM / sans.em
    # The duration dash: a digit-wide line at the middle of the digits.
    dash = Shape().add(sans, 0x2012, 1.0, sx=0.85).middle_to(DIGIT_HEIGHT / 2.0)
    face.put(ord("-"), "durationdash", dash, advance=digit_advance)
    # The dot of augmentation and octave dots: round, 44 across, 22 above the baseline.
    # The first octave dot above a note has its baseline about 4 above the box's top, so it
    # clears the digit by the headroom and 26; the first below a note has its baseline 40
    # and an octave-dot interval (a quarter of the box) under the box's bottom, or under
    # the last underline, which it clears by some 40.
    dot = Shape().add(sans, 0x2022, 1.0).fit_height(units(44, NUMBER_PX))
    dot.bottom_to(units(22, NUMBER_PX))
    face.put(ord("."), "dot", dot, lsb=40, rsb=40)
    # The four unpitched note symbols: X, and X in a circle, a square and a diamond.
    x_shape = Shape().add(sans, ord("X"), 1.0).bottom_to(0)
    face.put(ord("X"), "unpitched", x_shape, advance=digit_advance)
    # The other three are as tall as a digit, or narrower where a digit's width (the
    # note's box) would not hold them.
    symbol_width = digit_advance - 40

    def fit_symbol(shape):
        shape.fit_height(DIGIT_HEIGHT)
        if shape.width() > symbol_width:
            shape.layer.transform(psMat.scale(symbol_width / shape.width()))
        return shape.bottom_to(0)

    for code, base in ((0x3338, 0x2297), (0x3339, 0x22A0)):
        s = fit_symbol(Shape().add(sans, base, 1.0))
        face.put(code, "unpitched%04X" % code, s, advance=digit_advance)
    diamond = fit_symbol(Shape().add(sans, 0x25C7, 1.0))
    inner = Shape().add(sans, ord("X"), 1.0).fit_height(diamond.height() * 0.36)
    inner.middle_to(diamond.height() / 2.0).centre_x_to(
        (diamond.bbox()[0] + diamond.bbox()[2]) / 2.0)
    diamond.layer += inner.layer
    face.put(0x3341, "unpitched3341", diamond, advance=digit_advance)
    return face


# ------------------------------------------------------- Tansy Tuplet and Tansy Times (2, 8)
def build_tuplet(src):
    # Drawn 12 pixels high (one em is 318) with the baseline half the visible height plus
    # 50 below the bracket line: raising the digits by 50 centres them on the line, in the
    # gap the bracket leaves for them, which is as tall as the visible height.
    raise_by = units(50, 12)
    face = Face("Tansy Tuplet", True, raise_by + DIGIT_HEIGHT + 20, EM - DIGIT_HEIGHT,
                "TansyTuplet")
    b = src.sans_bold
    for d in "0123456789":
        s = Shape().add(b, ord(d), 1.0, 0, raise_by)
        face.put(ord(d), "digit" + d, s, keep_x=True, advance=b[ord(d)].width * EM / b.em)
    return face


def build_times(src):
    # Numbers centred in a box of their visible height: with the ascent one em the cell
    # centred in the box puts the digits exactly in it.
    face = Face("Tansy Times", True, EM, EM - DIGIT_HEIGHT, "TansyTimes")
    b = src.sans_bold
    for d in "0123456789":
        s = Shape().add(b, ord(d), 1.0)
        face.put(ord(d), "digit" + d, s, keep_x=True, advance=b[ord(d)].width * EM / b.em)
    return face


# ----------------------------------------------------------------------- Tansy Signature
# The dialogs' face: "a" to "o" the keys -7 to 7, "A" to "I" the time-signature buttons,
# "O" to "S" the note values whole to sixteenth, and "=".
SIGNATURE_ASCENT = 950
SIGNATURE_DESCENT = 300
TIME_SIGNATURES = ["22", "24", "34", "44", "38", "68", "98", "128", "??"]
# A key's accidental against the letter's height, and the clear space either side of it.
SIGNATURE_ACCIDENTAL = 1.0
SIGNATURE_GAP = 180


def build_signature(src):
    face = Face("Tansy Signature", False, SIGNATURE_ASCENT, SIGNATURE_DESCENT,
                "TansySignature")
    cap = 620
    scale = cap / 1493.0 * 2048 / EM
    sans = src.sans
    bold = src.sans_bold

    def equals_at(x):
        e = Shape().add(sans, ord("="), scale).middle_to(cap / 2.0).left_to(x)
        return e

    # Keys: "1=" and the key name. The accidental is drawn as tall as the letter
    # and keeps more than two pixels (at the dialogs' 20 pixels) clear of its neighbours.
    for i, (accidental, letter) in enumerate(KEYS):
        s = Shape()
        x = s.add_text(sans, "1", scale)
        e = equals_at(x + 40)
        s.layer += e.layer
        name = key_name(src, accidental, letter, cap, 0, size=SIGNATURE_ACCIDENTAL,
                        gap=SIGNATURE_GAP / cap)
        name.left_to(e.bbox()[2] + SIGNATURE_GAP)
        s.layer += name.layer
        face.put(ord("a") + i, "signaturekey%+d" % (i - 7), s, lsb=30, rsb=30)

    # Time signatures: two numbers stacked over a bar.
    num_cap = 380
    num_scale = num_cap / 1493.0 * 2048 / EM
    for i, pair in enumerate(TIME_SIGNATURES):
        top, bottom = (pair[:-1], pair[-1:])
        upper = Shape()
        upper.add_text(bold, top, num_scale)
        lower = Shape()
        lower.add_text(bold, bottom, num_scale)
        width = max(upper.width(), lower.width()) + 60
        upper.bottom_to(470).centre_x_to(width / 2.0)
        lower.top_to(330).centre_x_to(width / 2.0)
        s = Shape()
        s.layer += upper.layer
        s.layer += lower.layer
        s.rect(0, 380, width, 420)
        face.put(ord("A") + i, "signaturetime" + pair.replace("?", "x"), s, lsb=40, rsb=40)

    # Note values: the notehead on the baseline, the stem up to the cap height and more.
    # The whole note has no stem to make it stand as tall as the others: its head is drawn
    # twice as large.
    for i, (head, stem, flag) in enumerate(NOTE_VALUES[:5]):
        s = note_value(src, head, stem, flag, 0.62 if stem else 1.24, 0, 800, 30)
        face.put(ord("O") + i, "signaturenote%d" % (1 << i), s, lsb=40, rsb=60)

    face.put(ord("="), "equal", equals_at(0), lsb=40, rsb=40)
    return face


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT
    src = Sources()
    faces = [build_tansy(src), build_number(src), build_tuplet(src), build_times(src),
             build_signature(src)]
    fonts = [f.font for f in faces]
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    fonts[0].generateTtc(output, fonts[1:],
                         flags=("no-FFTM-table", "omit-instructions", "opentype"),
                         ttcflags=(), layer="Fore")
    print("make_music_fonts: wrote %s" % output)


if __name__ == "__main__":
    main()
