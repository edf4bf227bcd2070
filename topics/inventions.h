#pragma once

#include "topics/topicpage.h"

namespace oravians {

// The inventions topic "Oravian Inventions"; its second activity is the Morse code activity.
class inventions : public TopicPage {
public:
    explicit inventions(App& app);

protected:
    void showLabellingActivity() override;
    void showOrderingActivity() override;
};

} // namespace oravians
