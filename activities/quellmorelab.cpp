#include "activities/quellmorelab.h"

namespace oravians {

quellmorelab::quellmorelab(App& app) : Window(app, QStringLiteral("quellmorelab")), app(app)
{
    // A dragged label passes beneath the pictures, boxes and buttons.
    drawInOrder(*this, {{"Label2", 3}, {"Label2", 2}, {"Label2", 1}, {"Label2", 0}, {"Image1", 2}, {"Label7", -1},
                        {"Label6", -1}, {"Label3", 2}, {"Label3", 1}, {"Label4", 0}, {"Label3", 0}, {"Label1", 0},
                        {"Label1", 1}, {"Label1", 2}, {"Label1", 3}, {"Label4", 3}, {"Label4", 2}, {"Label4", 1},
                        {"Image1", 0}, {"Image1", 1}, {"Image1", 3}});
}

void quellmorelab::Form_Load()
{
    engine.loadSetup();
    engine.loadFrames();
    // A missing picture leaves its place empty; the activity still works.
    for (int i = 0; i < 4; ++i)
        loadPicture(app, Image1[i], activitytexts::kBookPictures[std::size_t(i)]);
    engine.loadCaptions();
}

void quellmorelab::Form_MouseMove(int, int, float, float) { engine.formMouseMove(); }

} // namespace oravians
