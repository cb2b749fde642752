// SPDX-License-Identifier: MIT
// Which window system the program starts on, what it says when none can be reached, and what
// the one it runs on lets it do.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <string>
#include <vector>

namespace rt {

// Under a Wayland session, X11 through XWayland, since there the window can place itself; native
// Wayland where no X server can be reached. The user's own choice (-platform, QT_QPA_PLATFORM)
// stands. Called before Qt starts; says whether the user chose.
bool choosePlatform(const std::vector<std::string>& args);

// A message Qt gave while it started a platform.
struct StartMessage {
  QtMsgType type;
  QString category, text;
};

// Whether a message, once a platform has started, only tells of one tried before it and given up.
bool isAttemptNoise(const StartMessage& message);

// Why no platform could be started, in one line, and Qt's reason in a second where Qt gave one.
// Each line without the program's name. The arguments are the command line as it was before Qt
// took its own options out of it.
QStringList startFailure(const std::vector<std::string>& args, bool userChose,
                         const std::vector<StartMessage>& messages);

bool isPlatformX11();

// Whether the program may place its own window: not on native Wayland, where the compositor
// alone places windows.
bool windowsCanBePlaced();

}  // namespace rt
