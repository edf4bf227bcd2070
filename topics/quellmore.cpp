#include "topics/quellmore.h"

#include "activities/quellmorelab.h"
#include "activities/quellmoreord.h"
#include "activities/activitytexts.h"

namespace oravians {

quellmore::quellmore(App& app)
    : TopicPage(app, {.windowName = QStringLiteral("quellmore"),
                      .title = QStringLiteral("Edmund Quellmore"),
                      .picture = QStringLiteral("images\\quellmore2.jpg"),
                      .pictureTop = 780,
                      .questionFile = QStringLiteral("multiple\\Edmund Quellmore.txt"),
                      .quizPicture = QStringLiteral("images\\quellmoresm.jpg"),
                      .keyFactsKey = QStringLiteral("key quellmore"),
                      .keyFactsCount = 2,
                      .notesKey = QStringLiteral("quellmore"),
                      .notesCount = 2,
                      .activityPictures = {activitytexts::kBookPictures.begin(), activitytexts::kBookPictures.end()}})
{
}

void quellmore::showLabellingActivity()
{
    // Touching the window loads it first; the heading set here stands.
    app.form<quellmorelab>().Label6.caption = Label1.caption;
    app.show<quellmorelab>();
}

void quellmore::showOrderingActivity()
{
    app.form<quellmoreord>().Label6.caption = Label1.caption;
    app.show<quellmoreord>();
}

} // namespace oravians
