// A host for the game core without a window: a virtual clock (a pause costs
// nothing), a seeded random source, queued answers for dialogs and boxes, and
// queued user actions run whenever the game waits for an event.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "state/Host.h"

namespace larkspur::testing {

class ScriptedHost : public Host {
 public:
  explicit ScriptedHost(std::uint64_t seed = 1) : rng(seed) {}

  // ---- the script
  std::deque<std::function<void()>> actions;               // one per event wait
  std::function<void()> onIdle;                            // when no action is queued
  std::function<int(const DeluxeMessage&)> answerMessage;  // else the queue, else 0
  std::deque<int> messageAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> inputAnswers;  // nullopt: Cancel
  std::deque<double> randoms;                           // handed out before the seeded source
  std::function<void()> onPause;  // after every pause, to watch the table move
  std::int64_t maxEventWaits = 1'000'000;

  // ---- what the game did
  std::int64_t now = 1000;
  std::int64_t eventWaits = 0;
  std::int64_t pauses = 0;
  std::vector<DeluxeMessage> messages;
  std::vector<std::string> sounds;
  bool ended = false;
  std::string folder = ".";
  std::mt19937_64 rng;

  void WaitUntil(std::int64_t deadline) override {
    ++pauses;
    if (deadline > now) now = deadline;
    if (onPause) onPause();
  }
  void WaitForEvent() override {
    if (++eventWaits > maxEventWaits || (actions.empty() && !onIdle))
      throw std::runtime_error("the game waits for an event but the script has none");
    now += 1;
    actions.empty() ? onIdle() : Next(actions, {})();
  }
  std::int64_t TickCount() override { return now; }
  void PlaySound(const std::string& file) override { sounds.push_back(file); }
  void Beep() override {}
  int ShowMessage(const DeluxeMessage& m) override {
    messages.push_back(m);
    return answerMessage ? answerMessage(m) : Next(messageAnswers, 0);
  }
  bool AskYesNo(const std::string&, const std::string&) override {
    return Next(yesNoAnswers, false);
  }
  std::optional<std::string> InputText(const std::string&, const std::string&) override {
    return Next(inputAnswers, std::optional<std::string>());
  }
  void ShowHelp() override {}
  void ShowAbout() override {}
  double Random() override {
    return randoms.empty() ? static_cast<double>(rng() >> 11) * 0x1.0p-53 : Next(randoms, 0.0);
  }
  std::string PlayerFileFolder() override { return folder; }
  void EndProgram() override { ended = true; }

  // The next stock draws pick exactly these cards.
  void Picks(std::initializer_list<int> cards) {
    for (int c : cards) randoms.push_back(c / 108.0);
  }
  // The next queued answer, or this one when the queue is empty.
  template <class T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
  // Titles of the messages shown so far.
  std::vector<std::string> MessageTitles() const {
    std::vector<std::string> titles;
    for (const auto& m : messages) titles.push_back(m.Title);
    return titles;
  }
};

}  // namespace larkspur::testing
