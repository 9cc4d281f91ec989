#include "platform/font_mapper.h"

#include "platform/qt_string.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace platform {
namespace {

constexpr std::uint8_t kChineseBig5CharSet = 136;
constexpr std::uint8_t kFixedPitch = 0x01;
constexpr std::uint8_t kFamilyMask = 0xF0;
constexpr std::uint8_t kFamilyRoman = 0x10;
constexpr std::uint8_t kFamilyModern = 0x30;
constexpr std::uint8_t kNonAntialiasedQuality = 3;

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kMono = QStringLiteral("Liberation Mono");
const QString kCjkSerif = QStringLiteral("Noto Serif CJK SC");
const QString kCjkSans = QStringLiteral("Noto Sans CJK SC");
const QString kCjkSerifTraditional = QStringLiteral("Noto Serif CJK TC");
const QString kCjkSansTraditional = QStringLiteral("Noto Sans CJK TC");

enum class Kind { Sans, Serif, Mono, CjkSerif, CjkSans, CjkSerifTraditional, CjkSansTraditional };

// Desktop face names (case-folded) and the kind of installed face that stands in for them.
const QHash<QString, Kind>& KnownFaces()
{
    static const QHash<QString, Kind> faces = [] {
        QHash<QString, Kind> h;
        for (const char* name :
             {"arial", "helvetica", "tahoma", "tohoma", "verdana", "ms sans serif",
              "microsoft sans serif", "segoe ui", "ms shell dlg", "ms shell dlg 2", "system",
              "arial narrow", "arial black", "calibri", "trebuchet ms", "century gothic"})
            h.insert(QString::fromLatin1(name), Kind::Sans);
        for (const char* name : {"times new roman", "times", "ms serif", "georgia", "cambria",
                                 "book antiqua", "garamond", "palatino linotype"})
            h.insert(QString::fromLatin1(name), Kind::Serif);
        for (const char* name : {"courier new", "courier", "consolas", "lucida console",
                                 "fixedsys", "terminal"})
            h.insert(QString::fromLatin1(name), Kind::Mono);
        for (const char* name : {"宋体", "simsun", "新宋体", "nsimsun", "仿宋", "fangsong",
                                 "仿宋_gb2312", "fangsong_gb2312", "楷体", "kaiti", "楷体_gb2312",
                                 "kaiti_gb2312", "华文宋体", "stsong", "华文中宋", "stzhongsong",
                                 "华文仿宋", "stfangsong", "华文楷体", "stkaiti", "隶书", "lisu",
                                 "方正舒体", "方正姚体", "华文新魏", "华文隶书", "华文行楷"})
            h.insert(QString::fromUtf8(name), Kind::CjkSerif);
        for (const char* name : {"黑体", "simhei", "微软雅黑", "microsoft yahei", "华文细黑",
                                 "stxihei", "华文黑体", "stheiti", "幼圆", "youyuan",
                                 "华文琥珀", "华文彩云"})
            h.insert(QString::fromUtf8(name), Kind::CjkSans);
        for (const char* name : {"細明體", "mingliu", "新細明體", "pmingliu", "標楷體", "dfkai-sb"})
            h.insert(QString::fromUtf8(name), Kind::CjkSerifTraditional);
        for (const char* name : {"微軟正黑體", "microsoft jhenghei"})
            h.insert(QString::fromUtf8(name), Kind::CjkSansTraditional);
        return h;
    }();
    return faces;
}

QString FaceOf(Kind kind)
{
    switch (kind) {
    case Kind::Sans: return kSans;
    case Kind::Serif: return kSerif;
    case Kind::Mono: return kMono;
    case Kind::CjkSerif: return kCjkSerif;
    case Kind::CjkSans: return kCjkSans;
    case Kind::CjkSerifTraditional: return kCjkSerifTraditional;
    case Kind::CjkSansTraditional: return kCjkSansTraditional;
    }
    return kSans;
}

bool IsCjk(Kind kind)
{
    return kind != Kind::Sans && kind != Kind::Serif && kind != Kind::Mono;
}

// The CJK face that follows a Latin face for the characters it lacks.
QString CjkCompanion(Kind kind, std::uint8_t charSet)
{
    const bool traditional = charSet == kChineseBig5CharSet;
    if (kind == Kind::Serif)
        return traditional ? kCjkSerifTraditional : kCjkSerif;
    return traditional ? kCjkSansTraditional : kCjkSans;
}

std::mutex& CacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The value of `key` in a cache, made by `make` the first time (outside the lock: two
// threads may both make it, and they make the same value).
template <class T, class Make>
T Cached(QHash<QString, T>& cache, const QString& key, Make make)
{
    {
        std::lock_guard lock(CacheMutex());
        if (auto it = cache.constFind(key); it != cache.constEnd())
            return it.value();
    }
    const T value = make();
    std::lock_guard lock(CacheMutex());
    cache.insert(key, value);
    return value;
}

// Whether a face is installed, looked up once per name.
bool Installed(const QString& face)
{
    static QHash<QString, bool> cache;
    return Cached(cache, face, [&face] { return QFontDatabase::hasFamily(face); });
}

// Cell height (ascent + descent) per em of a face, looked up once per face and style.
double CellPerEm(const QFont& probe)
{
    static QHash<QString, double> cache;
    const QString key = probe.families().join(u'|') + u'/' + QString::number(probe.weight()) +
                        (probe.italic() ? QStringLiteral("i") : QString());
    return Cached(cache, key, [&probe] {
        QFont f = probe;
        f.setPixelSize(1000);
        f.setStretch(QFont::Unstretched);
        const QFontMetricsF fm(f);
        const double ratio = (fm.ascent() + fm.descent()) / 1000.0;
        return ratio > 0.0 ? ratio : 1.0;
    });
}

}  // namespace

bool FontMapper::IsMusicFace(std::u16string_view faceName)
{
    return faceName == u"Tansy" || faceName.starts_with(u"Tansy ");
}

QStringList FontMapper::Families(std::u16string_view faceName, std::uint8_t charSet,
                                 std::uint8_t pitchAndFamily)
{
    const QString face = ToQString(faceName).trimmed();
    if (IsMusicFace(faceName))
        return {face};

    Kind kind = Kind::Sans;
    if (auto it = KnownFaces().constFind(face.toCaseFolded()); it != KnownFaces().constEnd()) {
        kind = it.value();
    } else if (!face.isEmpty() && Installed(face)) {
        // An installed face is used as it is, with the CJK face for what it lacks.
        return {face, CjkCompanion(Kind::Sans, charSet)};
    } else if ((pitchAndFamily & kFamilyMask) == kFamilyRoman) {
        kind = Kind::Serif;
    } else if ((pitchAndFamily & kFamilyMask) == kFamilyModern ||
               (pitchAndFamily & kFixedPitch) != 0) {
        kind = Kind::Mono;
    }
    if (IsCjk(kind))
        return {FaceOf(kind)};
    return {FaceOf(kind), CjkCompanion(kind, charSet)};
}

QFont FontMapper::ToQFont(const quaverly::LogFont& lf, int defaultEm)
{
    const std::u16string faceName = lf.FaceName();
    QFont font;
    font.setFamilies(Families(faceName, lf.charSet, lf.pitchAndFamily));
    QFont::StyleStrategy strategy =
        lf.quality == kNonAntialiasedQuality ? QFont::NoAntialias : QFont::PreferAntialias;
    if (IsMusicFace(faceName))
        strategy = static_cast<QFont::StyleStrategy>(strategy | QFont::NoFontMerging);
    font.setStyleStrategy(strategy);
    font.setKerning(false);
    const int weight = lf.weight <= 0 ? 400 : std::clamp(lf.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(lf.italic != 0);
    font.setUnderline(lf.underline != 0);
    font.setStrikeOut(lf.strikeOut != 0);

    double em = std::max(defaultEm, 1);
    if (lf.height < 0)
        em = -static_cast<double>(lf.height);
    else if (lf.height > 0)
        em = lf.height / CellPerEm(font);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));

    if (lf.width > 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        if (average > 0.0) {
            const long stretch = std::lround(100.0 * lf.width / average);
            font.setStretch(static_cast<int>(std::clamp(stretch, 1L, 4000L)));
        }
    }
    return font;
}

}  // namespace platform
