#include "engine/model/note_factory.h"

#include "engine/model/note.h"
#include "engine/model/rest.h"
#include "engine/model/unpitched_note.h"

namespace quaverly {

std::shared_ptr<Note> CreateNote(int pitchCode)
{
    std::shared_ptr<Note> note;
    if (pitchCode == pitch_code::kRest)
        note = std::make_shared<Rest>();
    else if (pitchCode >= pitch_code::kFirstDegree && pitchCode <= pitch_code::kLastDegree)
        note = std::make_shared<Note>();
    else if (pitchCode >= pitch_code::kFirstSpecial && pitchCode <= pitch_code::kLastSpecial)
        note = std::make_shared<SpecialNote>();
    if (note)
        note->SetPitchCode(pitchCode);
    return note;
}

}  // namespace quaverly
