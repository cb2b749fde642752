// SPDX-License-Identifier: MIT
// Which window system the program starts on, and what the one it runs on lets it do.
#pragma once

#include <QString>

namespace rt {

// Called before Qt starts. Under a Wayland session the program runs on X11 through XWayland,
// where its window can place itself, and natively on Wayland where no X server is named; the
// user's own choice (-platform, QT_QPA_PLATFORM) stands. Returns why no display can be opened
// where that is plain already (the platform is X11 and no display is named or set), else nothing.
QString choosePlatform(int argc, char** argv);

bool isPlatformX11();

// Whether the program may place its own window: not on native Wayland, where the compositor
// alone places windows.
bool windowsCanBePlaced();

}  // namespace rt
