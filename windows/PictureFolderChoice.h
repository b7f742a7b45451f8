#pragma once

#include <QString>

namespace varrow
{

class SettingsStore;

// Where the folder dialog for saving pictures opens: the last folder pictures were saved into,
// kept in `settings`, while it still is a folder; otherwise the person's pictures folder (XDG),
// or the home folder where there is none. Without settings, always the pictures folder.
QString pictureFolderToOffer(const SettingsStore* settings);

// Remembers `folder` as the last one pictures were saved into; nothing without settings or for an
// empty folder.
void rememberPictureFolder(SettingsStore* settings, const QString& folder);

} // namespace varrow
