// Helpers shared by the drawing-device tests: the music fonts, an image drawn in the
// 0.01 mm mapping that the score view sets up, and painters set up as the view sets them up.
#pragma once

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "platform/device_context.h"
#include "platform/font_resources.h"
#include "platform/qt_device_context.h"
#include "tests/support/specimen_folder.h"

#include <QImage>

#include <QString>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string_view>

namespace painter_test {

inline constexpr float kScreenScale = 2540.0f / 96.0f;  // 0.01 mm per pixel at 96 dpi

// A font record as the settings files give it: face, em height (negative) and weight.
inline quaverly::LogFont Face(std::u16string_view face, int height, int weight = 400)
{
    quaverly::LogFont lf;
    lf.SetFaceName(face);
    lf.height = height;
    lf.weight = weight;
    lf.charSet = 1;
    lf.quality = 4;
    return lf;
}

// Saves a specimen page for people to look at, into $BRINDLE_SPECIMEN_DIR or else
// build/bin/specimen; false when it could not be written.
inline bool SaveSpecimen(const QImage& image, const char* name)
{
    const std::filesystem::path file = test_support::SpecimenFolder() / name;
    if (!image.save(QString::fromStdString(file.string())))
        return false;
    std::cout << "specimen page: " << file.string() << "\n";
    return true;
}

inline bool AddMusicFonts()
{
    return platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" /
                                      "fonts" / "Tansy.ttc") == 5;
}

// An image of `width` x `height` pixels showing a page at `zoom`, drawn in 0.01 mm.
class PageImage {
public:
    PageImage(int width, int height, double zoom = 1.0)
        : image_(width, height, QImage::Format_RGB32), zoom_(zoom)
    {
        image_.fill(Qt::white);
        dc_ = std::make_unique<platform::QtDeviceContext>(&image_);
        dc_->SetMapMode(platform::MapMode::Isotropic);
        dc_->SetWindowExt(platform::Size{static_cast<std::int32_t>(width / zoom * kScreenScale),
                                         static_cast<std::int32_t>(height / zoom * kScreenScale)});
        dc_->SetViewportExt(platform::Size{width, height});
    }

    platform::QtDeviceContext& Dc() { return *dc_; }

    // Ends painting and returns the picture.
    const QImage& Finish()
    {
        dc_.reset();
        return image_;
    }

    // Device pixel of a logical point.
    double PixelX(double units) const { return units / kScreenScale * zoom_; }
    double PixelY(double units) const { return units / kScreenScale * zoom_; }

private:
    QImage image_;
    double zoom_;
    std::unique_ptr<platform::QtDeviceContext> dc_;
};

// Sets up a painter as the view does: the context, the table, the origin, the scale and a
// transparent background.
inline void SetUpPainter(brindle::GdiScorePainter& painter, platform::DeviceContext& dc,
                         const brindle::DrawResourceTable& table, float scale,
                         quaverly::Point origin = {})
{
    painter.SetDC(&dc);
    painter.SetResourceTable(&table);
    painter.SetOrigin(origin.x, origin.y);
    painter.SetScale(scale);
    painter.SetTransparentBackground();
}

// Whether a page's table keeps its note sizes at zero or has them measured on the page.
enum class NoteSizes { Unmeasured, Measured };

// A page image with a painter at the screen scale on it, and the table the painter reads
// (the built-in one).
class PaintedPage {
public:
    PaintedPage(int width, int height, double zoom = 1.0,
                NoteSizes noteSizes = NoteSizes::Unmeasured)
        : page_(width, height, zoom)
    {
        if (noteSizes == NoteSizes::Measured)
            table_.MeasureNoteSizes(page_.Dc(), kScreenScale);
        SetUpPainter(painter_, page_.Dc(), table_, kScreenScale);
    }

    platform::QtDeviceContext& Dc() { return page_.Dc(); }
    brindle::DrawResourceTable& Table() { return table_; }
    brindle::GdiScorePainter& Painter() { return painter_; }
    // Ends painting and returns the picture.
    const QImage& Finish() { return page_.Finish(); }

private:
    PageImage page_;
    brindle::DrawResourceTable table_;
    brindle::GdiScorePainter painter_;
};

inline bool Dark(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           qGray(image.pixel(x, y)) < 140;
}

// Dark pixels in a rectangle of the image.
inline int InkIn(const QImage& image, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += Dark(image, x, y) ? 1 : 0;
    return count;
}

}  // namespace painter_test
