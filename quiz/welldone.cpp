#include "quiz/welldone.h"

#include "quiz/wrong.h"

#include "platform/log.h"

#include <algorithm>

namespace oravians {

Welldone::Welldone(App& app) : Window(app, QStringLiteral("Welldone")), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
    lightOnHover(Label3);
    Timer1.onTimer = [this](int) { Timer1_Timer(); };
    Timer2.onTimer = [this](int) { Timer2_Timer(); };
    Timer3.onTimer = [this](int) { Timer3_Timer(); };
}

void Welldone::Form_Load()
{
    setupform(*this);
    const int score = app.module1.score;
    const int outof = app.module1.outof;
    const QString result = numberText(score) + QStringLiteral(" out of") + numberText(outof) + QStringLiteral(".");
    if (score == outof) {
        Label6.visible = false;
        Label3[0].visible = true;
        Label3[0].caption = QStringLiteral("Print Certificate");
        Label1.caption = QStringLiteral("Excellent work. You have scored") + result;
        Text1.visible = true;
        Label2.visible = true;
    } else if (score == outof - 1 || score == outof - 2) {
        Label1.caption = QStringLiteral("Good work. You have scored") + result;
        Label5.caption = QStringLiteral("Click the button above to check which questions you answered incorrectly.");
        Label3[0].caption = QStringLiteral("Check Wrong Answers");
    } else if (score < outof - 2) {
        Label1.caption = QStringLiteral("You have scored") + result;
        Label5.caption = QStringLiteral("Click the button above to check which questions you answered incorrectly.");
        Label3[0].caption = QStringLiteral("Check Wrong Answers");
    }
    Timer1.setEnabled(true);
}

void Welldone::Timer1_Timer()
{
    loadPicture(app, Picture1, QStringLiteral("rocketsm\\rocket01.jpg"));
    Timer1.setEnabled(false);
    Timer2.setEnabled(true);
}

void Welldone::Timer2_Timer()
{
    if (Text1.visible)
        app.setFocus(Text1);
    Timer2.setEnabled(false);
    Label3[0].opaque = true;
    Label3[1].opaque = true;
    Timer3.setEnabled(true);
}

void Welldone::Timer3_Timer()
{
    if (app.module1.soundon == 1) {
        const QString sound = celebrationSound(app.module1.score, app.random().draw());
        if (!sound.isEmpty())
            playsound(app, sound);
    }
    Timer3.setEnabled(false);
}

QString celebrationSound(int score, double r)
{
    static const std::map<int, std::vector<const char*>> table = {
        {12, {"wav\\halleluj.wav"}},
        {11, {"wav\\fanf4.wav", "wav\\slot_payoff.wav"}},
        {10, {"wav\\fanf2.wav", "wav\\fanf3.wav"}},
        {9, {"wav\\crowd.wav", "wav\\cheer2.wav", "wav\\klaxon.wav"}},
        {8, {"wav\\flute.wav", "wav\\gong.wav", "wav\\clap2.wav"}},
        {7, {"wav\\drumroll.wav", "wav\\laser2.wav", "wav\\whizz.wav"}},
        {6, {"wav\\clap3.wav", "wav\\clown.wav"}},
    };
    auto it = table.find(score);
    if (it == table.end())
        return {};
    const auto& choices = it->second;
    // A draw of exactly 1 (or a bad source) must still pick a listed sound.
    auto i = static_cast<std::size_t>(std::max(0.0, r) * double(choices.size()));
    i = std::min(i, choices.size() - 1);
    return QString::fromLatin1(choices[i]);
}

QString unprintableMessage(const QString& line)
{
    return QStringLiteral("Your certificate has not been printed: this computer has no letters for \"%1\".")
        .arg(line.trimmed());
}

void Welldone::Printpage()
{
    Printer& p = app.printer();
    const QString banner = QString::fromLatin1(kBannerText) + QString::fromLatin1(kBannerText);
    const QString font = QStringLiteral("Times New Roman");
    auto blank = [&] { p.print(QStringLiteral(" ")); };
    auto centred = [&](const QString& text) {
        p.setCurrentX((p.pageWidth() - p.textWidth(text)) / 2);
        p.print(text);
    };
    const Module1& m = app.module1;
    PrintOutcome outcome;
    try {
        // The frame is drawn from the page's edges, the lines run down from
        // the top. Where the printable area is short (Letter, or a printer
        // with wide margins) every size shrinks alike, so that the score line
        // still ends inside the inner boxes and the bottom banner inside the
        // frame, instead of the frame's lines running through them.
        float scale = 1;
        p.setFontName(font);
        p.setFontSize(25);
        if (const float perPoint = p.lineHeight() / 25; perPoint > 0) {
            const float gap = 45;
            // Points of the lines down to the end of the score line, and down
            // to the end of the bottom banner, in print order.
            const float toScore = 25 * 5 + 36 * 7 + 28 * 5;
            const float toBanner = toScore + 28 + 36 * 2 + 25 * 2;
            const float scoreRoom = p.pageHeight() - 360 - 3750 - gap; // the innermost box's bottom
            const float bannerRoom = p.pageHeight() - 450 - gap;       // the frame's lowest sides
            scale = std::min({1.0f, scoreRoom / (toScore * perPoint), bannerRoom / (toBanner * perPoint)});
        }
        auto setSize = [&](float points) { p.setFontSize(points * scale); };
        if (scale < 1)
            setSize(25);
        p.setForeColor(kBlue);
        blank();
        p.print(banner);
        blank();
        blank();
        blank();
        p.setForeColor(kRed);
        setSize(36);
        p.setFontName(font);
        centred(QStringLiteral("The Oravians"));
        blank();
        p.setForeColor(kBlue);
        setSize(36);
        if (app.measure().widthTwips(m.topictitle, kWindowFont) > p.pageWidth() / 4)
            setSize(28);
        centred(m.topictitle);
        p.print(QString());
        setSize(36);
        blank();
        blank();
        blank();
        p.setForeColor(kNavy);
        setSize(28);
        centred(QStringLiteral("Excellent Work"));
        setSize(28);
        blank();
        centred(Text1.caption);
        p.print(QString());
        setSize(28);
        centred(QStringLiteral("You have scored") + numberText(m.score) + QStringLiteral(" out of")
                + numberText(m.outof) + QStringLiteral("."));
        blank();
        setSize(36);
        blank();
        blank();
        p.setForeColor(kBlue);
        setSize(25);
        p.setFontName(font);
        blank();
        p.setForeColor(kBlack);
        p.print(banner);

        p.setDrawWidth(2);
        const float W = p.pageWidth();
        const float H = p.pageHeight();
        const float pairs[5][2] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
        for (int k = 0; k < 5; ++k) {
            const float a = pairs[k][0], b = pairs[k][1];
            p.line(a, b, W - a, b, kBlack);
            p.line(a, b, a, H - b, kBlack);
            p.line(W - a, b, W - a, H - b, kBlack);
            p.line(a, H - b, W - a, H - b, kBlack);
            if (k < 3) {
                const float l = a + 600, r = W - a - 600, t = b + 7050, bo = H - b - 3750;
                p.line(l, t, r, t, kBlack);
                p.line(l, t, l, bo, kBlack);
                p.line(r, t, r, bo, kBlack);
                p.line(l, bo, r, bo, kBlack);
            }
        }
        outcome = p.endDoc();
    } catch (const UnprintableText& e) {
        // A certificate with a line missing is worse than none: say which.
        logProblem(QStringLiteral("Certificate not printed: ") + QString::fromStdString(e.what()));
        app.messages().show(unprintableMessage(e.text), MsgButtons::Ok, QStringLiteral("The Oravians"));
        return;
    } catch (const PrintError&) {
        app.messages().show(QStringLiteral("There was a problem printing to your printer."), MsgButtons::Ok,
                            QStringLiteral("The Oravians"));
        return;
    }
    // A paused printer holds the certificate: saying it is printing would
    // send the pupil to an idle printer.
    app.messages().show(outcome == PrintOutcome::Held
                            ? QStringLiteral("Your printer is paused. This will print when it is started again.")
                            : QStringLiteral("Your certificate is now printing."),
                        MsgButtons::Ok, QStringLiteral("The Oravians"));
}

void Welldone::Label3_Click(int index)
{
    if (index == 0) {
        if (app.module1.score == app.module1.outof) {
            Printpage();
            return;
        }
        app.show<Wrong>();
    } else {
        app.unload<Wrong>();
        unload();
    }
    clicksound(app);
}

void Welldone::Form_MouseMove(int, int, float, float)
{
    dimButtons(Label3);
}

} // namespace oravians
