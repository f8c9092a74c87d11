// Test entry for suites that need a QApplication (widgets, fonts, printing, clipboard).
#include "ChildRole.h"
#include "TestHome.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    useTestHome();
    // Listing and running the cases must work without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (const std::optional<int> exitCode = ChildRole::runRequested(argc, argv))
        return *exitCode;
    return RUN_ALL_TESTS();
}
