#include "activities/inventionslab.h"

namespace oravians {

inventionslab::inventionslab(App& app) : Window(app, QStringLiteral("inventionslab")), app(app)
{
    // The design's order, except that the picture captions, which lie inside
    // their pictures' lower edge, are drawn in front so they can be read.
    drawInOrder(*this, {{"Label2", 3}, {"Label2", 2}, {"Label2", 1}, {"Label2", 0}, {"Label7", -1}, {"Label6", -1},
                        {"Label3", 2}, {"Label3", 1}, {"Label4", 0}, {"Label3", 0}, {"Label1", 2}, {"Label1", 3},
                        {"Label1", 1}, {"Label1", 0}, {"Label4", 3}, {"Label4", 2}, {"Label4", 1}, {"Image1", 0},
                        {"Image1", 1}, {"Image1", 2}, {"Image1", 3}, {"Label5", 3}, {"Label5", 2}, {"Label5", 1},
                        {"Label5", 0}});
    engine.scoreRule = [this] { return score(); };
}

void inventionslab::Form_Load()
{
    engine.loadSetup();
    engine.loadFrames();
    for (int i = 0; i < 4; ++i)
        loadPicture(app, Image1[i], activitytexts::kInventionPictures[std::size_t(i)]);
    engine.loadCaptions();
}

void inventionslab::Form_MouseMove(int, int, float, float) { engine.formMouseMove(); }

int inventionslab::score() const
{
    int score = 0;
    for (int box : {0, 1})
        score += engine.rests(box, box) ? 1 : 0;
    for (int box : {2, 3})
        for (int label : {2, 3})
            score += engine.rests(label, box) ? 1 : 0;
    return score;
}

} // namespace oravians
