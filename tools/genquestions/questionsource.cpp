#include "tools/genquestions/questionsource.h"

#include <QFile>
#include <QStringList>

namespace oravians {

QuestionSet QuestionSource::set() const
{
    QuestionSet s;
    s.title = title;
    for (const SourceQuestion& q : questions)
        s.questions.push_back(q.question);
    return s;
}

QuestionSource readQuestionSource(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot open " + path).toStdString());
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    QuestionSource src;
    int choices = 0;
    auto fail = [&](int line, const QString& why) {
        throw std::runtime_error(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(why).toStdString());
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            fail(i + 1, "expected key: value");
        const QString key = line.left(colon);
        const QString value = line.mid(colon + 1).trimmed();
        if (key == "title") {
            src.title = value;
        } else if (key == "q") {
            src.questions.push_back({});
            src.questions.back().question.text = value;
            choices = 0;
        } else if (src.questions.empty()) {
            fail(i + 1, "expected q: first");
        } else if (key == "a" || key == "b" || key == "c" || key == "d") {
            if (key[0].unicode() - u'a' != choices)
                fail(i + 1, "choices must come in the order a, b, c, d");
            src.questions.back().question.choices[choices++] = value;
        } else if (key == "right") {
            if (value.size() != 1 || value[0] < u'1' || value[0] > u'4')
                fail(i + 1, "right must be 1 to 4");
            src.questions.back().question.rightLines = {value};
        } else if (key == "fact") {
            src.questions.back().fact = value;
        } else {
            fail(i + 1, "unknown key " + key);
        }
    }
    if (src.title.isEmpty())
        fail(0, "no title");
    if (src.questions.size() != 10)
        fail(0, QStringLiteral("%1 questions instead of 10").arg(src.questions.size()));
    for (const SourceQuestion& q : src.questions) {
        if (q.question.rightLines.size() != 1 || q.fact.isEmpty())
            fail(0, "question without right: or fact: " + q.question.text);
        for (const QString& c : q.question.choices)
            if (c.isEmpty())
                fail(0, "question with fewer than four choices: " + q.question.text);
    }
    return src;
}

} // namespace oravians
