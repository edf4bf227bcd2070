#pragma once

#include <QString>

namespace oravians {

// Where the program's content lives: the folder of the executable, unless a
// test points it elsewhere. Paths the program writes ("wmf\key quellmorea.wmf",
// "multiple/Quiz.txt") are relative to it.
class ContentRoot {
public:
    static void set(const QString& folder);
    static QString get();
};

// Resolves a program path written with '\' or '/' in any letter case to the
// real file below root: folders are matched in lower case; a file name is
// matched exactly first, then without regard to case. Returns the path the
// file would have when nothing matches (so it can be created).
QString resolveContentPath(const QString& relativePath, const QString& root = ContentRoot::get());

} // namespace oravians
