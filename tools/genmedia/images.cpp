// The program's pictures, drawn with QPainter: the rocket animation, the two
// topic portraits with their small versions, and the publisher's logo.

#include "media.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace genmedia {

void softBlob(QPainter& p, QPointF c, double r, QColor colour)
{
    QRadialGradient g(c, r);
    g.setColorAt(0, colour);
    QColor edge = colour;
    edge.setAlpha(0);
    g.setColorAt(1, edge);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

namespace {

constexpr int kRocketFrames = 20;
constexpr int kLogoFrames = 20;

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void star(QPainter& p, QPointF c, double r, QColor colour)
{
    QPainterPath s;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c, QPointF(c.x() + r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() + r));
    s.quadTo(c, QPointF(c.x() - r, c.y()));
    s.quadTo(c, QPointF(c.x(), c.y() - r));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(s);
}

QFont font(const QString& family, int pixels, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// ---------------------------------------------------------------- rocket

QImage rocketFrame(int frame)
{
    QImage img(320, 240, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double ph = double(frame) / kRocketFrames;
    const double a = kTwoPi * ph;

    // Night sky fading into the menu's own blue at the bottom edge.
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(5, 16, 58));
    sky.setColorAt(0.6, QColor(0, 48, 112));
    sky.setColorAt(1, QColor(0, 78, 152));
    p.fillRect(img.rect(), sky);

    // A ringed planet, far away and still.
    {
        QRadialGradient g(QPointF(44, 42), 26);
        g.setColorAt(0, QColor(255, 200, 120));
        g.setColorAt(1, QColor(190, 90, 50));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(52, 50), 20, 20);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(250, 230, 170, 200), 3));
        p.save();
        p.translate(52, 50);
        p.rotate(-18);
        p.drawArc(QRectF(-36, -8, 72, 16), 180 * 16, 180 * 16);
        p.restore();
    }

    // Stars stream downwards: the rocket climbs. Every layer moves a whole
    // number of picture heights per loop, so frame 20 leads smoothly into 1.
    Rng rng(7);
    for (int i = 0; i < 80; ++i) {
        const double x = rng.range(0, 320), y0 = rng.range(0, 240), tw = rng.uniform();
        const int layer = i % 4 == 0 ? 2 : 1;
        const double y = std::fmod(y0 + ph * 240 * layer, 240.0);
        const int level = int(150 + 105 * (0.5 + 0.5 * std::sin(2 * a + tw * kTwoPi)));
        if (layer == 2)
            star(p, QPointF(x, y), 3.2, QColor(255, 255, 220, level));
        else
            softBlob(p, QPointF(x, y), 1.6, QColor(255, 255, 255, level));
    }
    for (int i = 0; i < 6; ++i) { // speed streaks
        const double x = 40 + i * 48 + (i % 2) * 11, y = std::fmod(i * 53 + ph * 240 * 3, 280.0) - 40;
        QLinearGradient g(x, y, x, y + 36);
        g.setColorAt(0, QColor(255, 255, 255, 0));
        g.setColorAt(1, QColor(200, 230, 255, 90));
        p.setPen(QPen(QBrush(g), 1.5));
        p.drawLine(QPointF(x, y), QPointF(x, y + 36));
    }

    const double bob = 3 * std::sin(a);
    const QPointF nozzle(160, 96 + bob + 52);

    // Smoke puffs drift down and fade out.
    for (int i = 0; i < 9; ++i) {
        const double q = std::fmod(ph + i / 9.0, 1.0);
        const double x = nozzle.x() + std::sin(i * 2.1 + q * 3) * (5 + q * 28);
        const double y = nozzle.y() + 18 + q * 100;
        softBlob(p, QPointF(x, y), 8 + q * 26, QColor(225, 228, 238, int(170 * std::pow(1 - q, 1.3))));
    }

    p.save();
    p.translate(160, 96 + bob);
    p.rotate(3 * std::sin(a + 1));

    // Flame: its length and width flicker with whole-loop periods.
    {
        const double len = 50 + 10 * std::sin(3 * a) + 5 * std::sin(7 * a + 1);
        const double w = 15 + 2 * std::sin(5 * a);
        QPainterPath outer;
        outer.moveTo(-w, 52);
        outer.cubicTo(-w, 52 + len * 0.4, -w * 0.3, 52 + len * 0.8, 0, 52 + len);
        outer.cubicTo(w * 0.3, 52 + len * 0.8, w, 52 + len * 0.4, w, 52);
        outer.closeSubpath();
        QLinearGradient g(0, 52, 0, 52 + len);
        g.setColorAt(0, QColor(255, 236, 140));
        g.setColorAt(0.45, QColor(255, 140, 20));
        g.setColorAt(1, QColor(255, 60, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(outer);
        const double il = len * (0.55 + 0.08 * std::sin(4 * a + 2)), iw = w * 0.55;
        QPainterPath inner;
        inner.moveTo(-iw, 52);
        inner.cubicTo(-iw, 52 + il * 0.5, -iw * 0.2, 52 + il * 0.85, 0, 52 + il);
        inner.cubicTo(iw * 0.2, 52 + il * 0.85, iw, 52 + il * 0.5, iw, 52);
        inner.closeSubpath();
        QLinearGradient gi(0, 52, 0, 52 + il);
        gi.setColorAt(0, QColor(255, 255, 255));
        gi.setColorAt(1, QColor(255, 230, 80, 0));
        p.setBrush(gi);
        p.drawPath(inner);
    }

    // Fins behind the body.
    const QColor red(214, 40, 40), darkRed(140, 20, 30), ink(35, 35, 55);
    for (int side : {-1, 1}) {
        QPainterPath fin;
        fin.moveTo(side * 20, 8);
        fin.cubicTo(side * 36, 20, side * 42, 34, side * 42, 52);
        fin.lineTo(side * 32, 50);
        fin.lineTo(side * 19, 42);
        fin.closeSubpath();
        QLinearGradient g(0, 8, 0, 52);
        g.setColorAt(0, red);
        g.setColorAt(1, darkRed);
        p.setPen(QPen(ink, 1.4));
        p.setBrush(g);
        p.drawPath(fin);
    }
    // Nozzle.
    {
        QPolygonF nz({QPointF(-13, 40), QPointF(13, 40), QPointF(18, 53), QPointF(-18, 53)});
        QLinearGradient g(-18, 0, 18, 0);
        g.setColorAt(0, QColor(90, 90, 100));
        g.setColorAt(0.4, QColor(190, 190, 200));
        g.setColorAt(1, QColor(70, 70, 80));
        p.setBrush(g);
        p.drawPolygon(nz);
    }
    // Body with a red nose and band.
    QPainterPath body;
    body.moveTo(0, -64);
    body.cubicTo(22, -42, 24, -10, 21, 42);
    body.lineTo(-21, 42);
    body.cubicTo(-24, -10, -22, -42, 0, -64);
    {
        QLinearGradient g(-23, 0, 23, 0);
        g.setColorAt(0, QColor(170, 176, 190));
        g.setColorAt(0.35, QColor(255, 255, 255));
        g.setColorAt(1, QColor(130, 136, 155));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawPath(body);
        p.save();
        p.setClipPath(body);
        QLinearGradient r(-23, 0, 23, 0);
        r.setColorAt(0, darkRed);
        r.setColorAt(0.35, QColor(255, 90, 80));
        r.setColorAt(1, darkRed);
        p.setBrush(r);
        p.drawRect(QRectF(-30, -70, 60, 36));
        p.drawRect(QRectF(-30, 24, 60, 7));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.6));
        p.drawPath(body);
    }
    // Porthole with a friendly little pilot waving.
    {
        const QPointF c(0, -8);
        QRadialGradient glass(QPointF(-4, -12), 14);
        glass.setColorAt(0, QColor(190, 240, 255));
        glass.setColorAt(1, QColor(30, 110, 190));
        p.setBrush(glass);
        p.setPen(QPen(QColor(205, 160, 60), 3.2));
        p.drawEllipse(c, 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 214, 170));
        p.drawEllipse(QPointF(0, -7), 5, 5);
        p.setBrush(ink);
        p.drawEllipse(QPointF(-1.8, -8), 0.9, 0.9);
        p.drawEllipse(QPointF(1.8, -8), 0.9, 0.9);
        p.setPen(QPen(QColor(255, 214, 170), 2, Qt::SolidLine, Qt::RoundCap));
        const double wave = 20 * std::sin(2 * a);
        p.drawLine(QPointF(4, -4), QPointF(4 + 5 * std::sin((30 + wave) * kPi / 180), -4 - 5 * std::cos((30 + wave) * kPi / 180)));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(-5, -13), 3, 2);
    }
    p.restore();
    return img;
}

// ---------------------------------------------------------------- portraits

void drawQuellmore(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    // Warm striped wallpaper.
    QLinearGradient wall(0, 0, 0, 400);
    wall.setColorAt(0, QColor(128, 98, 74));
    wall.setColorAt(1, QColor(86, 60, 45));
    p.fillRect(QRectF(0, 0, 320, 400), wall);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 22));
    for (int x = 0; x < 320; x += 22)
        p.drawRect(QRectF(x, 0, 9, 400));

    // Window at dusk, with the moon and first stars.
    {
        const QRectF glass(206, 34, 92, 124);
        QLinearGradient sky(0, glass.top(), 0, glass.bottom());
        sky.setColorAt(0, QColor(38, 46, 110));
        sky.setColorAt(0.65, QColor(150, 100, 140));
        sky.setColorAt(1, QColor(245, 160, 95));
        p.fillRect(glass, sky);
        softBlob(p, QPointF(270, 62), 20, QColor(255, 250, 210, 120));
        p.setBrush(QColor(255, 250, 215));
        p.drawEllipse(QPointF(270, 62), 10, 10);
        for (QPointF s : {QPointF(222, 48), QPointF(240, 80), QPointF(288, 96), QPointF(230, 104)})
            star(p, s, 2.5, QColor(255, 255, 230));
        // Rooftops far away.
        p.setBrush(QColor(60, 45, 70));
        p.drawPolygon(QPolygonF({QPointF(206, 158), QPointF(206, 134), QPointF(226, 122), QPointF(244, 136), QPointF(258, 128),
                                 QPointF(276, 138), QPointF(298, 126), QPointF(298, 158)}));
        p.setPen(QPen(QColor(92, 58, 32), 7));
        p.setBrush(Qt::NoBrush);
        p.drawRect(glass);
        p.setPen(QPen(QColor(92, 58, 32), 4));
        p.drawLine(QPointF(252, 34), QPointF(252, 158));
        p.drawLine(QPointF(206, 96), QPointF(298, 96));
        // Curtain.
        QPainterPath curtain;
        curtain.moveTo(300, 20);
        curtain.lineTo(320, 20);
        curtain.lineTo(320, 200);
        curtain.cubicTo(305, 180, 290, 120, 296, 20);
        QLinearGradient cg(290, 0, 320, 0);
        cg.setColorAt(0, QColor(170, 30, 40));
        cg.setColorAt(1, QColor(100, 10, 25));
        p.setPen(Qt::NoPen);
        p.setBrush(cg);
        p.drawPath(curtain);
    }

    // A shelf of books.
    {
        p.setBrush(QColor(92, 58, 32));
        p.drawRect(QRectF(0, 96, 118, 7));
        Rng rng(31);
        const QColor spines[] = {QColor(130, 30, 40), QColor(30, 60, 120), QColor(40, 100, 60), QColor(150, 110, 40), QColor(90, 40, 100)};
        double x = 6;
        int i = 0;
        while (x < 104) {
            const double w = rng.range(8, 13), h = rng.range(30, 42);
            p.setBrush(spines[i++ % 5]);
            p.drawRect(QRectF(x, 96 - h, w, h));
            p.setBrush(QColor(230, 190, 80));
            p.drawRect(QRectF(x + 1, 96 - h + 5, w - 2, 2));
            x += w + 1;
        }
    }

    // The author: green frock coat, white shirt, red bow tie.
    const QColor coat(38, 92, 68), coatDark(22, 58, 42), skin(246, 208, 172), hair(168, 88, 40), ink(45, 30, 25);
    {
        QPainterPath torso;
        torso.moveTo(64, 340);
        torso.cubicTo(62, 250, 80, 206, 120, 196);
        torso.lineTo(180, 196);
        torso.cubicTo(220, 206, 238, 250, 236, 340);
        torso.closeSubpath();
        QLinearGradient g(60, 0, 240, 0);
        g.setColorAt(0, coatDark);
        g.setColorAt(0.45, coat);
        g.setColorAt(1, coatDark);
        p.setBrush(g);
        p.drawPath(torso);
        p.setBrush(QColor(250, 248, 240));
        p.drawPolygon(QPolygonF({QPointF(130, 194), QPointF(170, 194), QPointF(150, 250)}));
        p.setBrush(QColor(60, 120, 90));
        p.drawPolygon(QPolygonF({QPointF(124, 196), QPointF(148, 252), QPointF(130, 262), QPointF(112, 206)}));
        p.drawPolygon(QPolygonF({QPointF(176, 196), QPointF(152, 252), QPointF(170, 262), QPointF(188, 206)}));
        p.setBrush(QColor(200, 30, 40));
        p.drawPolygon(QPolygonF({QPointF(150, 204), QPointF(134, 196), QPointF(134, 212)}));
        p.drawPolygon(QPolygonF({QPointF(150, 204), QPointF(166, 196), QPointF(166, 212)}));
        p.drawEllipse(QPointF(150, 204), 4, 4);
        p.setBrush(QColor(230, 190, 80));
        for (int y : {272, 296})
            p.drawEllipse(QPointF(146, y), 3, 3);
    }
    {
        p.setBrush(skin.darker(108));
        p.drawRect(QRectF(139, 172, 22, 24));
        // Curly hair behind the head.
        p.setBrush(hair);
        for (int i = 0; i < 9; ++i) {
            const double ang = kPi * (1.05 + i * 0.11);
            p.drawEllipse(QPointF(150 + 36 * std::cos(ang) * 1.05, 134 + 40 * std::sin(ang)), 13, 13);
        }
        p.drawEllipse(QPointF(114, 140), 10, 16);
        p.drawEllipse(QPointF(186, 140), 10, 16);
        // Face.
        p.setBrush(skin);
        p.drawEllipse(QPointF(117, 146), 6, 9);
        p.drawEllipse(QPointF(183, 146), 6, 9);
        QRadialGradient face(QPointF(144, 130), 48);
        face.setColorAt(0, skin.lighter(106));
        face.setColorAt(1, skin.darker(106));
        p.setBrush(face);
        p.drawEllipse(QPointF(150, 142), 31, 38);
        // Fringe curls.
        p.setBrush(hair);
        for (int i = 0; i < 5; ++i)
            p.drawEllipse(QPointF(128 + i * 11, 108 + (i % 2) * 3), 9, 8);
        // Rosy cheeks.
        softBlob(p, QPointF(130, 156), 9, QColor(240, 120, 120, 120));
        softBlob(p, QPointF(170, 156), 9, QColor(240, 120, 120, 120));
        // Eyes behind round spectacles.
        p.setBrush(ink);
        p.drawEllipse(QPointF(138, 141), 3, 3.5);
        p.drawEllipse(QPointF(162, 141), 3, 3.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(139, 140), 1, 1);
        p.drawEllipse(QPointF(163, 140), 1, 1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(150, 110, 40), 1.8));
        p.drawEllipse(QPointF(138, 141), 10, 9);
        p.drawEllipse(QPointF(162, 141), 10, 9);
        p.drawLine(QPointF(148, 140), QPointF(152, 140));
        p.setPen(QPen(hair.darker(120), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(128, 124, 20, 10), 30 * 16, 120 * 16);
        p.drawArc(QRectF(152, 124, 20, 10), 30 * 16, 120 * 16);
        // Nose and a warm smile.
        p.setPen(QPen(skin.darker(135), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(144, 144, 10, 12), 200 * 16, 140 * 16);
        p.setPen(QPen(QColor(150, 50, 50), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(136, 152, 28, 18), 200 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
    }

    // The desk: top surface in perspective, front panel below.
    {
        QLinearGradient top(0, 300, 0, 332);
        top.setColorAt(0, QColor(150, 96, 52));
        top.setColorAt(1, QColor(120, 74, 38));
        p.setBrush(top);
        p.drawPolygon(QPolygonF({QPointF(10, 300), QPointF(310, 300), QPointF(320, 332), QPointF(0, 332)}));
        QLinearGradient front(0, 332, 0, 400);
        front.setColorAt(0, QColor(104, 62, 30));
        front.setColorAt(1, QColor(70, 40, 20));
        p.setBrush(front);
        p.drawRect(QRectF(0, 332, 320, 68));
        p.setPen(QPen(QColor(60, 34, 16, 120), 1));
        for (int i = 0; i < 6; ++i) {
            QPainterPath grain;
            grain.moveTo(0, 344 + i * 10);
            for (int x = 0; x <= 320; x += 20)
                grain.lineTo(x, 344 + i * 10 + 2.5 * std::sin(x * 0.05 + i));
            p.setBrush(Qt::NoBrush);
            p.drawPath(grain);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 160, 70));
        p.drawEllipse(QPointF(160, 366), 6, 6); // drawer knob
    }
    // Paper with lines of writing.
    {
        p.setBrush(QColor(250, 244, 222));
        p.drawPolygon(QPolygonF({QPointF(132, 304), QPointF(212, 302), QPointF(222, 330), QPointF(126, 332)}));
        p.setPen(QPen(QColor(60, 60, 110), 1));
        for (int i = 0; i < 5; ++i) {
            const double y = 309 + i * 4.6;
            QPainterPath line;
            line.moveTo(136 - i * 0.4, y);
            for (int x = 0; x < 60 - (i == 4 ? 26 : 0); x += 4)
                line.lineTo(136 - i * 0.4 + x, y + std::sin(x * 1.3 + i) * 0.9);
            p.drawPath(line);
        }
        p.setPen(Qt::NoPen);
    }
    // Arms resting on the desk, the right hand holding the quill.
    {
        p.setBrush(coatDark);
        QPainterPath left;
        left.moveTo(70, 250);
        left.cubicTo(64, 290, 80, 316, 112, 318);
        left.lineTo(118, 300);
        left.cubicTo(96, 296, 92, 276, 96, 248);
        p.drawPath(left);
        QPainterPath right;
        right.moveTo(230, 250);
        right.cubicTo(236, 290, 220, 314, 196, 320);
        right.lineTo(190, 302);
        right.cubicTo(206, 296, 206, 276, 204, 248);
        p.drawPath(right);
        p.setBrush(QColor(250, 248, 240));
        p.drawEllipse(QPointF(116, 310), 6, 9);
        p.drawEllipse(QPointF(192, 312), 6, 9);
        p.setBrush(skin);
        p.drawEllipse(QPointF(126, 312), 10, 8);
        p.drawEllipse(QPointF(182, 314), 10, 8);
        // Quill: a long feather from the paper up past the hand.
        QPainterPath feather;
        feather.moveTo(176, 324);
        feather.cubicTo(200, 290, 222, 262, 246, 236);
        feather.cubicTo(238, 262, 222, 290, 184, 318);
        feather.closeSubpath();
        QLinearGradient fg(176, 324, 246, 236);
        fg.setColorAt(0, QColor(235, 230, 215));
        fg.setColorAt(1, QColor(255, 255, 250));
        p.setBrush(fg);
        p.drawPath(feather);
        p.setPen(QPen(QColor(170, 160, 140), 1));
        p.drawLine(QPointF(176, 324), QPointF(244, 238));
        p.setPen(Qt::NoPen);
        p.setBrush(skin);
        p.drawEllipse(QPointF(184, 312), 6, 5);
    }
    // Ink pot.
    {
        QLinearGradient g(230, 0, 260, 0);
        g.setColorAt(0, QColor(20, 24, 50));
        g.setColorAt(0.3, QColor(70, 80, 130));
        g.setColorAt(1, QColor(10, 12, 30));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(232, 294, 28, 24), 6, 6);
        p.drawRect(QRectF(240, 288, 12, 8));
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawEllipse(QPointF(238, 302), 2, 5);
    }
    // A stack of books.
    {
        const QColor covers[] = {QColor(120, 28, 36), QColor(30, 58, 116), QColor(36, 96, 56)};
        for (int i = 0; i < 3; ++i) {
            const QRectF r(16 + i * 3, 310 - i * 14, 92 - i * 6, 14);
            p.setBrush(covers[i]);
            p.drawRoundedRect(r, 2, 2);
            p.setBrush(QColor(245, 238, 215));
            p.drawRect(QRectF(r.left() + 4, r.top() + 3, r.width() - 10, r.height() - 6));
            p.setBrush(covers[i]);
            p.drawRect(QRectF(r.left() + 4, r.top() + 3, 10, r.height() - 6));
            p.setBrush(QColor(230, 190, 80));
            p.drawRect(QRectF(r.left() + 7, r.top() + 4, 2, r.height() - 8));
        }
    }
    // A candle and its warm glow.
    {
        p.setBrush(QColor(200, 160, 70));
        p.drawEllipse(QPointF(280, 322), 20, 6);
        QLinearGradient wax(272, 0, 288, 0);
        wax.setColorAt(0, QColor(240, 230, 200));
        wax.setColorAt(1, QColor(205, 190, 150));
        p.setBrush(wax);
        p.drawRect(QRectF(272, 258, 16, 62));
        p.setPen(QPen(ink, 1.5));
        p.drawLine(QPointF(280, 258), QPointF(280, 252));
        p.setPen(Qt::NoPen);
        softBlob(p, QPointF(280, 242), 70, QColor(255, 210, 120, 70));
        QPainterPath flame;
        flame.moveTo(280, 228);
        flame.cubicTo(288, 240, 286, 254, 280, 254);
        flame.cubicTo(274, 254, 272, 240, 280, 228);
        QLinearGradient fg(0, 228, 0, 254);
        fg.setColorAt(0, QColor(255, 200, 60));
        fg.setColorAt(1, QColor(255, 255, 230));
        p.setBrush(fg);
        p.drawPath(flame);
    }
}

void drawEngineer(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    // Brick workshop wall.
    p.fillRect(QRectF(0, 0, 320, 400), QColor(196, 178, 156));
    Rng rng(41);
    p.setPen(Qt::NoPen);
    for (int row = 0; row * 16 < 350; ++row) {
        for (int col = -1; col * 40 < 330; ++col) {
            const double x = col * 40 + (row % 2) * 20;
            const int v = int(rng.range(-16, 16));
            p.setBrush(QColor(150 + v, 72 + v / 2, 52 + v / 3));
            p.drawRect(QRectF(x + 1, row * 16 + 1, 38, 14));
        }
    }
    QLinearGradient shade(0, 0, 0, 350);
    shade.setColorAt(0, QColor(0, 0, 0, 90));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, 0, 320, 350), shade);
    // Floor boards.
    p.setBrush(QColor(120, 84, 52));
    p.drawRect(QRectF(0, 350, 320, 50));
    p.setPen(QPen(QColor(80, 54, 32), 1.2));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(0, 360 + i * 12), QPointF(320, 360 + i * 12));
    p.setPen(Qt::NoPen);

    // ---- the steam engine ----
    const QColor iron(60, 62, 70), brass(214, 170, 70), copper(190, 112, 56);
    // Chimney and its steam.
    {
        QLinearGradient g(266, 0, 294, 0);
        g.setColorAt(0, QColor(40, 40, 46));
        g.setColorAt(0.4, QColor(110, 110, 120));
        g.setColorAt(1, QColor(30, 30, 36));
        p.setBrush(g);
        p.drawRect(QRectF(268, 96, 24, 120));
        p.drawPolygon(QPolygonF({QPointF(260, 84), QPointF(300, 84), QPointF(294, 98), QPointF(266, 98)}));
        const QPointF puffs[] = {QPointF(282, 70), QPointF(270, 50), QPointF(292, 38), QPointF(262, 24), QPointF(286, 14),
                                 QPointF(304, 26)};
        for (int i = 0; i < 6; ++i)
            softBlob(p, puffs[i], 16 + i * 2.5, QColor(245, 245, 250, 230 - i * 22));
    }
    // Boiler: a green drum with brass bands and rivets.
    {
        QLinearGradient g(0, 196, 0, 292);
        g.setColorAt(0, QColor(30, 80, 56));
        g.setColorAt(0.35, QColor(80, 160, 110));
        g.setColorAt(1, QColor(20, 60, 40));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(166, 200, 146, 88), 30, 40);
        for (int x : {196, 242, 288}) {
            QLinearGradient b(0, 200, 0, 288);
            b.setColorAt(0, brass.darker(140));
            b.setColorAt(0.35, brass.lighter(130));
            b.setColorAt(1, brass.darker(150));
            p.setBrush(b);
            p.drawRect(QRectF(x, 200, 7, 88));
            p.setBrush(brass.darker(170));
            for (int y = 208; y < 284; y += 12)
                p.drawEllipse(QPointF(x + 3.5, y), 1.4, 1.4);
        }
    }
    // Copper pipe up to a brass whistle letting off a jet of steam.
    {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(copper, 7, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        QPainterPath pipe;
        pipe.moveTo(226, 200);
        pipe.lineTo(226, 150);
        pipe.lineTo(252, 150);
        pipe.lineTo(252, 132);
        p.drawPath(pipe);
        p.setPen(QPen(copper.lighter(140), 2));
        p.drawPath(pipe);
        p.setPen(Qt::NoPen);
        p.setBrush(brass);
        p.drawRoundedRect(QRectF(246, 114, 12, 20), 3, 3);
        softBlob(p, QPointF(252, 104), 10, QColor(255, 255, 255, 220));
        softBlob(p, QPointF(244, 92), 12, QColor(255, 255, 255, 160));
    }
    // Pressure gauge.
    {
        p.setPen(QPen(copper, 5));
        p.drawLine(QPointF(200, 200), QPointF(200, 186));
        p.setPen(QPen(brass, 4));
        p.setBrush(QColor(252, 250, 240));
        p.drawEllipse(QPointF(200, 170), 17, 17);
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        for (int i = 0; i <= 8; ++i) {
            const double ang = kPi * (0.75 + i * 0.1875);
            p.drawLine(QPointF(200 + 11 * std::cos(ang), 170 + 11 * std::sin(ang)),
                       QPointF(200 + 14 * std::cos(ang), 170 + 14 * std::sin(ang)));
        }
        p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(200, 170), QPointF(209, 162));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawEllipse(QPointF(200, 170), 2, 2);
    }
    // Base, cylinder, connecting rod and the big flywheel.
    {
        p.setBrush(iron);
        p.drawRect(QRectF(156, 288, 162, 18));
        QLinearGradient cyl(0, 300, 0, 330);
        cyl.setColorAt(0, QColor(90, 92, 100));
        cyl.setColorAt(0.4, QColor(170, 172, 180));
        cyl.setColorAt(1, QColor(50, 52, 60));
        p.setBrush(cyl);
        p.drawRoundedRect(QRectF(160, 306, 52, 26), 4, 4);
        p.setBrush(iron.darker(120));
        p.drawRect(QRectF(160, 332, 52, 18));
        const QPointF hub(268, 318), crank(268 + 22, 318 - 14);
        p.setPen(QPen(QColor(200, 200, 210), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(212, 319), QPointF(232, 319));
        p.setPen(QPen(QColor(150, 150, 160), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(232, 319), crank);
        QColor wheel(150, 36, 36);
        p.setPen(QPen(wheel, 4));
        for (int i = 0; i < 6; ++i) {
            const double ang = i * kPi / 3 + 0.3;
            p.drawLine(hub, QPointF(hub.x() + 40 * std::cos(ang), hub.y() + 40 * std::sin(ang)));
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(wheel, 9));
        p.drawEllipse(hub, 42, 42);
        p.setPen(QPen(wheel.lighter(150), 2));
        p.drawArc(QRectF(hub.x() - 45, hub.y() - 45, 90, 90), 60 * 16, 80 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(brass);
        p.drawEllipse(hub, 8, 8);
        p.drawEllipse(crank, 4, 4);
    }

    // ---- the engineer ----
    const QColor skin(240, 200, 165), overalls(44, 78, 150), shirt(236, 230, 214), tash(110, 62, 30);
    // Legs and boots.
    p.setBrush(overalls.darker(115));
    p.drawRect(QRectF(54, 232, 30, 140));
    p.drawRect(QRectF(88, 232, 30, 140));
    p.setBrush(QColor(30, 24, 22));
    p.drawRoundedRect(QRectF(46, 366, 40, 20), 7, 7);
    p.drawRoundedRect(QRectF(86, 366, 40, 20), 7, 7);
    // Shirt body and arms.
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(48, 164, 76, 80), 16, 16);
    {
        // Left arm hangs down, holding a big spanner.
        QPainterPath arm;
        arm.moveTo(52, 172);
        arm.cubicTo(36, 200, 34, 230, 38, 256);
        arm.lineTo(52, 256);
        arm.cubicTo(50, 230, 56, 206, 64, 182);
        p.drawPath(arm);
        p.setBrush(skin);
        p.drawEllipse(QPointF(45, 262), 9, 9);
        p.save();
        p.translate(45, 262);
        p.rotate(18);
        QLinearGradient steel(-5, 0, 5, 0);
        steel.setColorAt(0, QColor(120, 124, 136));
        steel.setColorAt(0.5, QColor(220, 224, 232));
        steel.setColorAt(1, QColor(100, 104, 116));
        p.setBrush(steel);
        p.drawRoundedRect(QRectF(-4, -6, 8, 70), 3, 3);
        QPainterPath jaw;
        jaw.addEllipse(QPointF(0, 70), 11, 11);
        QPainterPath mouth;
        mouth.addRect(QRectF(-4.5, 68, 9, 16));
        p.drawPath(jaw.subtracted(mouth));
        p.restore();
        // Right arm reaches out to tap the gauge.
        p.setBrush(shirt);
        QPainterPath arm2;
        arm2.moveTo(116, 170);
        arm2.cubicTo(140, 178, 152, 186, 168, 176);
        arm2.lineTo(172, 188);
        arm2.cubicTo(152, 200, 136, 196, 112, 190);
        p.drawPath(arm2);
        p.setBrush(skin);
        p.drawEllipse(QPointF(174, 180), 8, 7);
        p.setPen(QPen(skin, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(178, 177), QPointF(186, 173));
        p.setPen(Qt::NoPen);
    }
    // Overalls: bib, straps, brass buttons and a pocket with a red rag.
    p.setBrush(overalls);
    p.drawRect(QRectF(60, 196, 52, 48));
    p.drawRect(QRectF(52, 236, 68, 20));
    p.setPen(QPen(overalls, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(64, 198), QPointF(60, 166));
    p.drawLine(QPointF(108, 198), QPointF(112, 166));
    p.setPen(Qt::NoPen);
    p.setBrush(brass);
    p.drawEllipse(QPointF(66, 202), 3, 3);
    p.drawEllipse(QPointF(106, 202), 3, 3);
    p.setBrush(overalls.darker(130));
    p.drawRect(QRectF(74, 212, 24, 16));
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(92, 212), QPointF(100, 202), QPointF(104, 214)}));
    // Neck, neckerchief and head.
    p.setBrush(skin.darker(108));
    p.drawRect(QRectF(76, 150, 20, 18));
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(70, 162), QPointF(102, 162), QPointF(86, 180)}));
    p.setBrush(skin);
    p.drawEllipse(QPointF(59, 128), 5, 8);
    p.drawEllipse(QPointF(113, 128), 5, 8);
    QRadialGradient face(QPointF(80, 118), 36);
    face.setColorAt(0, skin.lighter(106));
    face.setColorAt(1, skin.darker(108));
    p.setBrush(face);
    p.drawEllipse(QPointF(86, 126), 27, 31);
    p.setBrush(tash);
    p.drawRect(QRectF(58, 112, 6, 22)); // sideburns
    p.drawRect(QRectF(108, 112, 6, 22));
    softBlob(p, QPointF(70, 136), 8, QColor(240, 110, 110, 120));
    softBlob(p, QPointF(102, 136), 8, QColor(240, 110, 110, 120));
    p.setBrush(QColor(40, 30, 25));
    p.drawEllipse(QPointF(76, 122), 2.8, 3.2);
    p.drawEllipse(QPointF(96, 122), 2.8, 3.2);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(77, 121), 0.9, 0.9);
    p.drawEllipse(QPointF(97, 121), 0.9, 0.9);
    p.setPen(QPen(tash, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(70, 114), QPointF(81, 113));
    p.drawLine(QPointF(91, 113), QPointF(102, 114));
    p.setPen(QPen(skin.darker(130), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(81, 124, 10, 12), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    // A grand curly moustache over a big smile.
    p.setBrush(QColor(150, 50, 50));
    p.drawChord(QRectF(74, 134, 24, 16), 180 * 16, 180 * 16);
    p.setBrush(tash);
    QPainterPath moustache;
    moustache.moveTo(86, 136);
    moustache.cubicTo(80, 128, 64, 132, 60, 140);
    moustache.cubicTo(64, 136, 70, 142, 86, 140);
    moustache.cubicTo(102, 142, 108, 136, 112, 140);
    moustache.cubicTo(108, 132, 92, 128, 86, 136);
    p.drawPath(moustache);
    // Tall top hat with a red band.
    QLinearGradient hat(58, 0, 114, 0);
    hat.setColorAt(0, QColor(20, 20, 24));
    hat.setColorAt(0.4, QColor(70, 70, 80));
    hat.setColorAt(1, QColor(15, 15, 18));
    p.setBrush(hat);
    p.drawRect(QRectF(60, 40, 52, 60));
    p.drawEllipse(QPointF(86, 41), 26, 5);
    p.setBrush(QColor(170, 30, 36));
    p.drawRect(QRectF(60, 86, 52, 9));
    p.setBrush(hat);
    p.drawEllipse(QPointF(86, 100), 40, 7);
}

QImage portrait(void (*draw)(QPainter&))
{
    QImage img(320, 400, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    draw(p);
    return img;
}

// The quiz's small picture: a landscape crop of the portrait.
QImage small(void (*draw)(QPainter&), QRect crop)
{
    return portrait(draw).copy(crop).scaled(57, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---------------------------------------------------------------- logo

const QColor kNavy(20, 40, 104), kGold(232, 190, 64), kStream(46, 128, 214), kPage(252, 250, 240);

void drawBookPages(QPainter& p, QPointF spine, double halfWidth, double height, const QColor& outline)
{
    for (int side : {-1, 1}) {
        QPainterPath page;
        page.moveTo(spine.x(), spine.y() - height / 2 + 2);
        page.quadTo(spine.x() + side * halfWidth * 0.5, spine.y() - height / 2 - 3, spine.x() + side * halfWidth, spine.y() - height / 2);
        page.lineTo(spine.x() + side * halfWidth, spine.y() + height / 2);
        page.quadTo(spine.x() + side * halfWidth * 0.5, spine.y() + height / 2 - 3, spine.x(), spine.y() + height / 2 + 2);
        page.closeSubpath();
        QLinearGradient g(spine.x(), 0, spine.x() + side * halfWidth, 0);
        g.setColorAt(0, QColor(214, 210, 196));
        g.setColorAt(0.25, kPage);
        g.setColorAt(1, kPage);
        p.setBrush(g);
        p.setPen(QPen(outline, 1.2));
        p.drawPath(page);
        p.setPen(QPen(QColor(150, 150, 160), 1));
        for (int l = 0; l < 4; ++l) {
            const double y = spine.y() - height / 2 + 6 + l * (height - 10) / 4;
            p.drawLine(QPointF(spine.x() + side * 5, y), QPointF(spine.x() + side * (halfWidth - 5), y));
        }
    }
}

void drawStream(QPainter& p, const QPainterPath& path, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kStream, width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(QPen(QColor(160, 215, 250), width * 0.35, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

QImage logoBitmap()
{
    QImage img(120, 89, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, 0, 89);
    bg.setColorAt(0, QColor(236, 244, 252));
    bg.setColorAt(1, QColor(252, 250, 240));
    p.fillRect(img.rect(), bg);
    QPainterPath brook;
    brook.moveTo(60, 40);
    brook.cubicTo(44, 46, 40, 50, 62, 54);
    brook.cubicTo(84, 58, 70, 62, 20, 62);
    drawStream(p, brook, 6);
    drawBookPages(p, QPointF(60, 24), 30, 28, kNavy);
    p.setPen(kNavy);
    p.setFont(font(QStringLiteral("Liberation Serif"), 17, true));
    p.drawText(QRectF(0, 63, 120, 24), Qt::AlignCenter, QStringLiteral("LUMBROOK"));
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 118, 87));
    return img;
}

// A fixed palette for the GIF frames: a colour cube plus ramps through the
// logo's own colours, so edges stay smooth without dithering noise.
QList<QRgb> logoPalette()
{
    QList<QRgb> pal;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                pal << qRgb(r * 51, g * 51, b * 51);
    const QColor bg(49, 135, 214), navyDeep(10, 24, 78);
    auto ramp = [&](QColor a, QColor b, int steps) {
        for (int i = 0; i <= steps; ++i)
            pal << mix(a, b, double(i) / steps).rgb();
    };
    ramp(navyDeep, kNavy, 4);
    ramp(kNavy, kGold, 4);
    ramp(kGold, Qt::white, 3);
    ramp(kNavy, kStream, 4);
    ramp(kStream, Qt::white, 3);
    ramp(QColor(200, 196, 184), kPage, 4);
    ramp(kNavy, kPage, 4);
    ramp(bg, kNavy, 3);
    ramp(bg, kGold, 2);
    while (pal.size() > 256)
        pal.removeLast();
    return pal;
}

QImage logoFrame(int frame)
{
    QImage img(120, 120, QImage::Format_RGB32);
    img.fill(QColor(49, 135, 214)); // the logo box's own colour
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPointF c(60, 60);
    QRadialGradient disc(QPointF(52, 48), 64);
    disc.setColorAt(0, kNavy);
    disc.setColorAt(1, QColor(10, 24, 78));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, 55, 55);
    QPainterPath clip;
    clip.addEllipse(c, 53, 53);
    p.save();
    p.setClipPath(clip);

    // The brook runs under the book; its sparkles travel one lap per loop.
    QPainterPath brook;
    brook.moveTo(0, 72);
    for (int x = 0; x <= 120; x += 4)
        brook.lineTo(x, 72 + 3 * std::sin(x / 11.0 + frame * kTwoPi / kLogoFrames));
    drawStream(p, brook, 9);
    for (int s = 0; s < 5; ++s) {
        const double x = std::fmod(s * 24 + frame * 6.0, 120.0);
        const double y = 72 + 3 * std::sin(x / 11.0 + frame * kTwoPi / kLogoFrames);
        const double r = 2.2 + 1.3 * std::sin(frame * kTwoPi / 10 + s);
        star(p, QPointF(x, y), r, QColor(255, 255, 255));
    }

    // The open book; one page turns over in the first twelve frames.
    const QPointF spine(60, 44);
    drawBookPages(p, spine, 30, 28, kGold);
    if (frame > 0 && frame < 12) {
        double t = frame / 12.0;
        t = t * t * (3 - 2 * t);
        const double edge = spine.x() + 30 * std::cos(kPi * t);
        const double lift = 7 * std::sin(kPi * t);
        QPainterPath page;
        page.moveTo(spine.x(), spine.y() - 13);
        page.quadTo((spine.x() + edge) / 2, spine.y() - 18 - lift, edge, spine.y() - 15 - lift);
        page.lineTo(edge, spine.y() + 15 - lift);
        page.quadTo((spine.x() + edge) / 2, spine.y() + 12 - lift, spine.x(), spine.y() + 17);
        page.closeSubpath();
        const int shade = int(205 + 47 * std::abs(std::cos(kPi * t)));
        p.setBrush(QColor(shade, shade - 2, shade - 12));
        p.setPen(QPen(kGold, 1.2));
        p.drawPath(page);
    }
    p.setPen(kGold);
    p.setFont(font(QStringLiteral("Liberation Serif"), 11, true));
    p.drawText(QRectF(10, 80, 100, 16), Qt::AlignCenter, QStringLiteral("LUMBROOK"));
    p.restore();

    // Gold ring with a glint that circles once per loop.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 3));
    p.drawEllipse(c, 54, 54);
    const double ang = frame * kTwoPi / kLogoFrames - kPi / 2;
    star(p, QPointF(c.x() + 54 * std::cos(ang), c.y() + 54 * std::sin(ang)), 5, QColor(255, 255, 255));
    p.end();
    return img.convertToFormat(QImage::Format_Indexed8, logoPalette(), Qt::ThresholdDither | Qt::AvoidDither);
}

QString frameName(const char* pattern, int n) { return QString::asprintf(pattern, n); }

} // namespace

std::vector<NamedImage> allImages()
{
    std::vector<NamedImage> out;
    for (int f = 1; f <= kRocketFrames; ++f)
        out.push_back({frameName("rocketsm/rocket%02d.jpg", f), [f] { return rocketFrame(f - 1); }});
    out.push_back({QStringLiteral("images/quellmore2.jpg"), [] { return portrait(drawQuellmore); }});
    out.push_back({QStringLiteral("images/quellmoresm.jpg"), [] { return small(drawQuellmore, QRect(20, 60, 280, 202)); }});
    out.push_back({QStringLiteral("images/engineer.jpg"), [] { return portrait(drawEngineer); }});
    out.push_back({QStringLiteral("images/engineersm.jpg"), [] { return small(drawEngineer, QRect(0, 30, 320, 230)); }});
    out.push_back({QStringLiteral("logo/lumbrook2.bmp"), logoBitmap});
    for (NamedImage& img : activityPictures())
        out.push_back(std::move(img));
    return out;
}

std::vector<NamedImage> logoFrames()
{
    std::vector<NamedImage> out;
    for (int f = 0; f < kLogoFrames; ++f)
        out.push_back({frameName("logo/lumb%04d.gif", f), [f] { return logoFrame(f); }});
    return out;
}

} // namespace genmedia
