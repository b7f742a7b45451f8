#include "integration/IETOOLS.h"

#include "integration/CRegister.h"
#include "integration/ToolsButtonPaths.h"

namespace varrow
{

namespace
{

constexpr std::string_view kInstallFailed = "Could not add the program to the IE Tools menu: ";
constexpr std::string_view kRemoveFailed = "Could not remove the program from the IE Tools menu: ";

struct NamedValue {
    std::string name;
    std::string text;
};

} // namespace

void InstallToolsButton(const ToolsButtonSource& source, ToolsMenu& menu)
{
    const ToolsButtonPaths paths =
        composeToolsButtonPaths(source.executablePath(), kNativePathStyle);
    const NamedValue values[] = {
        {"ButtonText", source.productName()},
        {"CLSID", std::string(kRunExecutableButtonClass)},
        {"Default Visible", "Yes"},
        {"Exec", paths.executable},
        {"HotIcon", paths.hotIcon},
        {"Icon", paths.icon},
        {"MenuStatusBar", source.productName()},
        {"MenuText", "&" + source.productName()},
    };
    const std::string keyPath(kToolsButtonKeyPath);
    for (const NamedValue& value : values) {
        std::string failure;
        if (!SetStringValue(registry::kLocalMachine, keyPath, value.name, value.text, &failure)) {
            menu.showStatus(std::string(kInstallFailed) + failure);
            return;
        }
    }
    menu.setItemEnabled(kAddToolsItem, false);
    menu.setItemEnabled(kRemoveToolsItem, true);
}

void RemoveToolsButton(ToolsMenu& menu)
{
    std::string failure;
    if (!DeleteKeyOrValue(registry::kLocalMachine, std::string(kToolsButtonKeyPath), {},
                          &failure)) {
        menu.showStatus(std::string(kRemoveFailed) + failure);
        return;
    }
    menu.setItemEnabled(kRemoveToolsItem, false);
    menu.setItemEnabled(kAddToolsItem, true);
}

} // namespace varrow
