#include <gtest/gtest.h>

#include <string>

#include "about/HelpText.h"

namespace larkspur {
namespace {

// Seven headings in order, each underlined; the minimum meld table and the
// card values line for line in the Melding section; the last line.
TEST(HelpText, SectionsTablesAndLastLine) {
  const std::string& text = HelpText();
  size_t at = 0;
  for (const std::string heading :
       {"General Information", "The Deck and Deal", "Overview of the game", "First Moves",
        "Melding", "Going Out", "The Interface"}) {
    at = text.find("\t\t\t" + heading + "\n\t\t\t====", at);
    ASSERT_NE(at, std::string::npos) << heading;
  }
  const size_t melding = text.find("\n\t\t\tMelding\n"),
               goingOut = text.find("\n\t\t\tGoing Out\n");
  for (const char* table : {"\nMinimum meld points\n"
                            "15 points\tonly if game score to date is negative\n"
                            "50 points\t0 \xE2\x80\x93 1495 game score to date\n"
                            "90 points\t1500 \xE2\x80\x93 2995 game score to date\n"
                            "120 points\t3000 plus game score to date\n",
                            "\nAce - 20 Points\nTwo - 20 Points\nThree to Seven - 5 points each.\n"
                            "Eight to King - 10 points each\nJoker - 50 points\n"
                            "Red Three - 100 points.\n"}) {
    const size_t first = text.find(table, melding);
    EXPECT_TRUE(first > melding && first < goingOut) << table;
  }
  EXPECT_TRUE(text.ends_with("\nEnjoy Canasta"));
}

}  // namespace
}  // namespace larkspur
