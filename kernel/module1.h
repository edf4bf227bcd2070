#pragma once

#include <QString>
#include <array>

namespace oravians {

// The program-wide shared variables. Unset values are 0 or empty, which is
// how the program treats a variable that was never assigned. Arrays have a
// slot 0 that is never used.
struct Module1 {
    // Shell
    int soundon = 0;
    int pageno = 0;
    int pagecount = 0;
    QString pagekey;
    int rocketframe = 0;
    int logoframe = 0;

    // The question bank
    QString worktitle;
    std::array<QString, 11> questtext;
    std::array<QString, 11> choice1;
    std::array<QString, 11> choice2;
    std::array<QString, 11> choice3;
    std::array<QString, 11> choice4;
    std::array<QString, 11> rightchoice;

    // Quiz progress and the result handed to the score window
    int questno = 0;
    std::array<int, 11> questmark{};
    QString topictitle;
    int score = 0;
    int outof = 0;

    // Worksheet register and catalogue
    int trackcount = 0;
    std::array<QString, 1001> tracktitles;
    QString deltitle;
    int catpage = 0;

    // Morse playback
    int morseword = 0;
    int morsepos = 0;
};

} // namespace oravians
