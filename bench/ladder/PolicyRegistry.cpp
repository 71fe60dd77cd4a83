#include "ladder/PolicyRegistry.h"

#include <charconv>

#include "harness/SimplePolicy.h"
#include "panel/Panel.h"
#include "policy/ClassicPolicy.h"
#include "policy/ExpertPolicy.h"
#include "policy/MasterPolicy.h"

namespace larkspur {

const std::vector<PolicyEntry>& RegisteredPolicies() {
  static const std::vector<PolicyEntry> entries{
      {"classic", [](const PolicyArgs&) { return std::make_unique<ClassicPolicy>(); }},
      {"expert", [](const PolicyArgs&) { return std::make_unique<ExpertPolicy>(); }},
      {"master",
       [](const PolicyArgs& a) {
         return std::make_unique<MasterPolicy>(
             a.BudgetMs ? a.BudgetMs : MasterPolicy::DefaultBudgetMs, a.Seed);
       }},
      {"simple", [](const PolicyArgs& a) { return std::make_unique<SimplePolicy>(a.Seed); }},
      {"racer", [](const PolicyArgs&) { return panel::MakeRacer(); }},
      {"builder", [](const PolicyArgs&) { return panel::MakeBuilder(); }},
      {"cautious", [](const PolicyArgs&) { return panel::MakeCautious(); }},
      {"strategist", [](const PolicyArgs&) { return panel::MakeStrategist(); }},
  };
  return entries;
}

bool SplitPolicyName(const std::string& given, std::string& name, int& budgetMs) {
  const auto at = given.find('@');
  name = given.substr(0, at);
  budgetMs = 0;
  if (at == std::string::npos) return true;
  const char* first = given.data() + at + 1;
  const char* last = given.data() + given.size();
  const auto [end, error] = std::from_chars(first, last, budgetMs);
  return error == std::errc{} && end == last && budgetMs > 0;
}

std::unique_ptr<Policy> MakePolicy(const std::string& given, std::uint64_t seed) {
  std::string name;
  int budget = 0;
  if (!SplitPolicyName(given, name, budget)) return nullptr;
  for (const PolicyEntry& entry : RegisteredPolicies())
    if (entry.Name == name) return entry.Make({budget, seed});
  return nullptr;
}

std::string PolicyNames() {
  std::string names;
  for (const PolicyEntry& entry : RegisteredPolicies())
    names += (names.empty() ? "" : " ") + entry.Name;
  return names;
}

}  // namespace larkspur
