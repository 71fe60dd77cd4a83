// The policies the arena knows, by name. A name may carry a budget in
// milliseconds per decision, "master@20"; each factory is given it (policies
// that do not search ignore it) and a seed for those that draw at random. A new
// policy is one more line in the list in PolicyRegistry.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "policy/Policy.h"

namespace larkspur {

struct PolicyArgs {
  int BudgetMs = 0;  // 0: the policy's own default
  std::uint64_t Seed = 0;
};

struct PolicyEntry {
  std::string Name;
  std::function<std::unique_ptr<Policy>(const PolicyArgs&)> Make;
};

const std::vector<PolicyEntry>& RegisteredPolicies();

// A name as given, "name" or "name@budget", split; false when the budget is not a positive number.
bool SplitPolicyName(const std::string& given, std::string& name, int& budgetMs);
// The policy a name (with its budget, if any) stands for, or nullptr for an unknown name or a
// malformed budget.
std::unique_ptr<Policy> MakePolicy(const std::string& given, std::uint64_t seed);
// The registered names, separated by blanks.
std::string PolicyNames();

}  // namespace larkspur
