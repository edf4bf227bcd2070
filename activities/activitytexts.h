#pragma once

// The activities' answer texts and picture files: the design-time captions of
// the target boxes and the files of the picture controls. They agree with the
// topics' key-facts pages, so every label can be answered from what pupils read.

#include <QString>

#include <array>

namespace oravians::activitytexts {

// quellmorelab: target box i's caption (single line, bold Tahoma 11.25 pt in 2805 twips).
inline const std::array<QString, 4> kBookTitles = {
    QStringLiteral("The Lantern Boy"),    // item 0, the book of Image1(1)
    QStringLiteral("Pipwick Hollow"),     // item 1, the book of Image1(2)
    QStringLiteral("The Midnight Clock"), // item 2, the book of Image1(3)
    QStringLiteral("Nell of the Barges"), // item 3, its heroine is Image1(0)
};

// quellmorelab: the files of Image1(0) to Image1(3).
inline const std::array<QString, 4> kBookPictures = {
    QStringLiteral("Images\\nell.jpg"),       // Nell steering her barge
    QStringLiteral("Images\\lanternboy.jpg"), // a boy with a lantern before a lighthouse in a storm
    QStringLiteral("Images\\pipwick.jpg"),    // a circus bear hiding in a village
    QStringLiteral("Images\\midnight.jpg"),   // a tall clock striking midnight on a snowy night
};

// inventionslab: target box i's caption (single line, bold Tahoma 11.25 pt in 2775 twips).
inline const std::array<QString, 4> kInventors = {
    QStringLiteral("Orlo Penhallow"), // item 0, the camera
    QStringLiteral("Wilmina Stroud"), // item 1, the telephone
    QStringLiteral("Barnaby Quist"),  // item 2, the light bulb
    QStringLiteral("Barnaby Quist"),  // item 3, the phonograph: the same inventor
};

// inventionslab: the files of Image1(0) to Image1(3).
inline const std::array<QString, 4> kInventionPictures = {
    QStringLiteral("Images\\camera.jpg"),
    QStringLiteral("Images\\bulb.jpg"),
    QStringLiteral("Images\\phonograph.jpg"),
    QStringLiteral("Images\\telephone.jpg"),
};

// quellmoreord: item 2's caption, naming the magazine (two lines in 3075 twips).
inline const QString kEditorEvent = QStringLiteral("Edmund Quellmore became the editor of \u2018The Hearthside\u2019.");

} // namespace oravians::activitytexts
