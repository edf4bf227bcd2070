#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QWidget>

namespace oravians {

// File and folder choices through Qt's own dialog over the host: the same
// dialog on every desktop, and one that keyboard-driven tests can fill in.
class QtFileDialogs : public FileDialogs {
public:
    void setParent(QWidget* w) { parent_ = w; }
    std::optional<QString> openFile(const QString& title, const QStringList& filters) override;
    std::optional<QString> chooseFolder(const QString& title) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace oravians
