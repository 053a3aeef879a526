// The picture buttons every screen is driven by: the button table (16 groups
// of 7 items, filled at program start), which groups are shown and what was
// last chosen in each, where the mouse was last read, what the latest click
// hit, and the button pictures loaded once for the run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/picture.hpp"

namespace kerna {

inline constexpr int kButtonGroups = 16;
inline constexpr int kButtonItems = 7;

// The groups of the button table, one per screen element.
enum ButtonGroup : int {
  kSideGroup = 0,           // 先手 / 後手
  kLevelGroup = 1,          // レベル0 .. レベル6
  kStartGroup = 2,          // スタート
  kUndoGroup = 3,           // 待った
  kHintGroup = 4,           // ヒント
  kQuitGroup = 5,           // 終了
  kMenuGroup = 6,           // computer, two people, settings, saved games, continue
  kPauseGroup = 7,          // settings: pause after a move (item 1 yes, 0 no)
  kVariesGroup = 8,         // settings: thinking varies
  kShowMoveGroup = 9,       // settings: show the squares one may play
  kSoundGroup = 10,         // settings: sound effects and voice
  kColourGroup = 11,        // settings: board colour 0..4
  kOkGroup = 12,            // settings: OK
  kResultReviewGroup = 13,  // result screen: 振り返り
  kSavedGamesGroup = 14,    // saved games: newer, older, open, back to the menu
  kReviewGroup = 15,        // review: start, back, forward, end, next mistake, 終了
};

struct ButtonEntry {
  std::string Name;  // picture file name in bmp\ ("" = no button)
  float X = 0, Y = 0;
  float Width = 0, Height = 0;  // 0 when the picture failed to load
  bool Hidden = false;          // left out of its group for now (a choice not on offer)
  // Drawn, hit and counted among the visible buttons.
  bool Shown() const { return Width > 0 && !Hidden; }
};

struct ButtonState {
  std::array<ButtonEntry, kButtonGroups * kButtonItems> ButtonTable{};
  std::array<float, kButtonGroups> GroupActive{};  // 1 = shown and clickable
  std::array<float, kButtonGroups> GroupChoice{};  // item last clicked, -1 = none

  int16_t MouseX = 0, MouseY = 0;  // client pixels, as last read
  int16_t ClickCount = 0;          // buttons hit by the latest click
  int16_t LastClickedGroup = 0;
  int16_t PointedGroup = 0;  // last active group under the mouse, else 0

  // The two looks of each button table entry, loaded on first use: the files
  // stay the same for the whole run, so there is no need to reload per draw.
  std::array<std::optional<platform::Picture>, kButtonGroups * kButtonItems> ChosenLook;
  std::array<std::optional<platform::Picture>, kButtonGroups * kButtonItems> UnchosenLook;

  ButtonEntry& Button(int group, int item) { return ButtonTable[group * kButtonItems + item]; }
  const ButtonEntry& Button(int group, int item) const {
    return ButtonTable[group * kButtonItems + item];
  }
};

}  // namespace kerna
