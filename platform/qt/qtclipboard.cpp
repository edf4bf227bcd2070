#include "platform/qt/qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace oravians {

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }

void QtClipboard::setText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

} // namespace oravians
