#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <vector>

namespace oravians::pages {

// Writes a placeable Windows metafile in twips (1440 units an inch) with
// libuemf's record writers. Pens, brushes and fonts are created on demand,
// selected and the replaced one deleted, so the object table stays small.
class WmfWriter {
public:
    WmfWriter(int widthTwips, int heightTwips);

    void setPen(const QColor& color, int width, int style = 0);
    void setNullPen();
    void setBrush(const QColor& color);
    void setNullBrush();
    void setFont(const QString& face, int emTwips, bool bold, bool italic = false);
    void setTextColor(const QColor& color);

    void rectangle(const QRect& r);
    void roundRect(const QRect& r, int cornerW, int cornerH);
    void ellipse(const QRect& r);
    void polygon(const QPolygon& points);
    void polyline(const QPolygon& points);
    void line(QPoint a, QPoint b);
    void pie(const QRect& box, QPoint start, QPoint end);
    void chord(const QRect& box, QPoint start, QPoint end);
    void arc(const QRect& box, QPoint start, QPoint end);
    // Text in Windows-1252 with its baseline at y; dx gives each character's advance.
    void text(int x, int baselineY, const QByteArray& bytes, const std::vector<int>& dx);
    // A 24-bit DIB stretched over dst.
    void image(const QRect& dst, const QImage& image);

    // The complete file, header sizes filled in.
    QByteArray finish();

private:
    void append(char* record);
    int createObject(char* record);
    void deleteObject(int& slot);

    QByteArray bytes_;
    std::vector<bool> slots_;
    int peak_ = 0;
    uint32_t largest_ = 0;
    int pen_ = -1, brush_ = -1, font_ = -1;
};

} // namespace oravians::pages
