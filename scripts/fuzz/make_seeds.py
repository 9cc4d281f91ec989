#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/ beside this script.

  fuzz_paste_fragment  score fragments in the clipboard format (RIFF lists SCOR, STAV,
                       BAR0, NOTE and NORM/CHOD/PREG/PSTG around 28-byte UNIT leaves)
  fuzz_settings_file   settings files in UTF-8, UTF-8 with a byte order mark, UTF-16 and
                       GBK, each after its length and followed by a few edits
  fuzz_midi_import     songs in the record form midi_import_fuzzer.cpp reads
  fuzz_open_document   small score documents

Run it again after changing it; the files it writes are kept in the tree.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
QUARTER = 161280


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


# ---- score fragments ---------------------------------------------------------------

def chunk(ident, body):
    return ident.encode() + struct.pack("<I", len(body)) + body


def riff(kind, children):
    return chunk("RIFF", kind.encode() + b"".join(children))


def unit(start, code, duration, octave=0, dots=0, accidental=0, kind=0):
    return chunk("UNIT", struct.pack("<7i", start, code, duration, octave, dots, accidental, kind))


def note(main, chord=(), before=(), after=()):
    lists = [riff("NORM", [main])]
    lists += [riff("CHOD", [u]) for u in chord]
    lists += [riff("PREG", [u]) for u in before]
    lists += [riff("PSTG", [u]) for u in after]
    return riff("NOTE", lists)


def fragment(staves):
    return riff("SCOR", [riff("STAV", [riff("BAR0", bar) for bar in bars]) for bars in staves])


def fragments():
    quarters = [note(unit(i * QUARTER, 2 + i, QUARTER)) for i in range(4)]
    write("fuzz_paste_fragment", "one-bar", fragment([[quarters]]))
    write("fuzz_paste_fragment", "two-staves-two-bars",
          fragment([[quarters, [note(unit(0, 1, 4 * QUARTER))]],
                    [[note(unit(0, 5, 2 * QUARTER, 1)), note(unit(2 * QUARTER, 6, 2 * QUARTER, -1))], []]]))
    write("fuzz_paste_fragment", "chords-graces-dots",
          fragment([[[note(unit(0, 4, QUARTER, 0, 1, 1), chord=[unit(0, 6, QUARTER, 0, 1, -1)]),
                      note(unit(3 * QUARTER // 2, 7, QUARTER // 2), before=[unit(0, 3, QUARTER // 4, 0, 0, 0, 2)],
                           after=[unit(0, 8, QUARTER // 4, 0, 0, 0, 2)]),
                      note(unit(2 * QUARTER, 2, 2 * QUARTER, 0, 2))]]]))
    write("fuzz_paste_fragment", "empty", fragment([]))


# ---- settings files ----------------------------------------------------------------

def settings_input(file, edits=""):
    return struct.pack("<H", len(file)) + file + edits.encode()


def settings():
    text = ("[SYSTEM INFO]\r\nDTD File=dtd\\partwise.dtd\r\nDTD Replace String=http://www.musicxml.org/dtds/partwise.dtd\r\n"
            "; a comment\r\n\r\n[MIDI DEVICE]\r\nMidi In Device=-1\r\nMidi Out Device = \"0\"\r\n"
            "[NO MIDI NOTIFY]\r\nShow In Notify=1\r\n")
    edits = "MIDI DEVICE\tMidi In Device\t2\nNew Section\t新键\t值 with blanks \nSYSTEM INFO\tDTD File\nNO MIDI NOTIFY"
    write("fuzz_settings_file", "utf8", settings_input(text.encode(), edits))
    write("fuzz_settings_file", "utf8-bom", settings_input(b"\xef\xbb\xbf" + text.encode(), edits))
    write("fuzz_settings_file", "utf16", settings_input(b"\xff\xfe" + text.encode("utf-16-le"), edits))
    gbk = "[字体]\n标题=宋体\n歌词 = '黑体'\n[Font]\nsize=12\n"
    write("fuzz_settings_file", "gbk", settings_input(gbk.encode("gbk"), "字体\t标题\t楷体\nFont\tsize"))
    write("fuzz_settings_file", "mixed-lines",
          settings_input("[a]\nk=v\n".encode() + "x=宋\n".encode("gbk") + b"[b]\rk2=\"q\"\r", "b\tk2\tnew"))


# ---- songs for the MIDI import -----------------------------------------------------

def head(division=480, grid=16, split=0, key=60, lyrics=1):
    return struct.pack("<HBBBB", division, grid, split, key, lyrics)


def tempo(tick, micro):
    return struct.pack("<Bhi", 0, tick, micro)


def meter(tick, numerator, power):
    return struct.pack("<BhBB", 1, tick, numerator, power)


def key(tick, sharps, minor=0):
    return struct.pack("<Bhbb", 2, tick, sharps, minor)


def event(track, tick, status, data1, data2):
    return struct.pack("<BBhI", 3, track, tick, status | (data1 << 8) | (data2 << 16))


def lyric(track, tick, text):
    raw = text.encode()
    return struct.pack("<BBhB", 4, track, tick, len(raw)) + raw


def notes(track, channel, pitches, length, start=0):
    out = b""
    for i, pitch in enumerate(pitches):
        at = start + i * length
        out += event(track, at, 0x90 | channel, pitch, 90) + event(track, at + length - 10, 0x80 | channel, pitch, 0)
    return out


def songs():
    melody = [64, 64, 67, 69, 72, 72, 69, 67, 67, 69, 67]
    write("fuzz_midi_import", "melody",
          head() + tempo(0, 500000) + meter(0, 4, 2) + key(0, 0) + notes(0, 0, melody, 480)
          + lyric(0, 0, "好") + lyric(0, 480, "一") + lyric(0, 960, "朵"))
    write("fuzz_midi_import", "two-tracks-changes",
          head(division=96, grid=32) + tempo(0, 600000) + tempo(384, 400000) + meter(0, 3, 2) + meter(288, 6, 3)
          + key(0, 2) + key(576, -3, 1) + notes(0, 0, [60, 62, 64, 65, 67, 69], 48)
          + notes(1, 1, [48, 55, 52], 144))
    write("fuzz_midi_import", "piano-split",
          head(split=1, key=60) + meter(0, 4, 2)
          + b"".join(event(2, i * 240, 0x90, p, 80) + event(2, i * 240 + 230, 0x80, p, 0)
                     for i, p in enumerate([36, 72, 43, 76, 48, 79, 60, 84])))
    write("fuzz_midi_import", "drums-and-tied",
          head(grid=8) + notes(3, 9, [36, 38, 42, 46], 240) + event(0, 0, 0x90, 60, 100) + event(0, 2400, 0x80, 60, 0))


# ---- documents ---------------------------------------------------------------------

def documents():
    doc = """<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE score-partwise PUBLIC "-//Recordare//DTD MusicXML 1.0 Partwise//EN" "http://www.musicxml.org/dtds/partwise.dtd">
<score-partwise>
  <work><work-title>茉莉花</work-title></work>
  <part-list><score-part id="P1"><part-name>旋律</part-name></score-part></part-list>
  <part id="P1">
    <measure number="1">
      <attributes><divisions>4</divisions><key><fifths>0</fifths></key><time><beats>4</beats><beat-type>4</beat-type></time></attributes>
      <note><pitch><step>E</step><octave>4</octave></pitch><duration>4</duration><type>quarter</type><lyric><text>好</text></lyric></note>
      <note><pitch><step>E</step><octave>4</octave></pitch><duration>2</duration><type>eighth</type></note>
      <note><pitch><step>G</step><octave>4</octave></pitch><duration>2</duration><type>eighth</type></note>
      <note><pitch><step>A</step><octave>4</octave></pitch><duration>4</duration><type>quarter</type><tie type="start"/></note>
      <note><chord/><pitch><step>C</step><octave>5</octave></pitch><duration>4</duration><type>quarter</type></note>
      <note><rest/><duration>4</duration><type>quarter</type></note>
    </measure>
    <measure number="2">
      <note><pitch><step>A</step><octave>4</octave></pitch><duration>16</duration><type>whole</type><tie type="stop"/></note>
    </measure>
  </part>
</score-partwise>
"""
    write("fuzz_open_document", "two-bars.exl", doc.encode())


if __name__ == "__main__":
    fragments()
    settings()
    songs()
    documents()
