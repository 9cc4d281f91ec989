#include "engine/xml/score_partwise_converter.h"


#include "engine/model/container_element.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"
#include "engine/xml/header_text_converter.h"
#include "engine/xml/page_layout_converter.h"
#include "engine/xml/identification_converter.h"
#include "engine/xml/part_converter.h"
#include "engine/xml/part_list_converter.h"
#include "engine/xml/system_layout_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

void ScorePartwiseConverter::Read()
{
    ReadCommon();
    Score* score = GetScore();
    if (!score || !Context())
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"movement-title")) {
            HeaderTextConverter title(score->GetTitleText(), name);
            ReadChild(title, child);
        } else if (TextEquals(name, u"movement-subtitle")) {
            HeaderTextConverter subtitle(score->GetSubtitleText(), name);
            ReadChild(subtitle, child);
        } else if (TextEquals(name, u"identification")) {
            IdentificationConverter identification;
            ReadChild(identification, child);
        } else if (TextEquals(name, u"part-list")) {
            PartListConverter partList;
            ReadChild(partList, child);
        } else if (TextEquals(name, u"part")) {
            PartConverter part;
            ReadChild(part, child);
            FinishPart(part.GetMatchedIndex());
        } else if (TextEquals(name, u"page-layout")) {
            PageLayoutConverter pageLayout;
            ReadChild(pageLayout, child);
        } else if (TextEquals(name, u"system-layout")) {
            SystemLayoutConverter systemLayout;
            ReadChild(systemLayout, child);
        }
    }
}

void ScorePartwiseConverter::FinishPart(int matched)
{
    Score& score = *GetScore();
    XmlDocumentContext& context = *Context();
    // A tie whose end never came has nothing to join: it does not outlive its part.
    for (StaffReadingState& staff : context.staves)
        staff.DropPendingTies();
    if (context.secondStaff && matched >= 0)
        JoinSecondStaff(score, matched, context.pendingContainer);
    context.ResetPendingPart();
    context.secondStaff = false;
    context.lowestVoice = {XmlDocumentContext::kNoVoiceYet, XmlDocumentContext::kNoVoiceYet};
    context.staves = {};
}

void ScorePartwiseConverter::JoinSecondStaff(Score& score, int ownIndex,
                                             const std::shared_ptr<ContainerElement>& pending)
{
    const std::shared_ptr<Part> own = PartAt(score, ownIndex);
    if (!own || !pending)
        return;
    const auto second = std::dynamic_pointer_cast<Part>(pending->GetChild(0));
    if (!second)
        return;
    second->SetInstrumentName(own->GetInstrumentName());
    second->SetProgram(own->GetProgram());
    second->SetChannel(own->GetChannel());
    own->SetStaffLink(staff_link::kFirstOfPair);
    second->SetStaffLink(staff_link::kSecondOfPair);
    score.InsertChild(ownIndex + 1, pending);
    for (const std::shared_ptr<PartGroup>& group : score.GetPartGroups()) {
        if (!group)
            continue;
        if (group->GetFirstPart() > ownIndex)
            group->SetFirstPart(group->GetFirstPart() + 1);
        if (group->GetLastPart() >= ownIndex)
            group->SetLastPart(group->GetLastPart() + 1);
    }
    auto brace = std::make_shared<PartGroup>();
    brace->SetType(part_group_type::kBrace);
    brace->SetFirstPart(ownIndex);
    brace->SetLastPart(ownIndex + 1);
    score.AddPartGroup(std::move(brace));
}

void ScorePartwiseConverter::Write()
{
    Score* score = GetScore();
    XmlElement* root = ParentElement();
    if (!score || !root)
        return;
    HeaderTextConverter title(score->GetTitleText(), u"movement-title");
    WriteChild(title, root);
    HeaderTextConverter subtitle(score->GetSubtitleText(), u"movement-subtitle");
    WriteChild(subtitle, root);
    IdentificationConverter identification;
    WriteChild(identification, root);
    PartListConverter partList;
    WriteChild(partList, root);
    const int count = score->GetChildCount();
    for (int i = 0; i < count; ++i) {
        PartConverter part(i);
        WriteChild(part, root);
    }
    PageLayoutConverter pageLayout;
    WriteChild(pageLayout, root);
    SystemLayoutConverter systemLayout;
    WriteChild(systemLayout, root);
}

}  // namespace quaverly
