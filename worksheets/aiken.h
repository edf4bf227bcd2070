#pragma once

#include "quiz/questionfile.h"
#include "worksheets/questionreading.h"

namespace oravians {

// Reads an Aiken file: a question line, option lines "A. text" or "A) text",
// and "ANSWER: X"; anything else is skipped with its line and reason.
QuestionReading readAiken(const QString& text);

// One worksheet as Aiken (the format has no place for the title: the file's
// name carries it).
QString aikenText(const QuestionSet& set);

} // namespace oravians
