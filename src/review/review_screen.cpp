// The review screen (see review_screen.hpp). The panel, top to bottom: rows
// 0..5 the move and its values (white on the panel tile, tiled over before
// each print), rows 6..7 her balloon, her face, the progress bar, the graph,
// the buttons and a row naming the keys.
#include "review/review_screen.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>

#include "platform/cp932.hpp"
#include "ui/review_speech.hpp"

namespace kerna::review {

namespace {

using platform::Key;

constexpr int kFirst = 0, kBack = 1, kForward = 2, kLast = 3, kNextMistake = 4, kQuit = 5;
constexpr int kStatusRow = 0, kMoveRow = 1, kPlayedRow = 2, kBestRow = 3, kLossRow = 4,
              kNoteRow = 5, kKeysRow = 26;
constexpr int kTextWhite = 7, kTextBlack = 0;
constexpr int kPlayedBoxColour = 6;  // the human turn's box on a legal square
constexpr int kProgressColour = 5;   // the hint's cyan: the computer's reading, not a move

// Faces (0..6) that go with her review lines.
constexpr uint8_t kFaceCalm = 2, kFacePleased = 3, kFaceDelighted = 4, kFaceUneasy = 1,
                  kFaceDismayed = 0;

std::string Discs(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%+.1f", value);
  return text;
}

std::string ColourName(char colour) {
  return colour == kGgfBlack ? "黒" : "白";
}

// The game's board grid holding a record's 64 squares.
Grid GridOfSquares(const std::array<char, 64>& squares) {
  Grid grid{};
  for (int square = 0; square < 64; ++square) {
    const char c = squares[square];
    grid[square % 8 + 1][square / 8 + 1] = c == kGgfBlack   ? kBlack
                                           : c == kGgfWhite ? kWhite
                                                            : kEmpty;
  }
  return grid;
}

// Whatever of the game the review changes, put back when it ends.
class KeptGameState {
 public:
  explicit KeptGameState(Game& game)
      : g_(game),
        position_(game.board.Position),
        level_(game.ai.Level),
        hostess_(game.hostessState.FaceNumber, game.hostessState.SpeechEvent,
                 game.hostessState.PreviousSpeechEvent),
        progressRow_(game.layout.ProgressRow),
        active_(game.buttonState.GroupActive),
        choice_(game.buttonState.GroupChoice) {}
  ~KeptGameState() {
    // Blanks without a background change no pixel: the review's rows leave
    // the text grid as the screen underneath had it.
    g_.io.SetTextColour(kTextWhite, -1);
    for (const int row : {kStatusRow, kMoveRow, kPlayedRow, kBestRow, kLossRow, kNoteRow, kKeysRow})
      g_.panelText.PrintAt(kPanelLabelColumn, row, std::string(kPanelWidth, ' '));
    g_.board.Position = position_;
    g_.ai.Level = level_;
    std::tie(g_.hostessState.FaceNumber, g_.hostessState.SpeechEvent,
             g_.hostessState.PreviousSpeechEvent) = hostess_;
    g_.layout.ProgressRow = progressRow_;
    g_.buttonState.GroupActive = active_;
    g_.buttonState.GroupChoice = choice_;
    g_.io.SetTextColour(kTextBlack, kTextWhite);
  }
  KeptGameState(const KeptGameState&) = delete;
  KeptGameState& operator=(const KeptGameState&) = delete;

 private:
  Game& g_;
  Grid position_;
  int16_t level_;
  std::tuple<uint8_t, uint8_t, uint8_t> hostess_;
  int16_t progressRow_;
  decltype(ButtonState::GroupActive) active_;
  decltype(ButtonState::GroupChoice) choice_;
};

}  // namespace

void ReviewScreen::Show(const std::optional<std::string>& ggf_text) {
  KeptGameState kept(g_);
  ButtonState& s = g_.buttonState;
  for (int g = 0; g < kButtonGroups; ++g) s.GroupActive[g] = 0;
  g_.io.DropKeys();
  std::string reason;
  const std::optional<ReviewedGame> game = PrepareReview(ggf_text, &reason);
  if (!game) {
    ShowRefusal(reason);
    return;
  }
  Browse(*game);
}

void ReviewScreen::DrawBase() {
  g_.screen.DrawTitleScreen();
  // The review needs the whole panel: its rows take the title's place.
  g_.screen.DrawPanelTileRows(0, 4);
}

void ReviewScreen::ShowRefusal(const std::string& reason) {
  DrawBase();
  g_.ai.Level = 6;
  g_.board.Position = GridOfSquares(StandardGgfGame().board);
  g_.boardDrawing.DrawWholeBoard();
  g_.io.SetTextColour(kTextWhite, -1);
  PrintRow(kStatusRow, "振り返り");
  PrintRow(kMoveRow, "この棋譜は振り返れません");
  // Her balloon says why, in her face's worry.
  g_.io.SetTextColour(kTextBlack, kTextWhite);
  g_.hostess.DrawBalloon();
  const size_t split = reason.find('\n');
  g_.panelText.PrintAt(kPanelMessageColumn, kBalloonFirstRow,
                       platform::ToCp932(reason.substr(0, split)));
  if (split != std::string::npos) {
    g_.panelText.PrintAt(kPanelMessageColumn, kBalloonSecondRow,
                         platform::ToCp932(reason.substr(split + 1)));
  }
  g_.hostessState.FaceNumber = kFaceUneasy;
  g_.screen.DrawFace();
  g_.screen.DrawMessageFrame();
  const int row = g_.panelText.MessageRow();
  g_.panelText.PrintAt(kPanelMessageColumn, row, "終了でもどります"_sjis);
  g_.buttonState.GroupActive[kQuitGroup] = 1;
  g_.buttonState.GroupChoice[kQuitGroup] = -1;
  g_.buttons.DrawButtonGroup(kQuitGroup);
  while (g_.buttons.PollGroup(kQuitGroup, [](Key key) { return key == Key::kEscape ? 0 : -1; }) <
         0) {
  }
}

void ReviewScreen::Browse(const ReviewedGame& game) {
  game_ = &game;
  valued_.clear();
  k_ = 0;
  boxedSquare_ = -1;
  allValuedSeen_ = failureSeen_ = false;
  g_.ai.Level = static_cast<int16_t>(game.hostessLevel);
  g_.layout.ProgressRow = kProgressRow;
  DrawBase();
  g_.progressBar.DrawFrame();
  g_.io.SetTextColour(kTextWhite, -1);
  PrintRow(kKeysRow, "←→ Home End N Esc");
  ButtonState& s = g_.buttonState;
  s.GroupActive[kReviewGroup] = 1;
  s.GroupChoice[kReviewGroup] = -1;
  g_.buttons.DrawButtonGroup(kReviewGroup);

  const std::unique_ptr<ReviewAnalysis> analysis = start_(analyser_, game.record);
  analysis_ = analysis.get();
  DrawPosition();
  DrawPanelText();
  DrawGraph();
  CommentOnStart();
  for (;;) {
    const int item = g_.buttons.PollGroup(kReviewGroup, ItemForKey);
    if (item == kQuit) break;
    if (item >= 0) Step(item);
    analysis->Advance();
    if (CatchUp()) {
      DrawProgress();
      DrawPanelText();
      DrawGraph();
      DrawPosition();
    }
    if (!allValuedSeen_ && static_cast<int>(valued_.size()) == game.MoveCount()) {
      allValuedSeen_ = true;
      // A game without a single mistake: she says so as soon as it is known.
      if (!NextMistake()) Speak(kSpeechReviewClean, kFaceDelighted);
    }
    if (!failureSeen_ && analysis->Ended() && !analysis->Failure().empty()) {
      failureSeen_ = true;
      DrawPanelText();
    }
  }
  analysis_ = nullptr;  // the run, going out of scope, stops the analysis
  game_ = nullptr;
}

bool ReviewScreen::CatchUp() {
  if (analysis_->ValuedCount() == static_cast<int>(valued_.size())) return false;
  analysis_->CatchUp(valued_);
  return true;
}

void ReviewScreen::Step(int item) {
  const int last = game_->MoveCount();
  const int before = k_;
  switch (item) {
    case kFirst:
      k_ = 0;
      break;
    case kBack:
      k_ = std::max(0, k_ - 1);
      break;
    case kForward:
      k_ = std::min(last, k_ + 1);
      break;
    case kLast:
      k_ = last;
      break;
    case kNextMistake:
      if (const auto next = NextMistake()) {
        k_ = *next;
      } else if (allValuedSeen_) {
        Speak(kSpeechReviewClean, kFaceDelighted);
      }
      break;
  }
  if (k_ == before && item != kNextMistake) return;
  DrawPosition();
  DrawPanelText();
  DrawGraph();
  CommentOnPosition();
}

std::optional<int> ReviewScreen::NextMistake() const {
  const int valued = static_cast<int>(valued_.size());
  for (int step = 1; step <= valued; ++step) {
    const int n = (k_ + step) % valued;
    if (IsMistake(valued_[n])) return n;
  }
  return std::nullopt;
}

std::optional<int> ReviewScreen::BiggestMistake() const {
  if (!allValuedSeen_) return std::nullopt;
  std::optional<int> biggest;
  for (int n = 0; n < static_cast<int>(valued_.size()); ++n) {
    if (IsMistake(valued_[n]) && (!biggest || valued_[n].loss > valued_[*biggest].loss))
      biggest = n;
  }
  return biggest;
}

void ReviewScreen::Speak(uint8_t event, uint8_t face) {
  g_.io.SetTextColour(kTextBlack, kTextWhite);
  g_.hostessState.SpeechEvent = event;
  g_.hostess.SpeakOnRows();
  g_.hostessState.FaceNumber = face;
  g_.screen.DrawFace();
}

void ReviewScreen::CommentOnStart() {
  const int margin = game_->FinalMargin();
  const int players_margin = game_->playerColour == kGgfBlack ? margin : -margin;
  if (players_margin < 0) {
    Speak(kSpeechReviewStartLost, kFaceCalm);
  } else {
    Speak(kSpeechReviewStartWon, kFacePleased);
  }
}

void ReviewScreen::CommentOnPosition() {
  const auto biggest = BiggestMistake();
  if (!biggest || *biggest != k_) return;
  if (game_->positions[k_].Mover() == game_->playerColour) {
    Speak(kSpeechReviewBigMistakePlayer, kFaceUneasy);
  } else {
    Speak(kSpeechReviewBigMistakeKerna, kFaceDismayed);
  }
}

void ReviewScreen::DrawPosition() {
  const nboard::Position& position = game_->positions[k_];
  // The box stands on the grid lines and one pixel into the squares around:
  // it is taken off in the frame colour before the squares are drawn again.
  if (boxedSquare_ >= 0) {
    g_.boardDrawing.DrawSquareBox(boxedSquare_ % 8 + 1, boxedSquare_ / 8 + 1,
                                  static_cast<int>(g_.humanTurnState.FrameColour));
  }
  boxedSquare_ = -1;
  g_.board.Position = GridOfSquares(position.squares);
  g_.boardDrawing.DrawWholeBoard();
  if (k_ >= game_->MoveCount()) return;
  if (k_ < static_cast<int>(valued_.size()) && !valued_[k_].IsPass()) {
    const int best = valued_[k_].best;
    g_.boardDrawing.DrawHintSquare(best % 8 + 1, best / 8 + 1);
  }
  const int played = game_->record.moves[k_].square;
  if (played != kGgfPass) {
    g_.boardDrawing.DrawSquareBox(played % 8 + 1, played / 8 + 1, kPlayedBoxColour);
    boxedSquare_ = played;
  }
}

void ReviewScreen::PrintRow(int row, const std::string& utf8) {
  // Blanks to the panel's width: a shorter line must not leave the end of the
  // longer one before it in the text grid (the pixels are cleared by the tiles).
  std::string cp932 = platform::ToCp932(utf8);
  if (cp932.size() < static_cast<size_t>(kPanelWidth)) cp932.resize(kPanelWidth, ' ');
  g_.panelText.PrintAt(kPanelLabelColumn, row, cp932);
}

void ReviewScreen::DrawPanelText() {
  g_.screen.DrawPanelTileRows(kStatusRow, kNoteRow);
  g_.io.SetTextColour(kTextWhite, -1);
  const int moves = game_->MoveCount();
  const int valued = static_cast<int>(valued_.size());
  std::string status = "振り返り  ";
  if (!analysis_->Failure().empty()) {
    status += "分析できません";
  } else if (valued < moves) {
    status += "分析中 " + std::to_string(valued) + "/" + std::to_string(moves);
  } else {
    status += "分析済み";
  }
  PrintRow(kStatusRow, status);

  if (k_ >= moves) {
    const nboard::Position& end = game_->positions.back();
    int black = 0, white = 0;
    for (const char c : end.squares) black += c == kGgfBlack, white += c == kGgfWhite;
    PrintRow(kMoveRow, "終局  黒 " + std::to_string(black) + " - 白 " + std::to_string(white));
    const int margin = black - white;
    const int players = game_->playerColour == kGgfBlack ? margin : -margin;
    std::string verdict =
        margin == 0 ? "引き分け" : ColourName(margin > 0 ? kGgfBlack : kGgfWhite) + "の勝ち";
    if (game_->versusKerna && margin != 0) verdict += players > 0 ? "（あなた）" : "（ケルナ）";
    PrintRow(kPlayedRow, verdict);
    return;
  }
  const char mover = game_->positions[k_].Mover();
  const int played = game_->record.moves[k_].square;
  const std::string number = std::to_string(k_ + 1) + "手目  " + ColourName(mover) + " ";
  if (played == kGgfPass) {
    PrintRow(kMoveRow, number + "パス");
    PrintRow(kPlayedRow, "打てる所がありません");
    return;
  }
  PrintRow(kMoveRow, number + GgfSquareName(played));
  PrintRow(kNoteRow, "値は打つ側から見た石の差");
  if (k_ >= valued) {
    PrintRow(kPlayedRow, "打った手  " + GgfSquareName(played) + "  …");
    PrintRow(kBestRow, "最善手    …");
    PrintRow(kLossRow, "損        …");
    return;
  }
  const ReviewedMove& move = valued_[k_];
  PrintRow(kPlayedRow, "打った手  " + GgfSquareName(played) + "  " + Discs(move.playedValue) +
                           (move.book ? "  定石" : ""));
  PrintRow(kBestRow, move.book
                         ? std::string("最善手    定石どおり")
                         : "最善手    " + GgfSquareName(move.best) + "  " + Discs(move.bestValue));
  char loss[16];
  std::snprintf(loss, sizeof loss, "%.1f", move.loss);
  PrintRow(kLossRow, move.loss <= 0 ? std::string("損        なし")
                                    : "損        " + std::string(loss) + "石" +
                                          (IsMistake(move) ? "  悪手" : ""));
}

void ReviewScreen::DrawProgress() {
  g_.progressBar.ShowShare(static_cast<int>(valued_.size()), game_->MoveCount(), kProgressColour);
}

void ReviewScreen::DrawGraph() {
  DrawEvaluationGraph(g_.io, kGraph, game_->MoveCount(), valued_, k_);
}

int ReviewScreen::ItemForKey(Key key) {
  switch (key) {
    case Key::kHome:
      return kFirst;
    case Key::kLeft:
      return kBack;
    case Key::kRight:
      return kForward;
    case Key::kEnd:
      return kLast;
    case Key::kN:
      return kNextMistake;
    case Key::kEscape:
      return kQuit;
    default:
      return -1;
  }
}

}  // namespace kerna::review
