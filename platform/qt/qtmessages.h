#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace oravians {

// Message boxes as modal Qt dialogs over the host.
class QtMessages : public MessageBoxes {
public:
    void setParent(QWidget* w) { parent_ = w; }
    MsgResult show(const QString& text, MsgButtons buttons, const QString& caption) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace oravians
