#pragma once

#include "topics/topicpage.h"

namespace oravians {

// The author topic "Edmund Quellmore".
class quellmore : public TopicPage {
public:
    explicit quellmore(App& app);

protected:
    void showLabellingActivity() override;
    void showOrderingActivity() override;
};

} // namespace oravians
