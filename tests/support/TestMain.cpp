// Test entry for suites without widgets.
#include "TestHome.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    useTestHome();
    return RUN_ALL_TESTS();
}
