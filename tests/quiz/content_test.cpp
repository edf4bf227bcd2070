// The built-in questions are answered by the key facts pupils read.
#include "activities/activitytexts.h"
#include "tools/genquestions/questionsource.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace oravians;

namespace {

QString keyFacts(const QString& topic)
{
    QString text;
    const QDir pages(QStringLiteral(CONTENT_DIR "/pages"));
    const QStringList files = pages.entryList({"key-" + topic + "-*.page"}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile f(pages.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        text += QString::fromUtf8(f.readAll()) + "\n";
    }
    return text;
}

QStringList words(const QString& text)
{
    static const QStringList minor = {"the", "and", "was", "his", "her", "one", "for", "she", "had"};
    QStringList out;
    for (const QString& w : text.toLower().split(QRegularExpression("[^a-z0-9']+"), Qt::SkipEmptyParts))
        if (w.size() >= 3 && !minor.contains(w))
            out << w;
    return out;
}

void checkSource(const char* file, const QString& title, const QString& topic, int pageCount)
{
    const QuestionSource src = readQuestionSource(QStringLiteral(CONTENT_DIR "/questions/") + file);
    EXPECT_EQ(src.title, title);
    ASSERT_EQ(src.questions.size(), 10u);
    const QString facts = keyFacts(topic);
    EXPECT_EQ(facts.count("heading:"), pageCount);
    const QStringList factWords = words(facts);
    for (const SourceQuestion& q : src.questions) {
        SCOPED_TRACE(q.question.text.toStdString());
        EXPECT_TRUE(facts.contains(q.fact)) << "not in the key facts: " << q.fact.toStdString();
        const int right = q.question.rightLines[0].toInt();
        const QString answer = q.question.choices[right - 1];
        const QStringList sentence = words(q.fact);
        for (const QString& w : words(answer))
            EXPECT_TRUE(sentence.contains(w)) << "'" << w.toStdString() << "' of the answer is not in the fact";
        // The other choices are not all given away by the same sentence.
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(k == right - 1 || q.question.choices[k] != answer);
    }
}

} // namespace

TEST(BuiltInQuestions, EveryAnswerIsInItsKeyFactsSentence)
{
    checkSource("quellmore.questions", "Edmund Quellmore", "quellmore", 2);
    checkSource("inventions.questions", "Oravian Inventions", "inventions", 3);
}

TEST(BuiltInQuestions, TheRightAnswersAreSpreadOverAllFourOptions)
{
    for (const char* file : {"quellmore.questions", "inventions.questions"}) {
        const QuestionSource src = readQuestionSource(QStringLiteral(CONTENT_DIR "/questions/") + file);
        QSet<QString> used;
        for (const SourceQuestion& q : src.questions)
            used.insert(q.question.rightLines[0]);
        EXPECT_EQ(used.size(), 4) << file;
    }
}

TEST(ActivityTexts, EveryAnswerLabelIsInTheKeyFacts)
{
    using namespace oravians::activitytexts;
    const QString quellmore = keyFacts(QStringLiteral("quellmore")), inventions = keyFacts(QStringLiteral("inventions"));
    for (const QString& title : kBookTitles)
        EXPECT_TRUE(quellmore.contains(title)) << title.toStdString();
    for (const QString& name : kInventors)
        EXPECT_TRUE(inventions.contains(name)) << name.toStdString();
    const QString magazine = kEditorEvent.section(QChar(0x2018), 1).section(QChar(0x2019), 0, 0);
    EXPECT_TRUE(quellmore.contains(QStringLiteral("started his own magazine, ") + magazine + QLatin1Char('.')));
    for (const char* invented : {"Orlo Penhallow invented the camera", "Wilmina Stroud invented the telephone",
                                 "Barnaby Quist invented the light bulb", "Barnaby Quist invented the phonograph"})
        EXPECT_TRUE(inventions.contains(QLatin1String(invented))) << invented;
}
