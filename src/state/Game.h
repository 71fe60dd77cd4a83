// One game context: the shared state, the table model and the host, with every
// routine of the game as a member. No globals: tests make as many as they like.
//
// Names. The routines, the shared state and the table's elements keep the names
// the game was described with, the controls' names among them, so that each can
// be found by that name:
//   Form_Load, Form_QueryUnload  the table window opening, and its close box asking to close
//   Mnu..._Click      the menus: MnuNew Game > New, MnuLoad, MnuSave, MnuExit, MnuHint;
//                     MnuNameP and MnuNameR change the player's and the robot's name,
//                     MnuView and MnuDelete view and delete the statistics, MnuTarget
//                     opens the target frame, mnuhelp is Canasta Help, MnuAbout About
//   PicCards(c)       the picture of card c; PicCards_MouseDown is a click on it
//   LblHeadings(r)    the meld columns' headings; the red threes' has the index RankJoker
//   lblMelds(r), lblMeldsC(r)  what the human's and the robot's meld of rank r holds;
//                     the red threes' labels have the index RankRedThree
//   LblDiscarding     the long label over the hand: click it, then a card, to discard
//   LblReturnPack     "Return Cards", which gives back melds that cannot stand
//   LblGenInfo        the status line (SetStatus); LblMinMeld the minimum meld's label
//   Shape1            the discard pile's frame: its border colour is the pile's state
//   FramResults       the results frame after a hand: cmdNew its "Carry On" button,
//                     cmdSave "Exit and Save"; LblP and LblB head the player's and the
//                     robot's columns; its rows lblMeld "Points Cards Melded",
//                     lblBonusPoints "Bonus Red Threes", lblMixed, lblPure,
//                     lblMeldPointsG "Out First Bonus", LblPointsoff "Less Points Hand",
//                     lblTotalP "Total this Hand", GGrandtotal "Total Game Points"
//   FramTarget        the target score frame: Txtpoints its entry box, CmdTarget its O.K
//
// Indexes. A card is its number, 1 to 108 (rules/Cards.h). Whatever is kept per
// player (PerPlayer, the score labels, the results frame's values, MeldColumn) is
// indexed 1 = Human, 2 = Robot, and index 0 is unused; LblNames alone is the other
// way round, 1 the robot's name at the top of the table and 2 the human's at the
// bottom. MeldInfo, the headings and the meld labels are indexed by rank code.
//
// New code. A routine or field added to the core is named in the same style, after
// what it does in the game's terms (MayTakePile, HandOverPile, ChooseRobot), and
// after a control only when it is that control's event (Control_Event). The front
// end keeps Qt's own style and changes the game only through these routines.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/KeptHand.h"
#include "commands/PlayStatistics.h"
#include "commands/SafeFile.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"
#include "policy/MasterPolicy.h"
#include "scoring/HandLog.h"
#include "scoring/ScoreSheet.h"
#include "state/GameState.h"
#include "state/Host.h"
#include "state/Seats.h"
#include "table/TableModel.h"

namespace larkspur {

// Thrown by a wait when a new game, a load or the end of the program has been
// asked for; caught only where games are run (and at the front end's entry
// points, so it never crosses the window system's event dispatch).
struct GameAbandoned {};

enum class GameRequest { None, NewGame, LoadGame, ResumeHand, Quit };

class Game : public GameState {
 public:
  explicit Game(Host& host);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Host& host;
  TableModel Table;

  // ---- what every part shares: cards, pacing and the status line (state/Game.cpp)
  void InitCards();
  void Pause();
  void DealSound();
  void SetStatus(const std::string& text);

  // ---- table: start-up (table/Startup.cpp), hands laid out and counted
  // (table/HandLayout.cpp), the stock, its draws and red threes (table/Stock.cpp),
  // new-hand reset (table/NewHand.cpp)
  void Form_Load();
  void HandLayout(int player);
  void CountHand(int player);
  void ShowStock();
  int PickStockCard();
  void DrawStockCard(int player);
  void DrawTwoFromStock(int player);
  void MoveStockCard(int player, int card);
  void LayDownRedThrees(int player);
  void ReplaceRedThree(int player);
  void ShowRedThrees(int player);
  void NewHandReset();

  // ---- flow: driver (flow/Driver.cpp), deal (flow/Deal.cpp), robot (flow/Robot.cpp)
  void PlayGame();
  void MnuNew_Click();
  void cmdNew_Click();
  void DealOneCard(int player);
  void TurnUpCard(int card);
  void Deal(int dealer);
  // The robot's turn as the policy of its seat plays it; true when it took the discard pile.
  bool RobotTurn();
  void RobotMelds();
  void RobotDiscard();

  // ---- melds: layout and labels (melds/MeldLayout.cpp), meld points and the
  // minimum meld (melds/MinimumMeld.cpp), either player's meld moves with the
  // card's flight (melds/MeldMoves.cpp)
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
  // The target frame's entry box as the player types in it.
  void Txtpoints_Change(const std::string& text);
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

  // ---- the hand kept for another time (commands/KeepHand.cpp)
  // Keeps the hand at every wait for the human's move, in the player's data
  // folder when the host has one; off for games no one will resume.
  bool KeepsHand = false;
  // The hand as it was last kept, in the kept file's words; empty while none is.
  const std::string& KeptHandText() const { return keptText_; }
  // A hand kept before start-up waits to be resumed: Game > Resume Hand may put it back.
  bool HandToResume() const { return resumable_.has_value() && !gameRunning_; }
  void MnuResume_Click();
  // Writes the hand once more, should its last writing have failed: at the program's end.
  void KeepHandForLater();
  // Tells the player, once the window is shown, of a kept hand or statistics
  // the game could not use.
  void ReportDataFileProblems();

  // ---- statistics by robot level (commands/KeepStatistics.cpp)
  PlayStatistics Stats;
  // The statistics window's Reset: asks first, then sets every level back to nothing.
  void ResetStatistics();

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

  // One move at a time: whether a click on the table would act now. With no game
  // running nothing is in flight and the handlers' own checks decide; while a
  // game runs, only the wait for the human's turn takes a move.
  bool MayMove() const { return !moving_ && (waitingForHuman_ || !gameRunning_); }

  // ---- seats played by policies (flow/Robot.cpp), the hint (policy/Hint.cpp)
  // Options > Robot: who plays the robot's seat, Classic unless chosen otherwise.
  void ChooseRobot(RobotPlay play) { robotPlayer_ = play; }
  RobotPlay RobotPlayer() const { return robotPlayer_; }
  // The Master's budget a decision on the robot's seat, in playouts; tests make it cheaper.
  void SetMasterPlayouts(int playouts);
  // When set, this policy plays the robot's seat whatever RobotPlayer says.
  Policy* RobotSeatPolicy = nullptr;
  // The advice for the human's next click, a step of the hint's plan for the
  // turn; None unless the game waits for the human's move.
  HintAdvice HumanHint();
  // The hint's plan for this turn, kept from one hint to the next (policy/Hint.cpp).
  HintPlan PlannedHints;
  // The hint asks the Master at a small budget a decision, so that it answers
  // within HintAnswerMs, by when it settles for what it has found (policy/Hint.cpp);
  // tests may make it cheaper, in playouts a decision.
  static constexpr int HintBudgetMs = 60;
  static constexpr int HintAnswerMs = 300;
  void SetHintPlayouts(int playouts) { hintMaster_ = MasterPolicy::WithPlayouts(playouts); }
  // The Game menu's Hint: says the advice on the status line and marks its element.
  void MnuHint_Click();
  // The hint's outline goes, as any click, key or new status puts it away.
  void PutHintAway() { Table.HintTarget = {}; }
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
  // The policy that plays the robot's seat now.
  Policy& RobotPolicy();
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
  void PutHintSentenceAway();
  // ---- discard/TakePile.cpp
  // Whether the human took the pile in this turn for a first meld not yet sure to stand.
  bool PileTakenForFirstMeld() const;
  bool GiveBackTakenPile();
  // ---- player/Labels.cpp
  void RestoreWildCard(int card);
  void RecountHumanMelds();
  void RecheckMinimumMeld();
  void ReturnUnfinishedMelds();
  // ---- scoring/Scoring.cpp
  void WaitForResults();
  // ---- commands/SaveLoadExit.cpp
  void FinishQuit();
  // ---- commands/KeepHand.cpp
  void ReadKeptHand();
  // At each wait for the human's move: the hand written down when it changed.
  void KeepHand();
  void WriteKeptHand(bool tellFailure);
  // Puts the hand being resumed on the table; false when none is.
  bool PutBackKeptHand();
  // The hand is over or given up: nothing of it is kept any longer.
  void ForgetKeptHand();
  // New and Load: a hand kept from before is given up too.
  void DiscardKeptHand();
  // ---- commands/KeepStatistics.cpp
  void ReadStatistics();
  void SaveStatistics();
  void NoteHandInStatistics(int handTotal);
  void NoteGameInStatistics();

  // The robot's own players; RobotPolicy chooses.
  RobotPlay robotPlayer_ = RobotPlay::Classic;
  ClassicPolicy classic_;
  ExpertPolicy expert_;
  MasterPolicy master_;
  MasterPolicy hintMaster_;

  // What was wrong with the player file as read, until ReportNameFileProblem tells it.
  std::string nameFileProblem_;
  // The player file the game could not read, while it stays in place: never saved over.
  bool nameFileUnread_ = false;
  std::optional<FileId> unreadNameFile_;

  // The kept hand: one read at start-up that may be resumed, one being put
  // back, and the words of the hand in play as last kept.
  std::optional<KeptHand> resumable_;
  std::optional<KeptHand> resuming_;
  std::string keptText_;
  bool keptOnDisk_ = false;       // the file holds keptText_
  bool keepFailureTold_ = false;  // a failure to keep the hand has been told
  bool turnPutBack_ = false;      // the human's turn goes on from a kept hand
  bool statisticsFailureTold_ = false;
  // Kept hand or statistics files that could not be used: a title and a message each.
  std::vector<std::pair<std::string, std::string>> dataFileProblems_;

  bool gameRunning_ = false;
  bool waitingForHuman_ = false;  // the driver waits for the human's turn
  bool moving_ = false;           // a click's move is under way
  GameRequest pending_ = GameRequest::None;
  bool ended_ = false;
};

}  // namespace larkspur
