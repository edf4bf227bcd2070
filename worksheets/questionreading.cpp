#include "worksheets/questionreading.h"

#include "platform/textcodec.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace oravians {

namespace {

QString firstUnkept(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!codePageHolds(text.mid(i, n)))
            return text.mid(i, n);
    }
    return {};
}

// Why text cannot go on a worksheet unchanged; empty when it can.
QString textProblem(const QString& what, const QString& text, int limit)
{
    if (text.isEmpty())
        return what + QStringLiteral(" is empty");
    if (text.size() > limit)
        return what + QStringLiteral(" is longer than %1 characters (%2)").arg(limit).arg(text.size());
    for (QChar c : text)
        if (c.category() == QChar::Other_Control)
            return what + QStringLiteral(" has a control character");
    if (const QString c = firstUnkept(text); !c.isEmpty())
        return what + QStringLiteral(" has the character %1, which a worksheet cannot hold").arg(c);
    // The question file reads a text that begins with a quotation mark as
    // the part between the first two.
    if (text.startsWith(u'"'))
        return what + QStringLiteral(" begins with a double quotation mark, which a worksheet cannot keep");
    return {};
}

} // namespace

void QuestionReading::take(ForeignQuestion question)
{
    QString problem = textProblem(QStringLiteral("the question"), question.text, kQuestionLimit);
    for (int k = 0; k < 4 && problem.isEmpty(); ++k)
        problem = textProblem(QStringLiteral("option ") + QChar(u'A' + k), question.choices[std::size_t(k)],
                              kChoiceLimit);
    if (problem.isEmpty())
        questions.push_back(std::move(question));
    else
        skip(question.line, problem);
}

QString decodeTeacherText(const QByteArray& bytes)
{
    // A byte-order mark says which Unicode form a file is in (Notepad's
    // "Unicode" is UTF-16); without one, UTF-8 unless the bytes cannot be.
    if (const auto bom = QStringConverter::encodingForData(bytes); bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decoder(*bom);
        return decoder(bytes);
    }
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(body);
    if (!utf8.hasError())
        return text;
    return fromCodePage(bytes);
}

InterchangeFormat guessFormat(const QString& fileName, const QString& text)
{
    if (fileName.endsWith(QLatin1String(".gift"), Qt::CaseInsensitive))
        return InterchangeFormat::Gift;
    static const QRegularExpression answerLine(QStringLiteral("^\\s*ANSWER\\s*:\\s*[A-Z]"),
                                               QRegularExpression::MultilineOption);
    return text.contains(answerLine) ? InterchangeFormat::Aiken : InterchangeFormat::Gift;
}

QString formatName(InterchangeFormat format)
{
    return format == InterchangeFormat::Gift ? QStringLiteral("GIFT") : QStringLiteral("Aiken");
}

} // namespace oravians
