#pragma once

#include <QByteArray>
#include <QString>

namespace oravians {

// The 8-bit code page of question files and the register (Windows-1252).
// Characters it cannot hold are written as '?'.
QByteArray toCodePage(const QString& text);
QString fromCodePage(const QByteArray& bytes);
// True when the code page holds every character of text.
bool codePageHolds(const QString& text);

} // namespace oravians
