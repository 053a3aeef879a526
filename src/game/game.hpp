// The one object that holds the whole game: its state, grouped in plain structs
// by the subsystem that owns them, and the objects whose member functions are
// the game's operations. Operations take no arguments; each operation object
// is given only the structs and services it uses. This is the one place that
// knows every part and wires them together; the screens and the game flow of
// this folder are the only operations that hold the whole Game. A test builds a
// fresh Game on the headless platform; nothing of the game lives in a global.
#pragma once

#include "ai/ai_state.hpp"
#include "ai/book_lookup.hpp"
#include "ai/computer_turn.hpp"
#include "ai/eval_state.hpp"
#include "ai/evaluation.hpp"
#include "ai/game_tree_search.hpp"
#include "ai/one_ply_choice.hpp"
#include "ai/one_ply_state.hpp"
#include "ai/root_ranking.hpp"
#include "ai/search_driver.hpp"
#include "ai/search_state.hpp"
#include "board/board_rules.hpp"
#include "board/board_state.hpp"
#include "data/eval_table_loader.hpp"
#include "data/eval_tables.hpp"
#include "data/opening_book.hpp"
#include "data/placement_table_loader.hpp"
#include "data/placement_tables.hpp"
#include "data/settings_state.hpp"
#include "game/button_state.hpp"
#include "game/buttons.hpp"
#include "game/flow_state.hpp"
#include "game/game_records.hpp"
#include "game/human_turn.hpp"
#include "game/kept_game.hpp"
#include "game/main_loop.hpp"
#include "game/program_start.hpp"
#include "game/result_panel.hpp"
#include "game/review_hook.hpp"
#include "game/saved_games.hpp"
#include "game/settings_panel.hpp"
#include "game/write_failure_notice.hpp"
#include "platform/platform.hpp"
#include "platform/random.hpp"
#include "ui/board_drawing.hpp"
#include "ui/disc_pictures.hpp"
#include "ui/hostess.hpp"
#include "ui/hostess_state.hpp"
#include "ui/panel_layout.hpp"
#include "ui/panel_text.hpp"
#include "ui/progress_bar.hpp"
#include "ui/screen_drawing.hpp"
#include "ui/screen_state.hpp"
#include "ui/thinking_display.hpp"
#include "ui/thinking_messages.hpp"
#include "ui/tiles.hpp"

namespace kerna {

class Game {
 public:
  explicit Game(platform::Platform& io);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  platform::Platform& io;
  platform::Random random;

  // --- Loaded tables and settings (data/) ---
  EvalTables tables;
  EvalTableLoader tableLoader{io, tables};
  OpeningBook book;
  OpeningBookLoader bookLoader{io, book};
  PlacementTables placementTables;
  SettingsState settings;

  // --- Board and record (board/) ---
  BoardState board;
  BoardRules rules{board};
  PlacementTableLoader placementTableLoader{io, placementTables, board};

  // --- Computer player (ai/) ---
  AiState ai;
  EvalState evalState;
  Evaluation evaluation{board, ai, evalState, tables, placementTables};
  OnePlyState onePly;
  OnePlyChoice onePlyChoice{board,     rules,           ai,       onePly, evaluation,
                            evalState, placementTables, settings, random};
  SearchState searchState;
  GameTreeSearch search{board, searchState, ai, evaluation, placementTables, io};
  RootRanking ranking{board, ai, searchState, search, settings, random};
  SearchDriver searchDriver{board, ai, searchState, search, ranking, settings};
  BookState bookState;
  BookLookup bookLookup{board, rules, ai, bookState, book, settings, random};
  ComputerPlayer computer{board,      rules,        ai,           searchState, settings,
                          bookLookup, onePlyChoice, searchDriver, io};

  // --- Presentation and hostess (ui/) ---
  ScreenLayout layout;
  TileSet tiles;
  ScreenState screenState;
  BoardDrawing boardDrawing{io, layout, board, rules, tiles, settings};
  DiscPictures discPictures{io, layout, tiles, settings, boardDrawing};
  HostessState hostessState;
  ScreenDrawing screen{io, layout, screenState, hostessState, ai};
  Hostess hostess{io, hostessState, layout, screen, board, ai, settings};
  ProgressBar progressBar{io, layout, searchState, ai};
  PanelText panelText{io, layout};
  ThinkingMessages thinkingMessages{io, panelText, board, ai};
  ThinkingDisplay thinkingDisplay{thinkingMessages, progressBar, hostess, screen};

  // --- Game flow and screens (game/) ---
  FlowState flow;
  ButtonState buttonState;
  WriteFailureState writeFailures;
  WriteFailureNotice writeFailureNotice{io, writeFailures};
  ProgramStarter starter{*this};
  ButtonPanel buttons{*this};
  SettingsPanel settingsPanel{*this};
  ResultPanel resultPanel{*this};
  GameLoop loop{*this};
  RecordsState records;
  GameRecorder recorder{*this};
  KeptGameState keptGame;
  GameKeeper keeper{*this};
  HumanTurnState humanTurnState;
  HumanPlayer human{*this};
  ReviewHook review;  // filled in by the desktop program
  SavedGamesScreen savedGames{*this};
};

}  // namespace kerna
