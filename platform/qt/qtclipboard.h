#pragma once

#include "platform/services.h"

namespace oravians {

// The system clipboard's plain text.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

} // namespace oravians
