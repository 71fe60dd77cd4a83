#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "about/HelpText.h"

namespace larkspur {
namespace {

// Seven headings in order, each underlined; the minimum meld table and the
// card values line for line in the Melding section; the last line.
TEST(HelpText, SectionsTablesAndLastLine) {
  std::vector<std::string> lines;
  std::istringstream in(HelpText());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  // Index of the first line equal to text at or after from, or -1.
  auto find = [&](const std::string& text, int from) {
    const auto it = std::find(lines.begin() + from, lines.end(), text);
    return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
  };

  int at = 0;
  for (const char* heading : {"General Information", "The Deck and Deal", "Overview of the game",
                              "First Moves", "Melding", "Going Out", "The Interface"}) {
    at = find(std::string("\t\t\t") + heading, at);
    ASSERT_GE(at, 0) << heading;
    const std::string& rule = lines.at(at + 1);
    EXPECT_TRUE(rule.starts_with("\t\t\t=") && rule.find_first_not_of('=', 3) == rule.npos)
        << heading;
  }
  EXPECT_EQ(lines.back(), "Enjoy Canasta");

  const int melding = find("\t\t\tMelding", 0);
  const int goingOut = find("\t\t\tGoing Out", 0);
  const std::vector<std::vector<std::string>> tables = {
      {"Minimum meld points", "15 points\tonly if game score to date is negative",
       "50 points\t0 \xE2\x80\x93 1495 game score to date",
       "90 points\t1500 \xE2\x80\x93 2995 game score to date",
       "120 points\t3000 plus game score to date"},
      {"Ace - 20 Points", "Two - 20 Points", "Three to Seven - 5 points each.",
       "Eight to King - 10 points each", "Joker - 50 points", "Red Three - 100 points."}};
  for (const auto& table : tables) {
    const int first = find(table[0], melding);
    ASSERT_GT(first, melding) << table[0];
    ASSERT_LE(first + static_cast<int>(table.size()), goingOut) << table[0];
    EXPECT_EQ(std::vector<std::string>(lines.begin() + first, lines.begin() + first + table.size()),
              table);
  }
}

}  // namespace
}  // namespace larkspur
