// The button machinery. Rectangles are inclusive on all four sides: an item at
// (x, y) of size w x h takes clicks from x to x + w and from y to y + h.
#include "game/buttons.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "game/game.hpp"

namespace kerna {

namespace {

using platform::Key;

}  // namespace

void ButtonPanel::DrawButtonGroup(int g) {
  ButtonState& s = g_.buttonState;
  if (s.GroupActive[g] != 1) return;
  for (int i = 0; i < kButtonItems; ++i) {
    const ButtonEntry& entry = s.Button(g, i);
    if (!entry.Shown()) continue;
    const int index = g * kButtonItems + i;
    const bool chosen = s.GroupChoice[g] == i;
    std::optional<platform::Picture>& look =
        chosen ? g_.buttonState.ChosenLook[index] : g_.buttonState.UnchosenLook[index];
    // "bmp\NAME" is the chosen look, "bmp\nNAME" the unchosen one.
    if (!look) look = g_.io.LoadPicture(std::string(chosen ? "bmp\\" : "bmp\\n") + entry.Name);
    const int x = static_cast<int>(entry.X), y = static_cast<int>(entry.Y);
    g_.io.DrawPicture(*look, x, y);
    g_.io.Line(x - 1, y - 1, static_cast<int>(entry.X + entry.Width),
               static_cast<int>(entry.Y + entry.Height), chosen ? g_.layout.SelectedFrameColour : 0,
               platform::LineKind::kBox);
  }
}

bool ButtonPanel::ItemUnderMouse(int g, int i) {
  const ButtonEntry& entry = g_.buttonState.Button(g, i);
  const ButtonState& b = g_.buttonState;
  return entry.Shown() && entry.X <= b.MouseX && b.MouseX <= entry.X + entry.Width &&
         entry.Y <= b.MouseY && b.MouseY <= entry.Y + entry.Height;
}

void ButtonPanel::HitTestGroup(int g) {
  ButtonState& s = g_.buttonState;
  if (s.GroupActive[g] != 1) return;
  for (int i = 0; i < kButtonItems; ++i) {
    if (!ItemUnderMouse(g, i)) continue;
    s.GroupChoice[g] = static_cast<float>(i);
    g_.buttonState.LastClickedGroup = static_cast<int16_t>(g);
    ++g_.buttonState.ClickCount;
    return;  // the first item hit takes the click
  }
}

void ButtonPanel::PointedGroupTest() {
  ButtonState& b = g_.buttonState;
  b.PointedGroup = 0;
  for (int g = 0; g < kButtonGroups; ++g) {
    if (g_.buttonState.GroupActive[g] != 1) continue;
    for (int i = 0; i < kButtonItems; ++i) {
      if (ItemUnderMouse(g, i)) b.PointedGroup = static_cast<int16_t>(g);
    }
  }
}

void ButtonPanel::ClickButtons() {
  g_.buttonState.ClickCount = 0;
  for (int g = 0; g < kButtonGroups; ++g) HitTestGroup(g);
  if (g_.buttonState.ClickCount > 0) {
    for (int g = 0; g < kButtonGroups; ++g) DrawButtonGroup(g);
  }
  while (g_.io.LeftButtonDown() == 1) g_.io.Sleep(1);
}

void ButtonPanel::ReadMousePosition() {
  // Sleep first, so that the position read is the latest one when the button
  // flag is looked at right after it: a click is hit-tested where it was made.
  g_.io.Sleep(1);
  g_.io.ReadMouse();
  g_.buttonState.MouseX = static_cast<int16_t>(g_.io.MouseX());
  g_.buttonState.MouseY = static_cast<int16_t>(g_.io.MouseY());
}

void ButtonPanel::WaitForButton(int g) {
  ButtonState& b = g_.buttonState;
  // Only a click made during this wait counts. The click that ended the last
  // wait is still counted when nothing cleared it since (a game between two
  // people hit-tests no buttons), and would answer this wait at once: back in
  // the menu, that game would start again without a click.
  b.ClickCount = 0;
  for (;;) {
    ReadMousePosition();
    if (g_.io.LeftButtonDown() == 1) {
      PointedGroupTest();
      ClickButtons();
    } else if (const auto key = g_.io.ReadKey()) {
      AnswerKey(*key, g);
    }
    if (b.ClickCount != 0 && b.LastClickedGroup == g) return;
    b.ClickCount = 0;
  }
}

void ButtonPanel::PressButton(int g, int i) {
  ButtonState& b = g_.buttonState;
  b.ClickCount = 0;
  g_.buttonState.GroupChoice[g] = static_cast<float>(i);
  b.LastClickedGroup = static_cast<int16_t>(g);
  ++b.ClickCount;
  for (int group = 0; group < kButtonGroups; ++group) DrawButtonGroup(group);
}

int ButtonPanel::PollGroup(int g, const std::function<int(Key)>& key_item) {
  ButtonState& b = g_.buttonState;
  b.ClickCount = 0;
  ReadMousePosition();
  if (g_.io.LeftButtonDown() == 1) {
    PointedGroupTest();
    ClickButtons();
    const bool hit = b.ClickCount != 0 && b.LastClickedGroup == g;
    b.ClickCount = 0;
    return hit ? static_cast<int>(b.GroupChoice[g]) : -1;
  }
  const auto key = g_.io.ReadKey();
  if (!key) return -1;
  int item = -1;
  if (const int digit = platform::KeyDigit(*key)) {
    int group = 0;
    if (!VisibleButton(digit, &group, &item) || group != g) item = -1;
  } else if (key_item) {
    item = key_item(*key);
  }
  if (item < 0 || item >= kButtonItems || !b.Button(g, item).Shown()) return -1;
  PressButton(g, item);
  b.ClickCount = 0;
  return item;
}

bool ButtonPanel::VisibleButton(int n, int* group, int* item) const {
  struct Shown {
    float y, x;
    int g, i;
  };
  std::vector<Shown> shown;
  for (int g = 0; g < kButtonGroups; ++g) {
    if (g_.buttonState.GroupActive[g] != 1) continue;
    for (int i = 0; i < kButtonItems; ++i) {
      const ButtonEntry& entry = g_.buttonState.Button(g, i);
      if (entry.Shown()) shown.push_back({entry.Y, entry.X, g, i});
    }
  }
  std::stable_sort(shown.begin(), shown.end(), [](const Shown& a, const Shown& b) {
    return a.y != b.y ? a.y < b.y : a.x < b.x;
  });
  if (n < 1 || n > static_cast<int>(shown.size())) return false;
  *group = shown[n - 1].g;
  *item = shown[n - 1].i;
  return true;
}

void ButtonPanel::AnswerKey(Key key, int g) {
  const ButtonState& s = g_.buttonState;
  if (const int digit = platform::KeyDigit(key)) {
    int group = 0, item = 0;
    if (VisibleButton(digit, &group, &item)) PressButton(group, item);
    return;
  }
  if (platform::IsConfirmKey(key)) {
    int items = 0, only = 0;
    for (int i = 0; i < kButtonItems; ++i) {
      if (s.Button(g, i).Shown()) ++items, only = i;
    }
    if (s.GroupActive[g] == 1 && items == 1) PressButton(g, only);
    return;
  }
  if (s.GroupActive[kLevelGroup] == 1 && (key == Key::kUp || key == Key::kDown)) {
    StepChoice(kLevelGroup, key == Key::kUp ? -1 : 1);
  } else if (s.GroupActive[kColourGroup] == 1 && (key == Key::kLeft || key == Key::kRight)) {
    StepChoice(kColourGroup, key == Key::kLeft ? -1 : 1);
  }
}

void ButtonPanel::StepChoice(int g, int step) {
  int last = -1;
  for (int i = 0; i < kButtonItems; ++i) {
    if (g_.buttonState.Button(g, i).Shown()) last = i;
  }
  if (last < 0) return;
  const float choice = g_.buttonState.GroupChoice[g];
  // A choice no button stands for (a value from the file) starts at the first.
  const int from = choice >= 0 && choice <= last ? static_cast<int>(choice) : -step;
  PressButton(g, std::clamp(from + step, 0, last));
}

bool ButtonPanel::NobodyAtTheMouse() const {
  return g_.settings.SelfPlayMode == 1;
}

void ButtonPanel::WaitForLeftClick() {
  if (NobodyAtTheMouse()) return;
  g_.io.DropKeys();  // like a click made before the wait, a key then is no answer
  while (g_.io.LeftButtonDown() == 1) g_.io.Sleep(1);
  while (g_.io.LeftButtonDown() == 0) {
    const auto key = g_.io.ReadKey();
    if (key && platform::IsConfirmKey(*key)) return;
    g_.io.Sleep(1);
  }
}

int ButtonPanel::WaitForLeftOrRightClick(bool escape_answers) {
  if (NobodyAtTheMouse()) return 0;
  // A right click made long before (say, while the computer was thinking) is
  // still latched by the platform; only a right button held now counts.
  g_.io.RightButtonDown();
  g_.io.DropKeys();
  while (g_.io.LeftButtonDown() == 1) g_.io.Sleep(1);
  for (;;) {
    if (g_.io.LeftButtonDown() == 1) return kLeftClick;
    if (g_.io.RightButtonDown() == 1) return kRightClick;
    if (const auto key = g_.io.ReadKey()) {
      if (platform::IsConfirmKey(*key)) return kLeftClick;
      if (*key == Key::kU || *key == Key::kBackspace) return kRightClick;
      if (*key == Key::kEscape && escape_answers) return kLeftClick;
    }
    g_.io.Sleep(1);
  }
}

void ButtonPanel::WaitForButtonsUp() {
  while (g_.io.LeftButtonDown() == 1 || g_.io.RightButtonDown() == 1) g_.io.Sleep(1);
}

}  // namespace kerna
