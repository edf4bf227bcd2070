#include "topics/inventions.h"

#include "activities/inventionslab.h"
#include "activities/inventionsord.h"
#include "activities/activitytexts.h"

namespace oravians {

inventions::inventions(App& app)
    : TopicPage(app, {.windowName = QStringLiteral("inventions"),
                      .title = QStringLiteral("Oravian Inventions"),
                      .picture = QStringLiteral("images\\engineer.jpg"),
                      .pictureTop = 1260,
                      .questionFile = QStringLiteral("multiple\\Oravian Inventions.txt"),
                      .quizPicture = QStringLiteral("images\\engineersm.jpg"),
                      .keyFactsKey = QStringLiteral("key inventions"),
                      .keyFactsCount = 3,
                      .notesKey = QStringLiteral("inventions"),
                      .notesCount = 4,
                      .activityPictures = {activitytexts::kInventionPictures.begin(), activitytexts::kInventionPictures.end()}})
{
}

void inventions::showLabellingActivity()
{
    // Touching the window loads it first; the heading set here stands.
    app.form<inventionslab>().Label6.caption = Label1.caption;
    app.show<inventionslab>();
}

void inventions::showOrderingActivity()
{
    app.form<inventionsord>().Label6.caption = Label1.caption;
    app.show<inventionsord>();
}

} // namespace oravians
