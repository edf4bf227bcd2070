// The program starts with only the fonts its title screen draws with and
// reads the rest after the first paint. The title must look the same either
// way, and afterwards every installed font must serve as it would have from
// the start.
#include "platform/fontpreloader.h"
#include "platform/qt/host.h"
#include "platform/qt/qtscreen.h"
#include "platform/qt/windowpainter.h"
#include "shell/titlefrm.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QTest>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace oravians {
namespace {

using namespace oravians::testing;

FontPreloader* fonts = nullptr;

// The family the application's default font (message boxes, dialogs) comes
// out as in a copy of this program that reads every font from the start.
QString defaultFamilyWithAllFontsAtOnce()
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral("/etc/fonts/fonts.conf"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--default-family")});
    child.waitForFinished(30000);
    return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
}

// The families that draw `text` in `font`, in order.
QStringList familiesDrawing(const QFont& font, const QString& text)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns())
        families << run.rawFont().familyName();
    return families;
}

TEST(FirstScreenFonts, DrawTheTitleAsAllFontsDoAndGiveWayToThemAfterTheFirstPaint)
{
    if (fonts->allFontsLoaded())
        GTEST_SKIP() << "the title's fonts are not installed on their own here; all fonts were read at once";
    const QStringList before = QFontDatabase::families();
    EXPECT_LT(before.size(), 20) << "only the title's families at first";

    QtScreen realScreen;
    Rig rig({.screen = &realScreen});
    Host host(rig.app);
    host.setGeometry(QGuiApplication::primaryScreen()->geometry());
    host.show();
    rig.app.show<Titlefrm>();
    const QImage first = host.grab().toImage();

    bool switched = false;
    fonts->loadAllFonts([&] { switched = true; });
    QElapsedTimer clock;
    clock.start();
    while (!switched && clock.elapsed() < 30000)
        QTest::qWait(10);
    ASSERT_TRUE(switched);
    fonts->wait();
    EXPECT_TRUE(fonts->allFontsLoaded());
    EXPECT_GT(QFontDatabase::families().size(), before.size());

    EXPECT_EQ(host.grab().toImage(), first) << "the title looks the same once every font is known";
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tahoma"))) << "the program's own font stays";
    EXPECT_EQ(QFontInfo(QApplication::font()).family().toStdString(), defaultFamilyWithAllFontsAtOnce().toStdString())
        << "message boxes get the font they would have had from the start";

    // A pupil's name in Chinese on the certificate's serif line.
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Serif CJK SC")))
        GTEST_SKIP() << "no CJK serif font installed";
    EXPECT_TRUE(familiesDrawing(twipsFont(times(24),
                                          QStringLiteral("Li 王芳")),
                                QStringLiteral("Li 王芳"))
                    .contains(QStringLiteral("Noto Serif CJK SC")));
}

} // namespace
} // namespace oravians

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    oravians::FontPreloader preloader;
    oravians::fonts = &preloader;
    QApplication app(argc, argv);
    preloader.addProgramFonts(QStringLiteral(ORAVIANS_PROGRAM_DIR));
    if (argc > 1 && QByteArray(argv[1]) == "--default-family") {
        std::printf("%s\n", qPrintable(QFontInfo(QApplication::font()).family()));
        preloader.wait();
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    preloader.wait();
    return status;
}
