// Any bytes at all: a reader either takes a question or skips it with a
// reason, never takes a text a worksheet cannot hold, and what it took,
// written out again, reads back the same.
#pragma once

#include "platform/textcodec.h"
#include "worksheets/questionreading.h"
#include "quiz/questionfile.h"

#include <cstdlib>

namespace oravians {

inline bool holdable(const QString& text, int limit)
{
    return !text.isEmpty() && text.size() <= limit && fromCodePage(toCodePage(text)) == text
        && text.trimmed() == text && !text.startsWith(u'"');
}

template <class Read, class Write>
int fuzzRoundTrip(const std::uint8_t* data, std::size_t size, Read read, Write write)
{
    const QuestionReading first = read(decodeTeacherText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    if (first.questions.empty())
        return 0;
    QuestionSet set{QStringLiteral("Fuzz"), {}};
    for (std::size_t i = 0; i < 10; ++i) {
        const ForeignQuestion& q = first.questions[i % first.questions.size()];
        bool ok = holdable(q.text, kQuestionLimit) && q.right >= 1 && q.right <= 4;
        for (const QString& c : q.choices)
            ok = ok && holdable(c, kChoiceLimit);
        if (!ok)
            std::abort();
        set.questions.push_back({q.text, q.choices, {QString::number(q.right)}});
    }
    const QuestionReading again = read(write(set));
    if (again.questions.size() != 10 || !again.skipped.empty())
        std::abort();
    for (std::size_t i = 0; i < 10; ++i) {
        const ForeignQuestion& a = again.questions[i];
        const Question& q = set.questions[i];
        if (a.text != q.text || a.choices != q.choices || QString::number(a.right) != q.rightLines[0])
            std::abort();
    }
    return 0;
}

} // namespace oravians
