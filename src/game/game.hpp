// The one object that holds the whole game: its state, grouped in plain structs
// by the subsystem that owns them, and the objects whose member functions are
// the game's operations. Operations take no arguments; they read and write the
// state through the Game they belong to. A test builds a fresh Game on the
// headless platform; nothing of the game lives in a global.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/book_lookup.hpp"
#include "ai/computer_turn.hpp"
#include "ai/eval_state.hpp"
#include "ai/evaluation.hpp"
#include "ai/game_tree_search.hpp"
#include "ai/one_ply_choice.hpp"
#include "ai/one_ply_state.hpp"
#include "ai/progress_bar.hpp"
#include "ai/root_ranking.hpp"
#include "ai/search_driver.hpp"
#include "ai/search_state.hpp"
#include "board/board_rules.hpp"
#include "board/board_state.hpp"
#include "board/human_turn.hpp"
#include "data/eval_table_loader.hpp"
#include "data/eval_tables.hpp"
#include "data/opening_book.hpp"
#include "game/button_state.hpp"
#include "game/buttons.hpp"
#include "game/flow_state.hpp"
#include "game/game_records.hpp"
#include "game/main_loop.hpp"
#include "game/main_loop_text.hpp"
#include "game/program_start.hpp"
#include "game/result_screen.hpp"
#include "game/settings.hpp"
#include "game/settings_state.hpp"
#include "game/start_state.hpp"
#include "game/start_tables.hpp"
#include "game/start_tables_state.hpp"
#include "platform/platform.hpp"
#include "platform/random.hpp"
#include "ui/board_drawing.hpp"
#include "ui/disc_pictures.hpp"
#include "ui/hostess.hpp"
#include "ui/hostess_state.hpp"
#include "ui/screen_drawing.hpp"
#include "ui/screen_state.hpp"
#include "ui/tiles.hpp"

namespace kerna {

class Game {
 public:
  explicit Game(platform::Platform& io);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  platform::Platform& io;
  platform::Random random;

  // --- Game flow and screens (game/) ---
  StartState start;
  SettingsState settings;
  FlowState flow;
  StartTables startTables;
  StartTableLoader startTableLoader{*this};
  ButtonState buttonState;
  ProgramStarter starter{*this};
  ButtonPanel buttons{*this};
  PanelText panelText{*this};
  SettingsPanel settingsScreen{*this};
  GameEnd result{*this};
  GameLoop loop{*this};
  RecordsState records;
  GameRecorder recorder{*this};

  // --- Board and turns (board/) ---
  BoardState board;
  BoardRules rules{*this};
  HumanTurnState humanTurnState;
  HumanPlayer human{*this};

  // --- Computer player (ai/) ---
  AiState ai;
  EvalState evalState;
  Evaluation evaluation{*this};
  ComputerPlayer computer{*this};
  OnePlyState onePly;
  OnePlyChoice onePlyChoice{*this};
  SearchState searchState;
  GameTreeSearch search{*this};
  RootRanking ranking{*this};
  ProgressBar progressBar{*this};
  SearchDriver searchDriver{*this};
  BookState bookState;
  BookLookup bookLookup{*this};

  // --- Loaded tables (data/) ---
  EvalTables tables;
  EvalTableLoader tableLoader{*this};
  OpeningBook book;
  OpeningBookLoader bookLoader{*this};

  // --- Presentation and hostess (ui/) ---
  TileSet tiles;
  ScreenState screenState;
  DiscPictures discPictures{*this};
  ScreenDrawing screen{*this};
  BoardDrawing boardDrawing{*this};
  HostessState hostessState;
  Hostess hostess{*this};
};

}  // namespace kerna
