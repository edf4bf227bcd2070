#include "platform/pictures/rasterpicture.h"

#include "platform/geometry.h"
#include "platform/paths.h"
#include "platform/wmf/metafilepicture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <system_error>

namespace oravians {

QSizeF RasterPicture::sizeTwips() const
{
    return {image_.width() * kTwipsPerPixel, image_.height() * kTwipsPerPixel};
}

void RasterPicture::draw(QPainter& painter, const QRectF& target) const
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // On the screen, in bands of screen rows: the raster engine shares a
    // taller scaled drawing out to helper threads, and starting them took
    // longer than the drawing. The clip leaves every pixel as drawn whole.
    const QTransform t = painter.transform();
    const QRect device = t.mapRect(target).toAlignedRect();
    constexpr int kBand = 64;
    if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster
        && t.type() <= QTransform::TxScale && device.height() > kBand) {
        for (int y = device.top(); y <= device.bottom(); y += kBand) {
            painter.save();
            painter.resetTransform();
            painter.setClipRect(QRect(device.left(), y, device.width(), std::min(kBand, device.bottom() + 1 - y)),
                                Qt::IntersectClip);
            painter.setTransform(t);
            painter.drawImage(target, image_);
            painter.restore();
        }
    } else {
        painter.drawImage(target, image_);
    }
    painter.restore();
}

namespace {

// Throws PictureError when the file is missing or unreadable.
PicturePtr readPicture(const QString& path, const QString& relativePath)
{
    if (!QFileInfo::exists(path))
        throw PictureError(("picture not found: " + relativePath).toStdString(), PictureFault::Missing);
    if (path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive))
        return loadMetafilePicture(path, relativePath);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        throw PictureError(("cannot read picture " + relativePath + ": " + reader.errorString()).toStdString());
    return std::make_shared<RasterPicture>(std::move(image), relativePath);
}

} // namespace

PicturePtr ContentPictures::load(const QString& relativePath)
{
    const QString path = resolveContentPath(relativePath, folder_);
    if (auto it = cache_.find(path); it != cache_.end())
        return *it;
    PicturePtr picture;
    if (auto read = reading_.find(path); read != reading_.end()) {
        std::future<PicturePtr> done = std::move(read->second);
        reading_.erase(read);
        picture = done.get(); // a fault is thrown here, as if read now
    } else {
        picture = readPicture(path, relativePath);
    }
    cache_.insert(path, picture);
    return picture;
}

void ContentPictures::readAhead(const QStringList& relativePaths)
{
    for (const QString& relativePath : relativePaths) {
        const QString path = resolveContentPath(relativePath, folder_);
        // A metafile lays its text out with fonts, and fonts belong to the
        // thread that made them: it is read where it is drawn.
        if (cache_.contains(path) || reading_.count(path) || path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive))
            continue;
        try {
            reading_.emplace(path, std::async(std::launch::async, readPicture, path, relativePath));
        } catch (const std::system_error&) {
            return; // no thread to spare: load() reads them itself
        }
    }
}

} // namespace oravians
