// What both backends share: text printing and rendering, drawing, pictures,
// files and the mouse-button flags.
#include "platform/platform.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/file_io.hpp"
#include "platform/glyph_font.hpp"
#include "platform/number_format.hpp"
#include "platform/picture_file.hpp"

namespace kerna::platform {

Platform::Platform() = default;
Platform::~Platform() = default;

void Platform::SetFont(std::unique_ptr<GlyphFont> font) {
  font_ = std::move(font);
}

// --- Text ---

void Platform::SetTextColour(int foreground, int background) {
  text_.SetColour(foreground, background);
}

void Platform::MoveCursor(int column, int row) {
  text_.MoveCursor(column, row);
}

int Platform::CursorRow() const {
  return text_.row();
}

void Platform::Print(std::string_view cp932) {
  const std::vector<RowSpan> spans = text_.Print(cp932);
  for (const RowSpan& span : spans) {
    RenderSpan(span);
    const int top = span.row * TextGrid::kCellHeight;
    ReportChange(top, top + TextGrid::kCellHeight - 1, true);
  }
}

void Platform::PrintNumber(double value) {
  Print(FormatNumber(value));
}

void Platform::RenderSpan(const RowSpan& span) {
  const std::vector<TextCell>& cells = text_.Row(span.row);
  const int top = span.row * TextGrid::kCellHeight;
  // Walk from the start of the row so that two-byte characters pair up as
  // they were printed; draw every character that overlaps the span.
  int column = 0;
  const int size = static_cast<int>(cells.size());
  while (column < size && column < span.last) {
    const uint8_t lead = cells[column].byte;
    const bool pair =
        IsCp932LeadByte(lead) && column + 1 < size && IsCp932TrailByte(cells[column + 1].byte);
    const int width = pair ? 2 : 1;
    if (column + width > span.first) {
      for (int i = 0; i < width; ++i) {
        const TextCell& cell = cells[column + i];
        if (cell.background < 0) continue;
        const int left = (column + i) * TextGrid::kCellWidth;
        FillBox(left, top, left + TextGrid::kCellWidth - 1, top + TextGrid::kCellHeight - 1,
                PaletteColour(cell.background));
      }
      const char32_t character =
          pair ? DecodeCp932(lead << 8 | cells[column + 1].byte) : DecodeCp932(lead);
      if (font_ && character > 0x20 && character != 0x7F && character != 0xFFFF) {
        const GlyphMask& mask = font_->Glyph(character, width);
        const Rgb colour = PaletteColour(cells[column].foreground);
        const int left = column * TextGrid::kCellWidth;
        for (int y = 0; y < TextGrid::kCellHeight; ++y) {
          for (int x = 0; x < width * TextGrid::kCellWidth; ++x) {
            if (mask.rows[y] >> x & 1) surface_.Set(left + x, top + y, colour);
          }
        }
      }
    }
    column += width;
  }
}

// --- Drawing ---

void Platform::ReportChange(int first_row, int last_row, bool urgent) {
  first_row = std::max(first_row, 0);
  last_row = std::min(last_row, kSurfaceHeight - 1);
  if (first_row <= last_row) SurfaceChanged(first_row, last_row, urgent);
}

void Platform::Clear() {
  FillBox(0, 0, kSurfaceWidth - 1, kSurfaceHeight - 1, Rgb{});
  SurfaceChanged(0, kSurfaceHeight - 1, true);
}

void Platform::FillBox(int x1, int y1, int x2, int y2, Rgb colour) {
  const int left = std::max(std::min(x1, x2), 0);
  const int right = std::min(std::max(x1, x2), kSurfaceWidth - 1);
  const int top = std::max(std::min(y1, y2), 0);
  const int bottom = std::min(std::max(y1, y2), kSurfaceHeight - 1);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) surface_.Set(x, y, colour);
  }
}

void Platform::DrawLine(int x1, int y1, int x2, int y2, Rgb colour) {
  // Bresenham, both end pixels included.
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int step_x = x1 < x2 ? 1 : -1;
  const int step_y = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    surface_.Set(x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x1 += step_x;
    if (twice <= dx) error += dx, y1 += step_y;
  }
}

void Platform::Line(int x1, int y1, int x2, int y2, int colour, LineKind kind, int fill_colour) {
  const Rgb edge = PaletteColour(colour);
  switch (kind) {
    case LineKind::kLine:
      DrawLine(x1, y1, x2, y2, edge);
      break;
    case LineKind::kFilledBox:
      FillBox(x1, y1, x2, y2, fill_colour < 0 ? edge : PaletteColour(fill_colour));
      [[fallthrough]];
    case LineKind::kBox:
      DrawLine(x1, y1, x2, y1, edge);
      DrawLine(x2, y1, x2, y2, edge);
      DrawLine(x2, y2, x1, y2, edge);
      DrawLine(x1, y2, x1, y1, edge);
      break;
  }
  last_x_ = x2;
  last_y_ = y2;
  ReportChange(std::min(y1, y2), std::max(y1, y2), true);
}

void Platform::LineRelative(int x1, int y1, int dx, int dy, int colour, LineKind kind,
                            int fill_colour) {
  Line(x1, y1, x1 + dx, y1 + dy, colour, kind, fill_colour);
}

void Platform::LineFromLast(int x2, int y2, int colour, LineKind kind, int fill_colour) {
  Line(last_x_, last_y_, x2, y2, colour, kind, fill_colour);
}

void Platform::SetPixel(int x, int y, Rgb colour) {
  surface_.Set(x, y, colour);
  ReportChange(y, y, false);
}

void Platform::DrawPicture(const Picture& picture, int x, int y) {
  DrawPictureRows(picture, x, y, picture.height);
}

void Platform::DrawPictureRows(const Picture& picture, int x, int y, int rows) {
  rows = std::min(rows, picture.height);
  if (picture.empty() || rows <= 0) return;
  const int first_row = std::max(0, -y);
  const int last_row = std::min(rows, kSurfaceHeight - y);
  const int first_column = std::max(0, -x);
  const int last_column = std::min(picture.width, kSurfaceWidth - x);
  for (int row = first_row; row < last_row; ++row) {
    for (int column = first_column; column < last_column; ++column) {
      surface_.Set(x + column, y + row, picture.pixels[row * picture.width + column]);
    }
  }
  ReportChange(y, y + rows - 1, true);
}

// A bitmap whose header claims more pixel bytes than the file holds is refused
// before the decoder allocates a picture for it (a bad header could ask for gigabytes).
static bool HeaderFitsFile(const std::string& path) {
  std::FILE* file = OpenFile(path, "rb");
  if (file == nullptr) return false;
  unsigned char header[30] = {};
  const bool whole_header = std::fread(header, 1, sizeof header, file) == sizeof header;
  const bool measured = whole_header && std::fseek(file, 0, SEEK_END) == 0;
  const auto size = measured ? static_cast<int64_t>(std::ftell(file)) : int64_t{-1};
  std::fclose(file);
  if (size < 0) return false;
  auto little = [&](int at, int bytes) {
    int64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value * 256 + header[at + i];
    return value;
  };
  if (header[0] != 'B' || header[1] != 'M') return true;  // not a bitmap: the decoder refuses it
  const int64_t header_size = little(14, 4);
  int64_t width = 0, height = 0, bits = 0;
  if (header_size == 12) {
    // The old core header: 16-bit sizes, still up to 65535 x 65535.
    width = little(18, 2);
    height = little(20, 2);
    bits = little(24, 2);
  } else if (header_size >= 40) {
    width = std::abs(static_cast<int32_t>(little(18, 4)));
    height = std::abs(static_cast<int32_t>(little(22, 4)));
    bits = little(28, 2);
  } else {
    return false;  // no header of that size exists
  }
  const int64_t row_bytes = (width * std::max<int64_t>(bits, 1) + 31) / 32 * 4;
  return width <= 16384 && height <= 16384 && row_bytes * height <= size;
}

Picture Platform::LoadPicture(std::string_view game_path) const {
  const std::string path = ResolvePath(game_path);
  if (!HeaderFitsFile(path)) return {};
  return DecodeBitmapFile(path);
}

// --- Files ---

std::string Platform::ResolvePath(std::string_view game_path) const {
  std::string path(game_path);
  std::replace(path.begin(), path.end(), '\\', '/');
  // Absolute already: "/home/..." or, on Windows, "C:/Users/..." (a game path never has a colon).
  const bool drive = path.size() > 2 && path[1] == ':' && path[2] == '/';
  if ((!path.empty() && path.front() == '/') || drive) return path;
  if (data_folder_.empty() || data_folder_ == ".") return path;
  return data_folder_ + "/" + path;
}

std::string Platform::ReadWholeFile(std::string_view game_path) const {
  return ReadFileBytes(ResolvePath(game_path));
}

bool Platform::WriteWholeFile(std::string_view game_path, std::string_view bytes) {
  return WriteFileAtomically(ResolvePath(game_path), bytes, Room());
}

bool Platform::AppendToFile(std::string_view game_path, std::string_view bytes) {
  return AppendFileBytes(ResolvePath(game_path), bytes, Room());
}

bool Platform::CreateNewFile(std::string_view game_path, std::string_view bytes) {
  return CreateFileBytes(ResolvePath(game_path), bytes, Room());
}

bool Platform::VoiceFileExists(std::string_view game_path) const {
  return FileReadable(ResolvePath(game_path));
}

// --- Mouse buttons ---

namespace {

// Reports a held button, or once a press that was already released.
int TakeButton(std::atomic<int>& state, int held, int pressed) {
  return (state.fetch_and(~pressed) & (held | pressed)) != 0 ? 1 : 0;
}

}  // namespace

int Platform::LeftButtonDown() {
  return TakeButton(left_state_, kHeld, kPressed);
}
int Platform::RightButtonDown() {
  return TakeButton(right_state_, kHeld, kPressed);
}
void Platform::SetLeftButtonDown(int value) {
  left_state_.store(value != 0 ? kHeld : 0);
}
void Platform::SetRightButtonDown(int value) {
  right_state_.store(value != 0 ? kHeld : 0);
}

void Platform::PressLeft(bool down) {
  if (down) {
    left_state_.fetch_or(kHeld | kPressed);
  } else {
    left_state_.fetch_and(~kHeld);
  }
}

void Platform::PressRight(bool down) {
  if (down) {
    right_state_.fetch_or(kHeld | kPressed);
  } else {
    right_state_.fetch_and(~kHeld);
  }
}

// --- Keyboard ---

std::optional<Key> Platform::ReadKey() {
  std::lock_guard lock(key_mutex_);
  if (keys_.empty()) return std::nullopt;
  const Key key = keys_.front();
  keys_.pop_front();
  return key;
}

void Platform::DropKeys() {
  std::lock_guard lock(key_mutex_);
  keys_.clear();
}

void Platform::PushKey(Key key) {
  std::lock_guard lock(key_mutex_);
  if (keys_.size() >= kKeyQueueSize) keys_.pop_front();
  keys_.push_back(key);
}

// --- Wall clock ---

int64_t Platform::WallClockSeconds() {
  return static_cast<int64_t>(std::time(nullptr));
}

}  // namespace kerna::platform
