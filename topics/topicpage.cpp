#include "topics/topicpage.h"

#include "quiz/openquiz.h"
#include "shell/intro0.h"
#include "topics/teacher.h"

namespace oravians {

TopicPage::TopicPage(App& app, TopicValues v) : Window(app, v.windowName), values(std::move(v)), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    lightOnHover(Label3);
}

void TopicPage::Form_Load()
{
    setupform(*this);
    back = Rgb{39, 63, 137};
    loadPicture(app, Image1, values.picture);
    Image1.left = (12000 - Image1.width) / 2;
    // The labelling activity's photographs decode while the pupil reads.
    app.pictures().readAhead(values.activityPictures);
}

void TopicPage::Label3_Click(int index)
{
    switch (index) {
    case 0:
        // A missing or damaged question file is reported there; the page stays up.
        openQuiz(app, values.questionFile, values.quizPicture);
        break;
    case 1:
        showLabellingActivity();
        break;
    case 2:
        app.show<intro0>();
        unload();
        break;
    case 3:
        showOrderingActivity();
        break;
    case 4:
        openPages(values.keyFactsKey, values.keyFactsCount);
        break;
    case 5:
        openPages(values.notesKey, values.notesCount);
        break;
    default:
        break;
    }
    clicksound(app);
}

void TopicPage::openPages(const QString& key, int count)
{
    Module1& m = app.module1;
    m.pagecount = count;
    m.pagekey = key;
    // Touching the viewer loads it here, after the page count is set.
    app.form<teacher>().putPage(pageFile(QStringLiteral("wmf"), key, 1), pageFile(QStringLiteral("wmf2"), key, 1));
    app.show<teacher>();
}

void TopicPage::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label3);
}

} // namespace oravians
