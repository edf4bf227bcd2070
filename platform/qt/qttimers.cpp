#include "platform/qt/qttimers.h"

namespace oravians {

void QtTimers::timerChanged(Control& timer)
{
    QTimer* t = timers_.value(&timer);
    if (!t) {
        t = new QTimer(this);
        Control* control = &timer;
        connect(t, &QTimer::timeout, this, [this, control] {
            if (desktop_)
                desktop_->tick(*control);
        });
        timers_.insert(&timer, t);
    }
    if (timer.enabled && timer.interval > 0)
        t->start(timer.interval);
    else
        t->stop();
}

void QtTimers::timerRemoved(Control& timer)
{
    if (QTimer* t = timers_.take(&timer)) {
        t->stop();
        t->deleteLater();
    }
}

} // namespace oravians
