#include "tools/genpages/pagegen.h"

#include "platform/fontmap.h"
#include "platform/textcodec.h"
#include "tools/genpages/drawings.h"
#include "tools/genpages/wmfwriter.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QRegularExpression>

#include <cmath>

namespace oravians::pages {

bool parsePage(const QString& text, PageSource* page, QString* error)
{
    *page = PageSource{};
    bool inHeader = true;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(QLatin1Char('\r'));
        const QString trimmed = line.trimmed();
        if (inHeader) {
            if (trimmed.startsWith(QLatin1String("heading:"))) {
                page->heading = trimmed.mid(8).trimmed();
                continue;
            }
            if (trimmed.startsWith(QLatin1String("picture:"))) {
                page->pictures << trimmed.mid(8).trimmed().toLower();
                continue;
            }
            if (trimmed.isEmpty())
                continue;
            inHeader = false;
        }
        if (trimmed.isEmpty())
            continue;
        PageSource::Block b;
        if (trimmed.startsWith(QLatin1String("- "))) {
            b.bullet = true;
            b.text = trimmed.mid(2).trimmed();
        } else
            b.text = trimmed;
        page->blocks.push_back(b);
    }
    if (page->heading.isEmpty()) {
        *error = QStringLiteral("no \"heading:\" line");
        return false;
    }
    if (page->pictures.size() > 2) {
        *error = QStringLiteral("more than two \"picture:\" lines");
        return false;
    }
    return true;
}

QString outputName(const QString& sourceFileName)
{
    QString stem = QFileInfo(sourceFileName).completeBaseName();
    QStringList parts = stem.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    // A last part that is a page letter or number joins the word before it.
    if (parts.size() >= 2 && QRegularExpression(QStringLiteral("^([a-z]|[0-9]+)$")).match(parts.last()).hasMatch()) {
        const QString last = parts.takeLast();
        parts.last() += last;
    }
    return parts.join(QLatin1Char(' ')) + QStringLiteral(".wmf");
}

namespace {

// Measures text exactly as the player lays it out: the installed family at
// a large reference size, without hinting or kerning, scaled to the em size.
class Measure {
public:
    Measure(bool bold, int emTwips) : em_(emTwips)
    {
        QFont f(installedFamily(QStringLiteral("Tahoma")));
        f.setPixelSize(256);
        f.setWeight(bold ? QFont::Bold : QFont::Normal);
        f.setKerning(false);
        f.setHintingPreference(QFont::PreferNoHinting);
        fm_ = std::make_unique<QFontMetricsF>(f);
    }
    qreal width(const QString& s) const { return fm_->horizontalAdvance(s) * em_ / 256.0; }
    qreal ascent() const { return fm_->ascent() * em_ / 256.0; }
    qreal descent() const { return fm_->descent() * em_ / 256.0; }
    // Per-character advances rounded so that their sum follows the exact width.
    std::vector<int> advances(const QString& s) const
    {
        std::vector<int> dx;
        qreal exact = 0;
        int placed = 0;
        for (const QChar c : s) {
            exact += fm_->horizontalAdvance(c) * em_ / 256.0;
            const int next = int(std::lround(exact));
            dx.push_back(next - placed);
            placed = next;
        }
        return dx;
    }

private:
    int em_;
    std::unique_ptr<QFontMetricsF> fm_;
};

struct Line {
    int x;
    int baseline;
    QString text;
    bool bullet;
};

struct Colours {
    QColor heading, body, bullet, rule;
};

bool encodable(const QString& s, QString* error)
{
    const QByteArray bytes = toCodePage(s);
    const QString back = fromCodePage(bytes);
    for (int i = 0; i < s.size(); ++i) {
        if (i >= back.size() || back[i] != s[i]) {
            *error = QStringLiteral("character '%1' (U+%2) cannot be shown on a page")
                         .arg(s[i])
                         .arg(s[i].unicode(), 4, 16, QLatin1Char('0'));
            return false;
        }
    }
    return true;
}

constexpr int kLeft = 360;
constexpr int kHeadingTop = 150;
constexpr int kPictureColumn = 2900;

// The acknowledgments page leaves the window's logo corner free.
constexpr int kLogoFreeLeft = 8700;
constexpr int kLogoFreeTop = 3600;

// Where a version's text and pictures may go.
struct Frame {
    int width;          // page width
    int bottom;         // lowest text line's bottom
    int headingWidth;   // widest heading
    bool fixedHeight;   // screen pages fill the viewer; printed pages end below their text
    bool logoCorner;    // keep the logo corner free
    int right() const { return width - 360; }
    int pictureLeft() const { return right() - kPictureColumn; }
    int textRightBesidePictures() const { return pictureLeft() - 300; }
};

Frame frameFor(Version version, bool acknowledgments)
{
    if (version == Version::Screen)
        // Keeps clear of the window's "Print" button at the top right.
        return {kPageWidth, kPageHeight - 120, 10100, true, acknowledgments};
    return {kPrintPageWidth, kPrintPageMaxHeight - 240, kPrintPageWidth - 720, false, false};
}

} // namespace

bool buildPage(const PageSource& page, const QString& name, Version version, QByteArray* out, QString* error)
{
    const bool acknowledgments = name.startsWith(QLatin1String("acknowledgments"));
    const Frame frame = frameFor(version, acknowledgments);
    const int kRight = frame.right();
    const int kBottom = frame.bottom;
    const int kHeadingMaxWidth = frame.headingWidth;
    const int kPictureLeft = frame.pictureLeft();
    const int kTextRightBesidePictures = frame.textRightBesidePictures();
    for (const QString& id : page.pictures) {
        if (!knownPictures().contains(id)) {
            *error = QStringLiteral("unknown picture \"%1\" (known: %2)").arg(id, knownPictures().join(QStringLiteral(", ")));
            return false;
        }
    }
    if (!encodable(page.heading, error))
        return false;
    for (const auto& b : page.blocks)
        if (!encodable(b.text, error))
            return false;

    const Colours colours = version == Version::Screen
                                ? Colours{QColor(255, 255, 0), QColor(255, 255, 255), QColor(255, 255, 0), QColor(255, 255, 0)}
                                : Colours{QColor(0, 0, 128), QColor(0, 0, 0), QColor(0, 0, 128), QColor(0, 0, 128)};

    // Heading: 24 pt bold, smaller if it would run under the "Print" button.
    int headingEm = 480;
    while (headingEm > 320 && Measure(true, headingEm).width(page.heading) > kHeadingMaxWidth)
        headingEm -= 20;
    const Measure heading(true, headingEm);
    if (heading.width(page.heading) > kHeadingMaxWidth) {
        *error = QStringLiteral("heading is too long for one line");
        return false;
    }
    const int headingBaseline = kHeadingTop + int(std::lround(heading.ascent()));
    const int ruleY = headingBaseline + int(std::lround(heading.descent())) + 90;
    const int bodyTop = ruleY + 170;

    // Pictures stand in a column on the right, top down.
    const int pictureCount = int(page.pictures.size());
    const int pictureBottomLimit = frame.logoCorner ? kLogoFreeTop - 150 : std::min(kBottom, kPageHeight - 120) - 200;
    const int pictureGap = 200;
    int pictureHeight = 0;
    if (pictureCount > 0)
        pictureHeight = std::min(2900, (pictureBottomLimit - bodyTop - pictureGap * (pictureCount - 1)) / pictureCount);
    const int picturesBottom = pictureCount > 0 ? bodyTop + pictureCount * pictureHeight + (pictureCount - 1) * pictureGap : 0;

    auto rightEdgeAt = [&](int top) {
        if (frame.logoCorner)
            return std::min(kLogoFreeLeft - 200, pictureCount > 0 ? kTextRightBesidePictures : kRight);
        if (pictureCount > 0 && top < picturesBottom + 100)
            return kTextRightBesidePictures;
        return kRight;
    };

    // Body: 14 pt if it fits, else 13 pt, else 12 pt.
    std::vector<Line> lines;
    int bodyEm = 0;
    int overflow = 0;
    int textBottomUsed = 0;
    for (int em : {280, 260, 240}) {
        const Measure m(false, em);
        const int lineHeight = int(std::lround(em * 1.25));
        const int gap = int(std::lround(em * 0.5));
        lines.clear();
        int top = bodyTop;
        bool fits = true;
        for (const auto& block : page.blocks) {
            const int indent = block.bullet ? 420 : 0;
            const QStringList words = block.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QString current;
            bool first = true;
            auto flush = [&]() {
                lines.push_back({kLeft + indent, top + int(std::lround(m.ascent())), current, block.bullet && first});
                first = false;
                top += lineHeight;
                current.clear();
            };
            for (const QString& w : words) {
                const int avail = rightEdgeAt(top) - kLeft - indent;
                const QString candidate = current.isEmpty() ? w : current + QLatin1Char(' ') + w;
                if (!current.isEmpty() && m.width(candidate) > avail)
                    flush();
                current = current.isEmpty() ? w : current + QLatin1Char(' ') + w;
            }
            if (!current.isEmpty())
                flush();
            top += gap;
        }
        const int textBottom = top - gap - lineHeight + int(std::lround(m.ascent() + m.descent()));
        if (textBottom > kBottom)
            fits = false;
        overflow = textBottom - kBottom;
        if (fits) {
            textBottomUsed = textBottom;
            bodyEm = em;
            break;
        }
    }
    if (!bodyEm) {
        *error = QStringLiteral("text does not fit: %1 twips too tall even at 12 pt; shorten it").arg(overflow);
        return false;
    }

    // A printed page ends a little below its text or pictures.
    const int pageHeight = frame.fixedHeight ? kPageHeight
                                             : std::min(kPrintPageMaxHeight, std::max(textBottomUsed, picturesBottom) + 240);
    WmfWriter w(frame.width, pageHeight);
    // Heading and its rule.
    w.setFont(QStringLiteral("Tahoma"), headingEm, true);
    w.setTextColor(colours.heading);
    const QByteArray headingBytes = toCodePage(page.heading);
    w.text(kLeft, headingBaseline, headingBytes, heading.advances(page.heading));
    w.setPen(colours.rule, 30);
    w.line(QPoint(kLeft, ruleY), QPoint(frame.logoCorner ? kLogoFreeLeft - 200 : kRight, ruleY));

    // Body text.
    const Measure body(false, bodyEm);
    w.setFont(QStringLiteral("Tahoma"), bodyEm, false);
    w.setTextColor(colours.body);
    for (const Line& l : lines)
        w.text(l.x, l.baseline, toCodePage(l.text), body.advances(l.text));
    // Bullets: a round dot in the margin of each item's first line.
    bool anyBullet = false;
    for (const Line& l : lines) {
        if (!l.bullet)
            continue;
        if (!anyBullet) {
            w.setNullPen();
            w.setBrush(colours.bullet);
            anyBullet = true;
        }
        const int d = bodyEm / 3;
        const int cy = l.baseline - int(std::lround(body.ascent() * 0.36));
        w.ellipse(QRect(l.x - 300, cy - d / 2, d, d));
    }

    // Pictures.
    for (int i = 0; i < pictureCount; ++i) {
        const QRect box(kPictureLeft, bodyTop + i * (pictureHeight + pictureGap), kRight - kPictureLeft, pictureHeight);
        drawPicture(w, page.pictures[i], box, version == Version::Screen);
    }
    *out = w.finish();
    return true;
}

} // namespace oravians::pages
