// The Morse code window: its key, its rows and playing a word letter by letter.
#include "activities/inventionsord.h"
#include "quiz/welldone.h"
#include "topics/inventions.h"

#include "tests/support/fakes.h"

#include <gtest/gtest.h>

using namespace oravians;
using namespace oravians::testing;

namespace {

// International Morse Code, written out apart from the window's own table.
const char* const kCode[26] = {".-",   "-...", "-.-.", "-..", ".",   "..-.", "--.",  "....", "..",
                               ".---", "-.-",  ".-..", "--",  "-.",  "---",  ".--.", "--.-", ".-.",
                               "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};

// '.' and '-' as the window writes them: middle dot, en dash, spaced.
QString written(const char* code)
{
    QStringList symbols;
    for (const char* c = code; *c; ++c)
        symbols << (*c == '.' ? QStringLiteral("\u00b7") : QStringLiteral("\u2013"));
    return symbols.join(QLatin1Char(' '));
}

// Opens the window as the inventions topic page does, rows filled.
inventionsord& open(Rig& rig, int soundon = 1)
{
    rig.app.module1.soundon = soundon;
    rig.app.click(rig.app.form<inventions>().Label3[3]);
    inventionsord& w = *rig.app.peek<inventionsord>();
    rig.tick(w.Timer1);
    return w;
}

} // namespace

TEST(MorseWindow, KeyShowsEveryLetterWithItsCode)
{
    Rig rig;
    inventionsord& w = open(rig);
    for (int k = 0; k < 26; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(w.alphabet[k].caption, QString(QChar(char16_t('A' + k))));
        EXPECT_EQ(w.cipher[k].caption, QLatin1Char(' ') + written(kCode[k]));
        EXPECT_TRUE(w.alphabet[k].visible && w.cipher[k].visible);
    }
}

TEST(MorseWindow, RowsSpellTheirWordsAndDraggedWordsAreOnTop)
{
    Rig rig;
    inventionsord& w = open(rig);
    const QString gap = QStringLiteral("    ");
    EXPECT_EQ(w.Label5[4].caption, gap + written("....") + gap + written(".-") + gap + written("-.."));
    EXPECT_EQ(w.Label5[0].caption, gap + written(".-"));
    EXPECT_EQ(w.Label5[1].caption.count(gap), 6);
    EXPECT_FALSE(rig.timers.isRunning(w.Timer1));
    const auto& order = w.controls();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(order[order.size() - 5 + size_t(i)], &w.Label2[i]);
}

TEST(MorseWindow, PlayButtonsShowOnlyWithSoundOn)
{
    for (int soundon : {0, 1}) {
        Rig rig;
        inventionsord& w = open(rig, soundon);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(w.Command1[i].visible, soundon == 1) << "sound " << soundon << " button " << i;
    }
}

struct Playing {
    const char* name;
    int word;        // button pressed first
    int switchAfter; // ticks before the second button, -1 for none
    int secondWord;
    int ticks;
    QStringList heard;
};

TEST(MorseWindow, PlaysAWordLetterByLetter)
{
    const Playing table[] = {
        {"one-letter word stops on its tick", 0, -1, 0, 1, {"morse\\a.wav"}},
        {"three letters, then idle", 4, -1, 0, 3, {"morse\\h.wav", "morse\\a.wav", "morse\\d.wav"}},
        {"another word chosen mid-play starts at its first letter", 1, 2, 2, 4,
         {"morse\\l.wav", "morse\\i.wav", "morse\\l.wav", "morse\\a.wav"}},
    };
    for (const Playing& p : table) {
        SCOPED_TRACE(p.name);
        Rig rig;
        inventionsord& w = open(rig);
        rig.sound.played.clear();
        rig.app.click(w.Command1[p.word]);
        for (int t = 0; t < p.ticks; ++t) {
            if (t == p.switchAfter)
                rig.app.click(w.Command1[p.secondWord]);
            ASSERT_TRUE(rig.timers.isRunning(w.Timer2));
            rig.tick(w.Timer2);
        }
        EXPECT_EQ(rig.sound.played, p.heard);
        const bool finished = p.switchAfter < 0;
        EXPECT_EQ(rig.timers.isRunning(w.Timer2), !finished);
        EXPECT_EQ(w.Timer2.interval, finished ? 1 : 1500);
        if (finished) { // played again, the word starts at its first letter
            rig.sound.played.clear();
            rig.app.click(w.Command1[p.word]);
            rig.tick(w.Timer2);
            EXPECT_EQ(rig.sound.played, p.heard.mid(0, 1));
        }
    }
}

TEST(MorseWindow, ScoresTheWordsOnTheirOwnRowsOnly)
{
    Rig rig;
    inventionsord& w = open(rig);
    EXPECT_EQ(w.Label6.caption, "Oravian Inventions");
    // A pointer drag of each word onto its row's box; "HAD" and "A" swapped.
    const int box[5] = {4, 1, 2, 3, 0};
    for (int i = 0; i < 5; ++i) {
        Control& word = w.Label2[i];
        const Control& target = w.Label1[box[i]];
        rig.app.mouseDown(word, kLeftButton, 0, 10, 10);
        rig.app.mouseMove(word, kLeftButton, 0, target.left - word.left + word.width / 2 + 30,
                          target.top - word.top + word.height / 2 + 20);
        rig.app.mouseUp(word, kLeftButton, 0, 0, 0);
    }
    ASSERT_TRUE(w.Label3[2].visible);
    rig.app.click(w.Label3[2]);
    EXPECT_EQ(rig.app.module1.score, 3);
    EXPECT_EQ(rig.app.module1.outof, 5);
    EXPECT_TRUE(rig.app.loaded<Welldone>());
}
