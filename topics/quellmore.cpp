#include "topics/quellmore.h"

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
                      .notesCount = 2})
{
}

// Hook for the labelling window quellmorelab: its Label6 := Label1.caption, then show it.
void quellmore::showLabellingActivity() {}

// Hook for the ordering window quellmoreord: its Label6 := Label1.caption, then show it.
void quellmore::showOrderingActivity() {}

} // namespace oravians
