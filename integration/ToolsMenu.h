#pragma once

#include <string>

namespace varrow
{

// Indexes of the main window's menu items mnuToolsItem.
inline constexpr int kAddToolsItem = 0;    // "Add program to IE Tools Menu"
inline constexpr int kRemoveToolsItem = 1; // "Remove Program from IE Tools Menu"

// What the toolbar entry changes in the main window: its two Tools items and the status bar.
class ToolsMenu
{
public:
    virtual ~ToolsMenu() = default;

    // Enables or disables item `index` (kAddToolsItem or kRemoveToolsItem) of mnuToolsItem.
    virtual void setItemEnabled(int index, bool enabled) = 0;
    // Shows `text` in the main window's status bar.
    virtual void showStatus(const std::string& text) = 0;
};

} // namespace varrow
