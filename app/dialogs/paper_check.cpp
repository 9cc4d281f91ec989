#include "app/dialogs/paper_check.h"

namespace brindle {

PaperFault CheckPaper(const PageInfo& paper)
{
    if (paper.width <= 0 || paper.height <= 0)
        return PaperFault::EmptySize;
    if (static_cast<long long>(paper.left) + paper.right >= paper.width)
        return PaperFault::WideMargins;
    if (static_cast<long long>(paper.top) + paper.bottom >= paper.height)
        return PaperFault::TallMargins;
    return PaperFault::None;
}

std::u16string_view PaperFaultMessage(PaperFault fault)
{
    switch (fault) {
    case PaperFault::EmptySize: return u"页面的宽和长必须大于0。";
    case PaperFault::WideMargins: return u"左、右页边距之和必须小于页面的宽。";
    case PaperFault::TallMargins: return u"上、下页边距之和必须小于页面的长。";
    case PaperFault::None: break;
    }
    return {};
}

}  // namespace brindle
