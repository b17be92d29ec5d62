#include "MessageScript.h"

#include <QApplication>
#include <gtest/gtest.h>

// Shared main() of every test program: a widget application (offscreen unless a
// platform is given) so screens, the grid and the report engine can be driven.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No real message box may block a test; MessageScript answers them.
    skmtest::installFailingMessageHandler();
    return RUN_ALL_TESTS();
}
