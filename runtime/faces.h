// SPDX-License-Identifier: MIT
// Font records as Qt fonts, and the installed faces that draw them.
#pragma once

#include <QFont>
#include <QString>

#include "runtime/records.h"

namespace rt {

// The record's face, standing in its fallbacks in order where it is not installed.
QFont toQFont(const Font& font);

// Text must show in its font: where neither the face nor its fallbacks hold all of it, says so
// once on stderr and draws the face with an installed one that does.
void ensureFaceHolds(const Font& font, const QString& text);

}  // namespace rt
