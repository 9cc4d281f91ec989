// A reader and a player of Enhanced Metafiles for tests: the records of a file with their
// fields, and the records played back onto an image of device pixels. Written from the
// format's documentation (record numbers and layouts spelled out here, independently of
// the writer), for the records the program's metafile writer makes.
#pragma once

#include "platform/device_context.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRegion>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace emf_test {

using platform::Point;
using platform::Rect;
using platform::Size;

// Record types, from the format's documentation.
enum : std::uint32_t {
    EMR_HEADER = 0x01,
    EMR_POLYGON = 0x03,
    EMR_POLYBEZIERTO = 0x05,
    EMR_POLYLINETO = 0x06,
    EMR_POLYPOLYGON = 0x08,
    EMR_SETWINDOWEXTEX = 0x09,
    EMR_SETWINDOWORGEX = 0x0A,
    EMR_SETVIEWPORTEXTEX = 0x0B,
    EMR_SETVIEWPORTORGEX = 0x0C,
    EMR_EOF = 0x0E,
    EMR_SETMAPMODE = 0x11,
    EMR_SETBKMODE = 0x12,
    EMR_SETPOLYFILLMODE = 0x13,
    EMR_MOVETOEX = 0x1B,
    EMR_INTERSECTCLIPRECT = 0x1E,
    EMR_SELECTOBJECT = 0x25,
    EMR_CREATEBRUSHINDIRECT = 0x27,
    EMR_DELETEOBJECT = 0x28,
    EMR_ELLIPSE = 0x2A,
    EMR_RECTANGLE = 0x2B,
    EMR_LINETO = 0x36,
    EMR_BEGINPATH = 0x3B,
    EMR_ENDPATH = 0x3C,
    EMR_CLOSEFIGURE = 0x3D,
    EMR_FILLPATH = 0x3E,
    EMR_SELECTCLIPPATH = 0x43,
    EMR_ABORTPATH = 0x44,
    EMR_EXTSELECTCLIPRGN = 0x4B,
    EMR_POLYGON16 = 0x56,
    EMR_POLYBEZIERTO16 = 0x58,
    EMR_POLYLINETO16 = 0x59,
    EMR_POLYPOLYGON16 = 0x5B,
    EMR_EXTCREATEPEN = 0x5F,
};

constexpr std::uint32_t kStockBit = 0x80000000;
constexpr std::uint32_t WHITE_BRUSH = 0x80000000;
constexpr std::uint32_t NULL_BRUSH = 0x80000005;
constexpr std::uint32_t BLACK_PEN = 0x80000007;
constexpr std::uint32_t NULL_PEN = 0x80000008;

struct Record {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::size_t offset = 0;
};

// The records of a file, each with its place; fails the test on a malformed file.
class EmfFile {
public:
    explicit EmfFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes))
    {
        std::size_t at = 0;
        while (at + 8 <= bytes_.size()) {
            Record r{U32(at), U32(at + 4), at};
            EXPECT_GE(r.size, 8u);
            EXPECT_EQ(r.size % 4, 0u) << "record " << records_.size();
            EXPECT_LE(at + r.size, bytes_.size());
            if (r.size < 8 || r.size % 4 != 0 || at + r.size > bytes_.size())
                return;
            records_.push_back(r);
            at += r.size;
            if (r.type == EMR_EOF)
                break;
        }
        EXPECT_EQ(at, bytes_.size()) << "bytes after the end record";
    }

    std::uint32_t U32(std::size_t at) const
    {
        return static_cast<std::uint32_t>(bytes_.at(at)) |
               static_cast<std::uint32_t>(bytes_.at(at + 1)) << 8 |
               static_cast<std::uint32_t>(bytes_.at(at + 2)) << 16 |
               static_cast<std::uint32_t>(bytes_.at(at + 3)) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::int16_t I16(std::size_t at) const
    {
        return static_cast<std::int16_t>(bytes_.at(at) | bytes_.at(at + 1) << 8);
    }
    float F32(std::size_t at) const
    {
        const std::uint32_t u = U32(at);
        float f;
        std::memcpy(&f, &u, sizeof f);
        return f;
    }
    Rect RectAt(std::size_t at) const { return Rect{I32(at), I32(at + 4), I32(at + 8), I32(at + 12)}; }

    // Field `index` (32-bit words after type and size) of a record.
    std::int32_t Field(const Record& r, int index) const { return I32(r.offset + 8 + 4 * index); }
    std::uint32_t UField(const Record& r, int index) const { return U32(r.offset + 8 + 4 * index); }

    // The points of a poly record (bounds, count, points) in either width.
    std::vector<Point> PolyPoints(const Record& r, bool shortForm) const
    {
        const std::uint32_t count = UField(r, 4);
        std::vector<Point> points;
        std::size_t at = r.offset + 28;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (shortForm) {
                points.push_back(Point{I16(at), I16(at + 2)});
                at += 4;
            } else {
                points.push_back(Point{I32(at), I32(at + 4)});
                at += 8;
            }
        }
        return points;
    }

    const std::vector<Record>& Records() const { return records_; }
    std::vector<Record> Of(std::uint32_t type) const
    {
        std::vector<Record> out;
        for (const Record& r : records_)
            if (r.type == type)
                out.push_back(r);
        return out;
    }
    std::vector<std::uint32_t> Types() const
    {
        std::vector<std::uint32_t> out;
        for (const Record& r : records_)
            out.push_back(r.type);
        return out;
    }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<Record> records_;
};

inline QColor ToQColor(std::uint32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Plays a file's records onto an image of device pixels, with the meaning the format gives
// them (the logical-to-device mapping, objects by index, the current position, paths, the
// fill mode, clipping by logical rectangles).
inline QImage Play(const EmfFile& emf, QSize deviceSize)
{
    QImage image(deviceSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Lines aliased, as the desktop draws them: a thin line on whole pixels. Filled paths
    // (glyphs above all) smooth, as the screen shows text.
    QPainter painter(&image);

    platform::Mapping mapping;
    struct Object {
        bool pen = false;
        QPen qpen;
        QBrush qbrush;
    };
    std::map<std::uint32_t, Object> objects;
    QPen pen(Qt::black, 0);
    QBrush brush(Qt::white);
    QPointF current;
    bool inPath = false;
    QPainterPath path;
    Qt::FillRule fill = Qt::OddEvenFill;
    std::optional<QRegion> clip;

    auto transform = [&] {
        return QTransform(mapping.ScaleX(), 0, 0, mapping.ScaleY(),
                          mapping.viewportOrg.x - mapping.windowOrg.x * mapping.ScaleX(),
                          mapping.viewportOrg.y - mapping.windowOrg.y * mapping.ScaleY());
    };
    auto deviceRect = [&](const Rect& logical) {
        const QRectF r = transform().mapRect(
            QRectF(logical.left, logical.top, logical.right - logical.left, logical.bottom - logical.top));
        return QRect(QPoint(static_cast<int>(std::lround(r.left())), static_cast<int>(std::lround(r.top()))),
                     QPoint(static_cast<int>(std::lround(r.right())) - 1,
                            static_cast<int>(std::lround(r.bottom())) - 1));
    };
    auto prepare = [&] {
        painter.setWorldTransform(QTransform());
        if (clip)
            painter.setClipRegion(*clip);
        else
            painter.setClipping(false);
        painter.setWorldTransform(transform());
        painter.setPen(pen);
        painter.setBrush(brush);
    };
    auto segmentStart = [&] {
        if (inPath && path.elementCount() == 0)
            path.moveTo(current);
    };
    auto stroke = [&](const QPainterPath& p) {
        prepare();
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(p);
    };
    auto shape = [&](QPainterPath p) {
        if (inPath) {
            path.addPath(p);
            return;
        }
        p.setFillRule(fill);
        prepare();
        painter.drawPath(p);
    };

    for (const Record& r : emf.Records()) {
        const auto field = [&](int i) { return emf.Field(r, i); };
        switch (r.type) {
        case EMR_SETMAPMODE: mapping.mode = static_cast<platform::MapMode>(field(0)); break;
        case EMR_SETWINDOWEXTEX: mapping.windowExt = Size{field(0), field(1)}; break;
        case EMR_SETVIEWPORTEXTEX: mapping.viewportExt = Size{field(0), field(1)}; break;
        case EMR_SETWINDOWORGEX: mapping.windowOrg = Point{field(0), field(1)}; break;
        case EMR_SETVIEWPORTORGEX: mapping.viewportOrg = Point{field(0), field(1)}; break;
        case EMR_SETPOLYFILLMODE: fill = field(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
        case EMR_EXTCREATEPEN: {
            const std::uint32_t style = emf.UField(r, 5);
            const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                           Qt::DashDotLine, Qt::DashDotDotLine};
            QPen p(ToQColor(emf.UField(r, 8)), 0);
            if (style & 0x00010000) {  // geometric: width in logical units, round or flat ends
                p = QPen(ToQColor(emf.UField(r, 8)), emf.UField(r, 6),
                         styles[std::min<std::uint32_t>(style & 0xF, 4)],
                         (style & 0xF00) == 0x200 ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
            } else {
                p.setCosmetic(true);
                p.setStyle(styles[std::min<std::uint32_t>(style & 0xF, 4)]);
            }
            objects[emf.UField(r, 0)] = Object{true, p, {}};
            break;
        }
        case EMR_CREATEBRUSHINDIRECT:
            objects[emf.UField(r, 0)] = Object{false, {}, QBrush(ToQColor(emf.UField(r, 2)))};
            break;
        case EMR_SELECTOBJECT: {
            const std::uint32_t ih = emf.UField(r, 0);
            if (ih == NULL_PEN)
                pen = QPen(Qt::NoPen);
            else if (ih == BLACK_PEN)
                pen = QPen(Qt::black, 0);
            else if (ih == NULL_BRUSH)
                brush = QBrush(Qt::NoBrush);
            else if (ih == WHITE_BRUSH)
                brush = QBrush(Qt::white);
            else if (objects.count(ih) && objects[ih].pen)
                pen = objects[ih].qpen;
            else if (objects.count(ih))
                brush = objects[ih].qbrush;
            break;
        }
        case EMR_DELETEOBJECT: objects.erase(emf.UField(r, 0)); break;
        case EMR_MOVETOEX:
            current = QPointF(field(0), field(1));
            if (inPath)
                path.moveTo(current);
            break;
        case EMR_LINETO:
        case EMR_POLYLINETO:
        case EMR_POLYLINETO16:
        case EMR_POLYBEZIERTO:
        case EMR_POLYBEZIERTO16: {
            std::vector<Point> points;
            if (r.type == EMR_LINETO)
                points.push_back(Point{field(0), field(1)});
            else
                points = emf.PolyPoints(r, r.type == EMR_POLYLINETO16 || r.type == EMR_POLYBEZIERTO16);
            const bool curve = r.type == EMR_POLYBEZIERTO || r.type == EMR_POLYBEZIERTO16;
            segmentStart();
            QPainterPath own(current);
            QPainterPath& target = inPath ? path : own;
            for (std::size_t i = 0; i < points.size();) {
                if (curve && i + 2 < points.size()) {
                    target.cubicTo(QPointF(points[i].x, points[i].y),
                                   QPointF(points[i + 1].x, points[i + 1].y),
                                   QPointF(points[i + 2].x, points[i + 2].y));
                    i += 3;
                } else {
                    target.lineTo(points[i].x, points[i].y);
                    ++i;
                }
            }
            current = target.currentPosition();
            if (!inPath)
                stroke(own);
            break;
        }
        case EMR_RECTANGLE:
        case EMR_ELLIPSE: {
            const Rect b = emf.RectAt(r.offset + 8);
            QPainterPath p;
            const QRectF box(b.left, b.top, b.right - b.left, b.bottom - b.top);
            if (r.type == EMR_RECTANGLE)
                p.addRect(box);
            else
                p.addEllipse(box);
            shape(p);
            break;
        }
        case EMR_POLYGON:
        case EMR_POLYGON16: {
            QPolygonF polygon;
            for (const Point& p : emf.PolyPoints(r, r.type == EMR_POLYGON16))
                polygon << QPointF(p.x, p.y);
            QPainterPath p;
            p.addPolygon(polygon);
            p.closeSubpath();
            shape(p);
            break;
        }
        case EMR_POLYPOLYGON:
        case EMR_POLYPOLYGON16: {
            const bool shortForm = r.type == EMR_POLYPOLYGON16;
            const std::uint32_t polygons = emf.UField(r, 4);
            std::size_t at = r.offset + 32 + 4 * polygons;
            QPainterPath p;
            for (std::uint32_t k = 0; k < polygons; ++k) {
                QPolygonF polygon;
                for (std::uint32_t i = 0; i < emf.UField(r, 6 + static_cast<int>(k)); ++i) {
                    polygon << (shortForm ? QPointF(emf.I16(at), emf.I16(at + 2))
                                          : QPointF(emf.I32(at), emf.I32(at + 4)));
                    at += shortForm ? 4 : 8;
                }
                p.addPolygon(polygon);
                p.closeSubpath();
            }
            shape(p);
            break;
        }
        case EMR_BEGINPATH:
            path = QPainterPath();
            inPath = true;
            break;
        case EMR_CLOSEFIGURE: path.closeSubpath(); break;
        case EMR_ENDPATH: inPath = false; break;
        case EMR_ABORTPATH:
            inPath = false;
            path = QPainterPath();
            break;
        case EMR_FILLPATH:
            path.setFillRule(fill);
            prepare();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.fillPath(path, brush);
            painter.setRenderHint(QPainter::Antialiasing, false);
            path = QPainterPath();
            break;
        case EMR_EXTSELECTCLIPRGN:
            EXPECT_EQ(emf.UField(r, 0), 0u) << "only the reset is written";
            clip.reset();
            break;
        case EMR_INTERSECTCLIPRECT: {
            const QRect d = deviceRect(emf.RectAt(r.offset + 8));
            clip = clip ? clip->intersected(d) : QRegion(d);
            break;
        }
        case EMR_SELECTCLIPPATH: {
            EXPECT_EQ(emf.UField(r, 0), 5u) << "RGN_COPY";
            // The path of rectangles becomes the clip (by pixel centres).
            QRegion region;
            for (const QPolygonF& polygon : path.toSubpathPolygons(transform())) {
                const QRectF b = polygon.boundingRect();
                region += QRect(QPoint(static_cast<int>(std::lround(b.left())),
                                       static_cast<int>(std::lround(b.top()))),
                                QPoint(static_cast<int>(std::lround(b.right())) - 1,
                                       static_cast<int>(std::lround(b.bottom())) - 1));
            }
            clip = region;
            path = QPainterPath();
            break;
        }
        case EMR_HEADER:
        case EMR_EOF:
        case EMR_SETBKMODE: break;
        default: ADD_FAILURE() << "record type " << r.type << " not expected"; break;
        }
    }
    painter.end();
    return image;
}

}  // namespace emf_test
