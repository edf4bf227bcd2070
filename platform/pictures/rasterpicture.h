#pragma once

#include "platform/picture.h"

#include <QHash>
#include <QImage>
#include <future>
#include <map>
#include <utility>

namespace oravians {

// A JPEG, GIF or BMP picture: 15 twips to the pixel.
class RasterPicture : public Picture {
public:
    RasterPicture(QImage image, QString source) : image_(std::move(image)), source_(std::move(source)) {}
    QSizeF sizeTwips() const override;
    void draw(QPainter& painter, const QRectF& target) const override;
    QString source() const override { return source_; }
    const QImage& image() const { return image_; }

private:
    QImage image_;
    QString source_;
};

// Loads pictures from the content folders: raster formats through Qt's image
// readers, metafiles through our own player. Decoded pictures are kept, so an
// animation reads each frame from disk once. Pictures read ahead are decoded
// on threads of their own (a labelling activity's four photographs take
// longer to decode than a window may take to open).
class ContentPictures : public PictureLoader {
public:
    explicit ContentPictures(QString contentFolder) : folder_(std::move(contentFolder)) {}
    PicturePtr load(const QString& relativePath) override;
    void readAhead(const QStringList& relativePaths) override;

private:
    QString folder_;
    QHash<QString, PicturePtr> cache_;
    // Reads in flight, by full path. Declared last: going first, each waits
    // for its read to end.
    std::map<QString, std::future<PicturePtr>> reading_;
};

} // namespace oravians
