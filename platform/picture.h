#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class QPainter;

namespace oravians {

// A piece of text a picture draws in one go, and the box it takes (twips,
// from the picture's top left corner).
struct TextRun {
    QString text;
    QRectF box;
};

// A loaded picture: a raster image or a metafile. Drawn in twips, so the
// same picture is crisp on any screen and on the printer.
class Picture {
public:
    virtual ~Picture() = default;
    // The picture's own size in twips (raster: 15 twips a pixel; metafile:
    // the size its placeable header gives).
    virtual QSizeF sizeTwips() const = 0;
    // Draws the picture into target (twips, in the painter's coordinates).
    virtual void draw(QPainter& painter, const QRectF& target) const = 0;
    // The path it was loaded from, as the program wrote it; for tests and messages.
    virtual QString source() const = 0;
    // The texts the picture draws, in drawing order; a raster picture has none.
    virtual std::vector<TextRun> textRuns() const { return {}; }
};

using PicturePtr = std::shared_ptr<const Picture>;

// Why a picture is not there: its file is absent, or present but damaged.
enum class PictureFault { None, Missing, Unreadable };

// Thrown when a picture file is missing or cannot be read.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const std::string& what, PictureFault fault = PictureFault::Unreadable)
        : std::runtime_error(what), fault_(fault)
    {
    }
    PictureFault fault() const { return fault_; }

private:
    PictureFault fault_;
};

// Loads pictures by the relative paths the program writes ("rocketsm\rocket01.jpg").
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Throws PictureError when the file is missing or unreadable.
    virtual PicturePtr load(const QString& relativePath) = 0;
    // Starts reading these raster pictures in the background, so that a
    // window showing them later finds them read; load() reports a fault just
    // as it would have. Metafiles are left to load().
    virtual void readAhead(const QStringList& relativePaths) { (void)relativePaths; }
};

} // namespace oravians
