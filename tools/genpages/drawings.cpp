#include "tools/genpages/drawings.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <map>

namespace oravians::pages {

namespace {

// A drawing is designed on a 100 x 100 grid and placed, square, in the middle
// of its box. Outlines use the ink colour of the version: light on the dark
// blue screen, black on paper.
class Canvas {
public:
    Canvas(WmfWriter& w, const QRect& box, bool screen) : w(w), screen(screen)
    {
        side = std::min(box.width(), box.height());
        origin = QPoint(box.left() + (box.width() - side) / 2, box.top() + (box.height() - side) / 2);
        ink = screen ? QColor(255, 255, 255) : QColor(0, 0, 0);
    }
    int u(double v) const { return int(std::lround(v * side / 100.0)); }
    QPoint p(double x, double y) const { return origin + QPoint(u(x), u(y)); }
    QRect r(double x, double y, double wd, double ht) const { return QRect(p(x, y), QSize(u(wd), u(ht))); }
    QPolygon poly(std::initializer_list<std::pair<double, double>> pts) const
    {
        QPolygon out;
        for (auto [x, y] : pts)
            out << p(x, y);
        return out;
    }
    void fill(const QColor& c, int penWidth = 24)
    {
        w.setPen(ink, penWidth);
        w.setBrush(c);
    }
    void stroke(const QColor& c, int penWidth)
    {
        w.setPen(c, penWidth);
        w.setNullBrush();
    }
    void solid(const QColor& c)
    {
        w.setNullPen();
        w.setBrush(c);
    }

    WmfWriter& w;
    bool screen;
    int side;
    QPoint origin;
    QColor ink;
};

const QColor kCream(250, 240, 205);
const QColor kBrown(139, 90, 43);
const QColor kDarkBrown(96, 57, 19);
const QColor kGold(222, 180, 60);
const QColor kGrey(160, 160, 160);
const QColor kDarkGrey(80, 80, 80);
const QColor kRedC(200, 40, 40);
const QColor kGreenC(40, 130, 60);
const QColor kSkin(245, 205, 170);
const QColor kInkBlue(30, 40, 110);
const QColor kSea(60, 140, 210);
const QColor kLightYellow(255, 245, 150);

void quill(Canvas& c)
{
    c.fill(kCream);
    c.w.polygon(c.poly({{82, 6}, {92, 14}, {70, 44}, {46, 70}, {30, 84}, {26, 80}, {38, 60}, {56, 34}}));
    c.stroke(QColor(170, 135, 80), 24);
    c.w.line(c.p(86, 10), c.p(28, 82));
    // Barbs: short strokes from the shaft into the vane.
    for (int i = 0; i < 6; ++i) {
        const double t = 0.12 + i * 0.09;
        const double x = 86 - 58 * t, y = 10 + 72 * t;
        c.w.line(c.p(x, y), c.p(x - 4, y - 2));
        c.w.line(c.p(x, y), c.p(x + 3, y + 3));
    }
    c.fill(kInkBlue);
    c.w.polygon(c.poly({{28, 82}, {31, 85}, {14, 96}}));
    c.w.ellipse(c.r(8, 90, 6, 5));
    c.w.ellipse(c.r(18, 94, 4, 3));
}

void inkpot(Canvas& c)
{
    // Quill first, so the pot stands in front of it.
    c.fill(kCream);
    c.w.polygon(c.poly({{74, 4}, {84, 10}, {62, 36}, {52, 48}, {48, 45}, {56, 30}}));
    c.stroke(c.ink, 20);
    c.w.line(c.p(80, 7), c.p(50, 47));
    c.fill(kInkBlue);
    c.w.roundRect(c.r(18, 46, 64, 46), c.u(14), c.u(14));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(36, 36, 28, 12));
    c.fill(kCream);
    c.w.rectangle(c.r(30, 60, 40, 18));
    c.stroke(kInkBlue, 30);
    c.w.line(c.p(36, 66), c.p(64, 66));
    c.w.line(c.p(36, 72), c.p(56, 72));
}

void book(Canvas& c)
{
    c.fill(kDarkBrown);
    c.w.polygon(c.poly({{4, 30}, {50, 38}, {96, 30}, {96, 82}, {50, 90}, {4, 82}}));
    c.fill(kCream);
    c.w.polygon(c.poly({{8, 24}, {50, 32}, {50, 84}, {8, 76}}));
    c.w.polygon(c.poly({{50, 32}, {92, 24}, {92, 76}, {50, 84}}));
    c.stroke(kGrey, 30);
    for (int i = 0; i < 6; ++i) {
        const double y = 38 + i * 7;
        c.w.line(c.p(14, y - 2), c.p(44, y + 3));
        c.w.line(c.p(56, y + 3), c.p(86, y - 2));
    }
}

void teacher(Canvas& c)
{
    c.fill(QColor(30, 80, 50));
    c.w.rectangle(c.r(40, 8, 56, 40));
    c.stroke(QColor(255, 255, 255), 30);
    c.w.line(c.p(46, 18), c.p(70, 18));
    c.w.line(c.p(46, 28), c.p(84, 28));
    c.w.line(c.p(46, 38), c.p(62, 38));
    c.fill(kSkin);
    c.w.ellipse(c.r(14, 20, 20, 20));
    c.fill(QColor(90, 60, 140));
    c.w.polygon(c.poly({{14, 44}, {34, 44}, {42, 94}, {6, 94}}));
    c.stroke(kBrown, 40);
    c.w.line(c.p(32, 50), c.p(50, 30));
    c.fill(kDarkBrown);
    c.w.polygon(c.poly({{12, 18}, {36, 18}, {30, 12}, {18, 12}}));
}

void pupil(Canvas& c)
{
    c.fill(kSkin);
    c.w.ellipse(c.r(36, 8, 26, 26));
    c.fill(kDarkBrown);
    c.w.pie(c.r(36, 6, 26, 22), c.p(62, 17), c.p(36, 17));
    c.fill(kRedC);
    c.w.roundRect(c.r(30, 36, 38, 36), c.u(8), c.u(8));
    c.fill(kInkBlue);
    c.w.rectangle(c.r(34, 72, 12, 22));
    c.w.rectangle(c.r(52, 72, 12, 22));
    c.fill(kBrown);
    c.w.roundRect(c.r(64, 42, 24, 30), c.u(6), c.u(6));
    c.stroke(kDarkBrown, 40);
    c.w.line(c.p(66, 44), c.p(60, 38));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(12, 44, 22, 26));
}

void printer(Canvas& c)
{
    c.fill(kCream);
    c.w.rectangle(c.r(26, 6, 48, 30));
    c.fill(kGrey);
    c.w.roundRect(c.r(8, 30, 84, 40), c.u(8), c.u(8));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(20, 56, 60, 6));
    c.fill(kCream);
    c.w.polygon(c.poly({{22, 60}, {78, 60}, {82, 94}, {18, 94}}));
    c.stroke(kInkBlue, 30);
    for (int i = 0; i < 4; ++i)
        c.w.line(c.p(28, 70 + i * 6), c.p(i == 3 ? 52 : 72, 70 + i * 6));
    c.solid(QColor(60, 200, 60));
    c.w.ellipse(c.r(80, 38, 6, 6));
}

void steamEngine(Canvas& c)
{
    c.solid(QColor(225, 225, 225));
    c.w.ellipse(c.r(10, 2, 14, 10));
    c.w.ellipse(c.r(18, 8, 12, 10));
    c.fill(kDarkGrey);
    c.w.polygon(c.poly({{14, 20}, {26, 20}, {24, 36}, {16, 36}}));
    c.fill(kGreenC);
    c.w.rectangle(c.r(6, 36, 58, 28));
    c.fill(QColor(170, 30, 30));
    c.w.rectangle(c.r(62, 22, 32, 42));
    c.fill(kLightYellow);
    c.w.rectangle(c.r(70, 28, 16, 14));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(2, 64, 94, 8));
    c.fill(QColor(40, 40, 40));
    c.w.ellipse(c.r(8, 66, 22, 22));
    c.w.ellipse(c.r(34, 66, 22, 22));
    c.w.ellipse(c.r(66, 62, 26, 26));
    c.solid(kGold);
    c.w.ellipse(c.r(16, 74, 6, 6));
    c.w.ellipse(c.r(42, 74, 6, 6));
    c.w.ellipse(c.r(76, 72, 6, 6));
    c.stroke(kGold, 40);
    c.w.line(c.p(19, 77), c.p(79, 75));
}

void telegraph(Canvas& c)
{
    c.fill(kBrown);
    c.w.rectangle(c.r(6, 62, 88, 18));
    c.fill(kGold);
    c.w.rectangle(c.r(20, 52, 10, 10));
    c.w.polygon(c.poly({{18, 48}, {80, 40}, {80, 46}, {18, 54}}));
    c.w.rectangle(c.r(60, 54, 8, 8));
    c.fill(QColor(30, 30, 30));
    c.w.ellipse(c.r(72, 30, 18, 12));
    c.stroke(kRedC, 40);
    c.w.polyline(c.poly({{8, 70}, {2, 76}, {6, 88}, {16, 94}, {40, 96}}));
    c.stroke(c.ink, 24);
    c.w.line(c.p(24, 66), c.p(24, 74));
    c.w.line(c.p(64, 66), c.p(64, 74));
}

void camera(Canvas& c)
{
    c.stroke(kDarkBrown, 60);
    c.w.line(c.p(46, 60), c.p(24, 98));
    c.w.line(c.p(50, 60), c.p(50, 98));
    c.w.line(c.p(54, 60), c.p(76, 98));
    c.fill(kBrown);
    c.w.rectangle(c.r(50, 20, 34, 40));
    c.fill(QColor(50, 50, 50));
    c.w.polygon(c.poly({{50, 24}, {22, 30}, {22, 50}, {50, 56}}));
    c.stroke(kGrey, 20);
    c.w.line(c.p(36, 27), c.p(36, 53));
    c.w.line(c.p(44, 25), c.p(44, 55));
    c.fill(kGold);
    c.w.rectangle(c.r(12, 30, 10, 20));
    c.fill(QColor(20, 20, 20));
    c.w.ellipse(c.r(6, 32, 8, 16));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(60, 12, 14, 8));
}

void bicycle(Canvas& c)
{
    c.stroke(c.screen ? QColor(235, 235, 235) : QColor(30, 30, 30), 50);
    c.w.ellipse(c.r(4, 50, 38, 38));
    c.w.ellipse(c.r(58, 50, 38, 38));
    c.stroke(kRedC, 60);
    c.w.polyline(c.poly({{23, 69}, {44, 40}, {72, 40}, {50, 69}, {23, 69}}));
    c.w.line(c.p(50, 69), c.p(40, 34));
    c.w.line(c.p(72, 40), c.p(77, 69));
    c.w.line(c.p(72, 40), c.p(68, 26));
    c.fill(QColor(30, 30, 30));
    c.w.roundRect(c.r(32, 28, 16, 6), c.u(3), c.u(3));
    c.stroke(c.screen ? QColor(235, 235, 235) : QColor(30, 30, 30), 50);
    c.w.line(c.p(62, 26), c.p(76, 24));
}

void lamp(Canvas& c)
{
    c.stroke(kGold, 40);
    c.w.line(c.p(50, 2), c.p(50, 10));
    c.w.line(c.p(14, 16), c.p(22, 22));
    c.w.line(c.p(86, 16), c.p(78, 22));
    c.w.line(c.p(4, 44), c.p(14, 44));
    c.w.line(c.p(96, 44), c.p(86, 44));
    c.fill(kLightYellow);
    c.w.ellipse(c.r(22, 14, 56, 56));
    c.w.polygon(c.poly({{36, 62}, {64, 62}, {60, 76}, {40, 76}}));
    c.stroke(QColor(220, 120, 0), 30);
    c.w.polyline(c.poly({{42, 74}, {44, 42}, {48, 50}, {52, 42}, {56, 50}, {58, 74}}));
    c.fill(kGrey);
    c.w.rectangle(c.r(38, 76, 24, 16));
    c.stroke(kDarkGrey, 30);
    c.w.line(c.p(38, 81), c.p(62, 81));
    c.w.line(c.p(38, 86), c.p(62, 86));
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(44, 92, 12, 5));
}

void lighthouse(Canvas& c)
{
    c.solid(kLightYellow);
    c.w.polygon(c.poly({{50, 18}, {2, 6}, {2, 30}}));
    c.w.polygon(c.poly({{50, 18}, {98, 6}, {98, 30}}));
    c.fill(kGrey);
    c.w.polygon(c.poly({{10, 98}, {20, 86}, {80, 84}, {92, 98}}));
    c.fill(QColor(245, 245, 245));
    c.w.polygon(c.poly({{38, 30}, {62, 30}, {70, 88}, {30, 88}}));
    c.fill(kRedC);
    c.w.polygon(c.poly({{36, 44}, {64, 44}, {65, 54}, {35, 54}}));
    c.w.polygon(c.poly({{33, 66}, {67, 66}, {68, 76}, {32, 76}}));
    c.fill(kGold);
    c.w.rectangle(c.r(40, 14, 20, 16));
    c.fill(kRedC);
    c.w.polygon(c.poly({{36, 14}, {64, 14}, {50, 4}}));
}

void ship(Canvas& c)
{
    c.fill(kCream);
    c.w.polygon(c.poly({{30, 10}, {30, 60}, {8, 60}}));
    c.w.polygon(c.poly({{56, 6}, {56, 60}, {86, 60}}));
    c.stroke(kDarkBrown, 40);
    c.w.line(c.p(32, 6), c.p(32, 66));
    c.w.line(c.p(58, 2), c.p(58, 66));
    c.fill(kBrown);
    c.w.polygon(c.poly({{2, 64}, {98, 64}, {86, 84}, {14, 84}}));
    c.stroke(kSea, 50);
    c.w.polyline(c.poly({{0, 90}, {12, 86}, {24, 92}, {36, 86}, {48, 92}, {60, 86}, {72, 92}, {84, 86}, {100, 92}}));
}

void house(Canvas& c)
{
    c.fill(kDarkGrey);
    c.w.rectangle(c.r(66, 12, 10, 24));
    c.fill(kRedC);
    c.w.polygon(c.poly({{6, 44}, {50, 8}, {94, 44}}));
    c.fill(QColor(190, 110, 70));
    c.w.rectangle(c.r(14, 44, 72, 50));
    c.fill(kDarkBrown);
    c.w.rectangle(c.r(42, 64, 16, 30));
    c.fill(kLightYellow);
    c.w.rectangle(c.r(20, 54, 14, 14));
    c.w.rectangle(c.r(66, 54, 14, 14));
}

void rocket(Canvas& c)
{
    c.fill(QColor(255, 150, 0));
    c.w.polygon(c.poly({{40, 78}, {60, 78}, {50, 100}}));
    c.fill(kRedC);
    c.w.polygon(c.poly({{36, 56}, {20, 82}, {38, 76}}));
    c.w.polygon(c.poly({{64, 56}, {80, 82}, {62, 76}}));
    c.fill(QColor(235, 235, 235));
    c.w.polygon(c.poly({{50, 2}, {64, 26}, {64, 78}, {36, 78}, {36, 26}}));
    c.fill(kSea);
    c.w.ellipse(c.r(42, 30, 16, 16));
}

// A postage stamp kept as a small bitmap, so pages carry a DIB as well.
void stamp(Canvas& c)
{
    QImage img(40, 48, QImage::Format_RGB888);
    img.fill(c.screen ? QColor(0, 78, 152) : QColor(255, 255, 255));
    {
        QPainter p(&img);
        p.fillRect(QRect(2, 2, 36, 44), QColor(250, 245, 230));
        p.setPen(Qt::NoPen);
        p.setBrush(c.screen ? QColor(0, 78, 152) : QColor(255, 255, 255));
        for (int i = 0; i < 9; ++i) {
            p.drawRect(2 + i * 4, 1, 2, 2);
            p.drawRect(2 + i * 4, 45, 2, 2);
        }
        for (int i = 0; i < 11; ++i) {
            p.drawRect(1, 2 + i * 4, 2, 2);
            p.drawRect(37, 2 + i * 4, 2, 2);
        }
        p.fillRect(QRect(6, 6, 28, 32), QColor(170, 30, 50));
        p.setBrush(QColor(250, 235, 200));
        p.drawEllipse(QRect(13, 12, 13, 15));
        p.drawRect(15, 26, 10, 8);
        p.setBrush(QColor(222, 180, 60));
        p.drawPolygon(QPolygon({QPoint(13, 12), QPoint(15, 7), QPoint(18, 10), QPoint(20, 6), QPoint(22, 10),
                                QPoint(25, 7), QPoint(26, 12)}));
        p.fillRect(QRect(6, 40, 28, 3), QColor(170, 30, 50));
    }
    c.w.image(c.r(14, 2, 72, 86), img);
}

const std::map<QString, std::function<void(Canvas&)>>& drawings()
{
    static const std::map<QString, std::function<void(Canvas&)>> all = {
        {QStringLiteral("quill"), quill},       {QStringLiteral("inkpot"), inkpot},
        {QStringLiteral("book"), book},         {QStringLiteral("teacher"), teacher},
        {QStringLiteral("pupil"), pupil},       {QStringLiteral("printer"), printer},
        {QStringLiteral("steam-engine"), steamEngine}, {QStringLiteral("telegraph"), telegraph},
        {QStringLiteral("camera"), camera},     {QStringLiteral("bicycle"), bicycle},
        {QStringLiteral("lamp"), lamp},         {QStringLiteral("lighthouse"), lighthouse},
        {QStringLiteral("ship"), ship},         {QStringLiteral("house"), house},
        {QStringLiteral("rocket"), rocket},     {QStringLiteral("stamp"), stamp},
    };
    return all;
}

} // namespace

QStringList knownPictures()
{
    QStringList ids;
    for (const auto& [id, fn] : drawings())
        ids << id;
    return ids;
}

void drawPicture(WmfWriter& w, const QString& id, const QRect& box, bool screen)
{
    auto it = drawings().find(id);
    if (it == drawings().end())
        return;
    Canvas c(w, box, screen);
    it->second(c);
}

} // namespace oravians::pages
