#pragma once

namespace varrow
{

// Sets what the browser engine needs before the application object exists: a shared graphics
// context, no sandbox when running as root (the engine refuses to start otherwise), and, when
// `offscreen` or when there is no display, the offscreen platform with software rendering.
void prepareEngineEnvironment(bool offscreen);

// True when a desktop display is available to show windows on.
bool haveDisplay();

} // namespace varrow
