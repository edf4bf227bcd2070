#pragma once

#include "shell/intro0.h"
#include "tests/support/fakes.h"
#include "topics/guide.h"
#include "topics/inventions.h"
#include "topics/quellmore.h"
#include "topics/teacher.h"

#include <gtest/gtest.h>

namespace oravians::testing {

inline QString pictureOf(const Control& c) { return c.picture ? c.picture->source() : QString(); }

// The program with its main menu up, as a pupil finds it after the title screen.
struct MenuFixture : ::testing::Test {
    Rig rig;
    App& app = rig.app;

    void SetUp() override { app.show<intro0>(); }
    void clickMenu(int entry) { app.click(app.form<intro0>().Label2[entry]); }
};

} // namespace oravians::testing
