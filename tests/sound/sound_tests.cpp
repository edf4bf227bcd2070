// The sound component without a sound server, and with files it cannot play:
// every request returns at once and nothing crashes or hangs.

#include "platform/log.h"
#include "platform/sound/pulsesound.h"
#include "platform/sound/sounddecode.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

using oravians::PulseSound;

namespace {

void writeTone(const QString& path, int rate, int channels, double seconds)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << sf_strerror(nullptr);
    const int frames = int(rate * seconds);
    std::vector<short> s(size_t(frames * channels));
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[size_t(i * channels + c)] = short(8000 * std::sin(2 * M_PI * 440 * i / rate));
    sf_writef_short(f, s.data(), frames);
    sf_close(f);
}

class SoundWithoutServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Nothing listens on this socket.
        setenv("PULSE_SERVER", "unix:/nonexistent/oravians/pulse.sock", 1);
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("wav")));
        writeTone(dir.path() + QStringLiteral("/wav/click.wav"), 44100, 1, 0.05);
        QFile junk(dir.path() + QStringLiteral("/wav/junk.wav"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write("RIFF this is not a wave file at all") > 0);
    }

    QTemporaryDir dir;
};

// A playable sound tries the server once, however often it is asked for,
// unless the rest after a failure is over; the file is found whatever its
// case and slashes.
TEST_F(SoundWithoutServer, PlayingTriesTheServerOnceAndReturns)
{
    struct Row { // retryAfterFailureMs -1: the default
        const char* name;
        int retryAfterFailureMs, plays, attempts;
        const char* path;
    } rows[] = {
        {"one play", -1, 1, 1, "wav\\click.wav"},
        {"any case", -1, 1, 1, "WAV\\Click.WAV"},
        {"five plays", -1, 5, 1, "wav\\click.wav"},
        {"no rest", 0, 3, 3, "wav\\click.wav"},
    };
    for (const Row& r : rows) {
        PulseSound::Options options;
        if (r.retryAfterFailureMs >= 0)
            options.retryAfterFailureMs = r.retryAfterFailureMs;
        PulseSound sound(dir.path(), options);
        for (int i = 0; i < r.plays; ++i) {
            sound.play(QString::fromLatin1(r.path));
            ASSERT_TRUE(sound.waitUntilIdle(10000)) << r.name;
        }
        EXPECT_EQ(sound.connectionAttempts(), r.attempts) << r.name;
        EXPECT_EQ(sound.soundsCompleted(), 0) << r.name;
    }
}

TEST_F(SoundWithoutServer, FilesItCannotPlayAreSilentAndNeverConnect)
{
    PulseSound sound(dir.path());
    for (const char* p : {"wav\\missing.wav", "wav\\junk.wav", "wav", "", "..\\..\\nothing\\here.wav", "wav\\click.wav\\x"}) {
        sound.play(QString::fromLatin1(p));
        ASSERT_TRUE(sound.waitUntilIdle(10000)) << p;
    }
    EXPECT_EQ(sound.connectionAttempts(), 0);
    EXPECT_EQ(sound.soundsCompleted(), 0);
}

// A pupil hears nothing from a missing or damaged sound; the log says which
// file, as the program named it and where it was looked for, once a run.
TEST_F(SoundWithoutServer, AnUnplayableFileIsLoggedOnceWithBothNames)
{
    std::mutex m;
    QStringList lines;
    oravians::setLogSink([&](const QString& line) {
        std::lock_guard lock(m);
        lines << line;
    });
    {
        PulseSound sound(dir.path());
        for (int round = 0; round < 3; ++round)
            for (const char* p : {"wav\\missing.wav", "wav\\junk.wav", "wav\\click.wav"}) {
                sound.play(QString::fromLatin1(p));
                ASSERT_TRUE(sound.waitUntilIdle(10000)) << p;
            }
    }
    oravians::setLogSink(nullptr);
    ASSERT_EQ(lines.size(), 2) << lines.join(QLatin1Char('\n')).toStdString();
    for (const QString name : {QStringLiteral("missing.wav"), QStringLiteral("junk.wav")}) {
        const QString resolved = QDir(dir.path()).absolutePath() + QStringLiteral("/wav/") + name;
        EXPECT_EQ(lines.filter(QStringLiteral("wav\\") + name).filter(resolved).size(), 1) << name.toStdString();
    }
}

TEST_F(SoundWithoutServer, AFloodOfRequestsAndAnEarlyCloseNeverHang)
{
    auto sound = std::make_unique<PulseSound>(dir.path());
    for (int i = 0; i < 2000; ++i)
        sound->play(i % 2 ? QStringLiteral("wav\\click.wav") : QStringLiteral("wav\\missing.wav"));
    sound.reset(); // requests still pending: the destructor must return
    SUCCEED();
}

TEST(SoundDecoding, ReadsRateChannelsAndEverySample)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/stereo.wav");
    writeTone(path, 22050, 2, 0.5);
    const auto d = oravians::decodeSound(path);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->rate, 22050);
    EXPECT_EQ(d->channels, 2);
    EXPECT_EQ(d->samples.size(), size_t(22050 / 2 * 2));
    EXPECT_DOUBLE_EQ(d->seconds(), 0.5);
}

TEST(SoundDecoding, RefusesMissingEmptyForeignAndSilentFiles)
{
    QTemporaryDir dir;
    auto file = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    };
    writeTone(dir.filePath(QStringLiteral("silent.wav")), 44100, 1, 0.0);
    for (const QString& path : {dir.filePath(QStringLiteral("none.wav")), file("empty.wav", {}),
                                file("text.wav", "Edmund Quellmore wrote here.\n"), dir.filePath(QStringLiteral("silent.wav")),
                                dir.path()})
        EXPECT_FALSE(oravians::decodeSound(path).has_value()) << path.toStdString();
}

} // namespace
