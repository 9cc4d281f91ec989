#include "engine/model/page_text.h"

namespace quaverly {

void PageText::SetTextData(const PageTextData& data)
{
    data_ = data;
    data_.font.SetFaceName(data.font.FaceName());
}

}  // namespace quaverly
