#include "engine/xml/system_layout_converter.h"


#include "engine/xml/system_bar_number_converter.h"
#include "engine/xml/system_converter.h"
#include "engine/xml/xml_document_context.h"

namespace quaverly {

void SystemLayoutConverter::Read()
{
    ReadCommon();
    XmlDocumentContext* context = Context();
    if (!context)
        return;
    for (const XmlElement* child : ChildElements()) {
        const std::u16string name = ElementName(*child);
        if (TextEquals(name, u"system")) {
            SystemConverter system;
            ReadChild(system, child);
            context->systemRecords.push_back(system.GetRecord());
        } else if (TextEquals(name, u"system-bar-number")) {
            SystemBarNumberConverter entry;
            ReadChild(entry, child);
            if (entry.IsUsable())
                context->barsPerLine.emplace(entry.GetIndex(), entry.GetCount());
        }
    }
}

void SystemLayoutConverter::Write()
{
    XmlDocumentContext* context = Context();
    if (!context || !ParentElement())
        return;
    XmlElement* element = AppendElement(*ParentElement(), u"system-layout");
    for (const SystemRecord& record : context->systemRecords) {
        SystemConverter system(record);
        WriteChild(system, element);
    }
    for (const auto& [line, count] : context->barsPerLine) {
        SystemBarNumberConverter entry(line, count);
        WriteChild(entry, element);
    }
}

}  // namespace quaverly
