#include "worksheets/aiken.h"

#include <QRegularExpression>

namespace oravians {

namespace {

const QRegularExpression& answerLine()
{
    static const QRegularExpression re(QStringLiteral("^ANSWER\\s*:(.*)$"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A question being gathered: its text lines, then its options.
struct Pending {
    int line = 0;
    QString text;
    QStringList letters;
    QStringList options;
};

void finish(Pending& p, const QString& answer, QuestionReading& out)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;&]|AND"));
    const QString letters = QString(answer).remove(separators);
    if (p.options.isEmpty())
        out.skip(p.line, QStringLiteral("no options"));
    else if (letters.isEmpty())
        out.skip(p.line, QStringLiteral("no right answer"));
    else if (letters.size() > 1)
        out.skip(p.line, QStringLiteral("several right answers"));
    else if (!p.letters.contains(letters))
        out.skip(p.line, QStringLiteral("the answer %1 is not one of its options").arg(letters));
    else if (answerLine().match(p.text).hasMatch())
        // Written out again, its first line would read as the answer.
        out.skip(p.line, QStringLiteral("a question text that begins like an ANSWER line"));
    else if (p.options.size() != 4)
        out.skip(p.line, QStringLiteral("%1 options, not four").arg(p.options.size()));
    else if (p.letters != QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")})
        out.skip(p.line, QStringLiteral("options not lettered A to D"));
    else
        out.take({p.line, {}, p.text, {p.options[0], p.options[1], p.options[2], p.options[3]},
                  int(p.letters.indexOf(letters)) + 1});
    p = {};
}

} // namespace

QuestionReading readAiken(const QString& text)
{
    QuestionReading reading;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    static const QRegularExpression option(QStringLiteral("^([A-Z])[.)]\\s+(.*)$"));
    const QStringList lines = text.split(lineEnd);
    Pending p;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = QString(lines[n]).replace(u'\t', u' ').trimmed();
        const int number = int(n) + 1;
        if (line.isEmpty())
            continue;
        const auto answer = answerLine().match(line);
        if (p.line == 0) {
            // The first line of a question is its text, whatever it looks like.
            if (answer.hasMatch())
                reading.skip(number, QStringLiteral("an answer line without a question"));
            else
                p = {number, line, {}, {}};
            continue;
        }
        if (answer.hasMatch()) {
            finish(p, answer.captured(1).trimmed().toUpper(), reading);
            continue;
        }
        if (const auto m = option.match(line); m.hasMatch()) {
            p.letters << m.captured(1);
            p.options << m.captured(2).trimmed();
        } else if (p.options.isEmpty()) {
            p.text += u' ' + line;
        } else {
            // Text after the options: the question had no answer line and a
            // new one starts here.
            reading.skip(p.line, QStringLiteral("no ANSWER line"));
            p = {number, line, {}, {}};
        }
    }
    if (p.line != 0)
        reading.skip(p.line, QStringLiteral("no ANSWER line"));
    return reading;
}

QString aikenText(const QuestionSet& set)
{
    QString out;
    for (const Question& q : set.questions) {
        out += q.text + u'\n';
        for (int k = 0; k < 4; ++k)
            out += QChar(u'A' + k) + QStringLiteral(". ") + q.choices[std::size_t(k)] + u'\n';
        const int right = q.rightLines.value(0).trimmed().toInt();
        out += QStringLiteral("ANSWER: ") + QChar(u'A' + std::max(0, right - 1)) + QStringLiteral("\n\n");
    }
    return out;
}

} // namespace oravians
