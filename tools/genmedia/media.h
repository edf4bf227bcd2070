#pragma once

// The program's pictures, animation frames and sounds, drawn and synthesised
// by our own code. Every output is deterministic: same bytes on every run.

#include "synth.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;

namespace genmedia {

// A round glow of colour fading to nothing at radius r.
void softBlob(QPainter& p, QPointF c, double r, QColor colour);

struct NamedSound {
    QString relativePath; // "wav/click.wav"
    std::function<Wave()> make;
};

struct NamedImage {
    QString relativePath; // "rocketsm/rocket01.jpg"
    std::function<QImage()> make;
};

std::vector<NamedSound> allSounds();
std::vector<NamedImage> allImages();

// The labelling activities' pictures (part of allImages()).
std::vector<NamedImage> activityPictures();

// Morse code of letter 0..25 (A..Z) written with '.' and '-'.
const char* morseCode(int letter);

// The logo animation frames: GIF needs a palette, so they are kept apart.
std::vector<NamedImage> logoFrames();

// Writers; each goes through QSaveFile and reports a failed commit.
bool writeWav(const QString& path, const Wave& samples, QString* error);
bool writeImage(const QString& path, const QImage& image, QString* error); // by suffix: jpg, bmp
bool writeGif(const QString& path, const QImage& image, QString* error);

// Every file the generator writes, relative to the program folder.
QStringList outputFiles();

// Writes everything below programDir, creating the folders. Needs a
// QGuiApplication (fonts). Returns false with a message on the first failure.
bool generateAll(const QString& programDir, QString* error);

} // namespace genmedia
