#include "platform/qt/qtmessages.h"

#include <QMessageBox>

namespace oravians {

MsgResult QtMessages::show(const QString& text, MsgButtons buttons, const QString& caption)
{
    QMessageBox box(parent_);
    box.setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    box.setText(text);
    if (buttons == MsgButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setIcon(QMessageBox::Question);
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        return answer == QMessageBox::Yes ? MsgResult::Yes : answer == QMessageBox::No ? MsgResult::No : MsgResult::Cancel;
    }
    if (buttons == MsgButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setIcon(QMessageBox::Question);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

} // namespace oravians
