#pragma once

#include <QString>

namespace oravians {

// Resolves a program path written with '\' or '/' in any letter case to the
// real file below root: folders are matched in lower case; a file name is
// matched exactly first, then without regard to case. Returns the path the
// file would have when nothing matches (so it can be created).
QString resolveContentPath(const QString& relativePath, const QString& root);

} // namespace oravians
