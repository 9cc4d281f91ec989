#include "app/shell/page_painter.h"

namespace brindle {

float MapPage(platform::DeviceContext& dc, const PageGeometry& page, platform::Size viewport)
{
    const float f = platform::HundredthsOfMmPerPixel(dc);
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt({static_cast<std::int32_t>(page.width * f), static_cast<std::int32_t>(page.height * f)});
    dc.SetViewportExt(viewport);
    return f;
}

void SetUpPagePainter(GdiScorePainter& painter, platform::DeviceContext& dc, const DrawResourceTable* resources,
                      const PageGeometry& page, float scale)
{
    painter.SetDC(&dc);
    painter.SetResourceTable(resources);
    painter.SetOrigin(static_cast<int>(page.marginLeft * scale), static_cast<int>(page.marginTop * scale));
    painter.SetScale(scale);
    painter.SetTransparentBackground();
}

}  // namespace brindle
