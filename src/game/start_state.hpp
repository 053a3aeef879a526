// Values fixed at program start: the screen geometry and the table of picture
// buttons that every screen uses (13 groups of 7 items).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kerna {

inline constexpr int kButtonGroups = 13;
inline constexpr int kButtonItems = 7;

struct ButtonEntry {
  std::string Name;  // picture file name in bmp\ ("" = no button)
  float X = 0, Y = 0;
  float Width = 0, Height = 0;  // 0 when the picture failed to load
};

struct StartState {
  float BoardLeft = 22, BoardTop = 22;
  float SquareWidth = 48, SquareHeight = 48;
  float MessageRow = 20;
  int16_t PanelColumn = 55;
  int16_t ProgressRow = 5;
  int16_t ProgressLength = 22;
  int16_t SelectedFrameColour = 7;

  std::array<ButtonEntry, kButtonGroups * kButtonItems> ButtonTable{};
  std::array<float, kButtonGroups> GroupActive{};
  std::array<float, kButtonGroups> GroupChoice{};

  ButtonEntry& Button(int group, int item) { return ButtonTable[group * kButtonItems + item]; }
  const ButtonEntry& Button(int group, int item) const {
    return ButtonTable[group * kButtonItems + item];
  }
};

}  // namespace kerna
