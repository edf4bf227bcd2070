#pragma once

#include "platform/picture.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

namespace oravians {

// Loads a metafile as a Picture; throws PictureError when the file is missing or not a metafile at all.
PicturePtr loadMetafilePicture(const QString& fullPath, const QString& source);

struct MetafileData; // the parsed drawing, private to the player

// A Windows metafile, parsed once into a list of drawing steps in its own
// coordinates and drawn at any size.
class MetafilePicture : public Picture {
public:
    // Returns null when bytes are not a metafile at all. A damaged metafile
    // still loads: every record up to the damage is kept.
    static std::shared_ptr<MetafilePicture> fromBytes(const QByteArray& bytes, const QString& source);

    ~MetafilePicture() override;
    QSizeF sizeTwips() const override;
    void draw(QPainter& painter, const QRectF& target) const override;
    QString source() const override;
    std::vector<TextRun> textRuns() const override;

    // True when the file has a placeable header (and so its own size).
    bool placeable() const;
    // The frame in the metafile's own units that draw() maps onto the target.
    QRectF frame() const;
    // Records read, and how many of them were unknown or could not be used.
    int recordCount() const;
    int skippedRecords() const;
    // True when the record list ended early (truncated or damaged file).
    bool damaged() const;
    // Drawing steps kept (shapes, texts, bitmaps and clip changes).
    int stepCount() const;
    // The budgets this file went past ("drawing steps", "bitmap", "clip",
    // ...), in the order it did; each is also logged once with the file's name.
    QStringList budgetsExceeded() const;
    // The estimated cost of drawing, in solid fills of the whole frame: the
    // area each step paints, weighted by how dear its kind of painting is.
    qreal paintedArea() const;

private:
    MetafilePicture();
    std::unique_ptr<MetafileData> d_;
    QString source_;
};

} // namespace oravians
