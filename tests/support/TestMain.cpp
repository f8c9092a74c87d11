// Test entry for suites without widgets.
#include "ChildRole.h"
#include "TestHome.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    useTestHome();
    if (const std::optional<int> exitCode = ChildRole::runRequested(argc, argv))
        return *exitCode;
    return RUN_ALL_TESTS();
}
