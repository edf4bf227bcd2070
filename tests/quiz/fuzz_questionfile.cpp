// Any bytes at all: the reader either fills the bank or reports the end of
// the file, and a bank it filled writes back into a file that reads the same.
#include "quiz/questionfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace oravians;
    InputFile file(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    Module1 bank;
    try {
        loadworksheet(bank, file);
    } catch (const EndOfFileError&) {
        return 0;
    }
    (void)bankIsComplete(bank);
    // Texts read back hold no comma-free guarantee for quotes or line ends
    // inside quoted fields, so only sets without them must survive a round trip.
    const QuestionSet set = questionSetFromBank(bank);
    for (const QString& line : questionFileLines(set))
        if (line.contains(u'"') || line.contains(u'\r') || line.contains(u'\n') || line.startsWith(u' '))
            return 0;
    InputFile again(encodeLines(questionFileLines(set)));
    Module1 second;
    loadworksheet(second, again);
    if (second.worktitle != bank.worktitle || second.questtext != bank.questtext || second.choice1 != bank.choice1
        || second.choice4 != bank.choice4 || second.rightchoice != bank.rightchoice)
        std::abort();
    return 0;
}
