#include "worksheets/gift.h"

#include <QRegularExpression>
#include <optional>

namespace oravians {

namespace {

// A character of a question with whether a backslash made it plain text.
struct Ch {
    QChar c;
    bool escaped = false;
};
using Chars = std::vector<Ch>;

const QString kSpecial = QStringLiteral("~=#{}:\\");
// "%50%" before an answer's text: its share of the marks.
const QRegularExpression kWeight(QStringLiteral("^%(-?[0-9]+(?:\\.[0-9]+)?)%"));
// "[html]" before a question's text: how the platform formats it.
const QRegularExpression kMarker(QStringLiteral("^\\[(html|markdown|plain|moodle)\\]\\s*"),
                                 QRegularExpression::CaseInsensitiveOption);

Chars unescape(const QString& s)
{
    Chars out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar n = s[i + 1];
            if (n == u'n' || kSpecial.contains(n)) {
                out.push_back({n == u'n' ? QChar(u'\n') : n, true});
                ++i;
                continue;
            }
        }
        out.push_back({s[i], false});
    }
    return out;
}

bool isMark(const Chars& s, std::size_t i, QChar c) { return i < s.size() && !s[i].escaped && s[i].c == c; }

std::size_t find(const Chars& s, std::size_t from, QChar c)
{
    for (std::size_t i = from; i < s.size(); ++i)
        if (isMark(s, i, c))
            return i;
    return s.size();
}

// Line breaks inside a question are spaces on a worksheet's single line.
QString plain(const Chars& s, std::size_t from, std::size_t to)
{
    QString out;
    for (std::size_t i = from; i < to && i < s.size(); ++i)
        out += (s[i].c == u'\n' || s[i].c == u'\r' || s[i].c == u'\t') ? QChar(u' ') : s[i].c;
    return out.trimmed();
}

struct Answer {
    bool right = false; // marked "="
    std::optional<double> weight; // "%50%"
    QString text;
};

// Splits "=a ~b#feedback ~%50%c" into answers; nothing when something other
// than an answer mark starts the list.
std::optional<std::vector<Answer>> answersOf(const Chars& s)
{
    std::vector<Answer> answers;
    std::size_t i = 0;
    while (i < s.size() && !s[i].escaped && s[i].c.isSpace())
        ++i;
    while (i < s.size()) {
        if (!isMark(s, i, u'=') && !isMark(s, i, u'~'))
            return std::nullopt;
        Answer a;
        a.right = s[i].c == u'=';
        std::size_t end = i + 1;
        while (end < s.size() && !isMark(s, end, u'=') && !isMark(s, end, u'~'))
            ++end;
        // Feedback after "#" is for the platform's pupils only.
        const std::size_t textEnd = std::min(find(s, i + 1, u'#'), end);
        QString text = plain(s, i + 1, textEnd);
        if (const auto m = kWeight.match(text); m.hasMatch()) {
            a.weight = m.captured(1).toDouble();
            text = text.mid(m.capturedLength()).trimmed();
        }
        a.text = text;
        answers.push_back(a);
        i = end;
    }
    return answers;
}

// Why the question is not one a worksheet can take; empty when it is.
QString kindProblem(const Chars& answerChars)
{
    const QString all = plain(answerChars, 0, answerChars.size());
    if (all.isEmpty())
        return QStringLiteral("an essay question");
    std::size_t first = 0;
    while (first < answerChars.size() && answerChars[first].c.isSpace())
        ++first;
    if (isMark(answerChars, first, u'#'))
        return QStringLiteral("a numerical question");
    const QString beforeFeedback = plain(answerChars, 0, find(answerChars, 0, u'#'));
    static const QRegularExpression trueFalse(QStringLiteral("^(T|F|TRUE|FALSE)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (trueFalse.match(beforeFeedback).hasMatch())
        return QStringLiteral("a true/false question");
    return {};
}

// The few entities an HTML question without tags still carries.
QString htmlDecoded(QString text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (const auto& [entity, c] : entities)
        text.replace(QLatin1String(entity), QLatin1String(c));
    return text;
}

void readQuestion(const QString& raw, int line, const QString& category, QuestionReading& out)
{
    const Chars s = unescape(raw);
    std::size_t i = 0;
    while (i < s.size() && s[i].c.isSpace())
        ++i;
    if (isMark(s, i, u':') && isMark(s, i + 1, u':')) {
        std::size_t close = i + 2;
        while (close < s.size() && !(isMark(s, close, u':') && isMark(s, close + 1, u':')))
            ++close;
        if (close >= s.size()) {
            out.skip(line, QStringLiteral("a question name without its closing ::"));
            return;
        }
        i = close + 2;
    }
    const std::size_t open = find(s, i, u'{');
    if (open == s.size()) {
        out.skip(line, QStringLiteral("text without answers"));
        return;
    }
    const std::size_t close = find(s, open + 1, u'}');
    if (close == s.size()) {
        out.skip(line, QStringLiteral("answers without their closing }"));
        return;
    }
    QString text = plain(s, i, open);
    bool html = false;
    if (const auto m = kMarker.match(text); m.hasMatch()) {
        html = m.captured(1).compare(QLatin1String("html"), Qt::CaseInsensitive) == 0;
        text = text.mid(m.capturedLength());
    }
    // Text after the answers makes a gap in the sentence.
    if (const QString after = plain(s, close + 1, s.size()); !after.isEmpty())
        text = (text + QStringLiteral(" _____ ") + after).trimmed();

    const Chars answerChars(s.begin() + std::ptrdiff_t(open + 1), s.begin() + std::ptrdiff_t(close));
    if (const QString problem = kindProblem(answerChars); !problem.isEmpty()) {
        out.skip(line, problem);
        return;
    }
    const auto answers = answersOf(answerChars);
    if (!answers) {
        out.skip(line, QStringLiteral("answers that do not begin with = or ~"));
        return;
    }
    int rights = 0, wrongs = 0, right = 0;
    bool partial = false;
    for (std::size_t k = 0; k < answers->size(); ++k) {
        const Answer& a = (*answers)[k];
        if (a.right && a.text.contains(QLatin1String("->"))) {
            out.skip(line, QStringLiteral("a matching question"));
            return;
        }
        if (a.weight && (a.right ? *a.weight < 100 : *a.weight != 0))
            partial = true;
        if (a.right) {
            ++rights;
            right = int(k) + 1;
        } else {
            ++wrongs;
        }
    }
    if (wrongs == 0) {
        out.skip(line, QStringLiteral("a short-answer question"));
        return;
    }
    if (partial || rights > 1) {
        out.skip(line, QStringLiteral("several right answers"));
        return;
    }
    if (rights == 0) {
        out.skip(line, QStringLiteral("no right answer"));
        return;
    }
    if (answers->size() != 4) {
        out.skip(line, QStringLiteral("%1 options, not four").arg(answers->size()));
        return;
    }
    static const QRegularExpression tag(QStringLiteral("<[A-Za-z/!][^>]*>"));
    if (html) {
        bool tagged = text.contains(tag);
        for (const Answer& a : *answers)
            tagged = tagged || a.text.contains(tag);
        if (tagged) {
            out.skip(line, QStringLiteral("text formatted as HTML"));
            return;
        }
    }
    ForeignQuestion q{line, category, html ? htmlDecoded(text) : text, {}, right};
    for (std::size_t k = 0; k < 4; ++k)
        q.choices[k] = html ? htmlDecoded((*answers)[k].text) : (*answers)[k].text;
    out.take(q);
}

// The change in the depth of unescaped braces over one line; opened is set
// when the line opens a list of answers.
int braceChange(const QString& line, bool& opened)
{
    int change = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\') {
            ++i;
        } else if (line[i] == u'{') {
            ++change;
            opened = true;
        }
        else if (line[i] == u'}') {
            --change;
        }
    }
    return change;
}

// "$course$/top/Rivers" files its questions under "Rivers".
QString categoryName(const QString& path)
{
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        const QString part = it->trimmed();
        if (!part.isEmpty() && !part.startsWith(u'$'))
            return part;
    }
    return {};
}

} // namespace

QuestionReading readGift(const QString& text)
{
    QuestionReading reading;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnd);
    static const QRegularExpression categoryLine(QStringLiteral("^\\$CATEGORY:(.*)$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    QString category;
    QStringList block;
    int blockLine = 0;
    int depth = 0;
    bool answered = false;
    auto finish = [&] {
        if (!block.isEmpty())
            readQuestion(block.join(u'\n'), blockLine, category, reading);
        block.clear();
        depth = 0;
        answered = false;
    };
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.startsWith(QLatin1String("//")))
            continue;
        if (line.isEmpty()) {
            if (depth <= 0)
                finish();
            continue;
        }
        if (depth <= 0) {
            if (const auto m = categoryLine.match(line); m.hasMatch()) {
                finish();
                category = categoryName(m.captured(1));
                continue;
            }
            // A question name right after a finished question starts the
            // next one even without the blank line between them.
            if (line.startsWith(QLatin1String("::")) && answered)
                finish();
        }
        if (block.isEmpty())
            blockLine = int(n) + 1;
        block << line;
        depth += braceChange(line, answered);
    }
    finish();
    return reading;
}

namespace {
QString escaped(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (kSpecial.contains(c))
            out += u'\\';
        out += c;
    }
    return out;
}
} // namespace

QString giftText(const QuestionSet& set)
{
    QString out = QStringLiteral("// A worksheet of The Oravians: its title is the category.\n");
    out += QStringLiteral("$CATEGORY: ") + set.title + QStringLiteral("\n\n");
    int n = 0;
    for (const Question& q : set.questions) {
        const QString right = q.rightLines.value(0).trimmed();
        // A text that looks like a format marker or a weight gets one of its
        // own in front, so the reader takes only that.
        const QString marker = q.text.contains(kMarker) ? QStringLiteral("[plain]") : QString();
        out += QStringLiteral("::Question %1:: ").arg(++n) + marker + escaped(q.text) + QStringLiteral(" {\n");
        for (int k = 0; k < 4; ++k) {
            const bool isRight = right == QString::number(k + 1);
            const QString& choice = q.choices[std::size_t(k)];
            const QString weight =
                choice.contains(kWeight) ? (isRight ? QStringLiteral("%100%") : QStringLiteral("%0%")) : QString();
            out += (isRight ? u'=' : u'~') + weight + escaped(choice) + QStringLiteral("\n");
        }
        out += QStringLiteral("}\n\n");
    }
    return out;
}

} // namespace oravians
