// The generated pictures and sounds, as the program finds them on disk.

#include "media.h"

#include "activities/activitytexts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <fftw3.h>
#include <sndfile.h>

#include <cmath>
#include <complex>
#include <map>
#include <memory>
#include <numeric>

namespace {

struct Sound {
    int rate = 0, channels = 0, format = 0;
    std::vector<double> samples;
    double seconds() const { return rate ? double(samples.size()) / rate : 0; }
};

Sound readWav(const QString& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!f)
        return {};
    Sound s{info.samplerate, info.channels, info.format, std::vector<double>(size_t(info.frames * info.channels))};
    sf_readf_double(f, s.samples.data(), info.frames);
    sf_close(f);
    return s;
}

// Index of the first / one past the last sample louder than the threshold.
std::pair<size_t, size_t> audibleSpan(const std::vector<double>& x, double threshold = 0.01)
{
    size_t a = 0, b = x.size();
    while (a < x.size() && std::abs(x[a]) < threshold)
        ++a;
    while (b > a && std::abs(x[b - 1]) < threshold)
        --b;
    return {a, b};
}

// A sound's fingerprint: its average spectrum in 24 bands (log spaced from
// 50 Hz) and its loudness over 16 slices of time, each part scaled to unit length.
std::vector<double> fingerprint(const Sound& s)
{
    const size_t n = 2048;
    std::vector<double> bands(24, 0.0), env(16, 0.0), frame(n);
    std::vector<std::complex<double>> buf(n / 2 + 1);
    const fftw_plan plan = fftw_plan_dft_r2c_1d(int(n), frame.data(), reinterpret_cast<fftw_complex*>(buf.data()),
                                                FFTW_ESTIMATE);
    const auto [a, b] = audibleSpan(s.samples);
    for (size_t start = a; start + n <= b; start += n / 2) {
        for (size_t i = 0; i < n; ++i)
            frame[i] = s.samples[start + i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n)));
        fftw_execute(plan);
        for (size_t k = 1; k < n / 2; ++k) {
            const double f = double(k) * s.rate / double(n);
            if (f < 50)
                continue;
            const int band = std::min(23, int(std::log(f / 50.0) / std::log(20000.0 / 50.0) * 24));
            bands[size_t(band)] += std::norm(buf[k]);
        }
    }
    fftw_destroy_plan(plan);
    for (size_t i = a; i < b; ++i)
        env[std::min<size_t>(15, (i - a) * 16 / std::max<size_t>(1, b - a))] += s.samples[i] * s.samples[i];
    auto unit = [](std::vector<double>& v) {
        const double len = std::sqrt(std::inner_product(v.begin(), v.end(), v.begin(), 0.0));
        for (double& x : v)
            x /= len > 0 ? len : 1;
    };
    for (double& x : env)
        x = std::sqrt(x);
    unit(bands);
    unit(env);
    std::vector<double> fp = bands;
    fp.insert(fp.end(), env.begin(), env.end());
    return fp;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Media : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        ok_ = genmedia::generateAll(dir_->path(), &error_);
    }
    static void TearDownTestSuite() { delete dir_; }
    void SetUp() override { ASSERT_TRUE(ok_) << qPrintable(error_); }

    static QString path(const QString& relative) { return dir_->path() + QLatin1Char('/') + relative; }
    static QImage image(const QString& relative, const char* format)
    {
        QImageReader r(path(relative), format);
        r.setDecideFormatFromContent(true);
        EXPECT_EQ(r.format(), QByteArray(format)) << qPrintable(relative);
        return r.read();
    }

    static inline QTemporaryDir* dir_ = nullptr;
    static inline QString error_;
    static inline bool ok_ = false;
};

// ---------------------------------------------------------------- the file set

TEST_F(Media, WritesExactlyTheFilesTheBuildRegisters)
{
    const QStringList expected = QString::fromLatin1(ORAVIANS_MEDIA_FILES).split(QLatin1Char(','));
    QStringList written;
    QDir root(dir_->path());
    for (const QString& sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString& f : QDir(root.filePath(sub)).entryList(QDir::Files))
            written << sub + QLatin1Char('/') + f;
    QStringList a = expected, b = written, c = genmedia::outputFiles();
    a.sort();
    b.sort();
    c.sort();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
}

TEST_F(Media, TwoRunsWriteTheSameBytes)
{
    QTemporaryDir again;
    QString error;
    ASSERT_TRUE(genmedia::generateAll(again.path(), &error)) << qPrintable(error);
    for (const QString& f : genmedia::outputFiles()) {
        const QByteArray first = readAll(path(f));
        ASSERT_FALSE(first.isEmpty()) << qPrintable(f);
        EXPECT_EQ(first, readAll(again.path() + QLatin1Char('/') + f)) << qPrintable(f);
    }
}

TEST_F(Media, ReportsAFolderItCannotWriteTo)
{
    QTemporaryDir tmp;
    QFile blocker(tmp.path() + QStringLiteral("/wav"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where a folder should be
    blocker.close();
    QString error;
    EXPECT_FALSE(genmedia::writeWav(tmp.path() + QStringLiteral("/wav/click.wav"), genmedia::Wave(100, 0.1f), &error));
    EXPECT_FALSE(error.isEmpty());
}

// ---------------------------------------------------------------- pictures

// Distinct colours (to 4 bits a channel) of a picture shrunk to w x h: a
// blank or flat picture has few.
int colours(const QImage& img, int w, int h)
{
    const QImage small = img.scaled(w, h);
    QSet<QRgb> found;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            found.insert(small.pixel(x, y) & 0xF0F0F0);
    return int(found.size());
}

// A numbered series of pictures (or one picture): their format and size,
// each frame different from the one before, a colour at a corner, and for
// the topic pictures enough colours not to look blank.
struct PictureSet {
    const char* name;
    const char* pattern; // with %d for the frame number
    int first, last;
    const char* format;
    QSize size;
    QPoint corner;
    QColor colour;      // invalid: not checked
    int minColours = 0; // at 32 x 40
};

TEST_F(Media, PicturesHaveTheirFormatSizeAndMove)
{
    const PictureSet sets[] = {
        // The rocket blends into the menu's window colour at the bottom.
        {"rocket", "rocketsm/rocket%02d.jpg", 1, 20, "jpeg", {320, 240}, {4, 238}, QColor(0, 78, 152)},
        // The logo box's own colour shows at the corner.
        {"logo animation", "logo/lumb%04d.gif", 0, 19, "gif", {120, 120}, {1, 1}, QColor(49, 135, 214)},
        {"logo", "logo/lumbrook2.bmp", 0, 0, "bmp", {120, 89}, {}, {}},
        {"quellmore", "images/quellmore2.jpg", 0, 0, "jpeg", {320, 400}, {}, {}, 60},
        {"engineer", "images/engineer.jpg", 0, 0, "jpeg", {320, 400}, {}, {}, 60},
        {"quellmore small", "images/quellmoresm.jpg", 0, 0, "jpeg", {57, 41}, {}, {}},
        {"engineer small", "images/engineersm.jpg", 0, 0, "jpeg", {57, 41}, {}, {}},
    };
    for (const PictureSet& set : sets) {
        SCOPED_TRACE(set.name);
        QImage previous;
        for (int n = set.first; n <= set.last; ++n) {
            const QImage img = image(QString::asprintf(set.pattern, n), set.format).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(img.size(), set.size) << n;
            if (set.colour.isValid()) {
                const QColor c = img.pixelColor(set.corner);
                EXPECT_LE(std::abs(c.red() - set.colour.red()) + std::abs(c.green() - set.colour.green())
                              + std::abs(c.blue() - set.colour.blue()), 30) << n;
            }
            EXPECT_GT(colours(img, 32, 40), set.minColours);
            EXPECT_NE(img, previous) << "frame " << n << " repeats the one before";
            previous = img;
        }
    }
}

// The windows' picture files, found the way the program finds them: any
// letter case, either slash.
TEST_F(Media, ActivityPicturesLoadInTheShapeOfTheirWindowRectangles)
{
    struct Rect {
        const QString& file;
        int widthTwips, heightTwips;
    };
    using namespace oravians::activitytexts;
    const Rect rects[] = {
        {kBookPictures[0], 3660, 3225},      {kBookPictures[1], 3600, 3660},      {kBookPictures[2], 3660, 3525},
        {kBookPictures[3], 3660, 3420},      {kInventionPictures[0], 3525, 2760}, {kInventionPictures[1], 2730, 3660},
        {kInventionPictures[2], 2955, 3660}, {kInventionPictures[3], 2775, 3660},
    };
    for (const Rect& r : rects) {
        const QString file = r.file.toLower().replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QImage img = image(file, "jpeg");
        // Drawn at twice the screen's 15 twips a pixel.
        EXPECT_NEAR(img.width(), r.widthTwips * 2 / 15.0, 1) << qPrintable(file);
        EXPECT_NEAR(img.height(), r.heightTwips * 2 / 15.0, 1) << qPrintable(file);
        EXPECT_GT(colours(img, 32, 32), 20) << qPrintable(file) << " looks blank";
    }
}

// ---------------------------------------------------------------- sounds

struct Expectation {
    const char* name;
    double minSeconds, maxSeconds; // the sound itself, without the silent tail
};

const Expectation kSounds[] = {
    {"click", 0.03, 0.06},     {"typekey", 0.05, 0.30},  {"thud3", 0.10, 0.60},    {"halleluj", 0.8, 3.0},
    {"fanf4", 0.8, 3.0},       {"fanf2", 0.8, 3.0},      {"fanf3", 0.8, 3.0},      {"slot_payoff", 0.8, 3.0},
    {"crowd", 0.8, 3.0},       {"cheer2", 0.8, 3.0},     {"klaxon", 0.8, 3.0},     {"flute", 0.8, 3.0},
    {"gong", 0.8, 3.0},        {"clap2", 0.8, 3.0},      {"clap3", 0.8, 3.0},      {"drumroll", 0.8, 3.0},
    {"laser2", 0.8, 3.0},      {"whizz", 0.8, 3.0},      {"clown", 0.8, 3.0},
};

TEST_F(Media, EverySoundIsAMonoWaveAudibleUnclippedCentredOfItsLengthEndingInSilence)
{
    size_t named = 0;
    for (const QString& f : genmedia::outputFiles()) {
        if (!f.endsWith(QLatin1String(".wav")))
            continue;
        const Sound s = readWav(path(f));
        ASSERT_FALSE(s.samples.empty()) << qPrintable(f);
        EXPECT_EQ(s.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << qPrintable(f);
        EXPECT_EQ(s.channels, 1) << qPrintable(f);
        EXPECT_TRUE(s.rate == 22050 || s.rate == 44100) << qPrintable(f);
        for (const Expectation& e : kSounds)
            if (f == QStringLiteral("wav/%1.wav").arg(QLatin1String(e.name))) {
                const double body = s.seconds() - genmedia::kTailPadding;
                ++named;
                EXPECT_GE(body, e.minSeconds) << e.name;
                EXPECT_LE(body, e.maxSeconds) << e.name;
            }
        double peak = 0, sum = 0, energy = 0;
        for (double x : s.samples) {
            peak = std::max(peak, std::abs(x));
            sum += x;
            energy += x * x;
        }
        EXPECT_GT(peak, 0.3) << qPrintable(f);
        EXPECT_LT(peak, 0.95) << qPrintable(f) << " is close to clipping";
        EXPECT_GT(std::sqrt(energy / double(s.samples.size())), 0.01) << qPrintable(f);
        EXPECT_LT(std::abs(sum / double(s.samples.size())), 0.005) << qPrintable(f) << " has a DC offset";
        EXPECT_LT(std::abs(s.samples.front()), 0.01) << qPrintable(f) << " starts with a step";
        // Silence at the end, which players may cut.
        EXPECT_GE(double(s.samples.size() - audibleSpan(s.samples, 1.0 / 32768).second) / s.rate, 0.14)
            << qPrintable(f);
    }
    EXPECT_EQ(named, std::size(kSounds));
}

TEST_F(Media, CelebrationAndEffectSoundsAreDistinct)
{
    std::map<std::string, std::vector<double>> fp;
    for (const Expectation& e : kSounds)
        fp[e.name] = fingerprint(readWav(path(QStringLiteral("wav/%1.wav").arg(QLatin1String(e.name)))));
    double closest = 10;
    std::string pair;
    for (auto i = fp.begin(); i != fp.end(); ++i)
        for (auto j = std::next(i); j != fp.end(); ++j) {
            const double d = std::sqrt(std::inner_product(i->second.begin(), i->second.end(), j->second.begin(), 0.0,
                                                           std::plus<>(), [](double a, double b) { return (a - b) * (a - b); }));
            if (d < closest) {
                closest = d;
                pair = i->first + " / " + j->first;
            }
        }
    RecordProperty("closest_pair", pair);
    RecordProperty("closest_distance", std::to_string(closest));
    EXPECT_GT(closest, 0.25) << "too alike: " << pair;
}

// International Morse Code, written out independently of the generator.
const std::map<char, const char*> kCode = {
    {'a', ".-"},   {'b', "-..."}, {'c', "-.-."}, {'d', "-.."},  {'e', "."},    {'f', "..-."}, {'g', "--."},
    {'h', "...."}, {'i', ".."},   {'j', ".---"}, {'k', "-.-"},  {'l', ".-.."}, {'m', "--"},   {'n', "-."},
    {'o', "---"},  {'p', ".--."}, {'q', "--.-"}, {'r', ".-."},  {'s', "..."},  {'t', "-"},    {'u', "..-"},
    {'v', "...-"}, {'w', ".--"},  {'x', "-..-"}, {'y', "-.--"}, {'z', "--.."}};

TEST_F(Media, MorseLettersSoundTheirCodeAtSevenHundredHertz)
{
    for (const auto& [letter, code] : kCode) {
        const Sound s = readWav(path(QStringLiteral("morse/%1.wav").arg(QLatin1Char(letter))));
        ASSERT_GT(s.rate, 0) << letter;
        // Envelope in 1 ms steps; a tone is "on" where the envelope is loud.
        const size_t step = size_t(s.rate / 1000);
        std::vector<bool> onMs;
        for (auto it = s.samples.begin(); it + long(step) <= s.samples.end(); it += long(step))
            onMs.push_back(std::any_of(it, it + long(step), [](double x) { return std::abs(x) > 0.2; }));
        // Tones of 80 ms (dots) or 240 ms (dashes), 80 ms apart.
        std::string heard;
        for (size_t ms = 0, end; ms < onMs.size(); ms = end) {
            end = size_t(std::find(onMs.begin() + long(ms), onMs.end(), !onMs[ms]) - onMs.begin());
            const int run = int(end - ms);
            if (onMs[ms]) {
                heard += run > 160 ? '-' : '.';
                EXPECT_TRUE(std::abs(run - 80) <= 8 || std::abs(run - 240) <= 8) << letter << " tone of " << run << " ms";
            } else if (!heard.empty() && end < onMs.size()) {
                EXPECT_NEAR(run, 80, 8) << letter << " gap";
            }
        }
        EXPECT_EQ(heard, std::string(code)) << letter;
        // Pitch from the zero crossings while the tone sounds.
        int cross = 0, tone = 0;
        for (size_t i = 1; i < s.samples.size(); ++i)
            if (i / step < onMs.size() && onMs[i / step]) {
                ++tone;
                cross += (s.samples[i - 1] < 0) != (s.samples[i] < 0);
            }
        ASSERT_GT(tone, 0);
        const double hz = cross / 2.0 / (double(tone) / s.rate);
        EXPECT_NEAR(hz, 700, 70) << letter;
    }
}

} // namespace
