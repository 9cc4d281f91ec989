// Copy with the picture tool: the region of the page under the band goes on the clipboard
// as a picture for word processors and presentation programs, in black and white: as an
// Enhanced Metafile and an SVG drawing, both scalable, and as a PNG bitmap at print
// resolution.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSvgGenerator>

#include <cmath>

#include "app/dialogs/wait_cursor.h"
#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "app/shell/mouse_tool.h"
#include "app/shell/page_painter.h"
#include "engine/editor/editor_interface.h"
#include "platform/dialog_service.h"
#include "platform/metafile_device_context.h"
#include "platform/qt_device_context.h"

namespace brindle {

namespace {

// The bitmap form is drawn at three times the screen's pixels (288 dots per inch on a
// 96-dpi screen).
constexpr int kBitmapScale = 3;

// Draws the part `band` (page pixels at zoom 1) of the page into `dc` at `scale` device
// pixels per page pixel; `shifted` puts the band's corner at the device origin (a bitmap
// or a drawing of the band's size), otherwise the device holds the whole page.
void DrawBand(platform::DeviceContext& dc, quaverly::api::ScoreEditor& editor, DrawResourceTable& resources,
              const platform::Rect& band, const PageGeometry& page, float f, double scale, bool shifted)
{
    const auto px = [scale](double v) { return static_cast<std::int32_t>(std::lround(v * scale)); };
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt({static_cast<std::int32_t>(page.width * f), static_cast<std::int32_t>(page.height * f)});
    dc.SetViewportExt({px(page.width), px(page.height)});
    dc.SetViewportOrg(shifted ? platform::Point{-px(band.left), -px(band.top)} : platform::Point{0, 0});
    const platform::Region clip(shifted ? platform::Rect{0, 0, px(band.Width()), px(band.Height())}
                                        : platform::Rect{px(band.left), px(band.top), px(band.right), px(band.bottom)});
    dc.SelectClipRegion(&clip);
    GdiScorePainter painter;
    SetUpPagePainter(painter, dc, &resources, page, f);
    editor.Draw(&painter);
    dc.SelectClipRegion(nullptr);
    dc.SetMapMode(platform::MapMode::Text);
}

}  // namespace

bool CBrindleView::CopyPicture()
{
    auto* tool = dynamic_cast<PictureCopyTool*>(Tool(kPictureCopyTool));
    const platform::Rect band = tool ? tool->BandOnPage() : platform::Rect{};
    if (band.IsEmpty()) {
        platform::ShowMessage(u"请先选择复制区域！", platform::kMbOk | platform::kMbIconInformation, this);
        return false;
    }
    auto* editor = EditorForInput();
    if (!editor || m_nPageWidth <= 0 || m_nPageHeight <= 0)
        return false;
    WaitCursor wait;
    const float f = static_cast<float>(ScreenUnitsPerPixel());
    // The screen's resolution: page pixels are drawn at it.
    const int dpi = static_cast<int>(std::lround(2540.0 / f));
    auto* data = new QMimeData;
    m_DrawResources.SetBlackAndWhite(true);
    {
        QImage image(band.Width() * kBitmapScale, band.Height() * kBitmapScale, QImage::Format_RGB32);
        image.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi * kBitmapScale / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        {
            platform::QtDeviceContext dc(&image);
            DrawBand(dc, *editor, m_DrawResources, band, PageOnScreen(), f, kBitmapScale, true);
        }
        data->setImageData(image);
    }
    {
        QBuffer svg;
        svg.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setResolution(dpi);
        generator.setSize(QSize(band.Width(), band.Height()));
        generator.setViewBox(QRect(0, 0, band.Width(), band.Height()));
        generator.setTitle(QStringLiteral("乐谱"));
        {
            platform::QtDeviceContext dc(&generator);
            DrawBand(dc, *editor, m_DrawResources, band, PageOnScreen(), f, 1.0, true);
        }
        data->setData(QStringLiteral("image/svg+xml"), svg.data());
    }
    {
        // The metafile's device is the whole page at the screen's resolution; its frame
        // (0.01 mm) and the clip pick the band.
        const platform::Rect frame{static_cast<std::int32_t>(band.left * f), static_cast<std::int32_t>(band.top * f),
                                   static_cast<std::int32_t>(band.right * f), static_cast<std::int32_t>(band.bottom * f)};
        platform::MetafileDeviceContext dc(frame, dpi);
        DrawBand(dc, *editor, m_DrawResources, band, PageOnScreen(), f, 1.0, false);
        const std::vector<std::uint8_t> bytes = dc.Finish();
        const QByteArray emf(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        data->setData(QStringLiteral("image/emf"), emf);
        data->setData(QStringLiteral("image/x-emf"), emf);
    }
    m_DrawResources.SetBlackAndWhite(false);
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

}  // namespace brindle
