#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "ScriptedHuman.h"
#include "state/Game.h"

using namespace larkspur;
using namespace larkspur::testing;

TEST(WholeGame, RobotAgainstScriptedHumanEnds) {
  ScriptedHost host(7);
  host.folder = ::testing::TempDir();
  Game game(host);
  game.Form_Load();
  ScriptedHuman human(game, 7);
  host.onIdle = [&] { human.Act(); };
  host.answerMessage = [](const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; };
  game.MnuNew_Click();
  EXPECT_TRUE(host.ended);
  EXPECT_TRUE(game.GameScore[1] >= game.TargetScore || game.GameScore[2] >= game.TargetScore);
}
