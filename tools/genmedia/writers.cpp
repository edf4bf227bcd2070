#include "media.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <gif_lib.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace genmedia {

namespace {

bool commitBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

// libsndfile writes through these callbacks into memory, so the file itself
// can be written atomically by QSaveFile.
struct MemFile {
    QByteArray data;
    sf_count_t pos = 0;
};

sf_count_t memLength(void* user) { return static_cast<MemFile*>(user)->data.size(); }
sf_count_t memSeek(sf_count_t offset, int whence, void* user)
{
    auto* m = static_cast<MemFile*>(user);
    sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->pos : m->data.size();
    m->pos = std::max<sf_count_t>(0, base + offset);
    return m->pos;
}
sf_count_t memRead(void* ptr, sf_count_t count, void* user)
{
    auto* m = static_cast<MemFile*>(user);
    const sf_count_t n = std::max<sf_count_t>(0, std::min<sf_count_t>(count, m->data.size() - m->pos));
    std::memcpy(ptr, m->data.constData() + m->pos, size_t(n));
    m->pos += n;
    return n;
}
sf_count_t memWrite(const void* ptr, sf_count_t count, void* user)
{
    auto* m = static_cast<MemFile*>(user);
    if (m->pos + count > m->data.size())
        m->data.resize(qsizetype(m->pos + count));
    std::memcpy(m->data.data() + m->pos, ptr, size_t(count));
    m->pos += count;
    return count;
}
sf_count_t memTell(void* user) { return static_cast<MemFile*>(user)->pos; }

int gifOut(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

} // namespace

bool writeWav(const QString& path, const Wave& samples, QString* error)
{
    MemFile mem;
    SF_VIRTUAL_IO io{memLength, memSeek, memRead, memWrite, memTell};
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* sf = sf_open_virtual(&io, SFM_WRITE, &info, &mem);
    if (!sf) {
        if (error)
            *error = QStringLiteral("libsndfile: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
        return false;
    }
    std::vector<short> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        pcm[i] = short(std::lround(std::clamp(double(samples[i]), -1.0, 1.0) * 32767.0));
    const sf_count_t written = sf_write_short(sf, pcm.data(), sf_count_t(pcm.size()));
    sf_close(sf);
    if (written != sf_count_t(pcm.size())) {
        if (error)
            *error = QStringLiteral("libsndfile could not encode %1").arg(path);
        return false;
    }
    return commitBytes(path, mem.data, error);
}

bool writeImage(const QString& path, const QImage& image, QString* error)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    QImageWriter writer(&buffer, format == "jpg" ? QByteArray("jpeg") : format);
    if (format == "jpg")
        writer.setQuality(90);
    if (!writer.write(image)) {
        if (error)
            *error = QStringLiteral("cannot encode %1: %2").arg(path, writer.errorString());
        return false;
    }
    return commitBytes(path, bytes, error);
}

bool writeGif(const QString& path, const QImage& image, QString* error)
{
    if (image.format() != QImage::Format_Indexed8 || image.colorCount() == 0 || image.colorCount() > 256) {
        if (error)
            *error = QStringLiteral("%1: a GIF needs an 8-bit indexed image").arg(path);
        return false;
    }
    QByteArray bytes;
    int err = 0;
    GifFileType* gif = EGifOpen(&bytes, gifOut, &err);
    if (!gif) {
        if (error)
            *error = QStringLiteral("giflib: %1").arg(QString::fromUtf8(GifErrorString(err)));
        return false;
    }
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    const QList<QRgb> table = image.colorTable();
    for (qsizetype i = 0; i < table.size(); ++i)
        colours[size_t(i)] = GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])), GifByteType(qBlue(table[i]))};
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(image.constScanLine(y)), image.width()) == GIF_OK;
    if (EGifCloseFile(gif, &err) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    if (!ok) {
        if (error)
            *error = QStringLiteral("giflib could not encode %1").arg(path);
        return false;
    }
    return commitBytes(path, bytes, error);
}

bool generateAll(const QString& programDir, QString* error)
{
    for (const NamedImage& img : allImages())
        if (!writeImage(programDir + QLatin1Char('/') + img.relativePath, img.make(), error))
            return false;
    for (const NamedImage& img : logoFrames())
        if (!writeGif(programDir + QLatin1Char('/') + img.relativePath, img.make(), error))
            return false;
    for (const NamedSound& s : allSounds())
        if (!writeWav(programDir + QLatin1Char('/') + s.relativePath, s.make(), error))
            return false;
    return true;
}

QStringList outputFiles()
{
    QStringList out;
    for (const NamedImage& img : allImages())
        out << img.relativePath;
    for (const NamedImage& img : logoFrames())
        out << img.relativePath;
    for (const NamedSound& s : allSounds())
        out << s.relativePath;
    return out;
}

} // namespace genmedia
