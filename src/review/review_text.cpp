#include "review/review_text.hpp"

#include "platform/file_io.hpp"

namespace kerna::review {
namespace {

std::string Signed(double discs) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.2f", discs);
  return text;
}

}  // namespace

std::string ReviewLine(const ReviewedMove& move) {
  std::string line =
      std::to_string(move.number) + (move.mover == kGgfBlack ? " black " : " white ");
  if (move.IsPass()) return line + "pass";
  char loss[32];
  std::snprintf(loss, sizeof loss, "%.2f", move.loss);
  return line + GgfSquareName(move.played) + " " + Signed(move.playedValue) + " " +
         GgfSquareName(move.best) + " " + Signed(move.bestValue) + " " + loss +
         (move.book ? " book" : "");
}

int RunTextReview(const std::string& path, const std::string& data_folder, std::FILE* out,
                  std::FILE* err) {
  const std::optional<std::string> text = platform::TryReadFileBytes(path);
  if (!text) {
    std::fprintf(err, "kerna-reversi: %s: cannot be read\n", path.c_str());
    return 1;
  }
  std::string error;
  const std::optional<GgfGame> record = ParseGgf(*text, &error);
  if (!record) {
    std::fprintf(err, "kerna-reversi: %s: not a game record (%s)\n", path.c_str(), error.c_str());
    return 1;
  }
  GameReviewer reviewer(data_folder, nullptr);
  if (!reviewer.TablesLoaded()) {
    std::fprintf(err, "kerna-reversi: the evaluation tables were not found in %s\n",
                 data_folder.c_str());
    return 1;
  }
  const ReviewResult result = reviewer.Review(*record, [out](const ReviewedMove& move) {
    std::fprintf(out, "%s\n", ReviewLine(move).c_str());
    std::fflush(out);
  });
  if (result.end == ReviewEnd::kRejected) {
    std::fprintf(err, "kerna-reversi: %s: %s\n", path.c_str(), result.error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace kerna::review
