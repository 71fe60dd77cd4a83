#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "about/HelpText.h"

namespace larkspur {
namespace {

std::vector<std::string> Lines() {
  std::vector<std::string> lines;
  std::istringstream in(HelpText());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Index of the first line equal to text at or after from, or -1.
int Find(const std::vector<std::string>& lines, const std::string& text, int from = 0) {
  for (int i = from; i < static_cast<int>(lines.size()); ++i) {
    if (lines[i] == text) return i;
  }
  return -1;
}

TEST(HelpText, SevenSectionsInOrderEachUnderlined) {
  const std::vector<std::string> lines = Lines();
  const char* headings[] = {"General Information", "The Deck and Deal", "Overview of the game",
                            "First Moves",         "Melding",           "Going Out",
                            "The Interface"};
  int at = 0;
  for (const char* heading : headings) {
    const int found = Find(lines, std::string("\t\t\t") + heading, at);
    ASSERT_GE(found, 0) << heading;
    const std::string& rule = lines.at(found + 1);
    ASSERT_TRUE(rule.starts_with("\t\t\t=")) << heading;
    EXPECT_EQ(rule.find_first_not_of('=', 3), std::string::npos) << heading;
    at = found + 2;
  }
  // No other line looks like a heading.
  int headingLines = 0;
  for (const std::string& line : lines) headingLines += line.starts_with("\t\t\t") ? 1 : 0;
  EXPECT_EQ(headingLines, 14);
}

TEST(HelpText, TablesAreExact) {
  const std::vector<std::string> lines = Lines();
  const int melding = Find(lines, "\t\t\tMelding");
  const int goingOut = Find(lines, "\t\t\tGoing Out");

  const int table = Find(lines, "Minimum meld points");
  ASSERT_GT(table, melding);
  EXPECT_EQ(lines.at(table + 1), "15 points\tonly if game score to date is negative");
  EXPECT_EQ(lines.at(table + 2), "50 points\t0 \xE2\x80\x93 1495 game score to date");
  EXPECT_EQ(lines.at(table + 3), "90 points\t1500 \xE2\x80\x93 2995 game score to date");
  EXPECT_EQ(lines.at(table + 4), "120 points\t3000 plus game score to date");

  const int values = Find(lines, "Ace - 20 Points");
  ASSERT_GT(values, melding);
  ASSERT_LT(values, goingOut);
  const char* expected[] = {"Two - 20 Points", "Three to Seven - 5 points each.",
                            "Eight to King - 10 points each", "Joker - 50 points",
                            "Red Three - 100 points."};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(lines.at(values + 1 + i), expected[i]);
}

TEST(HelpText, ShapeOfTheText) {
  const std::string& text = HelpText();
  EXPECT_TRUE(text.ends_with("\nEnjoy Canasta"));
  EXPECT_GT(text.size(), 9000u);
  EXPECT_LT(text.size(), 10000u);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find("<TAB>"), std::string::npos);
  for (const std::string& line : Lines()) EXPECT_LE(line.size(), 125u) << line;
  // The rules the help states agree with the game's numbers.
  for (const char* fact : {"108 cards", "15 cards", "5,000", "50 points", "500 to 5000", "800"}) {
    EXPECT_NE(text.find(fact), std::string::npos) << fact;
  }
}

}  // namespace
}  // namespace larkspur
