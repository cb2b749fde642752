// SPDX-License-Identifier: MIT
// What a window definition is made of: value records of the window and its controls, each
// control with only the settings in which it differs from its kind's defaults, and the wiring
// of events to handlers.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "runtime/basic.h"

namespace rt {

class Form;

enum class Kind { PictureBox, Label, CommandButton, Timer };
enum class Event { Load, Click, Timer };
enum class Alignment { Left, Right };

// A face with the faces that stand in for it where it is not installed, in order of preference.
struct Font {
  std::string_view face;
  Single points = 0;
  int weight = 400;
  std::span<const std::string_view> fallbacks{};
};

struct Settings {
  std::optional<Single> left{}, top{}, width{}, height{};
  std::optional<std::string_view> caption{};
  // A caption a handler gives the control later, which its font must fit as well.
  std::optional<std::string_view> laterCaption{};
  std::optional<int> tabIndex{};
  std::optional<Colour> foreColor{}, backColor{};
  std::optional<Font> font{};
  std::optional<Alignment> alignment{};
  std::optional<bool> visible{}, enabled{};
  std::optional<int> interval{};
  // What a screen reader says of a control, translated in the window's name as context. A label
  // without a description is decoration, drawn by its picture box and left out of the
  // accessibility tree; one with it is a widget of its own, read as its caption.
  std::optional<std::string_view> accessibleName{}, accessibleDescription{};
};

struct ControlRecord {
  std::string_view name;
  Kind kind;
  std::string_view container;
  int index = -1;  // member of a control array when >= 0
  Settings settings;
};

// A picture of discs on a plain background, in a unit square; drawn at every size asked for.
struct Disc {
  Single x, y, radius;
  Colour colour;
};
struct IconSize {
  int width, height;
};
struct IconPicture {
  Colour background;
  std::span<const Disc> discs;
  std::span<const IconSize> sizes;
};

struct FormRecord {
  std::string_view name;
  std::string_view caption;
  Single clientLeft, clientTop, clientWidth, clientHeight;
  Colour backColor;
  const IconPicture* icon;
  std::span<const ControlRecord> controls;
};

using Handler = void (*)(Form&);

struct Binding {
  std::string_view control;  // the form's own name for Load
  Event event;
  Handler handler;
};

}  // namespace rt
