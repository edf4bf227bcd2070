#include "quiz/openquiz.h"

#include "quiz/multiple.h"
#include "quiz/questionfile.h"

namespace oravians {

bool openQuiz(App& app, const QString& questionFile, const QString& quizPicture)
{
    bool loaded = false;
    try {
        if (const std::optional<QByteArray> bytes = app.files().read(questionFile)) {
            InputFile file1(*bytes);
            loadworksheet(app.module1, file1);
            // A digit line that is not 1 to 4 means the file was damaged by hand.
            loaded = bankIsComplete(app.module1);
        }
    } catch (const QuestionFileError&) {
        loaded = false;
    }
    if (!loaded) {
        app.messages().show(QString::fromLatin1(kQuizNotOpened), MsgButtons::Ok, QStringLiteral("The Oravians"));
        return false;
    }
    loadPicture(app, app.form<multiple>().Picture1, quizPicture);
    app.form<multiple>().Label5.caption = QStringLiteral("The Oravians");
    app.show<multiple>();
    return true;
}

} // namespace oravians
