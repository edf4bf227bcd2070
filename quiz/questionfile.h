#pragma once

#include "kernel/module1.h"
#include "platform/services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>
#include <vector>

namespace oravians {

// Any failure to open, read or write a question file.
class QuestionFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field was read after the end of the file had been reached.
class EndOfFileError : public QuestionFileError {
public:
    using QuestionFileError::QuestionFileError;
};

// The file could not be written, or the new file could not replace the old one.
class FileWriteError : public QuestionFileError {
public:
    using QuestionFileError::QuestionFileError;
};

// An 8-bit text file opened for reading as the program's file number 1: the
// whole file's bytes, decoded from Windows-1252; closing is letting it go.
class InputFile {
public:
    explicit InputFile(const QByteArray& bytes);

    // The field-reading primitive: leading spaces are skipped; a field that
    // starts with a double quote runs to the next double quote (anything up to
    // the following delimiter is dropped); otherwise it runs to the next comma
    // or line end (CR, LF or CR LF). The delimiter is consumed. Throws
    // EndOfFileError when nothing is left to read.
    QString readField();
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    void consumeDelimiter();

    QString text_;
    qsizetype pos_ = 0;
};

// Reads one question set from an open file into the question bank: the title
// into worktitle, then ten questions. "&" is turned back into "," in every
// text except the right-choice digit. An EndOfFileError leaves the bank with
// the values read so far.
void loadworksheet(Module1& bank, InputFile& file);

// True when every rightchoice of the bank is one of "1" to "4".
bool bankIsComplete(const Module1& bank);

// The right choice of question n as a number 1 to 4, or 0 when the bank
// holds anything else (a damaged file).
int rightChoiceNumber(const Module1& bank, int n);

// One question as it is written: texts as typed, and one digit line per
// ticked right-answer box (exactly one for a set the wizard may save).
struct Question {
    QString text;
    std::array<QString, 4> choices;
    QStringList rightLines;
};

struct QuestionSet {
    QString title;
    std::vector<Question> questions; // ten
};

// The set held by the question bank, ready to be written again.
QuestionSet questionSetFromBank(const Module1& bank);

// Every "," of a text written as "&", as the file stores it.
QString commasToAmpersands(QString text);

// The lines of a question file, in file order, without line ends.
QStringList questionFileLines(const QuestionSet& set);

// Lines each followed by CR LF, encoded in Windows-1252.
QByteArray encodeLines(const QStringList& lines);

// Writes lines (CR LF, Windows-1252) to the content file programPath,
// replacing any file there; the old file stays intact unless the new one was
// written completely. Throws FileWriteError.
void writeLines(Files& files, const QString& programPath, const QStringList& lines);

// Writes a question file (the file-writing part of saving a worksheet).
void writeQuestionFile(Files& files, const QString& programPath, const QuestionSet& set);

} // namespace oravians
