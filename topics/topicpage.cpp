#include "topics/topicpage.h"

#include "quiz/openquiz.h"
#include "shell/intro0.h"
#include "topics/teacher.h"

namespace oravians {

TopicPage::TopicPage(App& app, TopicValues v) : Window(app, v.windowName), values(std::move(v)), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    Label3.setOnMouseMove([this](int i, int, int, float, float) { Label3_MouseMove(i); });
}

void TopicPage::Form_Load()
{
    setupform(*this);
    back = Rgb{39, 63, 137};
    loadPicture(app, Image1, values.picture);
    Image1.left = (12000 - Image1.width) / 2;
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
        app.intro0.show();
        unloadSelf();
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
    playsound(app, QStringLiteral("wav\\click.wav"));
}

void TopicPage::openPages(const QString& key, int count)
{
    Module1& m = app.module1;
    m.pagecount = count;
    m.pagekey = key;
    // Touching the viewer loads it here, after the page count is set.
    app.teacher->putPage(pageFile(QStringLiteral("wmf"), key, 1), pageFile(QStringLiteral("wmf2"), key, 1));
    app.teacher.show();
}

void TopicPage::Label3_MouseMove(int index) { Label3[index].opaque = true; }

void TopicPage::Form_MouseMove(int, int, float, float)
{
    for (const auto& [i, c] : Label3.elements())
        c->opaque = false;
}

} // namespace oravians
