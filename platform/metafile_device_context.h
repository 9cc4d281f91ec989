// The drawing context that records an Enhanced Metafile (EMF) in memory: the pictures of
// the metafile export and of the copied region. The records are written here, little-endian,
// in the layouts of the published format: mapping records for the context's mapping, pens
// and brushes created, selected and deleted around the drawing that uses them, lines,
// Bezier curves, shapes, paths and rectangular clips. Text is drawn as the filled outlines
// of its glyphs, so the picture shows the program's music faces in programs that do not
// have them.
#pragma once

#include "platform/device_context.h"

#include <QImage>
#include <QPainterPath>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>


namespace platform {

class QtDeviceContext;

// A drawing context that records into an Enhanced Metafile (EMF) kept in memory. The frame
// is the picture's bounds in 0.01 mm; the reference resolution maps device units (pixels).
// Measuring (text extents, metrics) answers exactly as a screen QtDeviceContext of that
// resolution would, so a layout measured on screen draws the same into the metafile.
//
// Device units are pixels of the reference resolution, counted from the top-left corner of
// the frame's coordinate space (0.01 mm (0, 0)); nothing is drawn outside the frame. An
// empty frame takes the bounds of what was drawn.
class MetafileDeviceContext : public DeviceContext {
public:
    explicit MetafileDeviceContext(Rect frameHundredthsMm, int referenceDpi = 96);
    ~MetafileDeviceContext() override;

    MetafileDeviceContext(const MetafileDeviceContext&) = delete;
    MetafileDeviceContext& operator=(const MetafileDeviceContext&) = delete;

    // Ends the picture (EOF record) and returns the complete file; later drawing is ignored.
    std::vector<std::uint8_t> Finish();

    // The reference device: HorzRes/VertRes and HorzSize/VertSize describe a surface that
    // holds the frame, LogPixels the reference resolution.
    int GetDeviceCaps(DeviceCap cap) const override;

    Size GetTextExtent(std::u16string_view text) override;
    TextMetrics GetTextMetrics() override;
    AbcWidths GetCharAbcWidths(char16_t ch) override;

    void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) override;
    void ExtTextOut(std::int32_t x, std::int32_t y, unsigned options, const Rect* rect,
                    std::u16string_view text) override;
    std::int32_t DrawText(std::u16string_view text, Rect& rect, unsigned format) override;

    Point MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;
    void PolyBezierTo(std::span<const Point> points) override;
    void AngleArc(std::int32_t x, std::int32_t y, std::int32_t radius, float startAngle,
                  float sweepAngle) override;
    void Rectangle(const Rect& r) override;
    void Ellipse(const Rect& r) override;
    void Polygon(std::span<const Point> points) override;

    void BeginPath() override;
    void CloseFigure() override;
    void EndPath() override;
    void AbortPath() override;
    void FillPath() override;

protected:
    void MappingChanged() override;
    void FontChanged() override;

private:
    class Records;
    // What the pen selected in the picture is; compared with what a call needs.
    struct PenKey {
        int style = 0;
        std::int32_t width = 0;  // 0: cosmetic
        ColorRef color = 0;
        friend bool operator==(const PenKey&, const PenKey&) = default;
    };

    bool Drawing() const { return !finished_; }

    // Each brings the picture's state to what the next record needs, writing only what
    // differs from what was written before.
    void SyncMapping();
    bool SyncClip();  // false when the clip leaves nothing to draw on
    void SyncPen(const Pen& pen);
    void SyncBrush(const Brush& brush);
    void SyncFillMode(std::uint32_t mode);
    void SyncPosition();
    // The clip in force in device pixels: the selected one, the temporary one and the
    // frame's; none when nothing limits the drawing.
    std::optional<Region> EffectiveClip() const;
    // Selects a stock object or a new one in place of the object in `slot`, which is
    // deleted when it was one of ours.
    void Select(std::uint32_t& slot, std::uint32_t object);
    std::uint32_t NewHandle();

    // The device pixels of a logical box and `padPixels` around it, within the clip.
    Rect DeviceBox(double left, double top, double right, double bottom, double padPixels) const;
    // Grows the picture's bounds by a logical box and `padPixels` device pixels around it;
    // returns its device pixels.
    Rect AddBounds(double left, double top, double right, double bottom, double padPixels);
    Rect AddBounds(const QPainterPath& logical, double padPixels);
    // Half the selected pen's width in device pixels (0 when it draws nothing).
    double PenReach() const;

    // Writes the figures of `path` as move, line and Bezier records; without
    // `startWithMove` the first figure goes on from the current position.
    void WriteFigures(const QPainterPath& path, bool startWithMove, bool closeEach);
    // Segments from the current position: stroked with the selected pen, or into the
    // open path.
    void AddSegments(const QPainterPath& segments);
    // A rectangle or ellipse record: outlined and filled, or into the open path.
    void AddShape(std::uint32_t type, const Rect& r);
    // A filled area without an outline, in a path bracket of its own.
    void FillArea(const QPainterPath& logical, ColorRef color, bool winding);
    void WriteFillPath(const Rect& device);
    void FillLogicalRect(const Rect& r, ColorRef color);
    // One line of text with its reference point at (x, y): glyph outlines, and the cell in
    // the background colour when `fillCell`.
    void DrawRun(double x, double y, unsigned align, const QString& text, bool fillCell);
    // Limits the drawing to a logical rectangle as well, until ClearTemporaryClip.
    void SetTemporaryClip(const Rect& logical);
    void ClearTemporaryClip();

    Rect frame_;
    int dpi_;
    Size surfacePixels_;
    Size surfaceMm_;

    std::unique_ptr<Records> records_;
    std::vector<std::uint8_t> finishedBytes_;
    bool finished_ = false;

    // The measurer: a screen-like image context with the same mapping and font.
    QImage measureImage_;
    std::unique_ptr<QtDeviceContext> measurer_;

    // The state of the picture as written so far (none: not known, written at first use).
    std::optional<Mapping> writtenMapping_;
    std::optional<std::optional<Region>> writtenClip_;
    std::optional<Region> temporaryClip_;
    std::optional<PenKey> writtenPen_;
    std::optional<Brush> writtenBrush_;
    std::uint32_t penHandle_ = 0;    // our pen selected, or 0 for a stock pen
    std::uint32_t brushHandle_ = 0;  // our brush selected, or 0 for a stock brush
    std::vector<bool> handlesInUse_;
    std::uint32_t fillMode_ = 0;
    std::optional<Point> writtenPosition_;

    Point current_;
    bool pathOpen_ = false;
    QPainterPath path_;

    // Bounds of the drawing, device pixels, inclusive; nothing drawn while right < left.
    std::int32_t boundsLeft_ = 0, boundsTop_ = 0, boundsRight_ = -1, boundsBottom_ = -1;
};

// Writes a finished metafile through a temporary file and a rename; false on any failure.
bool SaveMetafile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace platform
