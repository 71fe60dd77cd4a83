// One game context: the shared state, the table model and the host, with every
// routine of the game as a member. No globals: tests make as many as they like.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/SafeFile.h"
#include "state/GameState.h"
#include "state/HandLog.h"
#include "state/Host.h"
#include "state/ScoreSheet.h"
#include "state/Seats.h"
#include "table/TableModel.h"

namespace larkspur {

// Thrown by a wait when a new game, a load or the end of the program has been
// asked for; caught only where games are run (and at the front end's entry
// points, so it never crosses the window system's event dispatch).
struct GameAbandoned {};

enum class GameRequest { None, NewGame, LoadGame, Quit };

class Policy;

class Game : public GameState {
 public:
  explicit Game(Host& host);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Host& host;
  TableModel Table;

  // ---- state: cards and pacing (state/Game.cpp)
  void InitCards();
  void Pause();
  void DealSound();

  // ---- table: start-up (table/Startup.cpp), hands (table/HandLayout.cpp),
  // stock and red threes (table/Stock.cpp), status and new-hand reset
  // (table/NewHand.cpp)
  void Form_Load();
  void HandLayout(int player);
  void ShowStock();
  void DrawStockCard(int player);
  void DrawTwoFromStock(int player);
  void MoveStockCard(int player, int card);
  void LayDownRedThrees(int player);
  void ReplaceRedThree(int player);
  void ShowRedThrees(int player);
  void SetStatus(const std::string& text);
  void NewHandReset();

  // ---- flow: driver (flow/Driver.cpp), deal (flow/Deal.cpp), robot (flow/Robot.cpp)
  void PlayGame();
  void MnuNew_Click();
  void cmdNew_Click();
  int PickStockCard();
  void DealOneCard(int player);
  void TurnUpCard(int card);
  void Deal(int dealer);
  bool RobotTurn();  // true when the robot took the discard pile
  void RobotMelds();
  void RobotDiscard();
  bool HoldsThreeOfRank(int rank);

  // ---- melds: layout and labels (melds/MeldLayout.cpp), meld points and the
  // minimum meld (melds/MinimumMeld.cpp), melding with the card's flight
  // (melds/RobotMelding.cpp)
  void LayOutMelds(int player);
  bool MeldsComplete(int player);
  void MeldCard(int card, int rank, int player);
  void CheckMinimumMeld(int player);
  void CountMeldPoints(int player);
  void MeldNaturalCard(int card, int rank, int player);
  void MeldWildCard(int card, int rank, int player);
  void MeldAllOfRank(int player, int rank);

  // ---- discard pile: the pile and discarding (discard/DiscardPile.cpp),
  // taking it and giving it back (discard/TakePile.cpp)
  void ShowDiscardPile();
  void DiscardCard(int player, int card);
  bool MayTakePile(int player);
  void TakePileTop(int player);
  void HandOverPile(int player);
  bool TakeBack();  // true when the pile's top card went back

  // ---- the human's turn: card clicks (player/CardClicks.cpp), label clicks
  // (player/Labels.cpp), pointer and tooltips (player/Pointer.cpp)
  void PicCards_MouseDown(int index);
  void TakeTwoFromStock();
  void PlayerTakesPile(int card);
  bool BlackThreesGoOut();
  bool CanStartMeld(int card);
  void CountHand(int player);
  void LblHeadings_Click(int index);
  void LblDiscarding_Click();
  void LblReturnPack_Click();
  void PicCards_MouseMove(int index);
  void LblHeadings_MouseMove(int index);

  // ---- scoring (scoring/Scoring.cpp)
  void CountBonuses(int player);
  void ShowScores();
  void ShowHandResult();

  // ---- what happened, for the player to read; play never reads it: the hand
  // log (scoring/HandLog.cpp) and the score sheet (scoring/ScoreSheet.cpp)
  HandLog Log;
  ScoreSheet Sheet;
  // Notes a move on the log as the cards move; number: see HandMove.
  void LogMove(HandMove move, int player, int card = 0, int number = 0);
  // A new game's sheet, from the totals it starts with.
  void StartScoreSheet();
  // The hand just scored, with each player's hand total, goes on the sheet.
  void NoteHandOnSheet(const PerPlayer<int>& handTotal);

  // ---- commands and persistence: the player file (commands/NameFile.cpp)
  void ReadNameFile();
  bool SaveNameFile();
  std::string NameFilePath();
  // Tells the player once, after the window is shown, that the player file was bad.
  void ReportNameFileProblem();
  // A count of games won with one more; at the file's 16-bit limit it stays there.
  static int OneMoreWin(int gamesWon);
  // ---- names (commands/Names.cpp), target (commands/Target.cpp), statistics
  // (commands/Statistics.cpp)
  void MnuNameP_Click();
  void MnuNameR_Click();
  void MnuTarget_Click();
  void CmdTarget_Click();
  // Escape in the target frame: the frame closes and the target stays as it was.
  void FramTarget_Escape();
  void MnuView_Click();
  void MnuDelete_Click();
  // ---- pace (commands/Pace.cpp)
  // The pause between moves, in milliseconds (0 or less: none), from the next
  // pause on; saved in the player file.
  void SetPace(int pace);
  // ---- save, load, exit, help and about (commands/SaveLoadExit.cpp)
  void MnuSave_Click();
  void MnuLoad_Click();
  void MnuExit_Click();
  void cmdSave_Click();
  // The window's close request from its close box; true lets it close.
  bool Form_QueryUnload();
  void QuitGame();
  void mnuhelp_Click();
  void MnuAbout_Click();

  // ---- message dialog (dialog/DeluxeMessage.cpp)
  int ShowDeluxeMessage(const std::string& message, const std::string& button0,
                        const std::string& button1, const std::string& button2, int imageIndex,
                        const std::string& title);

  // ---- running games (state/Game.cpp, flow/Driver.cpp)
  // True while a game runs (its driver is somewhere on the stack).
  bool GameRunning() const { return gameRunning_; }
  GameRequest PendingRequest() const { return pending_; }
  // Raises GameAbandoned when a new game, a load or the end has been asked for.
  void CheckAbandon();
  // Set when the program has been told to end.
  bool Ended() const { return ended_; }

  // One move at a time: whether a click on the table would act now.
  bool MayMove() const;

  // ---- seats played by policies
  // Who plays the robot's seat; Classic unless the player chooses otherwise.
  RobotPlay RobotPlayer = RobotPlay::Classic;
  // When set, this policy plays the robot's seat whatever RobotPlayer says.
  Policy* RobotSeatPolicy = nullptr;
  // The robot's turn as RobotPlayer plays it; true when it took the discard pile.
  bool RobotSeatTurn();
  // The advice for the human's next click, a step of the hint's plan for the
  // turn; None unless the game waits for the human's move.
  HintAdvice HumanHint();
  // The hint's plan for this turn, kept from one hint to the next (policy/Hint.cpp).
  HintPlan PlannedHints;
  // The Game menu's Hint: says the advice on the status line and marks its element.
  void MnuHint_Click();
  // What a click on the table could use now, in the order the keyboard steps
  // through it; empty unless the game waits for the human's move (player/Clickable.cpp).
  std::vector<TableTarget> ClickableNow() const;

 private:
  friend class HumanMove;
  // ---- flow/Driver.cpp
  void StartGames(GameRequest request);
  void RunGames();
  void WaitWhileHumanPlays();
  void EndOfGame();
  // ---- flow/Robot.cpp
  int RobotDiscardChoice();
  // ---- player/CardClicks.cpp
  void MeldHandCard(int card);
  void DiscardHandCard(int card);
  void BackToMelding();
  void SayMelding();
  void HasDrawn();
  void GoOutWithBlackThrees();
  // ---- policy/Hint.cpp
  // A click puts the hint away: its sentence, still on the status line, gives way
  // to what the turn asks for now.
  void PutHintAway();
  // ---- player/Labels.cpp
  void RestoreWildCard(int card);
  void RecountHumanMelds();
  void RecheckMinimumMeld();
  void ReturnUnfinishedMelds();
  // ---- scoring/Scoring.cpp
  void WaitForResults();
  // ---- commands/SaveLoadExit.cpp
  void FinishQuit();

  // What was wrong with the player file as read, until ReportNameFileProblem tells it.
  std::string nameFileProblem_;
  // The player file the game could not read, while it stays in place: never saved over.
  bool nameFileUnread_ = false;
  std::optional<FileId> unreadNameFile_;

  bool gameRunning_ = false;
  bool waitingForHuman_ = false;  // the driver waits for the human's turn
  bool moving_ = false;           // a click's move is under way
  GameRequest pending_ = GameRequest::None;
  bool ended_ = false;
};

// The minimum first meld for a game score (melds/MinimumMeld.cpp).
int MinimumMeldFor(int gameScore);

// Whether discard pass `pass` (1 to ClassicDiscardPasses) of the Classic robot
// takes this card; flow/Robot.cpp.
constexpr int ClassicDiscardPasses = 14;
bool ClassicDiscardPass(int pass, int card, int held, bool mine, bool theirs, int discardCount);

// Card number to rank and points, as InitCards sets them (state/Game.cpp).
int RankOfCard(int card);
int PointsOfCard(int card);

}  // namespace larkspur
