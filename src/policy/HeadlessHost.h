// A host with no window, for games that play themselves (the arena): a virtual
// clock on which a pause costs nothing, seeded random values, the first button
// of every dialog except at the end of a game, where it chooses Exit, and an
// event handler, usually a policy on the human's seat, run whenever the game
// waits for an event.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>

#include "state/Host.h"

namespace larkspur {

// Raised when a game waits for more events than any real game needs.
struct GameTooLong : std::runtime_error {
  GameTooLong() : std::runtime_error("the game went on past its limit of events") {}
};

class HeadlessHost : public Host {
 public:
  HeadlessHost(std::uint64_t seed, std::string folder) : rng_(seed), folder_(std::move(folder)) {}

  std::function<void()> OnEvent;  // one step of play per wait for an event
  std::int64_t MaxEventWaits = 200'000;

  std::int64_t EventWaits() const { return eventWaits_; }

  void WaitUntil(std::int64_t deadline) override {
    if (deadline > now_) now_ = deadline;
  }
  void WaitForEvent() override {
    if (++eventWaits_ > MaxEventWaits) throw GameTooLong();
    now_ += 1;
    if (OnEvent) OnEvent();
  }
  std::int64_t TickCount() override { return now_; }
  void PlaySound(const std::string&) override {}
  void Beep() override {}
  int ShowMessage(const DeluxeMessage& m) override { return m.Title == "Game Over" ? 1 : 0; }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> InputText(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowHelp() override {}
  void ShowAbout() override {}
  double Random() override { return static_cast<double>(rng_() >> 11) * 0x1.0p-53; }
  std::string PlayerFileFolder() override { return folder_; }
  void EndProgram() override {}

 private:
  std::mt19937_64 rng_;
  std::string folder_;
  std::int64_t now_ = 1000;
  std::int64_t eventWaits_ = 0;
};

}  // namespace larkspur
