#pragma once

#include <QString>

namespace varrow::testing
{

class LocalWebServer;

// Serves every file under `folder` (read now) at its path below the server's root, with the
// content type its extension names; e.g. the picture fixture site in tests/data/page-images.
void serveFolder(LocalWebServer& server, const QString& folder);

} // namespace varrow::testing
