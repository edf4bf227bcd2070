#include "platform/qt/qtscreen.h"

#include "platform/qt/host.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>

namespace oravians {

float QtScreen::widthTwips() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? float(s->geometry().width()) / Host::scale() * kTwipsPerPixel : 12000.0f;
}

float QtScreen::heightTwips() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? float(s->geometry().height()) / Host::scale() * kTwipsPerPixel : 9000.0f;
}

void QtScreen::setMousePointer(MousePointer pointer)
{
    const bool busy = pointer == MousePointer::Hourglass;
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

int QtScreen::doubleClickMilliseconds() const { return QGuiApplication::styleHints()->mouseDoubleClickInterval(); }

float QtScreen::doubleClickTwips() const
{
    return float(QGuiApplication::styleHints()->mouseDoubleClickDistance()) / Host::scale() * kTwipsPerPixel;
}

} // namespace oravians
