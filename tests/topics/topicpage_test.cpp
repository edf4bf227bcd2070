#include "topicstest.h"

#include "quiz/openquiz.h"
#include "tests/quiz/quizplay.h"

namespace oravians::testing {
namespace {

using TopicPageTest = MenuFixture;

TEST_F(TopicPageTest, BothTopicsShowTheirTitleAndCentredPicture)
{
    const struct {
        int entry;
        const char* title;
        const char* picture;
        QPointF place; // centred across the 12000-twip page
    } rows[] = {{10, "Edmund Quellmore", "images\\quellmore2.jpg", {3600, 780}},
                {8, "Oravian Inventions", "images\\engineer.jpg", {3600, 1260}}};
    for (const auto& row : rows) {
        clickMenu(row.entry);
        const Window& page = *app.top();
        const Control& image = *page.find(QStringLiteral("Image1"), -1);
        EXPECT_EQ(page.find(QStringLiteral("Label1"), -1)->caption, row.title);
        EXPECT_EQ(pictureOf(image), row.picture);
        EXPECT_EQ(QPointF(image.left, image.top), row.place) << row.title;
        EXPECT_EQ(page.caption, "The Oravians");
        rig.sound.played.clear();
        app.click(*page.find(QStringLiteral("Label3"), 2)); // Exit closes the page
        EXPECT_EQ(app.top(), app.peek<intro0>());
        EXPECT_EQ(std::count(app.loadedWindows().begin(), app.loadedWindows().end(), &page), 0);
        EXPECT_EQ(rig.sound.played, QStringList{"wav\\click.wav"});
    }
}

TEST_F(TopicPageTest, MissingTopicPictureLeavesAnEmptyPictureInPlace)
{
    rig.pictures.missing.insert("images\\engineer.jpg");
    clickMenu(8);
    EXPECT_EQ(app.form<inventions>().Image1.picture, nullptr);
    EXPECT_EQ(app.form<inventions>().Image1.left, 3600);
}

TEST_F(TopicPageTest, SoundOffSilencesTheButtons)
{
    app.click(app.form<intro0>().Option2);
    clickMenu(10);
    app.click(app.form<quellmore>().Label3[4]);
    EXPECT_TRUE(rig.sound.played.isEmpty());
}

TEST_F(TopicPageTest, HoverLightsAButtonAndTheBackgroundClearsAllSix)
{
    clickMenu(10);
    quellmore& page = app.form<quellmore>();
    app.formMouseMove(page, 0, 0, 100, 100);
    for (int i = 0; i <= 5; ++i)
        EXPECT_FALSE(page.Label3[i].opaque) << "button " << i;
    app.mouseMove(page.Label3[4], 0, 0, 10, 10);
    app.mouseMove(page.Label3[5], 0, 0, 10, 10);
    EXPECT_TRUE(page.Label3[4].opaque);
    EXPECT_TRUE(page.Label3[5].opaque);
    EXPECT_FALSE(page.Label3[0].opaque);
    app.mouseMove(page.Image1, 0, 0, 10, 10);
    EXPECT_TRUE(page.Label3[4].opaque) << "only the background clears them";
}

// The topic's question file, written to the program's content files.
struct TopicQuizTest : MenuFixture {
    void writeQuiz(const QString& title)
    {
        writeQuestionFile(rig.files, "multiple\\" + title + ".txt", tenQuestions(title));
    }
};

TEST_F(TopicQuizTest, MultipleChoiceShowsTheTopicsQuizOverThePage)
{
    for (auto [entry, title, picture] : {std::tuple{10, "Edmund Quellmore", "images\\quellmoresm.jpg"},
                                         std::tuple{8, "Oravian Inventions", "images\\engineersm.jpg"}}) {
        writeQuiz(title);
        clickMenu(entry);
        Window* page = app.top();
        app.click(*page->find(QStringLiteral("Label3"), 0));
        ASSERT_EQ(app.top(), app.peek<multiple>());
        EXPECT_EQ(pictureOf(app.form<multiple>().Picture1), picture);
        EXPECT_EQ(app.form<multiple>().Label5.caption, "The Oravians");
        EXPECT_EQ(app.form<multiple>().Label6.caption, title);
        EXPECT_EQ(app.form<multiple>().Label2.caption, QString(title) + " question 1");
        EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
        EXPECT_TRUE(rig.messages.shown.empty());
        EXPECT_TRUE(app.isShown(*page)) << "the page stays beneath the quiz";
        app.click(app.form<multiple>().Label3[2]);
        app.click(*page->find(QStringLiteral("Label3"), 2));
    }
}

TEST_F(TopicQuizTest, MissingQuestionFileKeepsThePageUpWithAMessage)
{
    clickMenu(10);
    app.click(app.form<quellmore>().Label3[0]);
    EXPECT_EQ(app.top(), app.peek<quellmore>());
    EXPECT_EQ(rig.messages.texts(), QStringList{QString::fromLatin1(kQuizNotOpened)});
    EXPECT_EQ(rig.sound.played.last(), "wav\\click.wav");
}

} // namespace
} // namespace oravians::testing
