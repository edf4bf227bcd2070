// The topic line is measured in the score window's own font (Tahoma 8.25 pt,
// what a control of the window gets when it names none) to choose 36 or 28
// points on the certificate.
#include "platform/fontmeasure.h"
#include "quiz/welldone.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace oravians;

namespace {
float measure(const QString& text) { return FontMeasure().widthTwips(text, Welldone::kWindowFont); }
} // namespace

TEST(TitleMeasure, TheProductNameIsWellUnderAQuarterOfAPage)
{
    const float width = measure(QStringLiteral("The Oravians"));
    EXPECT_GT(width, 600.0f);
    EXPECT_LT(width, 1500.0f);
    EXPECT_LT(width, 11520.0f / 4);
}

TEST(TitleMeasure, ALongTopicIsWiderThanAQuarterOfAPage)
{
    const QString title = QStringLiteral("The Oravian Railways, Telegraphs, Lamps and Bicycles");
    EXPECT_GT(measure(title), 11520.0f / 4);
}

TEST(TitleMeasure, WiderTextMeasuresWider)
{
    EXPECT_LT(measure(QStringLiteral("iiii")),
              measure(QStringLiteral("WWWW")));
    EXPECT_EQ(measure(QString()), 0.0f);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
