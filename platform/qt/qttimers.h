#pragma once

#include "platform/desktop.h"

#include <QHash>
#include <QObject>
#include <QTimer>

namespace oravians {

// Timer controls run on QTimers.
class QtTimers : public QObject, public TimerService {
    Q_OBJECT
public:
    explicit QtTimers(Desktop* desktop = nullptr) : desktop_(desktop) {}
    void setDesktop(Desktop* d) { desktop_ = d; }
    void timerChanged(Control& timer) override;
    void timerRemoved(Control& timer) override;

private:
    Desktop* desktop_;
    QHash<Control*, QTimer*> timers_;
};

} // namespace oravians
