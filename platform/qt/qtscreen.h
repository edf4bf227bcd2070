#pragma once

#include "platform/services.h"

namespace oravians {

// The screen the backdrop covers.
class QtScreen : public Screen {
public:
    float widthTwips() const override;
    float heightTwips() const override;
    void setMousePointer(MousePointer pointer) override;
    int doubleClickMilliseconds() const override;
    float doubleClickTwips() const override;

private:
    bool busy_ = false;
};

} // namespace oravians
