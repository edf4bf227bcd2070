#include "platform/wmf/metafilepicture.h"

#include "platform/fontmap.h"
#include "platform/log.h"
#include "platform/textcodec.h"
#include "platform/wmf/dib.h"

#include <QFile>
#include <QFont>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QSet>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <list>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

extern "C" {
#include <uwmf.h>
}

namespace oravians {

namespace {

// Record types (the low byte of the record function).
enum : int {
    R_EOF = 0x00, R_SETBKCOLOR = 0x01, R_SETBKMODE = 0x02, R_SETMAPMODE = 0x03, R_SETROP2 = 0x04,
    R_SETPOLYFILLMODE = 0x06, R_SETTEXTCHAREXTRA = 0x08, R_SETTEXTCOLOR = 0x09,
    R_SETTEXTJUSTIFICATION = 0x0A, R_SETWINDOWORG = 0x0B, R_SETWINDOWEXT = 0x0C,
    R_SETVIEWPORTORG = 0x0D, R_SETVIEWPORTEXT = 0x0E, R_OFFSETWINDOWORG = 0x0F,
    R_SCALEWINDOWEXT = 0x10, R_OFFSETVIEWPORTORG = 0x11, R_SCALEVIEWPORTEXT = 0x12,
    R_LINETO = 0x13, R_MOVETO = 0x14, R_EXCLUDECLIPRECT = 0x15, R_INTERSECTCLIPRECT = 0x16,
    R_ARC = 0x17, R_ELLIPSE = 0x18, R_PIE = 0x1A, R_RECTANGLE = 0x1B, R_ROUNDRECT = 0x1C,
    R_PATBLT = 0x1D, R_SAVEDC = 0x1E, R_SETPIXEL = 0x1F, R_OFFSETCLIPRGN = 0x20, R_TEXTOUT = 0x21,
    R_BITBLT = 0x22, R_STRETCHBLT = 0x23, R_POLYGON = 0x24, R_POLYLINE = 0x25, R_ESCAPE = 0x26,
    R_RESTOREDC = 0x27, R_FILLREGION = 0x28, R_FRAMEREGION = 0x29, R_PAINTREGION = 0x2B,
    R_SELECTCLIPREGION = 0x2C, R_SELECTOBJECT = 0x2D, R_SETTEXTALIGN = 0x2E, R_CHORD = 0x30,
    R_EXTTEXTOUT = 0x32, R_SETDIBTODEV = 0x33, R_SELECTPALETTE = 0x34, R_REALIZEPALETTE = 0x35,
    R_SETPALENTRIES = 0x37, R_POLYPOLYGON = 0x38, R_DIBBITBLT = 0x40, R_DIBSTRETCHBLT = 0x41,
    R_DIBCREATEPATTERNBRUSH = 0x42, R_STRETCHDIB = 0x43, R_DELETEOBJECT = 0xF0,
    R_CREATEPALETTE = 0xF7, R_CREATEPATTERNBRUSH = 0xF9, R_CREATEPENINDIRECT = 0xFA,
    R_CREATEFONTINDIRECT = 0xFB, R_CREATEBRUSHINDIRECT = 0xFC, R_CREATEREGION = 0xFF,
};

// Padding kept after the file bytes: libuemf's fixed-field readers may look a
// few bytes past a short last record; they must land in zeros, not beyond.
constexpr int kPadding = 64;
constexpr int kMaxObjects = 65535;
constexpr int kMaxSaveDepth = 1024;
constexpr qreal kFontReferencePixels = 256.0;

// ---- budgets -------------------------------------------------------------
// What one file may cost. A page of the program uses a small fraction of
// each; a file that goes past one is drawn without the rest of that kind of
// work, and the log says which budget and which file. Together they keep any
// file of up to a megabyte under about a second and 256 MB at screen size.

constexpr std::size_t kMaxSteps = 100000;     // drawing steps kept
constexpr std::size_t kMaxPoints = 1000000;   // polygon points kept, 16 bytes each
constexpr std::size_t kMaxGlyphs = 200000;    // glyphs of text kept
constexpr int64_t kMaxBitmapPixels = 32LL << 20; // all bitmaps of a file, 4 bytes each
constexpr std::size_t kMaxClipRects = 1024;   // rectangles in a clip made of rectangles
constexpr int kMaxClipPathElements = 2000;    // a clip of curves or regions combined with more
constexpr std::size_t kMaxJoinedRegionRects = 16; // a region of more is kept as rectangles
constexpr qreal kMaxDashes = 20000;           // dashes of all dashed strokes; more are drawn solid
constexpr std::size_t kMaxWideSegments = 500; // segments of wide strokes drawn as one outline; past it, one at a time
constexpr int kMaxFontFamilies = 48;          // distinct font families looked up
constexpr int kFontCacheSize = 32;            // fonts kept ready
constexpr qreal kMaxPaintedCovers = 400;      // painted area, in solid fills of the whole frame (below)
constexpr int64_t kMaxClipWork = 400000;      // rectangles and path elements of all clip changes
constexpr int64_t kMaxPaletteWork = 4 << 20;  // palette entries copied when palettes change

// What painting costs, relative to filling the whole frame with one solid
// colour (0.13 ms at 800 x 600 on a slow machine), per frame area covered.
// Measured with bench_hostile: a curved or pattern fill costs a few solid
// fills, a wide stroke or a glyph drawn as an outline a dozen, a stretched
// bitmap (smoothly scaled, or combined with what is below) about a hundred.
constexpr qreal kSolidCost = 1;
constexpr qreal kCurveCost = 3;
constexpr qreal kPatternCost = 6;
constexpr qreal kStrokeCost = 12;
constexpr qreal kTextCost = 16;
constexpr qreal kClipCost = 2;
constexpr qreal kClipElementCost = 0.1;  // each rectangle or path element of a clip, to build its mask
constexpr qreal kClipEdgeCost = 0.1;     // each rectangle of a clip as tall as the frame
constexpr qreal kImageCost = 100;

// ---- drawing steps -------------------------------------------------------
// Kept compact, as a file may hold hundreds of thousands of small shapes:
// polygon points go into one pool, pens and brushes into tables, and a step
// is a kind and an index.

using RectList = std::shared_ptr<const std::vector<QRectF>>;

struct OpClip {
    bool on = false;
    bool isRect = false;
    QRectF rect;
    RectList rects; // rectangles (their union), when set
    QPainterPath path;
};

enum class ShapeForm : uint8_t { Polygon, Polyline, PolyPolygon, Line, Rects, Ellipse, Path };

struct OpShape {
    ShapeForm form = ShapeForm::Path;
    bool winding = false;
    uint32_t first = 0;    // first point in the pool, or index of the path
    uint32_t count = 0;    // points (rects: two per rectangle, corner and size)
    uint32_t parts = 0;    // polypolygon: first polygon size in the parts pool
    uint32_t partCount = 0;
    uint32_t pen = 0;      // pen table index, 0: no pen
    uint32_t brush = 0;    // brush table index, 0: no brush
    uint32_t under = 0;    // background behind a hatched brush, 0: none
    bool inPieces = false; // a long wide stroke drawn a few segments at a time
};

struct OpText {
    QPointF origin;   // reference point, device units
    qreal rotation = 0; // degrees, Qt sense
    QPointF offset;   // start of the baseline relative to origin, unrotated
    qreal scaleX = 1, scaleY = 1;
    QGlyphRun run;
    QColor color;
    QColor background;
    bool opaque = false;
    QRectF backgroundRect; // relative to origin, unrotated
    std::vector<QRectF> lines; // underline/strike-out, relative to origin, unrotated
    bool clipped = false;
    QRectF clip; // device units
    qreal embolden = 0; // second strike to the right, in glyph-run units (0: none)
};

struct OpImage {
    QRectF target;
    QImage image;
    QRectF source;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

enum class StepKind : uint8_t { Shape, Text, Image, Clip };

struct Step {
    StepKind kind;
    uint32_t index; // into the list of its kind
};

// A shape as the player builds it, before it goes into the pools.
struct ShapeIn {
    ShapeForm form = ShapeForm::Path;
    bool winding = false;
    const QPointF* points = nullptr;
    std::size_t count = 0;
    const uint32_t* parts = nullptr;
    std::size_t partCount = 0;
    QPainterPath path;
};

// ---- graphics objects ----------------------------------------------------

struct PenObj {
    int style = 0;
    int width = 0;
    QColor color = Qt::black;
};

struct BrushObj {
    int style = 0; // BS_SOLID
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

struct FontObj {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false, underline = false, strikeout = false;
    int charset = 0;
    QString face;
};

// Shared between the saved states and the objects that hold it: a file may
// save or select a large palette many times.
struct PaletteObj {
    std::shared_ptr<const std::vector<QColor>> entries;
    std::size_t size() const { return entries ? entries->size() : 0; }
};

struct RegionObj {
    std::vector<QRect> rects; // logical units
};

using GdiObject = std::variant<std::monostate, PenObj, BrushObj, FontObj, PaletteObj, RegionObj>;

// The clipping region: everything (off), a rectangle, rectangles
// (rectangles cut out of rectangles stay rectangles, cheaply), or a path.
struct Clip {
    bool on = false;
    bool isRect = true;
    QRectF rect;
    RectList rects;
    QPainterPath path;
    int id = 0;
};

struct DC {
    int mapMode = 8; // anisotropic
    QPointF windowOrg, windowExt{1, 1}, viewportOrg, viewportExt{1, 1};
    PenObj pen;
    BrushObj brush;
    FontObj font;
    PaletteObj palette;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    int bkMode = 2; // opaque
    int textAlign = 0;
    int polyFill = 1; // alternate
    int charExtra = 0;
    int justifyExtra = 0, justifyCount = 0;
    QPointF current; // logical
    Clip clip;
};

} // namespace

struct MetafileData {
    bool placeable = false;
    bool damaged = false;
    int records = 0;
    int skipped = 0;
    QRectF frame{0, 0, 1, 1};
    qreal unitsPerInch = 1440;
    std::vector<Step> steps;
    std::vector<OpShape> shapes;
    std::vector<OpText> texts;
    std::vector<TextRun> runs; // every text record's string and box, frame units, for reading aloud
    std::vector<OpImage> images;
    std::vector<OpClip> clips;
    std::vector<QPointF> points;
    std::vector<uint32_t> parts;
    std::vector<QPainterPath> paths;
    std::vector<QPen> pens{QPen(Qt::NoPen)};
    std::vector<QBrush> brushes{QBrush(Qt::NoBrush)};
    // Budgets the file went past, and what has been spent.
    QStringList budgets;
    std::size_t glyphs = 0;
    int64_t bitmapPixels = 0;
    qreal dashes = 0;
    std::size_t wideSegments = 0;
    qreal covers = 0;      // painted area, in solid fills of the whole frame
    int64_t clipWork = 0;
    int64_t paletteWork = 0;
};

namespace {

uint16_t u16(const char* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
int16_t s16(const char* p)
{
    int16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
uint32_t u32(const char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

QColor colorOf(const U_COLORREF& c, const PaletteObj& palette)
{
    if (c.Reserved == 1) { // palette index
        const int index = c.Red | (c.Green << 8);
        if (index >= 0 && index < int(palette.size()))
            return (*palette.entries)[std::size_t(index)];
    }
    return QColor(c.Red, c.Green, c.Blue);
}

QColor colorAt(const char* p, const PaletteObj& palette)
{
    U_COLORREF c;
    std::memcpy(&c, p, 4);
    return colorOf(c, palette);
}

// Fonts by family, weight and slant, the most recently used first.
struct RawFontCache {
    struct Entry {
        QString key;
        QRawFont font;
    };
    std::list<Entry> entries;
    QSet<QString> families; // looked up for this file

    const QRawFont* find(const QString& key)
    {
        for (auto it = entries.begin(); it != entries.end(); ++it)
            if (it->key == key) {
                entries.splice(entries.begin(), entries, it);
                return &entries.front().font;
            }
        return nullptr;
    }
    void insert(const QString& key, const QRawFont& font)
    {
        entries.push_front({key, font});
        if (entries.size() > std::size_t(kFontCacheSize))
            entries.pop_back();
    }
};

// Whether n bytes from p lie inside one record.
struct InRecord {
    const char* begin;
    const char* end;
    bool operator()(const char* p, std::size_t n) const { return p >= begin && p <= end && std::size_t(end - p) >= n; }
};

class Player {
public:
    Player(const char* data, std::size_t size, MetafileData& out, const QString& source)
        : begin_(data), end_(data + size), out_(out), source_(source)
    {
    }

    void run();

private:
    // mapping
    void scales(qreal& sx, qreal& sy) const;
    QPointF map(qreal x, qreal y) const;
    QRectF mapRect(qreal l, qreal t, qreal r, qreal b) const;
    qreal mapWidth(qreal w) const;

    // state
    void emitClipIfChanged();
    void setClip(const Clip& c);
    void intersectClip(const QRectF& r);
    void excludeClip(const QRectF& r);

    QPen currentPen() const;
    QBrush currentBrush(QBrush* under) const;
    // False (and the budget logged) when the file has spent it.
    bool withinBudget(bool within, const char* budget);
    bool roomForStep();
    // False (and the painted-area budget logged) when painting this much
    // more, in solid fills of the whole frame, would go past it.
    bool roomToPaint(qreal covers);
    qreal coverOf(const QRectF& r) const;
    bool clipWork(int64_t work);
    void addStep(StepKind kind, std::size_t index);
    uint32_t penIndex(const QPen& pen);
    uint32_t brushIndex(const QBrush& brush);
    void addShape(ShapeIn shape, bool fill, bool stroke = true);
    void addShapeWith(ShapeIn shape, const QPen& pen, const QBrush& brush, const QBrush& under);
    void addRect(const QRectF& r, const QBrush& brush, const QBrush& under = QBrush(Qt::NoBrush));
    void addPath(const QPainterPath& path, bool fill) { ShapeIn in; in.path = path; addShape(std::move(in), fill); }
    QImage decodeDib(const char* dib, std::size_t len, int usage);
    QRawFont rawFont(const FontObj& f);
    void addObject(GdiObject obj);
    void selectObject(int index);
    void drawText(QPointF pt, const char* text, int length, const char* dx, int dxCount, uint16_t opts, const QRectF* rect);
    void drawDib(const char* dib, std::size_t len, QPointF dst, QPointF dstSize, QPointF src, QPointF srcSize,
                 uint32_t rop, int usage, bool srcFromBottom);
    void patBlt(const QRectF& r, uint32_t rop);
    QRectF rectFrom(const U_RECT16& r) const { return mapRect(r.left, r.top, r.right, r.bottom); }
    QPainterPath arcPath(const U_RECT16& box, U_POINT16 start, U_POINT16 end, int kind);
    // Record families: nullopt for a type that is not theirs.
    std::optional<bool> stateRecord(int type, const char* rec, std::size_t size);
    std::optional<bool> objectRecord(int type, const char* rec, std::size_t size);
    std::optional<bool> drawingRecord(int type, const char* rec, std::size_t size);
    std::optional<bool> textRecord(int type, const char* rec, std::size_t size);
    std::optional<bool> bitmapRecord(int type, const char* rec, std::size_t size);
    std::optional<bool> clipRecord(int type, const char* rec, std::size_t size);
    bool record(int type, const char* rec, std::size_t size);

    const char* begin_;
    const char* end_;
    MetafileData& out_;
    DC dc_;
    std::vector<DC> saved_;
    std::vector<GdiObject> objects_;
    std::size_t lowestFree_ = 0;
    std::vector<uint64_t> taken_; // a bit per object slot in use
    int emittedClip_ = 0;
    int nextClipId_ = 1;
    RawFontCache fonts_;
    QString source_;
    std::vector<QPointF> scratch_;
};

void Player::scales(qreal& sx, qreal& sy) const
{
    const qreal inch = out_.unitsPerInch;
    switch (dc_.mapMode) {
    case 1: sx = sy = 1; return;                              // text
    case 2: sx = inch / 254.0; sy = -sx; return;              // 0.1 mm
    case 3: sx = inch / 2540.0; sy = -sx; return;             // 0.01 mm
    case 4: sx = inch / 100.0; sy = -sx; return;              // 0.01 in
    case 5: sx = inch / 1000.0; sy = -sx; return;             // 0.001 in
    case 6: sx = inch / 1440.0; sy = -sx; return;             // twips
    default: break;
    }
    const qreal wx = dc_.windowExt.x() == 0 ? 1 : dc_.windowExt.x();
    const qreal wy = dc_.windowExt.y() == 0 ? 1 : dc_.windowExt.y();
    sx = dc_.viewportExt.x() / wx;
    sy = dc_.viewportExt.y() / wy;
    if (dc_.mapMode == 7) { // isotropic: one scale, the smaller
        const qreal m = std::min(std::abs(sx), std::abs(sy));
        sx = sx < 0 ? -m : m;
        sy = sy < 0 ? -m : m;
    }
}

QPointF Player::map(qreal x, qreal y) const
{
    qreal sx, sy;
    scales(sx, sy);
    return {(x - dc_.windowOrg.x()) * sx + dc_.viewportOrg.x(), (y - dc_.windowOrg.y()) * sy + dc_.viewportOrg.y()};
}

QRectF Player::mapRect(qreal l, qreal t, qreal r, qreal b) const
{
    return QRectF(map(l, t), map(r, b)).normalized();
}

qreal Player::mapWidth(qreal w) const
{
    qreal sx, sy;
    scales(sx, sy);
    return std::abs(w * sx);
}

bool Player::withinBudget(bool within, const char* budget)
{
    if (within)
        return true;
    const QString name = QString::fromLatin1(budget);
    if (!out_.budgets.contains(name)) {
        out_.budgets.append(name);
        logProblemOnce(QStringLiteral("picture %1: past the %2 budget; the rest is not drawn").arg(source_, name));
    }
    return false;
}

bool Player::roomForStep()
{
    return withinBudget(out_.steps.size() < kMaxSteps, "drawing steps") && !out_.budgets.contains(QLatin1String("painted area"));
}

// The part of the frame r covers, 1 for all of it.
qreal Player::coverOf(const QRectF& r) const
{
    const QRectF f = out_.frame;
    const QRectF in = r.normalized().intersected(f);
    if (in.isEmpty() || f.isEmpty())
        return 0;
    return (in.width() / f.width()) * (in.height() / f.height());
}

bool Player::roomToPaint(qreal covers)
{
    if (!(covers >= 0)) // not a number: a shape of damaged coordinates
        covers = 0;
    if (!withinBudget(out_.covers + covers <= kMaxPaintedCovers, "painted area"))
        return false;
    out_.covers += covers;
    return true;
}

// Clip changes cost their rectangles or path elements: to build, to keep and to draw.
bool Player::clipWork(int64_t work)
{
    if (!withinBudget(out_.clipWork + work <= kMaxClipWork, "clip changes"))
        return false;
    out_.clipWork += work;
    return true;
}

void Player::addStep(StepKind kind, std::size_t index) { out_.steps.push_back({kind, uint32_t(index)}); }

uint32_t Player::penIndex(const QPen& pen)
{
    if (pen.style() == Qt::NoPen)
        return 0;
    // Shapes mostly share the pen of the one before.
    auto& pens = out_.pens;
    for (std::size_t i = pens.size(); i > 1 && i + 4 > pens.size(); --i)
        if (pens[i - 1] == pen)
            return uint32_t(i - 1);
    pens.push_back(pen);
    return uint32_t(pens.size() - 1);
}

uint32_t Player::brushIndex(const QBrush& brush)
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    auto& brushes = out_.brushes;
    for (std::size_t i = brushes.size(); i > 1 && i + 4 > brushes.size(); --i)
        if (brushes[i - 1] == brush)
            return uint32_t(i - 1);
    brushes.push_back(brush);
    return uint32_t(brushes.size() - 1);
}

void Player::emitClipIfChanged()
{
    if (dc_.clip.id == emittedClip_)
        return;
    emittedClip_ = dc_.clip.id;
    if (dc_.clip.on && !dc_.clip.isRect) {
        const QRectF bounds = dc_.clip.rects ? QRectF() : dc_.clip.path.controlPointRect();
        qreal area = 0;
        std::size_t elements = 0;
        // The mask is built a row at a time, each row crossing the edges that span it.
        qreal rows = 0;
        const qreal frameHeight = std::max<qreal>(out_.frame.height(), 1e-9);
        if (dc_.clip.rects) {
            QRectF all;
            for (const QRectF& piece : *dc_.clip.rects) {
                all = all.united(piece);
                rows += std::min<qreal>(1, piece.normalized().intersected(out_.frame).height() / frameHeight);
            }
            area = coverOf(all);
            elements = dc_.clip.rects->size();
        } else {
            area = coverOf(bounds);
            elements = std::size_t(dc_.clip.path.elementCount());
            rows = qreal(elements) / 2 * std::min<qreal>(1, bounds.intersected(out_.frame).height() / frameHeight);
        }
        out_.covers += area * kClipCost + qreal(elements) * kClipElementCost + rows * kClipEdgeCost;
    }
    OpClip op;
    op.on = dc_.clip.on;
    op.isRect = dc_.clip.isRect;
    op.rect = dc_.clip.rect;
    op.rects = dc_.clip.rects;
    op.path = dc_.clip.path;
    addStep(StepKind::Clip, out_.clips.size());
    out_.clips.push_back(std::move(op));
}

void Player::setClip(const Clip& c)
{
    dc_.clip = c;
    dc_.clip.id = nextClipId_++;
}

void Player::intersectClip(const QRectF& r)
{
    Clip c;
    c.on = true;
    if (!dc_.clip.on) {
        c.isRect = true;
        c.rect = r;
    } else if (dc_.clip.isRect) {
        c.isRect = true;
        c.rect = dc_.clip.rect.intersected(r);
    } else if (dc_.clip.rects) {
        if (!clipWork(int64_t(dc_.clip.rects->size())))
            return;
        auto rects = std::make_shared<std::vector<QRectF>>();
        for (const QRectF& piece : *dc_.clip.rects) {
            const QRectF kept = piece.intersected(r);
            if (!kept.isEmpty())
                rects->push_back(kept);
        }
        c.isRect = false;
        c.rects = std::move(rects);
    } else {
        if (!withinBudget(dc_.clip.path.elementCount() <= kMaxClipPathElements, "clip")
            || !clipWork(dc_.clip.path.elementCount()))
            return;
        QPainterPath p;
        p.addRect(r);
        c.isRect = false;
        c.path = dc_.clip.path.intersected(p);
    }
    setClip(c);
}

void Player::excludeClip(const QRectF& r)
{
    if (dc_.clip.on && !dc_.clip.isRect && !dc_.clip.rects) {
        if (!withinBudget(dc_.clip.path.elementCount() <= kMaxClipPathElements, "clip")
            || !clipWork(dc_.clip.path.elementCount()))
            return;
        QPainterPath hole;
        hole.addRect(r);
        Clip c;
        c.on = true;
        c.isRect = false;
        c.path = dc_.clip.path.subtracted(hole);
        setClip(c);
        return;
    }
    // Rectangles minus a rectangle: each piece it overlaps leaves up to four.
    if (dc_.clip.rects && !clipWork(int64_t(dc_.clip.rects->size())))
        return;
    std::vector<QRectF> base;
    if (!dc_.clip.on)
        base.push_back(out_.frame.adjusted(-out_.frame.width(), -out_.frame.height(), out_.frame.width(), out_.frame.height()));
    else if (dc_.clip.isRect)
        base.push_back(dc_.clip.rect);
    auto rects = std::make_shared<std::vector<QRectF>>();
    for (const QRectF& piece : dc_.clip.rects ? *dc_.clip.rects : base) {
        const QRectF cut = piece.intersected(r);
        if (cut.isEmpty()) {
            rects->push_back(piece);
            continue;
        }
        const QRectF above(QPointF(piece.left(), piece.top()), QPointF(piece.right(), cut.top()));
        const QRectF below(QPointF(piece.left(), cut.bottom()), QPointF(piece.right(), piece.bottom()));
        const QRectF left(QPointF(piece.left(), cut.top()), QPointF(cut.left(), cut.bottom()));
        const QRectF right(QPointF(cut.right(), cut.top()), QPointF(piece.right(), cut.bottom()));
        for (const QRectF& rest : {above, below, left, right})
            if (!rest.isEmpty())
                rects->push_back(rest);
    }
    if (!withinBudget(rects->size() <= kMaxClipRects, "clip"))
        return;
    Clip c;
    c.on = true;
    c.isRect = false;
    c.rects = std::move(rects);
    setClip(c);
}

QPen Player::currentPen() const
{
    const PenObj& p = dc_.pen;
    const int style = p.style & 0x0F;
    if (style == 5)
        return QPen(Qt::NoPen);
    QPen pen(p.color);
    const qreal w = p.width <= 0 ? 0 : mapWidth(p.width);
    pen.setWidthF(w);
    pen.setCosmetic(p.width <= 0);
    switch (style) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    switch (p.style & 0x0F00) {
    case 0x100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (p.style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

QBrush Player::currentBrush(QBrush* under) const
{
    const BrushObj& b = dc_.brush;
    *under = QBrush(Qt::NoBrush);
    switch (b.style) {
    case 0: return QBrush(b.color);
    case 1: return QBrush(Qt::NoBrush);
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        if (dc_.bkMode == 2)
            *under = QBrush(dc_.bkColor);
        if (b.hatch >= 0 && b.hatch < 6)
            return QBrush(b.color, hatches[b.hatch]);
        return QBrush(b.color);
    }
    case 3:
    case 5:
    case 6:
        if (!b.pattern.isNull())
            return QBrush(b.pattern);
        return QBrush(Qt::gray);
    default: return QBrush(b.color);
    }
}

void Player::addShape(ShapeIn shape, bool fill, bool stroke)
{
    QPen pen(Qt::NoPen);
    QBrush brush(Qt::NoBrush), under(Qt::NoBrush);
    if (stroke)
        pen = currentPen();
    if (fill)
        brush = currentBrush(&under);
    if (pen.style() == Qt::NoPen && brush.style() == Qt::NoBrush && under.style() == Qt::NoBrush)
        return;
    addShapeWith(std::move(shape), pen, brush, under);
}

// Dashes a stroke along this many units of length would draw.
qreal dashCount(const QPen& pen, qreal length, const QRectF& frame)
{
    qreal period, perPeriod;
    switch (pen.style()) {
    case Qt::DashLine: period = 6; perPeriod = 1; break;
    case Qt::DotLine: period = 3; perPeriod = 1; break;
    case Qt::DashDotLine: period = 9; perPeriod = 2; break;
    case Qt::DashDotDotLine: period = 12; perPeriod = 3; break;
    default: return 0;
    }
    // A hairline is dashed in device pixels: about a thousandth of the frame at screen size.
    const qreal unit = std::max(pen.isCosmetic() ? 0 : pen.widthF(), std::max(frame.width(), frame.height()) / 1000);
    return unit > 0 ? length / (unit * period) * perPeriod : 0;
}

void Player::addShapeWith(ShapeIn shape, const QPen& penIn, const QBrush& brush, const QBrush& under)
{
    if (!roomForStep())
        return;
    const bool pooled = shape.form != ShapeForm::Path;
    if (pooled && !withinBudget(out_.points.size() + shape.count <= kMaxPoints, "polygon points"))
        return;
    QPen pen = penIn;
    // Where the shape lies and how long its outline is, for what drawing it costs.
    QRectF bounds;
    qreal length = 0;
    if (shape.form == ShapeForm::Path) {
        bounds = shape.path.controlPointRect();
        if (pen.style() != Qt::NoPen)
            length = shape.path.length();
    } else if (shape.form == ShapeForm::Rects || shape.form == ShapeForm::Ellipse) {
        for (std::size_t i = 0; i + 1 < shape.count; i += 2) {
            const QPointF size = shape.points[i + 1];
            bounds = bounds.united(QRectF(shape.points[i], QSizeF(size.x(), size.y())).normalized());
            length += (shape.form == ShapeForm::Ellipse ? M_PI : 2) * (std::abs(size.x()) + std::abs(size.y()));
        }
    } else if (shape.count > 0) {
        qreal l = shape.points[0].x(), t = shape.points[0].y(), r = l, b = t;
        for (std::size_t i = 1; i < shape.count; ++i) {
            const QPointF& q = shape.points[i];
            l = std::min(l, q.x()), r = std::max(r, q.x()), t = std::min(t, q.y()), b = std::max(b, q.y());
            length += QLineF(shape.points[i - 1], q).length();
        }
        bounds = QRectF(QPointF(l, t), QPointF(r, b));
    }
    {
        const bool curved = shape.form == ShapeForm::Ellipse || shape.form == ShapeForm::Path;
        const qreal solid = curved ? kCurveCost : kSolidCost;
        // A line fills nothing; its stroke covers its length times its width.
        const qreal area = coverOf(bounds);
        qreal covers = 0;
        if (brush.style() != Qt::NoBrush)
            covers += area * (brush.style() == Qt::SolidPattern ? solid : kPatternCost);
        if (under.style() != Qt::NoBrush)
            covers += area * solid;
        if (pen.style() != Qt::NoPen) {
            const qreal width = std::max(pen.isCosmetic() ? 0 : pen.widthF(),
                                         std::max(out_.frame.width(), out_.frame.height()) / 1000);
            const QRectF reach = bounds.adjusted(-width / 2, -width / 2, width / 2, width / 2);
            const qreal frameArea = out_.frame.width() * out_.frame.height();
            covers += std::min(coverOf(reach), frameArea > 0 ? length * width / frameArea : 0) * kStrokeCost;
        }
        if (!roomToPaint(covers))
            return;
    }
    if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
        const qreal dashes = dashCount(pen, length, out_.frame);
        if (withinBudget(out_.dashes + dashes <= kMaxDashes, "dashed strokes"))
            out_.dashes += dashes;
        else
            pen.setStyle(Qt::SolidLine);
    }
    OpShape op;
    // Qt strokes a wide line as one outline and fills it; for long lines
    // crossing themselves that fill grows with the square of the segments.
    if (pen.style() != Qt::NoPen && !pen.isCosmetic()
        && (shape.form == ShapeForm::Polyline || shape.form == ShapeForm::Polygon)) {
        out_.wideSegments += shape.count;
        if (shape.count > 2
            && !withinBudget(out_.wideSegments <= kMaxWideSegments, "wide strokes"))
            op.inPieces = true;
    }
    op.form = shape.form;
    op.winding = shape.winding;
    op.pen = penIndex(pen);
    op.brush = brushIndex(brush);
    op.under = brushIndex(under);
    if (pooled) {
        op.first = uint32_t(out_.points.size());
        op.count = uint32_t(shape.count);
        out_.points.insert(out_.points.end(), shape.points, shape.points + shape.count);
        op.parts = uint32_t(out_.parts.size());
        op.partCount = uint32_t(shape.partCount);
        out_.parts.insert(out_.parts.end(), shape.parts, shape.parts + shape.partCount);
    } else {
        op.first = uint32_t(out_.paths.size());
        out_.paths.push_back(std::move(shape.path));
    }
    emitClipIfChanged();
    addStep(StepKind::Shape, out_.shapes.size());
    out_.shapes.push_back(op);
}

void Player::addRect(const QRectF& r, const QBrush& brush, const QBrush& under)
{
    // Corner and size, so that drawing rebuilds exactly this rectangle.
    const QPointF corners[2] = {r.topLeft(), QPointF(r.width(), r.height())};
    ShapeIn in;
    in.form = ShapeForm::Rects;
    in.points = corners;
    in.count = 2;
    addShapeWith(std::move(in), QPen(Qt::NoPen), brush, under);
}

void Player::addObject(GdiObject obj)
{
    // Like Windows, a new object takes the lowest free slot: found a word
    // of slots at a time, as a table may be tens of thousands full.
    if (taken_.empty())
        taken_.resize((std::size_t(kMaxObjects) + 64) / 64);
    for (std::size_t w = lowestFree_ / 64; w * 64 < objects_.size(); ++w) {
        uint64_t freeBits = ~taken_[w];
        if (w == lowestFree_ / 64)
            freeBits &= ~uint64_t(0) << (lowestFree_ % 64);
        if (!freeBits)
            continue;
        const std::size_t i = w * 64 + std::size_t(__builtin_ctzll(freeBits));
        if (i >= objects_.size())
            break;
        objects_[i] = std::move(obj);
        taken_[w] |= uint64_t(1) << (i % 64);
        lowestFree_ = i + 1;
        return;
    }
    lowestFree_ = objects_.size() + 1;
    if (objects_.size() < std::size_t(kMaxObjects))
        taken_[objects_.size() / 64] |= uint64_t(1) << (objects_.size() % 64);
    if (objects_.size() < std::size_t(kMaxObjects))
        objects_.push_back(std::move(obj));
    else
        ++out_.skipped;
}

void Player::selectObject(int index)
{
    if (index < 0 || index >= int(objects_.size())) {
        ++out_.skipped;
        return;
    }
    const GdiObject& o = objects_[std::size_t(index)];
    if (auto p = std::get_if<PenObj>(&o))
        dc_.pen = *p;
    else if (auto b = std::get_if<BrushObj>(&o))
        dc_.brush = *b;
    else if (auto f = std::get_if<FontObj>(&o))
        dc_.font = *f;
    else if (auto pal = std::get_if<PaletteObj>(&o))
        dc_.palette = *pal;
    else if (auto r = std::get_if<RegionObj>(&o)) {
        // Selecting a region makes it the clipping region. A few rectangles
        // are joined into one outline; joining costs more than the square of
        // their number when they overlap, so more stay a list of rectangles
        // (their union is the same clip).
        const std::size_t n = r->rects.size();
        const bool joined = n <= kMaxJoinedRegionRects;
        if (!withinBudget(n <= kMaxClipRects, "clip")
            || !clipWork(joined ? int64_t(n * n) * 4 + 100 : int64_t(n) * 4))
            return;
        Clip c;
        c.on = true;
        c.isRect = false;
        if (joined) {
            QPainterPath path;
            for (const QRect& rr : r->rects)
                path.addRect(mapRect(rr.left(), rr.top(), rr.left() + rr.width(), rr.top() + rr.height()));
            c.path = path.simplified();
        } else {
            auto rects = std::make_shared<std::vector<QRectF>>();
            for (const QRect& rr : r->rects)
                rects->push_back(mapRect(rr.left(), rr.top(), rr.left() + rr.width(), rr.top() + rr.height()));
            c.rects = std::move(rects);
        }
        setClip(c);
    } else
        ++out_.skipped;
}

QImage Player::decodeDib(const char* dib, std::size_t len, int usage)
{
    const auto extent = dibExtent(dib, len, usage == 1);
    if (!extent || !extent->hasPixels)
        return {};
    const int64_t pixels = int64_t(extent->size.width()) * extent->size.height();
    if (!withinBudget(pixels <= kMaxDibPixels && out_.bitmapPixels + pixels <= kMaxBitmapPixels, "bitmap"))
        return {};
    static const std::vector<QColor> noColours;
    const std::vector<QColor>* indices = usage != 1 ? nullptr : dc_.palette.entries ? dc_.palette.entries.get() : &noColours;
    QImage img = dibToImage(dib, len, indices);
    out_.bitmapPixels += int64_t(img.width()) * img.height();
    return img;
}

QRawFont Player::rawFont(const FontObj& f)
{
    QString family = installedFamily(f.face);
    // Every new family is a font lookup; a file naming thousands is cut short.
    if (!fonts_.families.contains(family)) {
        if (withinBudget(fonts_.families.size() < kMaxFontFamilies, "font families"))
            fonts_.families.insert(family);
        else
            family = installedFamily(QString());
    }
    const int weight = std::clamp(f.weight <= 0 ? 400 : f.weight, 100, 900);
    const QString key = family + QLatin1Char('/') + QString::number(weight) + (f.italic ? QLatin1String("i") : QLatin1String(""));
    if (const QRawFont* cached = fonts_.find(key))
        return *cached;
    QFont qf(family);
    qf.setPixelSize(int(kFontReferencePixels));
    qf.setWeight(QFont::Weight(weight));
    qf.setItalic(f.italic);
    qf.setKerning(false);
    qf.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(qf);
    fonts_.insert(key, raw);
    return raw;
}

QPainterPath Player::arcPath(const U_RECT16& box, U_POINT16 start, U_POINT16 end, int kind)
{
    const QRectF r = rectFrom(box);
    const QPointF c = r.center();
    const QPointF ps = map(start.x, start.y), pe = map(end.x, end.y);
    auto angle = [&](QPointF p) {
        const qreal rx = r.width() / 2 == 0 ? 1 : r.width() / 2;
        const qreal ry = r.height() / 2 == 0 ? 1 : r.height() / 2;
        return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180.0 / M_PI;
    };
    const qreal a0 = angle(ps);
    qreal sweep = angle(pe) - a0;
    while (sweep <= 0)
        sweep += 360;
    if (ps == pe)
        sweep = 360;
    QPainterPath path;
    if (kind == 2) { // pie
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (kind == 1)
            path.closeSubpath();
    }
    return path;
}

void Player::drawText(QPointF pt, const char* text, int length, const char* dx, int dxCount, uint16_t opts,
                      const QRectF* rect)
{
    qreal sx, sy;
    scales(sx, sy);
    if (rect && (opts & U_ETO_OPAQUE))
        addRect(*rect, QBrush(dc_.bkColor));
    if (length <= 0)
        return;

    // Fonts need a GUI application; without one (a console tool) text is skipped.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        ++out_.skipped;
        return;
    }
    const FontObj& f = dc_.font;
    if (!roomForStep() || !withinBudget(out_.glyphs + std::size_t(length) <= kMaxGlyphs, "text"))
        return;
    QRawFont raw = rawFont(f);
    if (!raw.isValid()) {
        ++out_.skipped;
        return;
    }
    const qreal refAscent = raw.ascent(), refDescent = raw.descent();
    qreal em;
    if (f.height < 0)
        em = -f.height * std::abs(sy);
    else if (f.height > 0)
        em = f.height * std::abs(sy) * kFontReferencePixels / std::max<qreal>(1, refAscent + refDescent);
    else
        em = out_.unitsPerInch / 6.0;
    // Text far larger than the whole picture is damage, not a drawing.
    if (!(em > 0) || !std::isfinite(em) || em > 8 * std::max(out_.frame.width(), out_.frame.height()))
        return;
    const qreal k = em / kFontReferencePixels;

    const QString str = f.charset == 2 ? QString::fromLatin1(text, length) : fromCodePage(QByteArray(text, length));
    QList<quint32> glyphs = raw.glyphIndexesForString(str);
    QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::SeparateAdvances);
    if (glyphs.isEmpty())
        return;

    qreal xstretch = 1;
    if (f.width > 0) {
        const qreal avg = raw.averageCharWidth() * k;
        if (avg > 0)
            xstretch = std::clamp(f.width * std::abs(sx) / avg, 0.05, 20.0);
    }

    // Glyph positions along the baseline, device units.
    std::vector<qreal> xs(std::size_t(glyphs.size()) + 1, 0.0);
    const int spaces = int(std::count(str.begin(), str.end(), QLatin1Char(' ')));
    const qreal justify = (dc_.justifyCount > 0 && spaces > 0) ? mapWidth(dc_.justifyExtra) / spaces : 0;
    for (int i = 0; i < glyphs.size(); ++i) {
        qreal adv;
        if (dx && i < dxCount)
            adv = s16(dx + 2 * i) * std::abs(sx);
        else {
            adv = advances[i].x() * k * xstretch + mapWidth(dc_.charExtra);
            if (i < str.size() && str[i] == QLatin1Char(' '))
                adv += justify;
        }
        xs[std::size_t(i) + 1] = xs[std::size_t(i)] + adv;
    }
    const qreal width = xs.back();
    const qreal ascent = refAscent * k, descent = refDescent * k;

    const int align = dc_.textAlign;
    const bool updateCp = align & U_TA_UPDATECP;
    QPointF origin = updateCp ? map(dc_.current.x(), dc_.current.y()) : pt;
    qreal startX = 0;
    if ((align & U_TA_CENTER) == U_TA_CENTER)
        startX = -width / 2;
    else if (align & U_TA_RIGHT)
        startX = -width;
    qreal baseY = ascent; // top
    if ((align & U_TA_BASELINE) == U_TA_BASELINE)
        baseY = 0;
    else if (align & U_TA_BOTTOM)
        baseY = -descent;

    {
        // Glyphs are drawn over the box of the run (as outlines when large);
        // turned text is counted at its size, straight text at what lies in the frame.
        const QRectF box(origin + QPointF(startX, baseY - ascent), QSizeF(std::abs(width), ascent + descent));
        // Straight text is kept for reading, even where painting is over budget.
        if (f.escapement == 0)
            out_.runs.push_back({str, box});
        const qreal frameArea = out_.frame.width() * out_.frame.height();
        const qreal cover = f.escapement == 0 ? coverOf(box)
                                              : std::min<qreal>(1, frameArea > 0 ? box.width() * box.height() / frameArea : 0);
        if (!roomToPaint(cover * (kTextCost + (dc_.bkMode == 2 ? kSolidCost : 0))))
            return;
    }
    OpText op;
    op.origin = origin;
    op.rotation = -f.escapement / 10.0;
    op.offset = QPointF(startX, baseY);
    op.scaleX = k * xstretch;
    op.scaleY = k;
    op.color = dc_.textColor;
    op.background = dc_.bkColor;
    op.opaque = dc_.bkMode == 2 && !(rect && (opts & U_ETO_OPAQUE));
    op.backgroundRect = QRectF(startX, baseY - ascent, width, ascent + descent);
    if (f.underline) {
        const qreal t = std::max<qreal>(raw.lineThickness() * k, em / 20);
        op.lines.push_back(QRectF(startX, baseY + raw.underlinePosition() * k, width, t));
    }
    if (f.strikeout) {
        const qreal t = std::max<qreal>(raw.lineThickness() * k, em / 20);
        op.lines.push_back(QRectF(startX, baseY - raw.xHeight() * k / 2 - t / 2, width, t));
    }
    if (rect && (opts & U_ETO_CLIPPED)) {
        op.clipped = true;
        op.clip = *rect;
    }
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (int i = 0; i < glyphs.size(); ++i)
        positions.append(QPointF(xs[std::size_t(i)] / op.scaleX, 0));
    // The Tahoma-compatible bold face has the right widths but light strokes:
    // bold text gets a second strike a little to the right, as on screen.
    if (f.weight >= 600 && installedFamily(f.face) == QLatin1String("Tahoma"))
        op.embolden = kFontReferencePixels * 0.045;
    op.run.setRawFont(raw);
    op.run.setGlyphIndexes(glyphs);
    op.run.setPositions(positions);
    out_.glyphs += std::size_t(glyphs.size());
    emitClipIfChanged();
    addStep(StepKind::Text, out_.texts.size());
    out_.texts.push_back(std::move(op));

    if (updateCp) {
        qreal moved = 0;
        if ((align & U_TA_CENTER) == U_TA_CENTER)
            moved = 0;
        else if (align & U_TA_RIGHT)
            moved = -width;
        else
            moved = width;
        dc_.current.rx() += sx != 0 ? moved / sx : 0;
    }
}

void Player::patBlt(const QRectF& r, uint32_t rop)
{
    switch (rop) {
    case 0x00000042: addRect(r, QBrush(Qt::black)); return; // blackness
    case 0x00FF0062: addRect(r, QBrush(Qt::white)); return; // whiteness
    case 0x00AA0029: return;                                // leave the destination
    default: {                                              // pattern copy and the rest
        QBrush under;
        const QBrush brush = currentBrush(&under);
        addRect(r, brush, under);
        return;
    }
    }
}

void Player::drawDib(const char* dib, std::size_t len, QPointF dst, QPointF dstSize, QPointF src, QPointF srcSize,
                     uint32_t rop, int usage, bool srcFromBottom)
{
    if (!roomForStep())
        return;
    QRectF target(map(dst.x(), dst.y()), map(dst.x() + dstSize.x(), dst.y() + dstSize.y()));
    // Checked before decoding: a bitmap past the budget is never unpacked.
    if (!roomToPaint(coverOf(target) * kImageCost))
        return;
    QImage img = decodeDib(dib, len, usage);
    if (img.isNull()) {
        ++out_.skipped;
        return;
    }
    const bool flipX = target.width() < 0, flipY = target.height() < 0;
    target = target.normalized();
    QRectF source;
    if (srcSize.x() == 0 || srcSize.y() == 0)
        source = QRectF(img.rect());
    else {
        qreal top = src.y();
        if (srcFromBottom)
            top = img.height() - src.y() - std::abs(srcSize.y());
        source = QRectF(src.x(), top, std::abs(srcSize.x()), std::abs(srcSize.y()));
        source = source.intersected(QRectF(img.rect()));
        if (source.isEmpty())
            source = QRectF(img.rect());
    }
    if (flipX || flipY) {
        img = img.copy(source.toAlignedRect()).mirrored(flipX, flipY);
        source = QRectF(img.rect());
    }
    OpImage op;
    op.target = target;
    op.source = source;
    switch (rop) {
    case 0x008800C6: op.mode = QPainter::RasterOp_SourceAndDestination; break;
    case 0x00EE0086: op.mode = QPainter::RasterOp_SourceOrDestination; break;
    case 0x00660046: op.mode = QPainter::RasterOp_SourceXorDestination; break;
    case 0x00220326: op.mode = QPainter::RasterOp_NotSourceAndDestination; break;
    case 0x00330008: img.invertPixels(); break; // inverted copy
    default: break;
    }
    op.image = std::move(img);
    emitClipIfChanged();
    addStep(StepKind::Image, out_.images.size());
    out_.images.push_back(std::move(op));
}

// Device-context state: colours, modes, mapping, the current point, saved states.
std::optional<bool> Player::stateRecord(int type, const char* rec, std::size_t)
{
    U_POINT16 a{}, b{};
    uint16_t m = 0;
    switch (type) {
    case R_SETBKCOLOR: {
        U_COLORREF col;
        if (!U_WMRSETBKCOLOR_get(rec, &col)) return false;
        dc_.bkColor = colorOf(col, dc_.palette);
        return true;
    }
    case R_SETTEXTCOLOR: {
        U_COLORREF col;
        if (!U_WMRSETTEXTCOLOR_get(rec, &col)) return false;
        dc_.textColor = colorOf(col, dc_.palette);
        return true;
    }
    case R_SETBKMODE:
        if (!U_WMRSETBKMODE_get(rec, &m)) return false;
        dc_.bkMode = m;
        return true;
    case R_SETMAPMODE:
        if (!U_WMRSETMAPMODE_get(rec, &m)) return false;
        if (m >= 1 && m <= 8)
            dc_.mapMode = m;
        return true;
    case R_SETPOLYFILLMODE:
        if (!U_WMRSETPOLYFILLMODE_get(rec, &m)) return false;
        dc_.polyFill = m;
        return true;
    case R_SETTEXTCHAREXTRA:
        if (!U_WMRSETTEXTCHAREXTRA_get(rec, &m)) return false;
        dc_.charExtra = int16_t(m);
        return true;
    case R_SETTEXTJUSTIFICATION: {
        uint16_t count = 0, extra = 0;
        if (!U_WMRSETTEXTJUSTIFICATION_get(rec, &count, &extra)) return false;
        dc_.justifyCount = count;
        dc_.justifyExtra = extra;
        return true;
    }
    case R_SETTEXTALIGN:
        if (!U_WMRSETTEXTALIGN_get(rec, &m)) return false;
        dc_.textAlign = m;
        return true;
    case R_SETWINDOWORG:
        if (!U_WMRSETWINDOWORG_get(rec, &a)) return false;
        dc_.windowOrg = QPointF(a.x, a.y);
        return true;
    case R_SETWINDOWEXT:
        if (!U_WMRSETWINDOWEXT_get(rec, &a)) return false;
        if (a.x != 0 && a.y != 0)
            dc_.windowExt = QPointF(a.x, a.y);
        return true;
    case R_SETVIEWPORTORG:
        if (!U_WMRSETVIEWPORTORG_get(rec, &a)) return false;
        dc_.viewportOrg = QPointF(a.x, a.y);
        return true;
    case R_SETVIEWPORTEXT:
        if (!U_WMRSETVIEWPORTEXT_get(rec, &a)) return false;
        if (a.x != 0 && a.y != 0)
            dc_.viewportExt = QPointF(a.x, a.y);
        return true;
    case R_OFFSETWINDOWORG:
        if (!U_WMROFFSETWINDOWORG_get(rec, &a)) return false;
        dc_.windowOrg += QPointF(a.x, a.y);
        return true;
    case R_OFFSETVIEWPORTORG:
        if (!U_WMROFFSETVIEWPORTORG_get(rec, &a)) return false;
        dc_.viewportOrg += QPointF(a.x, a.y);
        return true;
    case R_SCALEWINDOWEXT:
    case R_SCALEVIEWPORTEXT: {
        if (!(type == R_SCALEWINDOWEXT ? U_WMRSCALEWINDOWEXT_get(rec, &a, &b) : U_WMRSCALEVIEWPORTEXT_get(rec, &a, &b)))
            return false;
        if (a.x == 0 || a.y == 0 || b.x == 0 || b.y == 0) return true;
        QPointF& ext = type == R_SCALEWINDOWEXT ? dc_.windowExt : dc_.viewportExt;
        ext = QPointF(ext.x() * b.x / a.x, ext.y() * b.y / a.y);
        if (ext.x() == 0 || ext.y() == 0) ext = QPointF(1, 1);
        return true;
    }
    case R_MOVETO:
        if (!U_WMRMOVETO_get(rec, &a)) return false;
        dc_.current = QPointF(a.x, a.y);
        return true;
    case R_SAVEDC:
        if (saved_.size() < std::size_t(kMaxSaveDepth))
            saved_.push_back(dc_);
        return true;
    case R_RESTOREDC: {
        int16_t n = 0;
        if (!U_WMRRESTOREDC_get(rec, &n)) return false;
        int target;
        if (n < 0)
            target = int(saved_.size()) + n; // relative: -1 is the last saved
        else
            target = n - 1;                  // absolute level, 1 is the first
        if (target < 0 || target >= int(saved_.size()))
            return true;
        dc_ = saved_[std::size_t(target)];
        saved_.resize(std::size_t(target));
        return true;
    }
    case R_SETROP2:
    case R_REALIZEPALETTE:
    case R_ESCAPE:
    case 0x05: // SETRELABS
    case 0x07: // SETSTRETCHBLTMODE
    case 0x31: // SETMAPPERFLAGS
        return true;
    default:
        return std::nullopt;
    }
}

// Objects: creating, selecting and deleting pens, brushes, fonts, palettes and regions.
std::optional<bool> Player::objectRecord(int type, const char* rec, std::size_t size)
{
    const char* recEnd = rec + size;
    const InRecord has{rec, recEnd};
    uint16_t m = 0;
    switch (type) {
    case R_SELECTOBJECT:
        if (!U_WMRSELECTOBJECT_get(rec, &m)) return false;
        selectObject(m);
        return true;
    case R_SELECTPALETTE:
        if (!U_WMRSELECTPALETTE_get(rec, &m)) return false;
        selectObject(m);
        return true;
    case R_DELETEOBJECT:
        if (!U_WMRDELETEOBJECT_get(rec, &m)) return false;
        if (m < objects_.size()) {
            objects_[m] = std::monostate{};
            if (!taken_.empty())
                taken_[m / 64] &= ~(uint64_t(1) << (m % 64));
            lowestFree_ = std::min<std::size_t>(lowestFree_, m);
        }
        return true;
    case R_CREATEPENINDIRECT: {
        U_PEN pen;
        const char* body = rec + 6;
        if (size < 16) return false;
        std::memcpy(&pen, body, sizeof(U_PEN));
        PenObj p;
        p.style = pen.Style;
        p.width = int16_t(pen.Widthw[0]);
        p.color = colorOf(pen.Color, dc_.palette);
        addObject(p);
        return true;
    }
    case R_CREATEBRUSHINDIRECT: {
        const char* body = nullptr;
        if (!U_WMRCREATEBRUSHINDIRECT_get(rec, &body) || !has(body, 8)) return false;
        BrushObj br;
        br.style = u16(body);
        br.color = colorAt(body + 2, dc_.palette);
        br.hatch = u16(body + 6);
        addObject(br);
        return true;
    }
    case R_CREATEFONTINDIRECT: {
        const char* body = nullptr;
        if (!U_WMRCREATEFONTINDIRECT_get(rec, &body) || !has(body, 18)) return false;
        FontObj f;
        f.height = s16(body);
        f.width = s16(body + 2);
        f.escapement = s16(body + 4);
        f.weight = s16(body + 8);
        f.italic = body[10];
        f.underline = body[11];
        f.strikeout = body[12];
        f.charset = uint8_t(body[13]);
        const char* face = body + 18;
        std::size_t maxLen = std::min<std::size_t>(32, std::size_t(recEnd - face));
        std::size_t len = 0;
        while (len < maxLen && face[len])
            ++len;
        f.face = fromCodePage(QByteArray(face, int(len)));
        addObject(f);
        return true;
    }
    case R_CREATEPALETTE: {
        U_PALETTE pal;
        const char* entries = nullptr;
        if (!U_WMRCREATEPALETTE_get(rec, &pal, &entries)) return false;
        const std::size_t n = has(entries, std::size_t(pal.NumEntries) * 4) ? pal.NumEntries : std::size_t(recEnd - entries) / 4;
        auto colours = std::make_shared<std::vector<QColor>>();
        for (std::size_t i = 0; i < n; ++i)
            colours->push_back(QColor(uint8_t(entries[4 * i + 1]), uint8_t(entries[4 * i + 2]), uint8_t(entries[4 * i + 3])));
        PaletteObj p;
        p.entries = std::move(colours);
        addObject(p);
        return true;
    }
    case R_SETPALENTRIES: {
        U_PALETTE pal;
        const char* entries = nullptr;
        if (!U_WMRSETPALENTRIES_get(rec, &pal, &entries)) return false;
        const std::size_t n = has(entries, std::size_t(pal.NumEntries) * 4) ? pal.NumEntries : 0;
        // The palette may be shared with saved states and objects: changed on a copy.
        if (!withinBudget(out_.paletteWork + int64_t(dc_.palette.size() + n) <= kMaxPaletteWork, "palette"))
            return true;
        out_.paletteWork += int64_t(dc_.palette.size() + n);
        auto e = dc_.palette.entries ? std::make_shared<std::vector<QColor>>(*dc_.palette.entries)
                                     : std::make_shared<std::vector<QColor>>();
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = pal.Start + i;
            if (at < 4096) {
                if (e->size() <= at) e->resize(at + 1);
                (*e)[at] = QColor(uint8_t(entries[4 * i + 1]), uint8_t(entries[4 * i + 2]), uint8_t(entries[4 * i + 3]));
            }
        }
        dc_.palette.entries = std::move(e);
        return true;
    }
    case R_CREATEREGION: {
        // Region: 14 bytes of header fields (scan count at 10), bounding box,
        // then scans of (count, top, bottom, count/2 left-right pairs, count again).
        const char* body = rec + 6;
        if (!has(body, 22)) { addObject(RegionObj{}); return false; }
        const int scans = s16(body + 10);
        RegionObj reg;
        const char* cur = body + 22;
        for (int i = 0; i < scans && has(cur, 6); ++i) {
            const int count = u16(cur);
            const int top = s16(cur + 2), bottom = s16(cur + 4);
            if (!has(cur + 6, std::size_t(count) * 2 + 2)) break;
            for (int j = 0; j + 1 < count; j += 2) {
                const int left = s16(cur + 6 + 2 * j), right = s16(cur + 8 + 2 * j);
                if (right > left && bottom > top)
                    reg.rects.push_back(QRect(left, top, right - left, bottom - top));
            }
            cur += 6 + std::size_t(count) * 2 + 2;
        }
        if (scans == 0) { // an empty scan list stands for the bounding box
            const int l = s16(body + 14), t = s16(body + 16), rr = s16(body + 18), bb = s16(body + 20);
            if (rr > l && bb > t) reg.rects.push_back(QRect(l, t, rr - l, bb - t));
        }
        addObject(reg);
        return true;
    }
    case R_DIBCREATEPATTERNBRUSH: {
        uint16_t style = 0, usage = 0;
        const char* bm16 = nullptr;
        const char* dib = nullptr;
        if (!U_WMRDIBCREATEPATTERNBRUSH_get(rec, &style, &usage, &bm16, &dib)) { addObject(BrushObj{}); return false; }
        BrushObj br;
        br.style = 5;
        if (dib && dib >= rec && dib < recEnd)
            br.pattern = decodeDib(dib, std::size_t(recEnd - dib), usage);
        if (br.pattern.isNull()) { br.style = 0; br.color = Qt::gray; }
        addObject(br);
        return true;
    }
    case R_CREATEPATTERNBRUSH: {
        // An old device-dependent bitmap; a neutral grey stands in for it.
        BrushObj br;
        br.color = Qt::gray;
        addObject(br);
        return true;
    }
    default:
        return std::nullopt;
    }
}

// Lines and shapes in the current pen and brush.
std::optional<bool> Player::drawingRecord(int type, const char* rec, std::size_t size)
{
    const char* recEnd = rec + size;
    const InRecord has{rec, recEnd};
    U_POINT16 a{}, b{};
    U_RECT16 r{};
    switch (type) {
    case R_LINETO: {
        if (!U_WMRLINETO_get(rec, &a)) return false;
        const QPointF ends[2] = {map(dc_.current.x(), dc_.current.y()), map(a.x, a.y)};
        ShapeIn line;
        line.form = ShapeForm::Line;
        line.points = ends;
        line.count = 2;
        addShape(std::move(line), false);
        dc_.current = QPointF(a.x, a.y);
        return true;
    }
    case R_ARC:
    case R_PIE:
    case R_CHORD: {
        int ok = type == R_ARC ? U_WMRARC_get(rec, &a, &b, &r)
                 : type == R_PIE ? U_WMRPIE_get(rec, &a, &b, &r)
                                 : U_WMRCHORD_get(rec, &a, &b, &r);
        if (!ok) return false;
        const int kind = type == R_ARC ? 0 : type == R_CHORD ? 1 : 2;
        addPath(arcPath(r, a, b, kind), kind != 0);
        return true;
    }
    case R_ELLIPSE: {
        if (!U_WMRELLIPSE_get(rec, &r)) return false;
        const QRectF box = rectFrom(r);
        const QPointF corners[2] = {box.topLeft(), QPointF(box.width(), box.height())};
        ShapeIn in;
        in.form = ShapeForm::Ellipse;
        in.points = corners;
        in.count = 2;
        addShape(std::move(in), true);
        return true;
    }
    case R_RECTANGLE: {
        if (!U_WMRRECTANGLE_get(rec, &r)) return false;
        const QRectF box = rectFrom(r);
        const QPointF corners[2] = {box.topLeft(), QPointF(box.width(), box.height())};
        ShapeIn in;
        in.form = ShapeForm::Rects;
        in.points = corners;
        in.count = 2;
        addShape(std::move(in), true);
        return true;
    }
    case R_ROUNDRECT: {
        int16_t w = 0, h = 0;
        if (!U_WMRROUNDRECT_get(rec, &w, &h, &r)) return false;
        QPainterPath p;
        p.addRoundedRect(rectFrom(r), mapWidth(w) / 2, std::abs(map(0, h).y() - map(0, 0).y()) / 2);
        addPath(p, true);
        return true;
    }
    case R_SETPIXEL: {
        U_COLORREF col;
        if (!U_WMRSETPIXEL_get(rec, &col, &a)) return false;
        addRect(mapRect(a.x, a.y, a.x + 1, a.y + 1), QBrush(colorOf(col, dc_.palette)));
        return true;
    }
    case R_POLYGON:
    case R_POLYLINE: {
        uint16_t n = 0;
        const char* pts = nullptr;
        if (!(type == R_POLYGON ? U_WMRPOLYGON_get(rec, &n, &pts) : U_WMRPOLYLINE_get(rec, &n, &pts))) return false;
        if (!has(pts, std::size_t(n) * 4) || n == 0) return false;
        scratch_.resize(n);
        for (int i = 0; i < n; ++i)
            scratch_[std::size_t(i)] = map(s16(pts + 4 * i), s16(pts + 4 * i + 2));
        ShapeIn in;
        in.form = type == R_POLYGON ? ShapeForm::Polygon : ShapeForm::Polyline;
        in.winding = dc_.polyFill == 2;
        in.points = scratch_.data();
        in.count = n;
        addShape(std::move(in), type == R_POLYGON);
        return true;
    }
    case R_POLYPOLYGON: {
        uint16_t count = 0;
        const uint16_t* counts = nullptr;
        const char* pts = nullptr;
        if (!U_WMRPOLYPOLYGON_get(rec, &count, &counts, &pts)) return false;
        const char* countBytes = reinterpret_cast<const char*>(counts);
        if (!has(countBytes, std::size_t(count) * 2)) return false;
        const char* cur = countBytes + std::size_t(count) * 2;
        std::vector<uint32_t> sizes;
        scratch_.clear();
        for (int i = 0; i < count; ++i) {
            const int n = u16(countBytes + 2 * i);
            if (!has(cur, std::size_t(n) * 4)) return false;
            for (int j = 0; j < n; ++j)
                scratch_.push_back(map(s16(cur + 4 * j), s16(cur + 4 * j + 2)));
            sizes.push_back(uint32_t(n));
            cur += std::size_t(n) * 4;
        }
        ShapeIn in;
        in.form = ShapeForm::PolyPolygon;
        in.winding = dc_.polyFill == 2;
        in.points = scratch_.data();
        in.count = scratch_.size();
        in.parts = sizes.data();
        in.partCount = sizes.size();
        addShape(std::move(in), true);
        return true;
    }
    default:
        return std::nullopt;
    }
}

// Text in the current font.
std::optional<bool> Player::textRecord(int type, const char* rec, std::size_t size)
{
    const char* recEnd = rec + size;
    const InRecord has{rec, recEnd};
    U_POINT16 a{};
    U_RECT16 r{};
    switch (type) {
    case R_TEXTOUT: {
        if (size < 8) return false;
        const int len = s16(rec + 6);
        if (len < 0 || !has(rec + 8, std::size_t((len + 1) & ~1) + 4)) return false;
        int16_t l16 = 0;
        const char* str = nullptr;
        if (!U_WMRTEXTOUT_get(rec, &a, &l16, &str)) return false;
        drawText(map(a.x, a.y), str, len, nullptr, 0, 0, nullptr);
        return true;
    }
    case R_EXTTEXTOUT: {
        if (size < 14) return false;
        int16_t len = 0;
        uint16_t opts = 0;
        const char* str = nullptr;
        const int16_t* dx = nullptr;
        if (!U_WMREXTTEXTOUT_get(rec, &a, &len, &opts, &str, &dx, &r)) return false;
        if ((opts & (U_ETO_OPAQUE | U_ETO_CLIPPED)) && size < 22) return false;
        if (len < 0 || !has(str, std::size_t(len))) return false;
        const char* dxBytes = reinterpret_cast<const char*>(dx);
        int dxCount = 0;
        if (dxBytes && len > 0 && has(dxBytes, 2))
            dxCount = std::min<int>(len, int((recEnd - dxBytes) / 2));
        QRectF rect;
        const bool hasRect = opts & (U_ETO_OPAQUE | U_ETO_CLIPPED);
        if (hasRect)
            rect = rectFrom(r);
        drawText(map(a.x, a.y), str, len, dxCount ? dxBytes : nullptr, dxCount, opts, hasRect ? &rect : nullptr);
        return true;
    }
    default:
        return std::nullopt;
    }
}

// Bitmaps and pattern fills.
std::optional<bool> Player::bitmapRecord(int type, const char* rec, std::size_t size)
{
    const char* recEnd = rec + size;
    U_POINT16 a{}, b{}, c{}, d{};
    switch (type) {
    case R_PATBLT: {
        uint32_t rop = 0;
        if (!U_WMRPATBLT_get(rec, &a, &b, &rop)) return false;
        patBlt(QRectF(map(a.x, a.y), map(a.x + b.x, a.y + b.y)).normalized(), rop);
        return true;
    }
    case R_DIBBITBLT: {
        uint32_t rop = 0;
        const char* dib = nullptr;
        if (!U_WMRDIBBITBLT_get(rec, &a, &b, &c, &rop, &dib)) return false;
        if (!dib) {
            patBlt(QRectF(map(a.x, a.y), map(a.x + b.x, a.y + b.y)).normalized(), rop);
            return true;
        }
        if (dib < rec || dib >= recEnd) return false;
        drawDib(dib, std::size_t(recEnd - dib), QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y),
                QPointF(b.x, b.y), rop, 0, true);
        return true;
    }
    case R_DIBSTRETCHBLT: {
        uint32_t rop = 0;
        const char* dib = nullptr;
        if (!U_WMRDIBSTRETCHBLT_get(rec, &a, &b, &c, &d, &rop, &dib)) return false;
        if (!dib) {
            patBlt(QRectF(map(a.x, a.y), map(a.x + b.x, a.y + b.y)).normalized(), rop);
            return true;
        }
        if (dib < rec || dib >= recEnd) return false;
        drawDib(dib, std::size_t(recEnd - dib), QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y),
                QPointF(d.x, d.y), rop, 0, true);
        return true;
    }
    case R_STRETCHDIB: {
        uint32_t rop = 0;
        uint16_t usage = 0;
        const char* dib = nullptr;
        if (!U_WMRSTRETCHDIB_get(rec, &a, &b, &c, &d, &usage, &rop, &dib)) return false;
        if (!dib || dib < rec || dib >= recEnd) return false;
        drawDib(dib, std::size_t(recEnd - dib), QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y),
                QPointF(d.x, d.y), rop, usage, true);
        return true;
    }
    case R_SETDIBTODEV: {
        uint16_t usage = 0, scanCount = 0, startScan = 0;
        const char* dib = nullptr;
        if (!U_WMRSETDIBTODEV_get(rec, &a, &b, &c, &usage, &scanCount, &startScan, &dib)) return false;
        if (!dib || dib < rec || dib >= recEnd) return false;
        drawDib(dib, std::size_t(recEnd - dib), QPointF(a.x, a.y), QPointF(b.x, b.y), QPointF(c.x, c.y),
                QPointF(b.x, b.y), 0x00CC0020, usage, true);
        return true;
    }
    case R_BITBLT:
    case R_STRETCHBLT: {
        // Only the pattern form (no bitmap) is drawn; device-dependent
        // bitmaps of the 16-bit era are skipped.
        const uint8_t xb = uint8_t(rec[5]);
        if (!U_TEST_NOPXB(size, xb)) return false;
        uint32_t rop = 0;
        U_BITMAP16 bm;
        const char* px = nullptr;
        if (type == R_BITBLT) {
            if (!U_WMRBITBLT_get(rec, &a, &b, &c, &rop, &bm, &px)) return false;
        } else if (!U_WMRSTRETCHBLT_get(rec, &a, &b, &c, &d, &rop, &bm, &px))
            return false;
        patBlt(QRectF(map(a.x, a.y), map(a.x + b.x, a.y + b.y)).normalized(), rop);
        return true;
    }
    default:
        return std::nullopt;
    }
}

// Clipping, and regions painted directly.
std::optional<bool> Player::clipRecord(int type, const char* rec, std::size_t)
{
    U_POINT16 a{};
    U_RECT16 r{};
    uint16_t m = 0;
    switch (type) {
    case R_EXCLUDECLIPRECT:
        if (!U_WMREXCLUDECLIPRECT_get(rec, &r)) return false;
        excludeClip(rectFrom(r));
        return true;
    case R_INTERSECTCLIPRECT:
        if (!U_WMRINTERSECTCLIPRECT_get(rec, &r)) return false;
        intersectClip(rectFrom(r));
        return true;
    case R_OFFSETCLIPRGN: {
        if (!U_WMROFFSETCLIPRGN_get(rec, &a)) return false;
        if (dc_.clip.on && clipWork(dc_.clip.rects ? int64_t(dc_.clip.rects->size()) : dc_.clip.path.elementCount())) {
            const QPointF delta = map(a.x, a.y) - map(0, 0);
            Clip cl = dc_.clip;
            cl.rect.translate(delta);
            cl.path.translate(delta);
            if (cl.rects) {
                auto moved = std::make_shared<std::vector<QRectF>>(*cl.rects);
                for (QRectF& piece : *moved)
                    piece.translate(delta);
                cl.rects = std::move(moved);
            }
            setClip(cl);
        }
        return true;
    }
    case R_SELECTCLIPREGION: {
        if (!U_WMRSELECTCLIPREGION_get(rec, &m)) return false;
        if (m < objects_.size() && std::holds_alternative<RegionObj>(objects_[m]))
            selectObject(m);
        else
            setClip(Clip{});
        return true;
    }
    case R_FILLREGION:
    case R_PAINTREGION: {
        uint16_t region = 0, brush = 0;
        if (type == R_FILLREGION) {
            if (!U_WMRFILLREGION_get(rec, &region, &brush)) return false;
        } else if (!U_WMRPAINTREGION_get(rec, &region))
            return false;
        if (region >= objects_.size()) return false;
        const auto* reg = std::get_if<RegionObj>(&objects_[region]);
        if (!reg) return false;
        BrushObj keep = dc_.brush;
        if (type == R_FILLREGION) {
            if (brush >= objects_.size() || !std::holds_alternative<BrushObj>(objects_[brush])) return false;
            dc_.brush = std::get<BrushObj>(objects_[brush]);
        }
        scratch_.clear();
        for (const QRect& rr : reg->rects) {
            const QRectF box = mapRect(rr.left(), rr.top(), rr.left() + rr.width(), rr.top() + rr.height());
            scratch_.push_back(box.topLeft());
            scratch_.push_back(QPointF(box.width(), box.height()));
        }
        ShapeIn in;
        in.form = ShapeForm::Rects;
        in.points = scratch_.data();
        in.count = scratch_.size();
        addShape(std::move(in), true, false);
        dc_.brush = keep;
        return true;
    }
    default:
        return std::nullopt;
    }
}

// One record; false when it could not be read at all. Each family of records
// answers for its own types and passes on the rest.
bool Player::record(int type, const char* rec, std::size_t size)
{
    for (auto family : {&Player::drawingRecord, &Player::stateRecord, &Player::objectRecord, &Player::textRecord,
                        &Player::bitmapRecord, &Player::clipRecord}) {
        if (const std::optional<bool> read = (this->*family)(type, rec, size))
            return *read;
    }
    return false;
}

void Player::run()
{
    const char* p = begin_;
    U_WMRPLACEABLE placeable;
    U_WMRHEADER header;
    std::memset(&placeable, 0, sizeof placeable);
    std::memset(&header, 0, sizeof header);
    const int headerSize = wmfheader_get(p, end_, &placeable, &header);
    // wmfheader_get only checks the header fits; its length field may claim less than the header itself.
    out_.placeable = placeable.Key == 0x9AC6CDD7;
    const std::size_t minHeader = (out_.placeable ? U_SIZE_WMRPLACEABLE : 0) + U_SIZE_WMRHEADER;
    p += std::max<std::size_t>(std::size_t(std::max(headerSize, 0)), minHeader);

    const int objectCount = std::min<int>(header.nObjects, kMaxObjects);
    objects_.reserve(std::size_t(objectCount));
    objects_.resize(std::size_t(objectCount));

    QRectF frame;
    if (out_.placeable) {
        frame = QRectF(QPointF(placeable.Dst.left, placeable.Dst.top), QPointF(placeable.Dst.right, placeable.Dst.bottom)).normalized();
        out_.unitsPerInch = placeable.Inch ? placeable.Inch : 1440;
    }
    if (frame.width() < 1 || frame.height() < 1) {
        // No size of its own: the first window origin and extent give the frame.
        out_.placeable = false;
        QPointF org(0, 0), ext(0, 0);
        for (const char* q = p; q + 6 <= end_;) {
            const std::size_t sz = U_WMRRECSAFE_get(q, end_);
            if (!sz) break;
            const int t = uint8_t(q[4]);
            if (t == R_SETWINDOWORG && sz >= 10) org = QPointF(s16(q + 8), s16(q + 6));
            if (t == R_SETWINDOWEXT && sz >= 10) {
                ext = QPointF(s16(q + 8), s16(q + 6));
                break;
            }
            if (t == R_EOF) break;
            q += sz;
        }
        if (ext.x() == 0 || ext.y() == 0)
            ext = QPointF(1000, 1000);
        frame = QRectF(org, QSizeF(ext.x(), ext.y())).normalized();
        // Treat the units as screen pixels (96 a inch) unless that makes a picture over ten inches;
        // then they are most likely twips.
        out_.unitsPerInch = std::max(frame.width(), frame.height()) > 960 ? 1440 : 96;
    }
    out_.frame = frame;
    dc_.windowOrg = dc_.viewportOrg = frame.topLeft();
    dc_.windowExt = dc_.viewportExt = QPointF(frame.width(), frame.height());
    dc_.font.face = QStringLiteral("Arial");

    while (p + 6 <= end_) {
        const std::size_t size = U_WMRRECSAFE_get(p, end_);
        if (!size) {
            out_.damaged = true;
            break;
        }
        const int type = uint8_t(p[4]);
        ++out_.records;
        if (type == R_EOF && size == 6)
            break;
        if (!record(type, p, size))
            ++out_.skipped;
        p += size;
    }
    if (p + 6 > end_ && p != end_)
        out_.damaged = true;
}

// The shape's path, built exactly as it was before the shape was stored.
QPainterPath shapePath(const MetafileData& d, const OpShape& s, QPolygonF& poly)
{
    QPainterPath p;
    const QPointF* pts = d.points.data() + s.first;
    auto fillPoly = [&](const QPointF* from, std::size_t n) {
        poly.resize(qsizetype(n));
        std::copy(from, from + n, poly.begin());
    };
    switch (s.form) {
    case ShapeForm::Polygon:
    case ShapeForm::Polyline:
        fillPoly(pts, s.count);
        p.addPolygon(poly);
        if (s.form == ShapeForm::Polygon) {
            p.closeSubpath();
            p.setFillRule(s.winding ? Qt::WindingFill : Qt::OddEvenFill);
        }
        break;
    case ShapeForm::PolyPolygon:
        p.setFillRule(s.winding ? Qt::WindingFill : Qt::OddEvenFill);
        for (uint32_t i = 0; i < s.partCount; ++i) {
            const uint32_t n = d.parts[s.parts + i];
            fillPoly(pts, n);
            p.addPolygon(poly);
            p.closeSubpath();
            pts += n;
        }
        break;
    case ShapeForm::Line:
        p.moveTo(pts[0]);
        p.lineTo(pts[1]);
        break;
    case ShapeForm::Rects:
        for (uint32_t i = 0; i + 1 < s.count; i += 2)
            p.addRect(QRectF(pts[i].x(), pts[i].y(), pts[i + 1].x(), pts[i + 1].y()));
        break;
    case ShapeForm::Ellipse:
        p.addEllipse(QRectF(pts[0].x(), pts[0].y(), pts[1].x(), pts[1].y()));
        break;
    case ShapeForm::Path: return d.paths[s.first];
    }
    return p;
}

// A long stroke one segment at a time (the closing one too for a polygon):
// each is a small outline to fill, where the whole line crossing itself is a
// huge one. With round ends the shape is the same; other joins lose their corners.
void drawInPieces(const MetafileData& d, const OpShape& s, QPainter& painter)
{
    const QPointF* pts = d.points.data() + s.first;
    const std::size_t n = s.count;
    for (std::size_t i = 0; i + 1 < n; ++i)
        painter.drawLine(pts[i], pts[i + 1]);
    if (s.form == ShapeForm::Polygon && n > 2) {
        const QPointF closing[2] = {pts[n - 1], pts[0]};
        painter.drawPolyline(closing, 2);
    }
}

void drawText(const OpText& t, QPainter& painter)
{
    painter.save();
    if (t.clipped)
        painter.setClipRect(t.clip, Qt::IntersectClip);
    painter.translate(t.origin);
    if (t.rotation != 0)
        painter.rotate(t.rotation);
    if (t.opaque)
        painter.fillRect(t.backgroundRect, t.background);
    for (const QRectF& line : t.lines)
        painter.fillRect(line, t.color);
    painter.translate(t.offset);
    painter.scale(t.scaleX, t.scaleY);
    // Qt's glyph cache rasterises a whole glyph at the final size;
    // very large text is filled as outlines instead.
    const QTransform m = painter.worldTransform();
    const qreal pixels = kFontReferencePixels * std::sqrt(std::abs(m.determinant()));
    if (pixels < 600 && std::abs(m.m11() / (m.m22() == 0 ? 1 : m.m22())) < 8) {
        painter.setPen(t.color);
        painter.drawGlyphRun(QPointF(0, 0), t.run);
        if (t.embolden > 0)
            painter.drawGlyphRun(QPointF(t.embolden, 0), t.run);
    } else {
        const QRawFont font = t.run.rawFont();
        const QList<quint32> glyphs = t.run.glyphIndexes();
        const QList<QPointF> pos = t.run.positions();
        QPainterPath outline;
        for (int i = 0; i < glyphs.size() && i < pos.size(); ++i)
            outline.addPath(font.pathForGlyph(glyphs[i]).translated(pos[i]));
        painter.fillPath(outline, t.color);
        if (t.embolden > 0)
            painter.fillPath(outline.translated(t.embolden, 0), t.color);
    }
    painter.restore();
}

void drawOps(const MetafileData& d, QPainter& painter, const QRectF& target)
{
    if (d.frame.width() <= 0 || d.frame.height() <= 0 || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / d.frame.width(), target.height() / d.frame.height());
    painter.translate(-d.frame.topLeft());
    painter.save();
    QPolygonF poly;
    for (const Step& step : d.steps) {
        switch (step.kind) {
        case StepKind::Shape: {
            const OpShape& s = d.shapes[step.index];
            const QPainterPath path = shapePath(d, s, poly);
            if (s.under)
                painter.fillPath(path, d.brushes[s.under]);
            if (s.inPieces) {
                painter.fillPath(path, d.brushes[s.brush]);
                painter.setPen(d.pens[s.pen]);
                painter.setBrush(Qt::NoBrush);
                drawInPieces(d, s, painter);
                break;
            }
            painter.setPen(d.pens[s.pen]);
            painter.setBrush(d.brushes[s.brush]);
            painter.drawPath(path);
            break;
        }
        case StepKind::Text: drawText(d.texts[step.index], painter); break;
        case StepKind::Image: {
            const OpImage& im = d.images[step.index];
            const auto mode = painter.compositionMode();
            if (im.mode != QPainter::CompositionMode_SourceOver)
                painter.setCompositionMode(im.mode);
            painter.drawImage(im.target, im.image, im.source);
            painter.setCompositionMode(mode);
            break;
        }
        case StepKind::Clip: {
            const OpClip& c = d.clips[step.index];
            painter.restore();
            painter.save();
            if (c.on) {
                if (c.isRect)
                    painter.setClipRect(c.rect, Qt::IntersectClip);
                else if (c.rects) {
                    QPainterPath path;
                    path.setFillRule(Qt::WindingFill);
                    for (const QRectF& piece : *c.rects)
                        path.addRect(piece);
                    painter.setClipPath(path, Qt::IntersectClip);
                } else
                    painter.setClipPath(c.path, Qt::IntersectClip);
            }
            break;
        }
        }
    }
    painter.restore();
    painter.restore();
}

} // namespace

MetafilePicture::MetafilePicture() : d_(std::make_unique<MetafileData>()) {}
MetafilePicture::~MetafilePicture() = default;

std::shared_ptr<MetafilePicture> MetafilePicture::fromBytes(const QByteArray& bytes, const QString& source)
{
    // A metafile starts with the placeable key or with a header record of
    // type 1 (memory) or 2 (disk), a 9-word header length and version 0x100/0x300.
    if (bytes.size() < 18)
        return nullptr;
    const char* p = bytes.constData();
    const bool placeable = u32(p) == 0x9AC6CDD7u;
    const char* h = placeable ? p + 22 : p;
    if (placeable && bytes.size() < 22 + 18)
        return nullptr;
    const uint16_t kind = u16(h), words = u16(h + 2), version = u16(h + 4);
    if (!placeable && (!(kind == 1 || kind == 2) || words != 9 || !(version == 0x100 || version == 0x300)))
        return nullptr;

    registerBundledFonts();
    QByteArray padded = bytes;
    const int realSize = padded.size();
    padded.append(QByteArray(kPadding, '\0'));
    std::shared_ptr<MetafilePicture> pic(new MetafilePicture());
    pic->source_ = source;
    Player player(padded.constData(), std::size_t(realSize), *pic->d_, source);
    player.run();
    return pic;
}

QSizeF MetafilePicture::sizeTwips() const
{
    const qreal f = 1440.0 / d_->unitsPerInch;
    return QSizeF(d_->frame.width() * f, d_->frame.height() * f);
}

void MetafilePicture::draw(QPainter& painter, const QRectF& target) const { drawOps(*d_, painter, target); }
QString MetafilePicture::source() const { return source_; }

std::vector<TextRun> MetafilePicture::textRuns() const
{
    const QRectF frame = d_->frame;
    if (frame.width() <= 0 || frame.height() <= 0)
        return {};
    const QSizeF size = sizeTwips();
    const qreal kx = size.width() / frame.width(), ky = size.height() / frame.height();
    std::vector<TextRun> runs;
    runs.reserve(d_->runs.size());
    for (const TextRun& r : d_->runs) {
        const QRectF b = r.box.translated(-frame.topLeft());
        runs.push_back({r.text, QRectF(b.left() * kx, b.top() * ky, b.width() * kx, b.height() * ky).normalized()});
    }
    return runs;
}
bool MetafilePicture::placeable() const { return d_->placeable; }
QRectF MetafilePicture::frame() const { return d_->frame; }
int MetafilePicture::recordCount() const { return d_->records; }
int MetafilePicture::skippedRecords() const { return d_->skipped; }
bool MetafilePicture::damaged() const { return d_->damaged; }
int MetafilePicture::stepCount() const { return int(d_->steps.size()); }
QStringList MetafilePicture::budgetsExceeded() const { return d_->budgets; }
qreal MetafilePicture::paintedArea() const { return d_->covers; }

PicturePtr loadMetafilePicture(const QString& fullPath, const QString& source)
{
    QFile file(fullPath);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(("cannot open picture " + source).toStdString());
    // Page images are small; anything past 64 MB is not one of ours.
    const QByteArray bytes = file.read(64 * 1024 * 1024);
    auto pic = MetafilePicture::fromBytes(bytes, source);
    if (!pic)
        throw PictureError(("not a metafile: " + source).toStdString());
    return pic;
}

} // namespace oravians
