#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace oravians::pages {

// One page source (content/pages/<name>.page, UTF-8); format in content/pages/README.md.
struct PageSource {
    struct Block {
        bool bullet = false;
        QString text;
    };
    QString heading;
    QStringList pictures;
    std::vector<Block> blocks;
};

// Reads a page source; on a format error returns false with a message.
bool parsePage(const QString& text, PageSource* page, QString* error);

// "key-quellmore-a.page" -> "key quellmorea.wmf", "guide-1.page" -> "guide1.wmf".
QString outputName(const QString& sourceFileName);

// The picture ids the generator can draw.
QStringList knownPictures();

enum class Version { Screen, Print };

// Screen page size in twips: the page viewer's picture area above its buttons.
inline constexpr int kPageWidth = 11760;
inline constexpr int kPageHeight = 7920;
// The print version is printed at its own size with its corner 1000 twips
// into the printable area, so it is narrower: it must end inside A4 and
// Letter paper (printable width about 11200 twips). Its height follows its text.
inline constexpr int kPrintPageWidth = 9600;
inline constexpr int kPrintPageMaxHeight = 14000;

// Lays out and writes one page as a placeable metafile. name is the output
// file name (the acknowledgments page keeps the logo's corner free). Returns
// false with a message naming the problem when the text does not fit, a
// character is not in the Windows code page, or a picture id is unknown.
bool buildPage(const PageSource& page, const QString& name, Version version, QByteArray* out, QString* error);

} // namespace oravians::pages
