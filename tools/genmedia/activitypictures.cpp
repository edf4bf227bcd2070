// The activities' pictures: four scenes from Quellmore's books and four
// inventions. Each is drawn for the rectangle its window stretches it to, at
// twice the screen's pixel size so it stays crisp when scaled.

#include "media.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace genmedia {

namespace {

constexpr double kTwipsPerPixel = 15;

QLinearGradient vertical(double top, double bottom, QColor a, QColor b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void fill(QPainter& p, const QPainterPath& path, const QBrush& brush, QColor outline = QColor(0, 0, 0, 0), double width = 1.5)
{
    p.setBrush(brush);
    p.setPen(outline.alpha() ? QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.drawPath(path);
}

QPainterPath rect(double x, double y, double w, double h, double r = 0)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath ellipse(QPointF c, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

// A simple child seen from the front: head, hair, dress or coat, legs.
void child(QPainter& p, QPointF feet, double h, QColor clothes, QColor hair, bool plaits)
{
    const double s = h / 100;
    const QColor skin(244, 200, 160), ink(50, 30, 20);
    const double x = feet.x(), y = feet.y();
    p.setPen(QPen(ink, 3 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - 7 * s, y - 30 * s), QPointF(x - 7 * s, y));
    p.drawLine(QPointF(x + 7 * s, y - 30 * s), QPointF(x + 7 * s, y));
    fill(p, polygon({QPointF(x - 10 * s, y - 72 * s), QPointF(x + 10 * s, y - 72 * s), QPointF(x + 20 * s, y - 26 * s),
                     QPointF(x - 20 * s, y - 26 * s)}),
         clothes, ink, 1.5 * s);
    fill(p, ellipse(QPointF(x, y - 84 * s), 12 * s, 13 * s), skin, ink, 1.2 * s);
    QPainterPath fringe;
    fringe.moveTo(x - 13 * s, y - 82 * s);
    fringe.cubicTo(x - 14 * s, y - 102 * s, x + 14 * s, y - 102 * s, x + 13 * s, y - 82 * s);
    fringe.cubicTo(x + 6 * s, y - 92 * s, x - 6 * s, y - 92 * s, x - 13 * s, y - 82 * s);
    fill(p, fringe, hair);
    if (plaits) {
        fill(p, ellipse(QPointF(x - 15 * s, y - 70 * s), 3.5 * s, 12 * s), hair);
        fill(p, ellipse(QPointF(x + 15 * s, y - 70 * s), 3.5 * s, 12 * s), hair);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(x - 4.5 * s, y - 85 * s), 1.6 * s, 1.8 * s);
    p.drawEllipse(QPointF(x + 4.5 * s, y - 85 * s), 1.6 * s, 1.8 * s);
    p.setPen(QPen(ink, 1.3 * s, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x - 5 * s, y - 82 * s, 10 * s, 6 * s), 200 * 16, 140 * 16);
}

QPainterPath waves(double top, double width, double height, double phase)
{
    QPainterPath w;
    w.moveTo(0, top + height);
    for (double x = 0; x <= width + 4; x += 4)
        w.lineTo(x, top + 4 * std::sin(x / 13 + phase) + 2 * std::sin(x / 5 + phase * 2));
    w.lineTo(width, top + height + 200);
    w.lineTo(0, top + height + 200);
    w.closeSubpath();
    return w;
}

// ---------------------------------------------------------------- books

// Nell at the tiller of her barge on a canal under a summer sky.
void drawNell(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), vertical(0, h * 0.6, QColor(120, 180, 235), QColor(205, 230, 245)));
    softBlob(p, QPointF(w * 0.85, h * 0.14), 30, QColor(255, 245, 180, 220));
    // Green banks with a towpath and a tree.
    fill(p, polygon({QPointF(0, h * 0.5), QPointF(w, h * 0.46), QPointF(w, h * 0.62), QPointF(0, h * 0.62)}), QColor(92, 160, 80));
    p.fillRect(QRectF(0, h * 0.56, w, h * 0.04), QColor(196, 170, 120));
    fill(p, rect(w * 0.12, h * 0.28, 6, h * 0.24), QColor(100, 70, 40));
    fill(p, ellipse(QPointF(w * 0.12 + 3, h * 0.27), 24, 20), QColor(60, 130, 60));
    // Canal water.
    p.fillRect(QRectF(0, h * 0.62, w, h), vertical(h * 0.62, h, QColor(70, 120, 160), QColor(40, 80, 120)));
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(10 + i * 40, h * 0.9 + (i % 2) * 8), QPointF(28 + i * 40, h * 0.9 + (i % 2) * 8));
    // The long, narrow barge: red hull, green cabin with round windows.
    const double deck = h * 0.7;
    fill(p, polygon({QPointF(8, deck), QPointF(w - 18, deck), QPointF(w - 4, deck - 6), QPointF(w - 24, deck + 20), QPointF(18, deck + 20)}),
         QColor(176, 40, 40), QColor(70, 20, 20));
    p.fillRect(QRectF(16, deck + 5, w - 46, 4), QColor(240, 200, 60));
    fill(p, rect(40, deck - 30, w * 0.6, 30, 3), QColor(40, 110, 70), QColor(20, 50, 30));
    for (int i = 0; i < 4; ++i)
        fill(p, ellipse(QPointF(58 + i * 28, deck - 15), 5, 5), QColor(250, 230, 150), QColor(120, 90, 30), 1);
    fill(p, rect(w * 0.5, deck - 44, 5, 14), QColor(40, 40, 40));
    for (int i = 0; i < 3; ++i)
        softBlob(p, QPointF(w * 0.5 + 2 + i * 6, deck - 52 - i * 10), 6 + i * 2, QColor(180, 180, 190, 160));
    // Nell stands at the stern with her hand on the tiller.
    child(p, QPointF(24, deck), 78, QColor(60, 90, 170), QColor(200, 110, 40), true);
    p.setPen(QPen(QColor(90, 55, 25), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, deck - 2), QPointF(40, deck - 34));
    p.setPen(QPen(QColor(244, 200, 160), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, deck - 50), QPointF(38, deck - 32));
}

// The lantern boy on the rocks before his lighthouse, in a storm.
void drawLanternBoy(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), vertical(0, h, QColor(24, 28, 52), QColor(70, 80, 110)));
    Rng rng(91);
    for (int i = 0; i < 7; ++i)
        softBlob(p, QPointF(rng.range(0, w), rng.range(10, h * 0.35)), rng.range(30, 50), QColor(120, 125, 150, 90));
    // Beams from the lamp room.
    const QPointF lamp(w * 0.66, h * 0.2);
    for (double dir : {-1.0, 1.0}) {
        QPainterPath beam;
        beam.moveTo(lamp);
        beam.lineTo(lamp.x() + dir * w, lamp.y() - 40);
        beam.lineTo(lamp.x() + dir * w, lamp.y() + 30);
        beam.closeSubpath();
        QLinearGradient g(lamp, QPointF(lamp.x() + dir * w, lamp.y()));
        g.setColorAt(0, QColor(255, 240, 150, 170));
        g.setColorAt(1, QColor(255, 240, 150, 0));
        fill(p, beam, g);
    }
    // The striped tower on its rock.
    fill(p, polygon({QPointF(w * 0.45, h * 0.78), QPointF(w * 0.95, h * 0.78), QPointF(w * 0.88, h * 0.6), QPointF(w * 0.52, h * 0.62)}),
         QColor(70, 65, 70));
    QPainterPath tower = polygon({QPointF(w * 0.58, h * 0.64), QPointF(w * 0.74, h * 0.64), QPointF(w * 0.71, h * 0.25), QPointF(w * 0.61, h * 0.25)});
    fill(p, tower, QColor(245, 245, 240), QColor(40, 40, 50));
    p.save();
    p.setClipPath(tower);
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(0, h * (0.3 + i * 0.12), w, h * 0.06), QColor(200, 40, 40));
    p.restore();
    fill(p, rect(w * 0.6, h * 0.15, w * 0.12, h * 0.1), QColor(255, 230, 120), QColor(40, 40, 50));
    fill(p, polygon({QPointF(w * 0.58, h * 0.15), QPointF(w * 0.74, h * 0.15), QPointF(w * 0.66, h * 0.08)}), QColor(40, 40, 50));
    softBlob(p, lamp, 26, QColor(255, 250, 200, 230));
    // Waves crash against the rocks.
    fill(p, waves(h * 0.74, w, 20, 0.5), vertical(h * 0.74, h, QColor(40, 90, 130), QColor(20, 40, 70)));
    p.setPen(QPen(QColor(230, 240, 255, 200), 2.5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i)
        p.drawArc(QRectF(i * 52 - 6, h * 0.72 + (i % 2) * 10, 34, 16), 0, 180 * 16);
    // Slanting rain.
    p.setPen(QPen(QColor(200, 210, 240, 120), 1));
    for (int i = 0; i < 40; ++i) {
        const double x = rng.range(0, w), y = rng.range(0, h);
        p.drawLine(QPointF(x, y), QPointF(x - 5, y + 12));
    }
    // The boy on the near rock holds up his lantern.
    fill(p, ellipse(QPointF(w * 0.22, h * 0.98), w * 0.28, h * 0.1), QColor(55, 50, 55));
    child(p, QPointF(w * 0.22, h * 0.9), 90, QColor(60, 70, 60), QColor(60, 40, 20), false);
    p.setPen(QPen(QColor(244, 200, 160), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.22 + 8, h * 0.9 - 64), QPointF(w * 0.22 + 24, h * 0.9 - 84));
    const QPointF lantern(w * 0.22 + 28, h * 0.9 - 80);
    softBlob(p, lantern, 34, QColor(255, 200, 80, 200));
    fill(p, rect(lantern.x() - 6, lantern.y() - 4, 12, 16, 2), QColor(255, 220, 110), QColor(60, 40, 20), 1.5);
    p.setPen(QPen(QColor(60, 40, 20), 1.5));
    p.drawLine(QPointF(lantern.x() - 4, lantern.y() - 4), QPointF(lantern.x() - 3, lantern.y() - 8));
    p.drawLine(QPointF(lantern.x() + 4, lantern.y() - 4), QPointF(lantern.x() + 3, lantern.y() - 8));
}

void cottage(QPainter& p, double x, double ground, double w, QColor walls, QColor roof)
{
    fill(p, rect(x, ground - w * 0.6, w, w * 0.6), walls, QColor(90, 70, 50), 1.2);
    fill(p, polygon({QPointF(x - 6, ground - w * 0.58), QPointF(x + w / 2, ground - w * 1.05), QPointF(x + w + 6, ground - w * 0.58)}), roof,
         QColor(90, 70, 50), 1.2);
    fill(p, rect(x + w * 0.4, ground - w * 0.32, w * 0.2, w * 0.32), QColor(110, 60, 40));
    fill(p, rect(x + w * 0.1, ground - w * 0.45, w * 0.2, w * 0.15), QColor(255, 230, 140), QColor(90, 70, 50), 1);
    fill(p, rect(x + w * 0.7, ground - w * 0.45, w * 0.2, w * 0.15), QColor(255, 230, 140), QColor(90, 70, 50), 1);
}

// A village with a circus bear, ruff round its neck, peeping round a haystack.
void drawPipwick(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), vertical(0, h * 0.55, QColor(250, 200, 140), QColor(250, 235, 200)));
    fill(p, ellipse(QPointF(w * 0.3, h * 0.62), w * 0.7, h * 0.18), QColor(130, 180, 90));
    fill(p, ellipse(QPointF(w * 0.9, h * 0.64), w * 0.5, h * 0.16), QColor(110, 165, 80));
    p.fillRect(QRectF(0, h * 0.66, w, h), QColor(120, 170, 80));
    cottage(p, 14, h * 0.62, 56, QColor(240, 225, 190), QColor(190, 150, 70));
    cottage(p, 84, h * 0.58, 44, QColor(235, 215, 200), QColor(150, 60, 50));
    // Church spire far off.
    fill(p, polygon({QPointF(w * 0.62, h * 0.52), QPointF(w * 0.66, h * 0.2), QPointF(w * 0.7, h * 0.52)}), QColor(150, 140, 130));
    // The haystack.
    const QPointF hay(w * 0.7, h * 0.88);
    QPainterPath stack;
    stack.moveTo(hay.x() - 52, hay.y());
    stack.cubicTo(hay.x() - 56, hay.y() - 80, hay.x() + 56, hay.y() - 80, hay.x() + 52, hay.y());
    stack.closeSubpath();
    fill(p, stack, QColor(232, 196, 90), QColor(170, 130, 50));
    p.setPen(QPen(QColor(190, 150, 60), 1.2));
    for (int i = 0; i < 9; ++i)
        p.drawLine(QPointF(hay.x() - 40 + i * 10, hay.y() - 4), QPointF(hay.x() - 36 + i * 9, hay.y() - 40));
    // The bear peeps out from the left of the stack.
    const QColor fur(120, 72, 40), dark(60, 35, 20);
    const QPointF head(hay.x() - 50, hay.y() - 58);
    fill(p, ellipse(QPointF(head.x() + 4, head.y() + 38), 26, 32), fur, dark);
    fill(p, ellipse(QPointF(head.x() - 13, head.y() - 16), 8, 8), fur, dark);
    fill(p, ellipse(QPointF(head.x() + 13, head.y() - 16), 8, 8), fur, dark);
    fill(p, ellipse(head, 22, 20), fur, dark);
    fill(p, ellipse(QPointF(head.x(), head.y() + 7), 10, 8), QColor(200, 160, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(head.x(), head.y() + 3), 4, 3);
    p.drawEllipse(QPointF(head.x() - 8, head.y() - 5), 2.5, 2.5);
    p.drawEllipse(QPointF(head.x() + 8, head.y() - 5), 2.5, 2.5);
    // Its circus ruff and little hat.
    for (int i = 0; i < 9; ++i) {
        const double a = kPi * (0.1 + 0.8 * i / 8.0);
        fill(p, ellipse(QPointF(head.x() + 24 * std::cos(a), head.y() + 18 + 10 * std::sin(a)), 6, 5),
             i % 2 ? QColor(230, 40, 50) : QColor(250, 250, 250), QColor(120, 20, 30), 0.8);
    }
    fill(p, polygon({QPointF(head.x() - 2, head.y() - 18), QPointF(head.x() + 16, head.y() - 22), QPointF(head.x() + 12, head.y() - 44)}),
         QColor(230, 40, 50), QColor(120, 20, 30), 1);
    fill(p, ellipse(QPointF(head.x() + 12, head.y() - 45), 3.5, 3.5), QColor(255, 220, 60));
    // Paw on the hay.
    fill(p, ellipse(QPointF(head.x() + 30, head.y() + 30), 9, 7), fur, dark);
    // A village child has spotted it and puts a finger to her lips.
    child(p, QPointF(w * 0.2, h * 0.96), 66, QColor(190, 70, 120), QColor(240, 200, 90), true);
}

// A tall clock at midnight, snow falling past the window, a candle burning low.
void drawMidnight(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), vertical(0, h, QColor(40, 30, 55), QColor(25, 18, 30)));
    p.fillRect(QRectF(0, h * 0.86, w, h), QColor(60, 40, 30));
    // Window with moon and snow.
    const QRectF glass(w * 0.06, h * 0.12, w * 0.38, h * 0.46);
    p.fillRect(glass, vertical(glass.top(), glass.bottom(), QColor(20, 30, 80), QColor(60, 70, 120)));
    softBlob(p, QPointF(glass.left() + 28, glass.top() + 26), 24, QColor(255, 255, 230, 120));
    fill(p, ellipse(QPointF(glass.left() + 28, glass.top() + 26), 11, 11), QColor(250, 250, 225));
    fill(p, rect(glass.left(), glass.bottom() - 14, glass.width(), 14), QColor(240, 245, 255));
    Rng rng(17);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 30; ++i)
        p.drawEllipse(QPointF(glass.left() + rng.range(2, glass.width() - 2), glass.top() + rng.range(2, glass.height() - 16)), 1.6, 1.6);
    p.setPen(QPen(QColor(90, 60, 40), 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(glass);
    p.setPen(QPen(QColor(90, 60, 40), 3));
    p.drawLine(QPointF(glass.center().x(), glass.top()), QPointF(glass.center().x(), glass.bottom()));
    p.drawLine(QPointF(glass.left(), glass.center().y()), QPointF(glass.right(), glass.center().y()));
    // The tall clock: case, hood, face at twelve, pendulum.
    const double cx = w * 0.7;
    const QColor wood(120, 60, 30), edge(50, 25, 10);
    fill(p, rect(cx - 28, h * 0.36, 56, h * 0.52), wood, edge);
    fill(p, rect(cx - 36, h * 0.84, 72, h * 0.06), wood, edge);
    fill(p, rect(cx - 38, h * 0.06, 76, h * 0.32, 4), wood, edge);
    fill(p, polygon({QPointF(cx - 42, h * 0.07), QPointF(cx, h * 0.0), QPointF(cx + 42, h * 0.07)}), wood, edge);
    const QPointF face(cx, h * 0.22);
    softBlob(p, face, 44, QColor(255, 220, 150, 60));
    fill(p, ellipse(face, 28, 28), QColor(250, 240, 215), QColor(160, 120, 40), 2.5);
    p.setPen(QPen(QColor(40, 30, 20), 1.5));
    for (int i = 0; i < 12; ++i) {
        const double a = kTwoPi * i / 12;
        p.drawLine(QPointF(face.x() + 22 * std::sin(a), face.y() - 22 * std::cos(a)),
                   QPointF(face.x() + 26 * std::sin(a), face.y() - 26 * std::cos(a)));
    }
    p.setPen(QPen(QColor(30, 20, 10), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(face, QPointF(face.x(), face.y() - 14));
    p.setPen(QPen(QColor(30, 20, 10), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(face, QPointF(face.x() + 1, face.y() - 22));
    fill(p, rect(cx - 16, h * 0.46, 32, h * 0.3, 3), QColor(70, 35, 15), edge);
    p.setPen(QPen(QColor(200, 160, 60), 2));
    p.drawLine(QPointF(cx + 4, h * 0.47), QPointF(cx + 8, h * 0.67));
    fill(p, ellipse(QPointF(cx + 8, h * 0.69), 8, 8), QColor(230, 190, 80), QColor(140, 100, 30));
    // A candle on the sill.
    fill(p, rect(w * 0.22, h * 0.62, 8, 22), QColor(245, 240, 220));
    softBlob(p, QPointF(w * 0.22 + 4, h * 0.6), 20, QColor(255, 200, 90, 200));
    fill(p, ellipse(QPointF(w * 0.22 + 4, h * 0.6), 3, 6), QColor(255, 230, 120));
}

// ---------------------------------------------------------------- inventions

// Inventions stand on a dark floor: the window writes each one's name in
// yellow across the bottom of its picture.
void studio(QPainter& p, QSizeF size, double floorAt, QColor wall)
{
    const double w = size.width(), h = size.height();
    p.fillRect(QRectF(0, 0, w, h), vertical(0, floorAt, wall.lighter(130), wall));
    p.fillRect(QRectF(0, floorAt, w, h - floorAt), vertical(floorAt, h, QColor(40, 32, 45), QColor(12, 10, 24)));
    softBlob(p, QPointF(w * 0.5, floorAt * 0.5), w * 0.55, QColor(255, 255, 240, 60));
}

void drawCamera(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    studio(p, size, h * 0.78, QColor(110, 130, 150));
    const QColor leg(120, 80, 40), wood(150, 95, 45), edge(60, 35, 15);
    // Tripod legs.
    p.setPen(QPen(leg, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.42, h * 0.5), QPointF(w * 0.24, h * 0.82));
    p.drawLine(QPointF(w * 0.46, h * 0.5), QPointF(w * 0.5, h * 0.84));
    p.drawLine(QPointF(w * 0.5, h * 0.5), QPointF(w * 0.7, h * 0.82));
    // Wooden box at the back, bellows in front, brass lens.
    fill(p, rect(w * 0.22, h * 0.18, w * 0.24, h * 0.34, 3), wood, edge, 2);
    fill(p, rect(w * 0.25, h * 0.22, w * 0.18, h * 0.26), QColor(120, 75, 35), edge, 1);
    const double bx0 = w * 0.46, bx1 = w * 0.68;
    QPainterPath bellows = polygon({QPointF(bx0, h * 0.19), QPointF(bx1, h * 0.26), QPointF(bx1, h * 0.44), QPointF(bx0, h * 0.51)});
    fill(p, bellows, QColor(30, 28, 30), QColor(10, 10, 10), 1.5);
    p.setPen(QPen(QColor(85, 80, 85), 1.5));
    for (int i = 1; i < 6; ++i) {
        const double x = bx0 + (bx1 - bx0) * i / 6, t = double(i) / 6;
        p.drawLine(QPointF(x, h * (0.19 + 0.07 * t)), QPointF(x, h * (0.51 - 0.07 * t)));
    }
    fill(p, rect(bx1, h * 0.24, w * 0.04, h * 0.22, 1), wood, edge, 1.5);
    QLinearGradient brass(0, h * 0.28, 0, h * 0.42);
    brass.setColorAt(0, QColor(250, 220, 120));
    brass.setColorAt(1, QColor(170, 120, 40));
    fill(p, rect(bx1 + w * 0.04, h * 0.28, w * 0.1, h * 0.14, 2), brass, QColor(110, 80, 20), 1.5);
    fill(p, ellipse(QPointF(bx1 + w * 0.14, h * 0.35), w * 0.02, h * 0.07), QColor(60, 80, 120), QColor(110, 80, 20), 1.5);
    softBlob(p, QPointF(bx1 + w * 0.14, h * 0.33), 4, QColor(255, 255, 255, 200));
    // The photographer's black cloth hangs over the back.
    QPainterPath cloth;
    cloth.moveTo(w * 0.22, h * 0.2);
    cloth.cubicTo(w * 0.1, h * 0.25, w * 0.12, h * 0.5, w * 0.16, h * 0.6);
    cloth.lineTo(w * 0.26, h * 0.56);
    cloth.lineTo(w * 0.26, h * 0.2);
    cloth.closeSubpath();
    fill(p, cloth, QColor(25, 25, 35));
}

void drawBulb(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    studio(p, size, h * 0.8, QColor(30, 36, 70));
    const QPointF c(w * 0.5, h * 0.34);
    softBlob(p, c, w * 0.55, QColor(255, 230, 120, 170));
    softBlob(p, c, w * 0.28, QColor(255, 250, 200, 200));
    // Pear-shaped glass.
    const double r = w * 0.26;
    QPainterPath glass;
    glass.moveTo(c.x() - r * 0.42, c.y() + r * 1.25);
    glass.cubicTo(c.x() - r * 0.45, c.y() + r * 0.8, c.x() - r * 1.05, c.y() + r * 0.6, c.x() - r, c.y());
    glass.cubicTo(c.x() - r, c.y() - r * 0.6, c.x() - r * 0.55, c.y() - r, c.x(), c.y() - r);
    glass.cubicTo(c.x() + r * 0.55, c.y() - r, c.x() + r, c.y() - r * 0.6, c.x() + r, c.y());
    glass.cubicTo(c.x() + r * 1.05, c.y() + r * 0.6, c.x() + r * 0.45, c.y() + r * 0.8, c.x() + r * 0.42, c.y() + r * 1.25);
    glass.closeSubpath();
    fill(p, glass, QColor(255, 252, 225, 150), QColor(200, 190, 150), 2);
    // Support wires and the glowing looped filament.
    p.setPen(QPen(QColor(120, 110, 100), 1.5));
    p.drawLine(QPointF(c.x() - 6, c.y() + r * 1.25), QPointF(c.x() - 14, c.y()));
    p.drawLine(QPointF(c.x() + 6, c.y() + r * 1.25), QPointF(c.x() + 14, c.y()));
    QPainterPath filament;
    filament.moveTo(c.x() - 14, c.y());
    for (int i = 1; i <= 8; ++i)
        filament.lineTo(c.x() - 14 + 28.0 * i / 8, c.y() + (i % 2 ? -6 : 0) - 4);
    softBlob(p, QPointF(c.x(), c.y() - 3), 18, QColor(255, 160, 40, 230));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 120, 20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(filament);
    p.setPen(QPen(QColor(255, 250, 200), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(filament);
    // Screw base with its threads and contact.
    const double bw = r * 0.84, top = c.y() + r * 1.22;
    QLinearGradient metal(c.x() - bw / 2, 0, c.x() + bw / 2, 0);
    metal.setColorAt(0, QColor(120, 120, 125));
    metal.setColorAt(0.4, QColor(230, 230, 235));
    metal.setColorAt(1, QColor(100, 100, 105));
    fill(p, rect(c.x() - bw / 2, top, bw, r * 0.62, 3), metal, QColor(70, 70, 75), 1.2);
    p.setPen(QPen(QColor(80, 80, 85), 1.5));
    for (int i = 1; i < 5; ++i)
        p.drawLine(QPointF(c.x() - bw / 2, top + r * 0.124 * i), QPointF(c.x() + bw / 2, top + r * 0.124 * i + 3));
    fill(p, ellipse(QPointF(c.x(), top + r * 0.68), bw * 0.22, 4), QColor(60, 55, 50));
}

void drawPhonograph(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    studio(p, size, h * 0.8, QColor(120, 70, 60));
    const QColor wood(140, 80, 35), edge(60, 30, 10);
    // Wooden box with a crank.
    fill(p, rect(w * 0.08, h * 0.58, w * 0.72, h * 0.2, 3), wood, edge, 2);
    fill(p, rect(w * 0.12, h * 0.62, w * 0.64, h * 0.12, 2), QColor(120, 65, 28), edge, 1);
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(w * 0.8, h * 0.66), QPointF(w * 0.9, h * 0.66));
    p.drawLine(QPointF(w * 0.9, h * 0.66), QPointF(w * 0.9, h * 0.74));
    fill(p, rect(w * 0.88, h * 0.73, 6, 10, 2), QColor(40, 20, 10));
    // The wax cylinder lying across the top.
    QLinearGradient wax(0, h * 0.47, 0, h * 0.57);
    wax.setColorAt(0, QColor(90, 60, 40));
    wax.setColorAt(0.35, QColor(200, 150, 90));
    wax.setColorAt(1, QColor(70, 45, 30));
    fill(p, rect(w * 0.16, h * 0.47, w * 0.46, h * 0.1, 5), wax, QColor(40, 25, 15), 1.2);
    p.setPen(QPen(QColor(60, 40, 25, 120), 0.8));
    for (int i = 1; i < 14; ++i)
        p.drawLine(QPointF(w * 0.16 + w * 0.46 * i / 14, h * 0.475), QPointF(w * 0.16 + w * 0.46 * i / 14, h * 0.565));
    fill(p, rect(w * 0.12, h * 0.5, w * 0.04, h * 0.08), QColor(60, 60, 65));
    fill(p, rect(w * 0.62, h * 0.5, w * 0.04, h * 0.08), QColor(60, 60, 65));
    // The big brass horn rising from the sound box on the cylinder.
    const QPointF box(w * 0.42, h * 0.45);
    fill(p, ellipse(box, 8, 6), QColor(70, 70, 75), QColor(30, 30, 30), 1);
    QPainterPath horn;
    horn.moveTo(box.x() - 3, box.y() - 2);
    horn.cubicTo(box.x() - 4, h * 0.3, w * 0.4, h * 0.2, w * 0.48, h * 0.1);
    horn.lineTo(w * 0.96, h * 0.16);
    horn.cubicTo(w * 0.66, h * 0.24, box.x() + 6, h * 0.32, box.x() + 4, box.y() - 2);
    horn.closeSubpath();
    QLinearGradient brass(w * 0.4, 0, w * 0.96, 0);
    brass.setColorAt(0, QColor(170, 120, 40));
    brass.setColorAt(0.5, QColor(250, 215, 110));
    brass.setColorAt(1, QColor(190, 140, 50));
    fill(p, horn, brass, QColor(110, 75, 20), 1.5);
    // The horn's open bell, seen at an angle.
    fill(p, ellipse(QPointF(w * 0.72, h * 0.13), w * 0.245, h * 0.045), QColor(90, 55, 15), QColor(110, 75, 20), 2);
    fill(p, ellipse(QPointF(w * 0.72, h * 0.135), w * 0.19, h * 0.03), QColor(40, 25, 10));
}

void drawTelephone(QPainter& p, QSizeF size)
{
    const double w = size.width(), h = size.height();
    studio(p, size, h * 0.8, QColor(70, 110, 90));
    const QColor black(28, 28, 32), edge(0, 0, 0);
    QLinearGradient shine(0, 0, w, 0);
    shine.setColorAt(0, QColor(20, 20, 24));
    shine.setColorAt(0.45, QColor(85, 85, 95));
    shine.setColorAt(1, QColor(15, 15, 18));
    const double cx = w * 0.44;
    // Round base, tall stem, mouthpiece on top.
    fill(p, ellipse(QPointF(cx, h * 0.79), w * 0.24, h * 0.035), black, edge);
    fill(p, rect(cx - w * 0.2, h * 0.73, w * 0.4, h * 0.06, 6), shine, edge);
    fill(p, polygon({QPointF(cx - 8, h * 0.73), QPointF(cx - 5, h * 0.22), QPointF(cx + 5, h * 0.22), QPointF(cx + 8, h * 0.73)}), shine, edge);
    fill(p, rect(cx - 12, h * 0.2, 24, 12, 3), shine, edge);
    QPainterPath mouth = polygon({QPointF(cx + 6, h * 0.13), QPointF(cx + 30, h * 0.08), QPointF(cx + 30, h * 0.24), QPointF(cx + 6, h * 0.19)});
    fill(p, mouth, shine, edge);
    fill(p, ellipse(QPointF(cx + 30, h * 0.16), 6, h * 0.08), QColor(50, 50, 55), edge);
    fill(p, ellipse(QPointF(cx + 31, h * 0.16), 2.5, h * 0.035), QColor(10, 10, 10));
    // The hook on the stem with the earpiece hanging from it by its cord.
    p.setPen(QPen(QColor(170, 170, 175), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 5, h * 0.3), QPointF(cx - 22, h * 0.28));
    const QPointF ear(cx - 30, h * 0.44);
    fill(p, rect(ear.x() - 6, h * 0.27, 12, h * 0.2, 4), shine, edge);
    fill(p, polygon({QPointF(ear.x() - 6, h * 0.27), QPointF(ear.x() - 14, h * 0.22), QPointF(ear.x() + 14, h * 0.22), QPointF(ear.x() + 6, h * 0.27)}),
         shine, edge);
    fill(p, ellipse(QPointF(ear.x(), h * 0.22), 14, 4), QColor(50, 50, 55), edge);
    QPainterPath cord;
    cord.moveTo(ear.x(), h * 0.47);
    cord.cubicTo(ear.x() - 6, h * 0.66, cx - 34, h * 0.76, cx - w * 0.16, h * 0.75);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 70, 50), 2));
    p.drawPath(cord);
    // A wire runs from the base out of the picture.
    QPainterPath wire;
    wire.moveTo(cx + w * 0.2, h * 0.76);
    wire.cubicTo(w * 0.8, h * 0.78, w * 0.85, h * 0.7, w, h * 0.74);
    p.drawPath(wire);
}

struct Drawn {
    const char* file;
    double widthTwips, heightTwips;
    void (*draw)(QPainter&, QSizeF);
};

const Drawn kPictures[] = {
    {"images/nell.jpg", 3660, 3225, drawNell},
    {"images/lanternboy.jpg", 3600, 3660, drawLanternBoy},
    {"images/pipwick.jpg", 3660, 3525, drawPipwick},
    {"images/midnight.jpg", 3660, 3420, drawMidnight},
    {"images/camera.jpg", 3525, 2760, drawCamera},
    {"images/bulb.jpg", 2730, 3660, drawBulb},
    {"images/phonograph.jpg", 2955, 3660, drawPhonograph},
    {"images/telephone.jpg", 2775, 3660, drawTelephone},
};

QImage render(const Drawn& d)
{
    const QSizeF size(std::round(d.widthTwips / kTwipsPerPixel), std::round(d.heightTwips / kTwipsPerPixel));
    QImage img(int(size.width()) * 2, int(size.height()) * 2, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setClipRect(QRectF(QPointF(0, 0), size));
    d.draw(p, size);
    return img;
}

} // namespace

std::vector<NamedImage> activityPictures()
{
    std::vector<NamedImage> out;
    for (const Drawn& d : kPictures)
        out.push_back({QString::fromLatin1(d.file), [&d] { return render(d); }});
    return out;
}

} // namespace genmedia
