// Runs GoogleTest inside a QApplication on the offscreen platform, with the browser engine
// allowed to start (no sandbox as root, no GPU, no network of its own).
#include "platform/browser/EngineEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
