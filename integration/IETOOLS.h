#pragma once

#include "integration/ToolsButtonSource.h"
#include "integration/ToolsMenu.h"

#include <string_view>

// The program as a toolbar button and Tools-menu entry of Internet Explorer: one key of string
// values below HKEY_LOCAL_MACHINE that Internet Explorer reads when it starts.
namespace varrow
{

inline constexpr std::string_view kToolsButtonKeyPath =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{ECC5777A-6E88-BFCE-13CE-81F134789E7B}";
// Internet Explorer's class for a button that runs an executable.
inline constexpr std::string_view kRunExecutableButtonClass =
    "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}";

// Writes the key with its eight values ("ButtonText", "CLSID", "Default Visible", "Exec",
// "HotIcon", "Icon", "MenuStatusBar", "MenuText", in that order), the texts and paths taken
// afresh from `source`. Installing again rewrites the same values. On success disables the Add
// item and enables the Remove item of `menu`; when a write fails, stops there, leaves both items
// as they are and shows in the status bar which write failed and why.
void InstallToolsButton(const ToolsButtonSource& source, ToolsMenu& menu);

// Deletes the key with its values; its parent key stays. On success disables the Remove item and
// enables the Add item; when the deletion fails (also when there is no key), leaves both items as
// they are and shows in the status bar what failed and why.
void RemoveToolsButton(ToolsMenu& menu);

} // namespace varrow
