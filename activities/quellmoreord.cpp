#include "activities/quellmoreord.h"

namespace oravians {

quellmoreord::quellmoreord(App& app) : Window(app, QStringLiteral("quellmoreord")) {}

void quellmoreord::Form_Load()
{
    engine.loadSetup();
    engine.loadFrames();
    engine.loadCaptions();
}

void quellmoreord::Form_MouseMove(int, int, float, float) { engine.formMouseMove(); }

} // namespace oravians
