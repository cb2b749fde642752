// SPDX-License-Identifier: MIT
// The window definition: the window's settings and its controls in creation order, each with
// only the settings in which it differs from its kind's defaults.
#include <QtGlobal>

#include "mainform/mainform.h"

using rt::Kind;

namespace {

// Where the Japanese UI face is missing: faces that hold "●" and the date's characters.
constexpr std::string_view kJapaneseUiFallbacks[] = {
    "MS PGothic",                                           // the same face, by its English name
    "MS UI Gothic", "Meiryo",          "Yu Gothic",         // Windows without it
    "IPAPGothic",   "VL PGothic",      "Noto Sans CJK JP",  // Japanese faces elsewhere
    "DejaVu Sans",  "Segoe UI Symbol",                      // any that holds "●"
};
constexpr rt::Font kJapaneseUi12{"ＭＳ Ｐゴシック", 12, 400, kJapaneseUiFallbacks};
constexpr rt::Font kJapaneseUi8{"ＭＳ Ｐゴシック", 8.25F, 400, kJapaneseUiFallbacks};
constexpr std::string_view kDot = "●";

// clang-format off
constexpr rt::ControlRecord kControls[] = {
    {"Move1", Kind::CommandButton, "MainForm", -1,
     {.left = 120, .top = 3960, .width = 615, .height = 375, .caption = kMoveCaption,
      .laterCaption = kStopCaption, .tabIndex = 11}},
    {"FormMove", Kind::Timer, "MainForm", -1, {.enabled = false, .interval = 50}},
    {"End", Kind::CommandButton, "MainForm", -1,
     {.left = 1800, .top = 3960, .width = 615, .height = 375, .caption = "end", .tabIndex = 10}},
    {"FIN", Kind::Timer, "MainForm", -1, {.enabled = false, .interval = 10}},
    {"Jikan1", Kind::Timer, "MainForm", -1, {.interval = 1000}},
    {"Jikan", Kind::CommandButton, "MainForm", -1,
     {.left = 960, .top = 3960, .width = 615, .height = 375, .caption = "date", .tabIndex = 8}},
    {"Run", Kind::Timer, "MainForm", -1, {.interval = 100}},
    {"Time", Kind::Timer, "MainForm", -1, {.interval = 100}},
    {"Ijigen", Kind::PictureBox, "MainForm", -1,
     {.left = 120, .top = 120, .width = 3975, .height = 3735, .tabIndex = 0,
      .backColor = 0x00000000, .font = kJapaneseUi8,
      .accessibleName = QT_TRANSLATE_NOOP("MainForm", "Play area"),
      .accessibleDescription = QT_TRANSLATE_NOOP("MainForm",
                                                 "A trail of seven coloured dots bounces about in "
                                                 "it; today's date appears at its lower right when "
                                                 "the date button shows it.")}},
    {"Hizuke", Kind::Label, "Ijigen", -1,
     {.left = 3120, .top = 3360, .width = 735, .height = 255,
      .foreColor = 0x00FFC0C0, .alignment = rt::Alignment::Right, .visible = false,
      .accessibleDescription = QT_TRANSLATE_NOOP("MainForm", "Today's date")}},
    {"Dot", Kind::Label, "Ijigen", 6,
     {.left = 3540, .top = 1230, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 5,
     {.left = 3330, .top = 1245, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 4,
     {.left = 3120, .top = 1260, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 3,
     {.left = 2910, .top = 1275, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 2,
     {.left = 2700, .top = 1290, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 1,
     {.left = 2490, .top = 1305, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
    {"Dot", Kind::Label, "Ijigen", 0,
     {.left = 2280, .top = 1320, .width = 240, .height = 240, .caption = kDot,
      .font = kJapaneseUi12}},
};
// clang-format on

// Seven overlapping discs from green at the upper left to purple at the lower right, on black.
constexpr rt::Disc kIconDiscs[] = {
    {0.20F, 0.20F, 0.17F, 0x009FE73F}, {0.30F, 0.30F, 0.17F, 0x009FC04F},
    {0.40F, 0.40F, 0.17F, 0x009F9F5F}, {0.50F, 0.50F, 0.17F, 0x009F786F},
    {0.60F, 0.60F, 0.17F, 0x009F577F}, {0.70F, 0.70F, 0.17F, 0x009F308F},
    {0.80F, 0.80F, 0.17F, 0x009F0F9F},
};
constexpr rt::IconSize kIconSizes[] = {{85, 82}, {32, 32}};
constexpr rt::IconPicture kIcon{0x00000000, kIconDiscs, kIconSizes};

}  // namespace

const rt::FormRecord kMainFormDefinition{
    .name = "MainForm",
    .caption = "Tavimo",
    .clientLeft = 3285,
    .clientTop = 3030,
    .clientWidth = 4185,
    .clientHeight = 4410,
    .backColor = 0x00C0C000,
    .icon = &kIcon,
    .controls = kControls,
};

MainForm::MainForm()
    : rt::Form(kMainFormDefinition),
      Move1(control<rt::CommandButton>("Move1")),
      FormMove(control<rt::Timer>("FormMove")),
      End(control<rt::CommandButton>("End")),
      FIN(control<rt::Timer>("FIN")),
      Jikan1(control<rt::Timer>("Jikan1")),
      Jikan(control<rt::CommandButton>("Jikan")),
      Run(control<rt::Timer>("Run")),
      Time(control<rt::Timer>("Time")),
      Ijigen(control<rt::PictureBox>("Ijigen")),
      Hizuke(control<rt::Label>("Hizuke")),
      Dot(array<rt::Label>("Dot")) {}
