// The resource-language library: the string table of the window program's title and
// file commands. The program loads it by name at start-up and takes these texts in
// place of its own; without it the program uses its own copies.
#include "platform/resource_strings_abi.h"

namespace {

const BrindleResourceString kStrings[] = {
    {201, u"Larkspire简谱文件(*.exl)|*.exl|MusicXML Files(*.xml)|*.xml|MIDI Files(*.mid)|*.mid|所有文件(*.*)|*.*||"},
    {57344, u"Larkspire简谱"},
    {61443, u"未命名"},
    {61446, u"上一次程序非正常退出，是否需要打开程序为你自动保存的文件"},
    {61449, u"Larkspire简谱文件(*.exl)|*.exl||"},
    {61451, u"exl"},
    {61452, u"导出MIDI文件失败！"},
    {61453, u"文件打开失败！"},
    {61454, u"所有手动排版信息将丢失，是否继续？"},
    {61455, u"软件目前不支技该格式文件，打开失败！"},
    {61699, u"是否保存对 %1 的更改？"},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const BrindleResourceString* brindle_resource_strings(unsigned* count)
{
    if (count)
        *count = static_cast<unsigned>(sizeof kStrings / sizeof kStrings[0]);
    return kStrings;
}
