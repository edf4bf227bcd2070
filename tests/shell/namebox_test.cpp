// The score window's name box, drawn by the real Qt host offscreen, shows a
// pupil's name in whatever script it is written.
#include "platform/qt/host.h"
#include "platform/qt/windowpainter.h"
#include "platform/fontmap.h"
#include "quiz/welldone.h"
#include "platform/fontmeasure.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace oravians {
namespace {

using namespace oravians::testing;

// The fakes, but the host's own text measure.
struct NameRig {
    FontMeasure measure;
    Rig rig{{.measure = &measure}};
    App& app = rig.app;
};

struct ScriptName {
    const char* script;
    const char* name;
};

class NameBox : public ::testing::TestWithParam<ScriptName> {};

// A Chinese name showed as empty boxes: no installed font had its letters.
TEST_P(NameBox, ShowsEveryLetterOfTheName)
{
    const QString name = QString::fromUtf8(GetParam().name);
    NameRig rig;
    rig.app.module1.score = 10;
    rig.app.module1.outof = 10;
    Welldone& w = rig.app.form<Welldone>();
    ASSERT_TRUE(w.Text1.visible);
    w.Text1.caption = name;

    // Shaped in the box's font with its fallbacks, no letter is the empty
    // box a font draws for a letter it lacks.
    QTextLayout layout(name, twipsFont(w.Text1.font, name));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    QStringList fonts;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        fonts << run.rawFont().familyName();
        for (quint32 g : run.glyphIndexes()) {
            EXPECT_NE(g, 0u) << "a letter without a glyph in " << run.rawFont().familyName().toStdString();
            ++glyphs;
        }
    }
    EXPECT_GT(glyphs, 0);

    // And the box on screen has the name's ink in it.
    QImage image(int(w.clientWidth() / kTwipsPerPixel), int(w.clientHeight() / kTwipsPerPixel),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(1 / kTwipsPerPixel, 1 / kTwipsPerPixel);
    paintWindow(p, w, false);
    p.end();
    const QRect box = QRectF(w.Text1.left / kTwipsPerPixel + 4, w.Text1.top / kTwipsPerPixel + 3,
                             w.Text1.width / kTwipsPerPixel - 8, w.Text1.height / kTwipsPerPixel - 6)
                          .toRect();
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 40) << "drawn with " << fonts.join(QStringLiteral(", ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Scripts, NameBox,
                         ::testing::Values(ScriptName{"Chinese", "王小明"}, ScriptName{"Arabic", "ليلى حداد"},
                                           ScriptName{"Devanagari", "अनन्या शर्मा"},
                                           ScriptName{"Cyrillic", "Алёна Петрова"},
                                           ScriptName{"Greek", "Ξανθή Παππά"},
                                           ScriptName{"AccentedLatin", "Zoë Ñúñez"}),
                         [](const auto& info) { return std::string(info.param.script); });

} // namespace
} // namespace oravians

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    oravians::addProgramFonts(QCoreApplication::applicationDirPath());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
