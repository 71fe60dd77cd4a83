// A host for the game core without a window, for tests, benchmarks and the
// arena: a virtual clock on which a pause costs nothing, a seeded random
// source, queued answers for dialogs and boxes, and queued user actions run
// whenever the game waits for an event (onIdle when none is queued, usually a
// policy playing the human's seat). What the game showed and played is kept.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "state/Host.h"

namespace larkspur {

// Raised when a game waits for more events than any real game needs.
struct GameTooLong : std::runtime_error {
  GameTooLong() : std::runtime_error("the game went on past its limit of events") {}
};

class ScriptedHost : public Host {
 public:
  explicit ScriptedHost(std::uint64_t seed = 1, std::string playerFileFolder = ".")
      : folder(std::move(playerFileFolder)), rng(seed), position{seed, 0} {}

  // ---- the script
  std::deque<std::function<void()>> actions;               // one per event wait
  std::function<void()> onIdle;                            // when no action is queued
  std::function<int(const DeluxeMessage&)> answerMessage;  // else the queue, else 0
  std::deque<int> messageAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt: Cancel
  std::deque<double> randoms;                           // handed out before the seeded source
  std::function<void()> onPause;  // after every pause, to watch the table move
  std::int64_t maxEventWaits = 200'000;

  // An answer for games that play themselves: the first button, but Exit when the game is over.
  static int ExitAtGameOver(const DeluxeMessage& m) { return m.Title == "Game Over" ? 1 : 0; }

  // ---- what the game did
  std::int64_t now = 1000;
  std::int64_t eventWaits = 0;
  std::int64_t pauses = 0;
  std::vector<DeluxeMessage> messages;
  std::vector<std::string> sounds;
  bool ended = false;
  std::string folder;
  std::string dataFolder;  // none: the kept hand and the statistics stay in memory
  std::mt19937_64 rng;
  RandomPosition position;  // of rng, as long as only Random and RandomFrom move it

  void WaitUntil(std::int64_t deadline) override;
  void WaitForEvent() override;
  std::int64_t TickCount() override { return now; }
  void PlaySound(const std::string& file) override { sounds.push_back(file); }
  void Beep() override {}
  int ShowMessage(const DeluxeMessage& m) override;
  bool AskYesNo(const std::string&, const std::string&) override {
    return Next(yesNoAnswers, false);
  }
  std::optional<std::string> InputText(const std::string&, const std::string&) override {
    return Next(inputAnswers, std::optional<std::string>());
  }
  void ShowHelp() override {}
  void ShowAbout() override {}
  double Random() override;
  std::string PlayerFileFolder() override { return folder; }
  std::string DataFolder() override { return dataFolder; }
  std::optional<RandomPosition> RandomAt() override { return position; }
  void RandomFrom(const RandomPosition& at) override;
  void EndProgram() override { ended = true; }

  // The next stock draws pick exactly these cards.
  void Picks(std::initializer_list<int> cards);
  // Titles of the messages shown so far.
  std::vector<std::string> MessageTitles() const;

  // The next queued answer, or this one when the queue is empty.
  template <class T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
};

}  // namespace larkspur
