#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace oravians {

// The plain-text question formats teachers bring from learning platforms.
enum class InterchangeFormat { Gift, Aiken };

// A multiple-choice question read from a teacher's file: four options and
// the number (1 to 4) of the right one.
struct ForeignQuestion {
    int line = 0; // where the question starts in the file
    QString category; // the category it was filed under, if the format has one
    QString text;
    std::array<QString, 4> choices;
    int right = 0;
};

struct SkippedQuestion {
    int line = 0;
    QString reason;
};

// Everything a reader made of one file: the questions a worksheet can hold,
// in file order, and each one it could not take with the reason.
struct QuestionReading {
    std::vector<ForeignQuestion> questions;
    std::vector<SkippedQuestion> skipped;

    void skip(int line, const QString& reason) { skipped.push_back({line, reason}); }
    // Keeps the question when every text fits a worksheet as it is (length,
    // characters, nothing the question file would read back differently);
    // otherwise skips it with the first problem found.
    void take(ForeignQuestion question);
};

// The longest texts the wizard's boxes take.
inline constexpr int kTitleLimit = 25;
inline constexpr int kQuestionLimit = 60;
inline constexpr int kChoiceLimit = 30;

// A teacher's file as text: UTF-8 (with or without a byte-order mark),
// UTF-16 or UTF-32 with one, or Windows-1252 when it is not valid UTF-8.
QString decodeTeacherText(const QByteArray& bytes);

// GIFT for a ".gift" file; otherwise Aiken when a line reads "ANSWER: X".
InterchangeFormat guessFormat(const QString& fileName, const QString& text);

QString formatName(InterchangeFormat format);

} // namespace oravians
