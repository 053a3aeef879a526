// Checks the shipped pictures and the placing sound: every file the game loads
// exists and is a 24-bit Windows bitmap (or 16-bit PCM wave), the disc pictures
// follow the see-through / shadow colour rule, and pictures that the screens
// draw side by side fit their places without covering each other or the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kAssets = KERNA_ASSETS_DIR;

struct Colour {
  int r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};
constexpr Colour kSeeThrough{0, 0, 0};
constexpr Colour kShadow{0, 0, 255};
constexpr Colour kWhite{255, 255, 255};

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;  // row-major, top row first
  Colour at(int x, int y) const { return pixels[y * width + x]; }
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
  return v;
}

// Reads an uncompressed 24-bit bitmap; fails the test (and returns an empty
// bitmap) for anything else, since that is all the game's pictures may be.
Bitmap LoadBitmap(const std::string& name) {
  const std::string path = kAssets + "/bmp/" + name;
  const std::vector<uint8_t> d = ReadFile(path);
  Bitmap bmp;
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
    ADD_FAILURE() << name << ": missing or not a bitmap";
    return bmp;
  }
  const uint32_t offset = Le(d, 10, 4);
  const uint32_t header = Le(d, 14, 4);
  const int width = static_cast<int32_t>(Le(d, 18, 4));
  const int raw_height = static_cast<int32_t>(Le(d, 22, 4));
  const int bits = Le(d, 28, 2);
  const uint32_t compression = Le(d, 30, 4);
  EXPECT_GE(header, 40u) << name;
  EXPECT_EQ(bits, 24) << name << ": must be a 24-bit bitmap";
  EXPECT_EQ(compression, 0u) << name << ": must be uncompressed";
  const int height = raw_height < 0 ? -raw_height : raw_height;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  if (bits != 24 || compression != 0 || width <= 0 || height == 0 ||
      d.size() < offset + stride * height) {
    ADD_FAILURE() << name << ": unreadable pixel data";
    return bmp;
  }
  bmp.width = width;
  bmp.height = height;
  for (int y = 0; y < height; ++y) {
    const int file_row = raw_height > 0 ? height - 1 - y : y;
    for (int x = 0; x < width; ++x) {
      const size_t at = offset + file_row * stride + 3 * x;
      bmp.pixels.push_back({d[at + 2], d[at + 1], d[at]});
    }
  }
  return bmp;
}

// A rectangle in screen pixels, right and bottom exclusive.
struct Rect {
  int left, top, right, bottom;
  bool Overlaps(const Rect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Contains(const Rect& o) const {
    return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
  }
};
std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

Rect Placed(const std::string& name, int x, int y) {
  const Bitmap b = LoadBitmap(name);
  return {x, y, x + b.width, y + b.height};
}

// A button with the one-pixel frame the game draws around it.
Rect Framed(const std::string& name, int x, int y) {
  const Rect r = Placed(name, x, y);
  return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
}

// A row of text at column col, n cells wide, on the 8 x 16 text grid.
Rect TextRow(int col, int row, int cells) {
  return {8 * col, 16 * row, 8 * (col + cells), 16 * (row + 1)};
}

constexpr Rect kPanel{429, 0, 640, 440};

struct Button {
  int group;
  std::string name;
  int x, y;
};

// The game's button table.
const std::vector<Button>& Buttons() {
  static const std::vector<Button> table = {
#define KERNA_BUTTON(group, item, name, x, y) {group, name, x, y},
#include "game/button_table.inc"
#undef KERNA_BUTTON
  };
  return table;
}

const std::vector<std::string> kDiscPictures = {"siro.bmp", "kuro.bmp", "han1.bmp", "han2.bmp",
                                                "han3.bmp", "han4.bmp", "han5.bmp"};

TEST(AssetFiles, EveryPictureTheGameLoadsIsA24BitBitmap) {
  std::vector<std::string> names = kDiscPictures;
  for (const char* n :
       {"waku-yoko.bmp", "waku-tate.bmp", "title.bmp", "haikei01.bmp", "msg.bmp", "hukidasi.bmp"})
    names.push_back(n);
  for (const Button& b : Buttons()) {
    names.push_back(b.name);
    names.push_back("n" + b.name);  // the not-chosen look
  }
  for (int level = 0; level <= 6; ++level)
    for (int face = 0; face <= 6; ++face)
      names.push_back("face" + std::to_string(level) + std::to_string(face) + ".bmp");
  for (const std::string& name : names) {
    const Bitmap b = LoadBitmap(name);
    EXPECT_GT(b.width, 0) << name;
  }
}

TEST(AssetFiles, ChosenAndPlainButtonLooksHaveTheSameSize) {
  for (const Button& b : Buttons()) {
    const Bitmap on = LoadBitmap(b.name), off = LoadBitmap("n" + b.name);
    EXPECT_EQ(on.width, off.width) << b.name;
    EXPECT_EQ(on.height, off.height) << b.name;
  }
}

TEST(AssetFiles, PlacingSoundIsShortPcmWave) {
  const std::vector<uint8_t> d = ReadFile(kAssets + "/sound/oku2.wav");
  ASSERT_GE(d.size(), 44u);
  EXPECT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(d.begin() + 8, d.begin() + 12), "WAVE");
  // Walk the chunks for "fmt " and "data".
  uint32_t channels = 0, rate = 0, bits = 0, format = 0, data_bytes = 0;
  for (size_t at = 12; at + 8 <= d.size();) {
    const std::string id(d.begin() + at, d.begin() + at + 4);
    const uint32_t size = Le(d, at + 4, 4);
    if (id == "fmt ") {
      format = Le(d, at + 8, 2);
      channels = Le(d, at + 10, 2);
      rate = Le(d, at + 12, 4);
      bits = Le(d, at + 22, 2);
    } else if (id == "data") {
      data_bytes = size;
    }
    at += 8 + size + (size & 1);
  }
  EXPECT_TRUE(format == 1 || format == 0xFFFE) << "PCM";
  EXPECT_EQ(bits, 16u);
  EXPECT_EQ(channels, 1u);
  EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
  ASSERT_GT(rate, 0u);
  const double seconds = data_bytes / 2.0 / rate;
  EXPECT_GT(seconds, 0.02);
  // The sound restarts for every flipped disc, one disc every 150 ms.
  EXPECT_LT(seconds, 0.15);
}

// --- Disc pictures -----------------------------------------------------------

// Marks the pixels reachable from the border through see-through and shadow
// pixels: the outside of the disc.
std::vector<bool> Outside(const Bitmap& b) {
  std::vector<bool> seen(b.pixels.size(), false);
  std::vector<std::pair<int, int>> todo;
  auto push = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    const Colour c = b.at(x, y);
    if (seen[y * b.width + x] || !(c == kSeeThrough || c == kShadow)) return;
    seen[y * b.width + x] = true;
    todo.push_back({x, y});
  };
  for (int x = 0; x < b.width; ++x) push(x, 0), push(x, b.height - 1);
  for (int y = 0; y < b.height; ++y) push(0, y), push(b.width - 1, y);
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    push(x + 1, y), push(x - 1, y), push(x, y + 1), push(x, y - 1);
  }
  return seen;
}

TEST(DiscPictures, AllHaveTheSizeOfTheBlackDisc) {
  const Bitmap kuro = LoadBitmap("kuro.bmp");
  EXPECT_EQ(kuro.width, 47);
  EXPECT_EQ(kuro.height, 47);
  for (const std::string& name : kDiscPictures) {
    const Bitmap b = LoadBitmap(name);
    EXPECT_EQ(b.width, kuro.width) << name;
    EXPECT_EQ(b.height, kuro.height) << name;
  }
}

// Pure black would let the board show through the disc, pure blue would turn
// into a shadow-coloured spot: both may appear only around the disc.
TEST(DiscPictures, SeeThroughAndShadowColoursOnlyOutsideTheDisc) {
  for (const std::string& name : kDiscPictures) {
    const Bitmap b = LoadBitmap(name);
    if (b.width == 0) continue;
    const std::vector<bool> outside = Outside(b);
    int shadow = 0, body = 0;
    for (int y = 0; y < b.height; ++y) {
      for (int x = 0; x < b.width; ++x) {
        const Colour c = b.at(x, y);
        if (c == kShadow) ++shadow;
        if (!(c == kSeeThrough || c == kShadow)) ++body;
        if ((c == kSeeThrough || c == kShadow) && !outside[y * b.width + x])
          ADD_FAILURE() << name << ": see-through or shadow colour inside the disc at " << x << ","
                        << y;
      }
    }
    const Colour centre = b.at(b.width / 2, b.height / 2);
    EXPECT_FALSE(centre == kSeeThrough) << name;
    EXPECT_FALSE(centre == kShadow) << name;
    EXPECT_GT(shadow, 20) << name << ": every disc casts a shadow";
    EXPECT_GT(body, 60) << name;
  }
}

TEST(DiscPictures, WhiteDiscIsLightAndBlackDiscIsDark) {
  auto brightness = [](const Bitmap& b) {
    const Colour c = b.at(b.width / 2, b.height / 2);
    return c.r + c.g + c.b;
  };
  EXPECT_GT(brightness(LoadBitmap("siro.bmp")), 3 * 180);
  EXPECT_LT(brightness(LoadBitmap("kuro.bmp")), 3 * 80);
}

// --- Board colours ---------------------------------------------------------------

TEST(BoardPictures, BaseColourIsReadFromPixelsZeroAndOneOneAndDiffersPerChoice) {
  std::vector<Colour> bases;
  for (int i = 1; i <= 5; ++i) {
    const Bitmap b = LoadBitmap("0" + std::to_string(i) + "-zero.bmp");
    if (b.width < 2 || b.height < 2) continue;
    EXPECT_EQ(b.at(0, 0), b.at(1, 1)) << i;
    EXPECT_FALSE(b.at(0, 0) == kSeeThrough) << i;
    EXPECT_FALSE(b.at(0, 0) == kShadow) << i;
    for (const Colour& c : bases) EXPECT_FALSE(c == b.at(0, 0)) << i;
    bases.push_back(b.at(0, 0));
  }
  EXPECT_EQ(bases.size(), 5u);
}

// --- Layout ------------------------------------------------------------------------

// The groups shown together on one screen.
const std::map<std::string, std::vector<int>> kScreens = {
    {"colour and level", {0, 1, 2}},
    {"play", {3, 4, 5}},
    {"menu", {6}},
    {"settings", {7, 8, 9, 10, 11, 12}},
    {"result", {3, 5, 13}},
    {"saved games", {14}},
    {"review", {15}},
};

TEST(Layout, ButtonsOfOneScreenStayApartAndInsideThePanel) {
  for (const auto& [screen, groups] : kScreens) {
    std::vector<std::pair<std::string, Rect>> shown;
    for (const Button& b : Buttons()) {
      if (std::find(groups.begin(), groups.end(), b.group) == groups.end()) continue;
      for (const std::string& look : {b.name, "n" + b.name}) {
        const Rect r = Framed(look, b.x, b.y);
        EXPECT_TRUE(kPanel.Contains(r)) << screen << ": " << look << " " << r;
      }
      shown.push_back({b.name, Framed(b.name, b.x, b.y)});
    }
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(shown[i].second.Overlaps(shown[j].second))
            << screen << ": " << shown[i].first << " " << shown[i].second << " and "
            << shown[j].first << " " << shown[j].second;
  }
}

TEST(Layout, ButtonsLeaveTheScreenLabelsFree) {
  // Labels printed at column 55: the colour and level screen and the settings screen.
  const std::vector<std::pair<int, Rect>> labels = {
      {0, TextRow(55, 5, 8)},  {1, TextRow(55, 10, 22)}, {7, TextRow(55, 5, 16)},
      {7, TextRow(55, 9, 22)}, {7, TextRow(55, 13, 14)}, {7, TextRow(55, 17, 6)},
      {7, TextRow(55, 21, 6)},
  };
  for (const auto& [first_group, label] : labels) {
    // A named copy: clang before 16 cannot capture a structured binding in a lambda.
    const int group = first_group;
    const auto screen = std::find_if(kScreens.begin(), kScreens.end(), [group](const auto& s) {
      return std::find(s.second.begin(), s.second.end(), group) != s.second.end();
    });
    for (const Button& b : Buttons()) {
      const auto& groups = screen->second;
      if (std::find(groups.begin(), groups.end(), b.group) == groups.end()) continue;
      EXPECT_FALSE(Framed(b.name, b.x, b.y).Overlaps(label)) << b.name << " covers label " << label;
    }
  }
}

TEST(Layout, TitleTilesAndFramePiecesFitTogether) {
  const Bitmap title = LoadBitmap("title.bmp"), tile = LoadBitmap("haikei01.bmp");
  EXPECT_EQ(title.width, 211);
  EXPECT_EQ(title.height, 72);  // the panel tiles start at y 72
  EXPECT_EQ(tile.width, 211);
  EXPECT_EQ(tile.height, 16);  // tiles are drawn 16 px apart and clear one text row

  // The frame pieces, drawn where the title screen draws them, close the ring
  // around the board and stay off the board's squares and grid.
  std::vector<Rect> pieces;
  for (int i = 0; i < 8; ++i) {
    pieces.push_back(Placed("waku-yoko.bmp", 22 + 48 * i, 0));
    pieces.push_back(Placed("waku-yoko.bmp", 22 + 48 * i, 408));
    pieces.push_back(Placed("waku-tate.bmp", 0, 22 + 48 * i));
    pieces.push_back(Placed("waku-tate.bmp", 408, 22 + 48 * i));
  }
  for (auto [x, y] : {std::pair{0, 0}, {0, 408}, {380, 408}, {380, 0}})
    pieces.push_back(Placed("waku-yoko.bmp", x, y));
  for (auto [x, y] : {std::pair{0, 0}, {408, 0}, {408, 380}, {0, 380}})
    pieces.push_back(Placed("waku-tate.bmp", x, y));
  const Rect board{22, 22, 408, 408};
  for (const Rect& p : pieces) EXPECT_FALSE(p.Overlaps(board)) << p;
  // The ring runs to x 428 (the panel starts at 429) and y 429. No piece reaches
  // the two pixels (428, 428..429): they keep the black of the start-up fill,
  // next to the dark outer edge of the frame.
  for (int y = 0; y < 430; ++y)
    for (int x = 0; x < 429; ++x) {
      if (board.Overlaps({x, y, x + 1, y + 1}) || (x == 428 && y >= 428)) continue;
      bool covered = false;
      for (const Rect& p : pieces) covered |= p.Overlaps({x, y, x + 1, y + 1});
      if (!covered) {
        ADD_FAILURE() << "frame gap at " << x << "," << y;
        return;
      }
    }
}

TEST(Layout, BalloonFaceButtonsAndMessageFrameStack) {
  const Rect balloon = Placed("hukidasi.bmp", 429, 96);
  const Rect face = Placed("face22.bmp", 478, 149);
  const Rect matta = Framed("matta.bmp", 438, 280), hinto = Framed("hinto.bmp", 534, 280);
  const Rect quit = Framed("quit.bmp", 548, 384);
  const Rect msg = Placed("msg.bmp", 438, 308);
  const Rect speech = {448, 96, 608, 128};     // rows 6 and 7 from column 56, 20 cells
  const Rect messages = {448, 320, 624, 400};  // rows 20..24 from column 56
  EXPECT_TRUE(kPanel.Contains(balloon) && kPanel.Contains(face) && kPanel.Contains(msg));
  EXPECT_TRUE(balloon.Contains(speech)) << balloon;
  // The panel rows redrawn after each move (tiles at y 96, 112, 128) erase the balloon whole,
  // and it leaves the level line of row 5 (y 80..95) alone.
  EXPECT_LE(balloon.bottom, 96 + 3 * 16) << balloon;
  EXPECT_GE(balloon.top, 96) << balloon;
  EXPECT_FALSE(balloon.Overlaps(face)) << balloon << face;
  // Rows 17 and 18 (from y 272) and the strip down to the message frame are redrawn after
  // each move, so the undo and hint buttons (framed to y 306) are erased whole.
  EXPECT_LE(matta.bottom, 308) << matta;
  EXPECT_LE(hinto.bottom, 308) << hinto;
  // The face stays above the rows redrawn.
  EXPECT_LE(face.bottom, 272) << face;
  EXPECT_FALSE(face.Overlaps(matta) || face.Overlaps(hinto)) << face;
  EXPECT_FALSE(msg.Overlaps(matta) || msg.Overlaps(hinto)) << msg;
  EXPECT_TRUE(msg.Contains(messages)) << msg;
  EXPECT_TRUE(msg.Contains(quit)) << msg << quit;   // the quit button sits in the frame
  EXPECT_FALSE(quit.Overlaps(TextRow(56, 24, 8)));  // beside the think time
}

// The game prints the hostess's lines and the messages black on white: the
// pictures behind them are white there, so the printed rows blend in.
TEST(Layout, TextAreasOfBalloonAndMessageFrameAreWhite) {
  auto expect_white = [](const std::string& name, int px, int py, const Rect& area) {
    const Bitmap b = LoadBitmap(name);
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) {
        const int lx = x - px, ly = y - py;
        if (lx < 0 || ly < 0 || lx >= b.width || ly >= b.height) continue;
        if (!(b.at(lx, ly) == kWhite)) {
          ADD_FAILURE() << name << " not white at screen " << x << "," << y;
          return;
        }
      }
  };
  expect_white("hukidasi.bmp", 429, 96, {448, 98, 608, 128});
  expect_white("msg.bmp", 438, 308, {448, 320, 624, 400});
}

TEST(Layout, FacesShareOneSizeThatFitsAboveTheRedrawnRows) {
  const Bitmap first = LoadBitmap("face00.bmp");
  for (int level = 0; level <= 6; ++level)
    for (int face = 0; face <= 6; ++face) {
      const std::string name = "face" + std::to_string(level) + std::to_string(face) + ".bmp";
      const Bitmap b = LoadBitmap(name);
      EXPECT_EQ(b.width, first.width) << name;
      EXPECT_EQ(b.height, first.height) << name;
    }
  // Drawn at y 149, a face must end above the panel rows redrawn from y 272.
  EXPECT_LE(first.height, 272 - 149);
}

// Each level dresses the hostess differently and each expression changes her
// face, so no two of the 49 pictures may be the same: a copied or placeholder
// set shows up here.
TEST(FacePictures, EveryLevelAndExpressionLooksDifferent) {
  std::map<std::vector<uint8_t>, std::string> seen;
  for (int level = 0; level <= 6; ++level)
    for (int face = 0; face <= 6; ++face) {
      const std::string name = "face" + std::to_string(level) + std::to_string(face) + ".bmp";
      const Bitmap b = LoadBitmap(name);
      std::vector<uint8_t> pixels;
      for (const Colour& c : b.pixels)
        pixels.insert(pixels.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                                     static_cast<uint8_t>(c.b)});
      const auto [it, fresh] = seen.emplace(pixels, name);
      EXPECT_TRUE(fresh) << name << " looks the same as " << it->second;
    }
}

// The calm faces of two levels must differ in more than a few pixels: the
// levels are told apart at a glance by outfit, hair and card.
TEST(FacePictures, CalmFacesOfTheLevelsDifferWidely) {
  std::vector<Bitmap> calm;
  for (int level = 0; level <= 6; ++level)
    calm.push_back(LoadBitmap("face" + std::to_string(level) + "2.bmp"));
  for (int a = 0; a < 7; ++a)
    for (int b = a + 1; b < 7; ++b) {
      if (calm[a].pixels.size() != calm[b].pixels.size() || calm[a].pixels.empty()) {
        ADD_FAILURE() << "levels " << a << " and " << b << ": calm faces not comparable";
        continue;
      }
      size_t differing = 0;
      for (size_t i = 0; i < calm[a].pixels.size(); ++i)
        differing += !(calm[a].pixels[i] == calm[b].pixels[i]);
      EXPECT_GT(differing, calm[a].pixels.size() / 5) << "levels " << a << " and " << b;
    }
}

}  // namespace
