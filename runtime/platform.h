// SPDX-License-Identifier: MIT
// What the window system the program runs on lets it do.
#pragma once

#include <QGuiApplication>
#include <QString>

namespace rt {

inline bool isPlatformX11() {
  return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Whether the program may place its own window: not on native Wayland, where the compositor
// alone places windows.
inline bool windowsCanBePlaced() {
  return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace rt
