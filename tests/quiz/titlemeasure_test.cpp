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

// The product name stays at 36 points, a long topic drops to 28.
TEST(TitleMeasure, OnlyALongTopicIsWiderThanAQuarterOfAPage)
{
    EXPECT_GT(measure(QStringLiteral("The Oravians")), 600.0f) << "measured, not zero";
    EXPECT_LT(measure(QStringLiteral("The Oravians")), 11520.0f / 4);
    EXPECT_GT(measure(QStringLiteral("The Oravian Railways, Telegraphs, Lamps and Bicycles")), 11520.0f / 4);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
