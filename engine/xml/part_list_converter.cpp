#include "engine/xml/part_list_converter.h"


#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "engine/xml/part_group_converter.h"
#include "engine/xml/score_part_converter.h"

namespace quaverly {

void PartListConverter::Read()
{
    ReadCommon();
    int partsRead = 0;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"score-part")) {
            ScorePartConverter part;
            ReadChild(part, child);
            ++partsRead;
        } else if (TextEquals(name, u"part-group")) {
            PartGroupConverter group(partsRead);
            ReadChild(group, child);
        } else if (TextEquals(name, u"staff-group")) {
            StaffGroupConverter pair;
            ReadChild(pair, child);
        }
    }
}

void PartListConverter::Write()
{
    Score* score = GetScore();
    if (!score || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"part-list");
    const auto& groups = score->GetPartGroups();
    const int count = score->GetChildCount();
    for (int i = 0; i < count; ++i) {
        for (std::size_t k = 0; k < groups.size(); ++k) {
            if (groups[k] && groups[k]->GetFirstPart() == i) {
                PartGroupConverter start(groups[k], static_cast<int>(k) + 1, true);
                WriteChild(start, element);
            }
        }
        ScorePartConverter part(PartAt(*score, i), i);
        WriteChild(part, element);
        for (std::size_t k = 0; k < groups.size(); ++k) {
            if (groups[k] && groups[k]->GetLastPart() == i) {
                PartGroupConverter stop(groups[k], static_cast<int>(k) + 1, false);
                WriteChild(stop, element);
            }
        }
    }
    for (int i = 1; i < count; ++i) {
        const std::shared_ptr<Part> first = PartAt(*score, i - 1);
        const std::shared_ptr<Part> second = PartAt(*score, i);
        if (first && second && first->GetStaffLink() == staff_link::kFirstOfPair &&
            second->GetStaffLink() == staff_link::kSecondOfPair) {
            StaffGroupConverter pair(i);
            WriteChild(pair, element);
        }
    }
}

}  // namespace quaverly
