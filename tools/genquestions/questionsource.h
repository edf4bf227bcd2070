#pragma once

#include "quiz/questionfile.h"

#include <QString>
#include <stdexcept>

namespace oravians {

// One question of a source file together with the key-facts sentence that answers it.
struct SourceQuestion {
    Question question;
    QString fact;
};

struct QuestionSource {
    QString title;
    std::vector<SourceQuestion> questions;
    QuestionSet set() const;
};

// Reads a question source (content/questions/*.questions, UTF-8); throws
// std::runtime_error naming the line when it is not a valid set of ten.
QuestionSource readQuestionSource(const QString& path);

} // namespace oravians
