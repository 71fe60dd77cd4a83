#include "harness/ScriptedHost.h"

#include "rules/Cards.h"

namespace larkspur {

void ScriptedHost::WaitUntil(std::int64_t deadline) {
  ++pauses;
  if (deadline > now) now = deadline;
  if (onPause) onPause();
}

void ScriptedHost::WaitForEvent() {
  if (++eventWaits > maxEventWaits) throw GameTooLong();
  if (actions.empty() && !onIdle)
    throw std::runtime_error("the game waits for an event but the script has none");
  now += 1;
  actions.empty() ? onIdle() : Next(actions, {})();
}

int ScriptedHost::ShowMessage(const DeluxeMessage& m) {
  messages.push_back(m);
  return answerMessage ? answerMessage(m) : Next(messageAnswers, 0);
}

double ScriptedHost::Random() {
  if (!randoms.empty()) return Next(randoms, 0.0);
  ++position.Draws;
  return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

void ScriptedHost::RandomFrom(const RandomPosition& at) {
  position = at;
  rng.seed(at.Seed);
  rng.discard(at.Draws);
}

void ScriptedHost::Picks(std::initializer_list<int> cards) {
  for (int c : cards) randoms.push_back(c / static_cast<double>(CardCount));
}

std::vector<std::string> ScriptedHost::MessageTitles() const {
  std::vector<std::string> titles;
  for (const auto& m : messages) titles.push_back(m.Title);
  return titles;
}

}  // namespace larkspur
