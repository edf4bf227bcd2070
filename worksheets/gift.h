#pragma once

#include "quiz/questionfile.h"
#include "worksheets/questionreading.h"

namespace oravians {

// Reads the multiple-choice questions of a GIFT file; every other kind of
// question is skipped with its line and reason.
QuestionReading readGift(const QString& text);

// One worksheet as GIFT: its title as the category, the questions in order
// with the right option marked "=", special characters escaped.
QString giftText(const QuestionSet& set);

} // namespace oravians
