#include "app/shell/own_strings.h"

#include "platform/string_table.h"

namespace brindle {

namespace {

// A command's entry: its status prompt and, after a line break, its tooltip.
std::u16string Prompt(std::u16string_view prompt, std::u16string_view tip)
{
    return std::u16string(prompt) + u"\n" + std::u16string(tip);
}

std::map<unsigned, std::u16string> BuildTable()
{
    std::map<unsigned, std::u16string> t = {
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
        {61456, std::u16string(25, u' ')},
        {59137, u"大写"},
        {59138, u"数字"},
        {59139, u"滚动"},
    };
    struct Entry {
        unsigned id;
        const char16_t* prompt;
        const char16_t* tip;
    };
    static const Entry commands[] = {
        {57600, u"新建一个乐谱", u"新建"},
        {57601, u"打开一个乐谱文件", u"打开"},
        {57603, u"保存当前乐谱", u"保存"},
        {57607, u"打印当前乐谱", u"打印"},
        {57643, u"撤消上一步操作", u"撤消"},
        {57644, u"重新执行撤消的操作", u"重新执行"},
        {152, u"显示上一页", u"上一页"},
        {156, u"显示下一页", u"下一页"},
        {140, u"放大乐谱", u"放大"},
        {144, u"缩小乐谱", u"缩小"},
        {148, u"按默认大小显示乐谱", u"默认大小"},
        {170, u"拖动乐谱页面", u"拖动"},
        {32848, u"从光标处开始播放", u"播　放"},
        {32849, u"停止播放或录音", u"停　止"},
        {32850, u"从MIDI输入设备录音", u"录　音"},
        {32852, u"打开或关闭节拍器", u"节拍器"},
        {32783, u"倍低音", u"倍低音"},
        {32782, u"低音", u"低音"},
        {32781, u"中音", u"中音"},
        {32827, u"高音", u"高音"},
        {32780, u"倍高音", u"倍高音"},
        {171, u"全音符", u"全音符"},
        {172, u"二分音符", u"二分音符"},
        {173, u"四分音符", u"四分音符"},
        {174, u"8分音符", u"8分音符"},
        {176, u"16分音符", u"16分音符"},
        {183, u"32分音符", u"32分音符"},
        {32784, u"附点", u"附点"},
        {178, u"升号", u"升号"},
        {180, u"还原号", u"还原号"},
        {179, u"降号", u"降号"},
        {32789, u"同音连音线", u"同音连音线"},
        {108, u"三连音", u"三连音"},
        {32804, u"前倚音", u"前倚音"},
        // Note entry and the mouse tools without a toolbar button.
        {142, u"休止符", u"休止符"},
        {146, u"Do", u"Do"},
        {150, u"Re", u"Re"},
        {154, u"Me", u"Me"},
        {158, u"Fa", u"Fa"},
        {162, u"Sol", u"Sol"},
        {166, u"La", u"La"},
        {169, u"Si", u"Si"},
        {184, u"64分音符", u"64分音符"},
        {186, u"128分音符", u"128分音符"},
        {32785, u"双附点", u"双附点"},
        {32786, u"三附点", u"三附点"},
        {32840, u"超高音", u"超高音"},
        {32841, u"超低音", u"超低音"},
        {32787, u"重升号", u"重升号"},
        {32788, u"重降号", u"重降号"},
        {32791, u"连音", u"连音"},
        {160, u"选择音符", u"选择\\键盘输入"},
        {32843, u"使用鼠标输入音符", u"鼠标输入"},
        {33035, u"选中一段乐谱后，复制到Word PowerPoint等软件中", u"复制到Word"},
        {32805, u"后倚音", u"后倚音"},
        {32847, u"缩小音符", u"缩小音符"},
        {32846, u"放大音符", u"放大音符"},
        {32984, u"显示或隐藏小节线工具栏", u"小节线"},
        {32986, u"显示或隐藏符号工具栏", u"符号"},
        {32985, u"显示或隐藏线工具栏", u"线"},
        {32996, u"显示或隐藏力度符号工具栏", u"力度符号"},
        {32998, u"显示或隐藏歌词工具栏", u"歌词"},
        {32987, u"显示或隐藏排版工具栏", u"排版"},
        {33060, u"在乐谱上添加任意文字", u"任意文字"},
        {33061, u"粗体", u"粗体"},
        {33062, u"斜体", u"斜体"},
        {33063, u"下划线", u"下划线"},
        // Palette buttons.
        {32820, u"隐藏小节线", u"隐藏小节线"},
        {32853, u"单小节线", u"单小节线"},
        {32822, u"双小节线", u"双小节线"},
        {32858, u"结束线", u"结束线"},
        {32867, u"左反复", u"左反复"},
        {32868, u"右反复", u"右反复"},
        {32864, u"D.C.", u"D.C."},
        {32865, u"D.S.", u"D.S."},
        {32866, u"Fine", u"Fine"},
        {32869, u"Coda", u"Coda"},
        {32870, u"To Coda", u"To Coda"},
        {32871, u"Segno", u"Segno"},
        {32918, u"跳房子1", u"跳房子1"},
        {32919, u"跳房子2", u"跳房子2"},
        {32920, u"颤音", u"颤音"},
        {32921, u"上波音记号", u"上波音记号"},
        {32922, u"下波音记号", u"下波音记号"},
        {32814, u"回音记号", u"回音记号"},
        {32923, u"逆回音记号", u"逆回音记号"},
        {32806, u"短断音记号", u"短断音记号"},
        {32925, u"重音记号", u"重音记号"},
        {32809, u"延长记号", u"延长记号"},
        {32810, u"保持记号", u"保持记号"},
        {32915, u"平滑连音线", u"平滑连音线"},
        {32914, u"平顶连音线", u"平顶连音线"},
        {32818, u"渐强", u"渐强"},
        {32819, u"渐弱", u"渐弱"},
        {32913, u"颤音", u"颤音"},
        {32916, u"高八度记号", u"高八度记号"},
        {32917, u"低八度记号", u"低八度记号"},
        {32926, u"琶音记号", u"琶音记号"},
        {32927, u"琶音（向上）", u"琶音（向上）"},
        {32928, u"琶音（向下）", u"琶音（向下）"},
        {32929, u"滑音记号", u"滑音记号"},
        {32879, u"设置行小节数", u"设置行小节数"},
        {32878, u"显示换行标识", u"显示换行标识"},
        {32872, u"显示小节宽度调整标识", u"显示小节宽度调整标识"},
        {32874, u"显示行缩进标识", u"显示行缩进标识"},
        {32875, u"显示行间距调整标识", u"显示行间距调整标识"},
        {32876, u"显示行位置调整标识", u"显示行位置调整标识"},
        {32880, u"显示歌词行位置调整标识", u"显示歌词行位置调整标识"},
        {32888, u"编辑歌词", u"编辑歌词"},
        {32797, u"歌词段落1", u"歌词段落1"},
        {32798, u"歌词段落2", u"歌词段落2"},
        {32799, u"歌词段落3", u"歌词段落3"},
        {32800, u"歌词段落4", u"歌词段落4"},
        {32801, u"歌词段落5", u"歌词段落5"},
    };
    for (const Entry& e : commands)
        t[e.id] = Prompt(e.prompt, e.tip);
    // Dynamics: the mark is both prompt and tooltip.
    static const std::pair<unsigned, const char16_t*> dynamics[] = {
        {32889, u"p"},    {32890, u"pp"},   {32891, u"ppp"}, {32895, u"f"},   {32896, u"ff"},   {32897, u"fff"},
        {32901, u"mp"},   {32902, u"mf"},   {32903, u"sf"},  {32904, u"sfp"}, {32905, u"sfpp"}, {32906, u"fp"},
        {32907, u"rf"},   {32908, u"rfz"},  {32909, u"sfz"}, {32910, u"sffzz"}, {32911, u"fz"},
    };
    for (const auto& [id, mark] : dynamics)
        t[id] = Prompt(mark, mark);
    return t;
}

}  // namespace

const std::map<unsigned, std::u16string>& OwnStrings()
{
    static const std::map<unsigned, std::u16string> table = BuildTable();
    return table;
}

void RegisterOwnStrings()
{
    platform::StringTable::Instance().SetOwnStrings(OwnStrings());
}

std::u16string TooltipOf(std::u16string_view entry)
{
    const auto cut = entry.find(u'\n');
    return std::u16string(cut == std::u16string_view::npos ? entry : entry.substr(cut + 1));
}

}  // namespace brindle
