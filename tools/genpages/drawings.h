#pragma once

#include "tools/genpages/wmfwriter.h"

#include <QRect>
#include <QString>
#include <QStringList>

namespace oravians::pages {

QStringList knownPictures();
// Draws the picture with this id into box (twips); screen picks light outlines.
void drawPicture(WmfWriter& w, const QString& id, const QRect& box, bool screen);

} // namespace oravians::pages
