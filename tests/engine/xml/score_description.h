// A score's notes, marks and links written out as text, one line per item, so that two
// scores compare with a readable difference: what a document must keep of the notes,
// rests, chords, grace notes, tuplets, ties, marks, lyrics, dynamics, line marks,
// expression texts, tempo marks and jump marks.
#pragma once

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/line_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"

namespace quaverly::xml_test {

inline std::string Narrow(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80)
            out.push_back(static_cast<char>(c));
        else
            out += "\\u" + std::to_string(static_cast<int>(c));
    }
    return out;
}

inline std::ostream& operator<<(std::ostream& out, Point p)
{
    return out << "(" << p.x << "," << p.y << ")";
}

inline void DescribeNote(std::ostringstream& out, const Note& note, const std::string& indent)
{
    out << indent << typeid(note).name() << " code " << note.GetPitchCode() << " base "
        << note.GetDuration() << " dots " << note.GetDots() << " acc " << note.GetAccidental()
        << " oct " << note.GetOctave() << " at " << note.GetStartTime() << " tuplet "
        << note.GetTupletActual() << "/" << note.GetTupletNormal() << " style "
        << (note.GetStyle() ? note.GetStyle()->GetKind() : -1) << " offset " << note.GetOffset()
        << " tied " << (note.GetTiedFrom() != nullptr) << (note.GetTiedTo() != nullptr) << "\n";
    for (int v = 0; v < kVerseCount; ++v) {
        const auto lyric = note.GetLyric(v);
        if (!lyric->GetText().empty() || lyric->GetOffset() != Point{})
            out << indent << "  lyric " << v << " " << Narrow(lyric->GetText()) << " "
                << lyric->GetOffset() << "\n";
    }
    for (const auto& mark : note.GetOrnaments())
        out << indent << "  mark " << typeid(*mark).name() << " " << mark->GetSymbolCode() << " "
            << mark->GetOffset() << "\n";
    for (const auto& symbol : note.GetSymbols())
        out << indent << "  symbol " << symbol->GetIndex() << " "
            << Narrow(symbol->GetSymbolData().text) << " " << symbol->GetOffset() << "\n";
    for (const auto& grace : note.GetGraceListA()->GetNotes())
        DescribeNote(out, *grace, indent + "  before: ");
    for (const auto& grace : note.GetGraceListB()->GetNotes())
        DescribeNote(out, *grace, indent + "  after: ");
    for (const auto& chord : note.GetChordNotes()->GetNotes())
        DescribeNote(out, *chord, indent + "  chord: ");
}

// "bar b note n" of the part, or "?" when the note is not a main note of it.
inline std::string PlaceOf(const Part& part, const std::shared_ptr<Note>& note)
{
    for (int b = 0; b < part.GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(part.GetChild(b));
        if (!bar)
            continue;
        const auto& notes = bar->GetNotes();
        for (std::size_t n = 0; n < notes.size(); ++n) {
            if (notes[n] == note)
                return "bar " + std::to_string(b) + " note " + std::to_string(n);
        }
    }
    return "?";
}

inline std::string Describe(const Score& score)
{
    std::ostringstream out;
    for (const auto& text : score.GetExpressionTextList())
        out << "words " << text->GetValue().position << " " << Narrow(text->GetValue().text)
            << " " << text->GetOffset() << "\n";
    for (const auto& mark : score.GetTempoMarkList())
        out << "tempo " << mark->GetValue().position << " " << mark->GetValue().beatUnit << " "
            << mark->GetValue().perMinute << " " << mark->GetOffset() << "\n";
    for (int p = 0; p < score.GetChildCount(); ++p) {
        const auto container = score.GetChild(p);
        const auto part = std::dynamic_pointer_cast<Part>(container->GetChild(0));
        out << "part " << p << " role " << part->GetStaffLink() << "\n";
        for (int b = 0; b < part->GetChildCount(); ++b) {
            const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
            out << " bar " << b << " marks " << bar->GetBarline(0)->GetMarkValue() << " "
                << bar->GetBarline(1)->GetMarkValue() << " "
                << bar->GetBarline(0)->GetMark()->GetOffset()
                << bar->GetBarline(1)->GetMark()->GetOffset() << "\n";
            for (const auto& note : bar->GetNotes())
                DescribeNote(out, *note, "  ");
            for (const auto& tuplet : bar->GetTuplets())
                out << "  tuplet " << tuplet->GetActualCount() << ":" << tuplet->GetNormalCount()
                    << " first " << PlaceOf(*part, tuplet->GetFirstNote()) << " "
                    << tuplet->GetOffset() << "\n";
            for (const auto& mark : bar->GetDirections())
                out << "  dynamics " << mark->GetDynamicsCode() << " at "
                    << mark->GetTimePosition() << " " << mark->GetOffset() << "\n";
        }
        for (const auto& tie : part->GetTies())
            out << " tie " << PlaceOf(*part, tie->GetStart().note) << " to "
                << PlaceOf(*part, tie->GetEnd().note) << " " << tie->GetOffset() << "\n";
        // Line marks are kept by bar in a document; their order in the list means
        // nothing.
        std::vector<std::string> lines;
        for (const auto& mark : part->GetLineMarks()) {
            std::ostringstream line;
            line << " line bar " << mark->GetBar() << " kind " << mark->GetKind() << " at "
                 << mark->GetTimePosition() << " for " << mark->GetDuration() << " radian "
                 << mark->GetRadian() << " " << mark->GetOffset() << "\n";
            lines.push_back(line.str());
        }
        std::sort(lines.begin(), lines.end());
        for (const std::string& line : lines)
            out << line;
    }
    return out.str();
}

}  // namespace quaverly::xml_test
