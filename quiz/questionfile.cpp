#include "quiz/questionfile.h"

#include "platform/textcodec.h"


namespace oravians {

InputFile::InputFile(const QByteArray& bytes) : text_(fromCodePage(bytes)) {}

void InputFile::consumeDelimiter()
{
    if (atEnd())
        return;
    const QChar c = text_[pos_++];
    if (c == u'\r' && !atEnd() && text_[pos_] == u'\n')
        ++pos_;
}

QString InputFile::readField()
{
    if (atEnd())
        throw EndOfFileError("read past the end of the file");
    while (!atEnd() && text_[pos_] == u' ')
        ++pos_;
    auto isDelimiter = [](QChar c) { return c == u',' || c == u'\r' || c == u'\n'; };

    if (!atEnd() && text_[pos_] == u'"') {
        const qsizetype start = pos_ + 1;
        qsizetype close = text_.indexOf(u'"', start);
        if (close < 0)
            close = text_.size();
        QString field = text_.mid(start, close - start);
        pos_ = std::min(close + 1, text_.size());
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (!atEnd() && !isDelimiter(text_[pos_]))
            ++pos_;
        consumeDelimiter();
        return field;
    }

    const qsizetype start = pos_;
    while (!atEnd() && !isDelimiter(text_[pos_]))
        ++pos_;
    QString field = text_.mid(start, pos_ - start);
    consumeDelimiter();
    return field;
}

namespace {
QString ampersandsToCommas(QString text)
{
    text.replace(u'&', u',');
    return text;
}
} // namespace

void loadworksheet(Module1& bank, InputFile& file)
{
    bank.worktitle = ampersandsToCommas(file.readField());
    file.readField(); // separator
    for (int n = 1; n <= 10; ++n) {
        for (int j = 0; j <= 4; ++j) {
            QString text = ampersandsToCommas(file.readField());
            switch (j) {
            case 0: bank.questtext[n] = text; break;
            case 1: bank.choice1[n] = text; break;
            case 2: bank.choice2[n] = text; break;
            case 3: bank.choice3[n] = text; break;
            case 4: bank.choice4[n] = text; break;
            }
        }
        bank.rightchoice[n] = file.readField();
        file.readField(); // separator
    }
}

int rightChoiceNumber(const Module1& bank, int n)
{
    bool ok = false;
    const int k = bank.rightchoice.at(n).trimmed().toInt(&ok);
    return ok && k >= 1 && k <= 4 ? k : 0;
}

bool bankIsComplete(const Module1& bank)
{
    for (int n = 1; n <= 10; ++n)
        if (rightChoiceNumber(bank, n) == 0)
            return false;
    return true;
}

QuestionSet questionSetFromBank(const Module1& bank)
{
    QuestionSet set;
    set.title = bank.worktitle;
    for (int n = 1; n <= 10; ++n)
        set.questions.push_back({bank.questtext[n],
                                 {bank.choice1[n], bank.choice2[n], bank.choice3[n], bank.choice4[n]},
                                 {bank.rightchoice[n]}});
    return set;
}

QString commasToAmpersands(QString text)
{
    text.replace(u',', u'&');
    return text;
}

QStringList questionFileLines(const QuestionSet& set)
{
    QStringList lines;
    lines << commasToAmpersands(set.title) << QStringLiteral(" ");
    for (const Question& q : set.questions) {
        lines << commasToAmpersands(q.text);
        for (const QString& c : q.choices)
            lines << commasToAmpersands(c);
        lines << q.rightLines;
        lines << QStringLiteral(" ");
    }
    return lines;
}

QByteArray encodeLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += toCodePage(line);
        out += "\r\n";
    }
    return out;
}

void writeLines(Files& files, const QString& programPath, const QStringList& lines)
{
    if (!files.replace(programPath, encodeLines(lines)))
        throw FileWriteError(("cannot save " + files.contentPath(programPath)).toStdString());
}

void writeQuestionFile(Files& files, const QString& programPath, const QuestionSet& set)
{
    writeLines(files, programPath, questionFileLines(set));
}

} // namespace oravians
