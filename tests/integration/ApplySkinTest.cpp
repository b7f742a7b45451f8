#include "integration/Skin.h"
#include "integration/modSkin.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

namespace varrow::testing
{
namespace
{

// ApplySkin on its own: a stored skin is used; without one the caller's loader runs once, and a
// loader that stores nothing leaves the window as designed with an error.
TEST(ApplySkinTest, RecoversOnceThroughTheCallersLoader)
{
    struct Case {
        const char* name;
        bool storedBefore;
        bool loaderStores;
        int loads;
        bool skinned;
    };
    const Case cases[] = {
        {"stored", true, false, 0, true},
        {"loaded", false, true, 1, true},
        {"missing", false, false, 1, false},
    };
    for (const Case& c : cases) {
        Skin skin(Qt::white, Qt::black, QColor(0x12, 0x34, 0x56));
        setSkinObject(c.storedBefore ? &skin : nullptr);
        int loads = 0;
        const auto loader = [&] {
            ++loads;
            if (c.loaderStores)
                setSkinObject(&skin);
        };
        QWidget window;
        std::optional<SkinError> error;
        try {
            ApplySkin(window, loader);
        } catch (const SkinError& e) {
            error = e;
        }
        EXPECT_EQ(loads, c.loads) << c.name;
        EXPECT_EQ(!error, c.skinned) << c.name;
        EXPECT_EQ(window.palette().color(QPalette::Window) == skin.thirdColour(), c.skinned)
            << c.name;
        setSkinObject(nullptr);
    }
}

} // namespace
} // namespace varrow::testing
