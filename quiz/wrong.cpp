#include "quiz/wrong.h"

#include "quiz/welldone.h"

namespace oravians {

Wrong::Wrong(App& app) : Window(app, QStringLiteral("Wrong")), app(app)
{
    Label3.setOnClick([this](int i) { Label3_Click(i); });
}

void Wrong::Form_Load() { setupform(*this); }

void Wrong::Label3_Click(int)
{
    // Straight back to the window that opened the quiz.
    app.unload<Welldone>();
    unload();
}

} // namespace oravians
