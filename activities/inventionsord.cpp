#include "activities/inventionsord.h"

#include "platform/log.h"

#include <array>

namespace oravians {

namespace {

// International Morse Code, A to Z, as '.' and '-'.
constexpr std::array<const char*, 26> kCodes = {".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",
                                                "....", "..",   ".---", "-.-",  ".-..", "--",   "-.",
                                                "---",  ".--.", "--.-", ".-.",  "...",  "-",    "..-",
                                                "...-", ".--",  "-..-", "-.--", "--.."};

constexpr float kKeyStep = 285;

} // namespace

QString morseCode(QChar letter)
{
    const int k = letter.unicode() - 'A';
    if (k < 0 || k >= 26)
        return {};
    QString out;
    for (const char* c = kCodes[size_t(k)]; *c; ++c) {
        if (!out.isEmpty())
            out += QLatin1Char(' ');
        out += *c == '.' ? QChar(0x00B7) : QChar(0x2013);
    }
    return out;
}

ControlProps inventionsord::row(int i)
{
    return {.kind = Kind::Label, .name = "Label5", .index = i, .left = 2160, .top = 4560 + 480.0f * float(i),
            .width = 6255, .height = 375, .fore = kBlack, .back = kWhite, .font = arial(20.25f, true)};
}

ControlProps inventionsord::play(int i, const char* caption)
{
    return {.kind = Kind::CommandButton, .name = "Command1", .index = i, .caption = QString::fromLatin1(caption),
            .left = 120, .top = 4560 + 480.0f * float(i), .width = 1935, .height = 375, .font = tahoma(9.75f),
            .visible = false};
}

inventionsord::inventionsord(App& app) : Window(app, QStringLiteral("inventionsord")), app(app)
{
    Command1.setOnClick([this](int i) { Command1_Click(i); });
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
    Timer2.onTimer = [this](int) { Timer2_Timer(); };
}

void inventionsord::Form_Load()
{
    engine.loadSetup();
    Module1& m = app.module1;
    m.morseword = 0;
    m.morsepos = 0;
    if (m.soundon == 1)
        for (int i = 0; i < kWords; ++i)
            Command1[i].visible = true;
    engine.loadFrames();
    engine.loadCaptions();
    for (int k = 1; k < 26; ++k) {
        alphabet.load(k).top = alphabet[0].top + kKeyStep * float(k);
        cipher.load(k).top = cipher[0].top + kKeyStep * float(k);
    }
    for (int k = 0; k < 26; ++k) {
        const QChar letter(char16_t('A' + k));
        alphabet[k].caption = letter;
        cipher[k].caption = QLatin1Char(' ') + morseCode(letter);
    }
    for (int k = 0; k < 26; ++k) {
        alphabet[k].visible = true;
        cipher[k].visible = true;
    }
    // Dragged words pass above the rows, the key and the buttons.
    for (int i = 0; i < kWords; ++i)
        bringToFront(Label2[i]);
    for (int i = 0; i < kWords; ++i)
        Label5[i].caption.clear();
    Timer1.setEnabled(true);
}

void inventionsord::Form_MouseMove(int, int, float, float) { engine.formMouseMove(); }

void inventionsord::Timer1_Timer()
{
    for (int i = 0; i < kWords; ++i) {
        for (QChar c : Label2[i].caption) {
            const QString code = morseCode(c);
            if (code.isEmpty()) {
                // The words are fixed; a letter outside the key is a slip in them.
                logProblemOnce(QStringLiteral("Morse rows: no code for '%1'").arg(c));
                continue;
            }
            Label5[i].caption += QStringLiteral("   ") + cipher[c.unicode() - 'A'].caption;
        }
    }
    Timer1.setEnabled(false);
}

void inventionsord::Command1_Click(int index)
{
    Module1& m = app.module1;
    m.morsepos = 0;
    m.morseword = index;
    Timer2.setEnabled(true);
}

void inventionsord::Timer2_Timer()
{
    Module1& m = app.module1;
    Timer2.setInterval(1500);
    m.morsepos += 1;
    const QString& word = Label2[m.morseword].caption;
    if (m.morsepos <= word.size()) {
        const QChar c = word.at(m.morsepos - 1);
        playsound(app, QStringLiteral("morse\\") + QChar(char16_t(c.unicode() + 32)) + QStringLiteral(".wav"));
    }
    if (m.morsepos > word.size() - 1) {
        m.morsepos = 0;
        Timer2.setEnabled(false);
        Timer2.setInterval(1);
    }
}

} // namespace oravians
