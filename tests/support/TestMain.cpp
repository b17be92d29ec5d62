#include "MessageScript.h"

#include "platform/ui/GuardedApplication.h"

#include <gtest/gtest.h>

// Shared main() of every test program: a widget application (offscreen unless a
// platform is given) so screens, the grid and the report engine can be driven.
// Errors thrown in event handlers show the (scripted) error box, as in the program.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No real message box may block a test; MessageScript answers them.
    skmtest::installFailingMessageHandler();
    return RUN_ALL_TESTS();
}
