#pragma once

#include "kernel/app.h"

#include <QString>

namespace oravians {

// Opens a built-in quiz: reads questionFile ("multiple\Edmund Quellmore.txt")
// into the question bank, puts quizPicture ("images\quellmoresm.jpg") and the
// topic text on the quiz window and shows it. A missing or damaged question
// file gets a message box instead of a broken quiz; then it returns false and
// the quiz window is not opened.
bool openQuiz(App& app, const QString& questionFile, const QString& quizPicture);

// The message shown then.
inline constexpr const char* kQuizNotOpened =
    "This quiz could not be opened. Its question file is missing or damaged.";

} // namespace oravians
