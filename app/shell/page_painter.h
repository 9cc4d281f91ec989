// The page of the score view as one drawing pass sees it: logical units of 0.01 mm over
// the whole paper, drawn into a viewport of some size in device pixels, with the score's
// origin at the top-left margin corner. The view's page picture, the loading worker's
// layout pass and the metafile export set their contexts and drawing devices up this way.
#pragma once

#include "app/painter/gdi_score_painter.h"
#include "platform/device_context.h"

namespace brindle {

// The paper in screen pixels at zoom 1.
struct PageGeometry {
    int width = 0;
    int height = 0;
    int marginLeft = 0;
    int marginTop = 0;
};

// Isotropic mapping of the whole paper (in 0.01 mm of the context's resolution) onto
// `viewport` device pixels. Returns the context's scale (0.01 mm per device pixel).
float MapPage(platform::DeviceContext& dc, const PageGeometry& page, platform::Size viewport);

// The drawing device on `dc` with the table (null: the built-in defaults), the margin origin, the scale and a
// transparent background, in the order the device expects them.
void SetUpPagePainter(GdiScorePainter& painter, platform::DeviceContext& dc, const DrawResourceTable* resources,
                      const PageGeometry& page, float scale);

}  // namespace brindle
