// Counting the statistics, showing them as a table, and their file.
#include "commands/PlayStatistics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace larkspur {

namespace {

static_assert([] {
  for (std::size_t i = 0; i < StatisticsLevels.size(); ++i)
    if (static_cast<std::size_t>(StatisticsLevels[i]) != i) return false;
  return true;
}());

constexpr std::string_view Heading = "Larkspur statistics ";
constexpr long long Many = 1'000'000'000;
constexpr long long Total = 1'000'000;
constexpr long long Points = 1'000'000'000'000'000;

// A level's line: each number with its key and its range, in the line's order.
struct Field {
  const char* Key;
  long long Low, High;
};
constexpr std::array<Field, 10> Fields{{{"won", 0, Many},
                                        {"lost", 0, Many},
                                        {"streak", 0, Many},
                                        {"longest", 0, Many},
                                        {"best", -Total, Total},
                                        {"worst", -Total, Total},
                                        {"hands", 0, Many},
                                        {"points", -Points, Points},
                                        {"canastas", 0, Many},
                                        {"out", 0, Many}}};
using Numbers = std::array<long long, Fields.size()>;

Numbers NumbersOf(const LevelStatistics& s) {
  return {s.GamesWon,   s.GamesLost, s.Streak,     s.LongestStreak, s.BestTotal,
          s.WorstTotal, s.Hands,     s.HandPoints, s.Canastas,      s.WentOut};
}

LevelStatistics FromNumbers(const Numbers& n) {
  auto i = [&n](std::size_t k) { return static_cast<int>(n[k]); };
  return {i(0), i(1), i(2), i(3), i(4), i(5), i(6), n[7], i(8), i(9)};
}

// Why these numbers cannot be one level's statistics, or nothing.
const char* Inconsistency(const LevelStatistics& s) {
  if (s.Streak > s.LongestStreak || s.LongestStreak > s.GamesWon)
    return "its winning streaks are longer than its games won";
  if (s.WentOut > s.Hands) return "it went out in more hands than it played";
  if (s.GamesPlayed() == 0 && (s.BestTotal != 0 || s.WorstTotal != 0))
    return "it has game totals without a game";
  if (s.BestTotal < s.WorstTotal) return "its best game total is below its worst";
  return nullptr;
}

std::string Percent(int part, int whole) {
  if (whole == 0) return "–";
  return std::to_string(std::lround(100.0 * part / whole)) + "%";
}

std::string Level(RobotPlay level) {
  switch (level) {
    case RobotPlay::Expert:
      return "Expert";
    case RobotPlay::Master:
      return "Master";
    case RobotPlay::Classic:
      break;
  }
  return "Classic";
}

// The words of a line, split at single blanks.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (true) {
    const std::size_t blank = line.find(' ');
    words.push_back(line.substr(0, blank));
    if (blank == std::string_view::npos) return words;
    line.remove_prefix(blank + 1);
  }
}

bool ReadNumber(std::string_view text, long long& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

void AddHand(LevelStatistics& s, int handTotal, int canastas, bool wentOut) {
  s.Hands += 1;
  s.HandPoints += handTotal;
  s.Canastas += canastas;
  s.WentOut += wentOut;
}

void AddGame(LevelStatistics& s, bool won, int gameTotal) {
  const bool first = s.GamesPlayed() == 0;
  s.BestTotal = first ? gameTotal : std::max(s.BestTotal, gameTotal);
  s.WorstTotal = first ? gameTotal : std::min(s.WorstTotal, gameTotal);
  if (won) {
    s.GamesWon += 1;
    s.Streak += 1;
    s.LongestStreak = std::max(s.LongestStreak, s.Streak);
  } else {
    s.GamesLost += 1;
    s.Streak = 0;
  }
}

std::vector<std::vector<std::string>> StatisticsCells(const PlayStatistics& stats) {
  std::vector<std::vector<std::string>> cells{{""}};
  for (RobotPlay level : StatisticsLevels) cells[0].push_back(Level(level));
  auto row = [&](const char* name, auto text) {
    std::vector<std::string>& r = cells.emplace_back(1, name);
    for (RobotPlay level : StatisticsLevels) r.push_back(text(stats.Of(level)));
  };
  using S = const LevelStatistics&;
  auto num = [](auto n) { return std::to_string(n); };
  auto ifPlayed = [](S s, int n) { return s.GamesPlayed() ? std::to_string(n) : "–"; };
  row("Games played", [&](S s) { return num(s.GamesPlayed()); });
  row("Games won", [&](S s) { return num(s.GamesWon); });
  row("Games lost", [&](S s) { return num(s.GamesLost); });
  row("Win rate", [](S s) { return Percent(s.GamesWon, s.GamesPlayed()); });
  row("Winning streak now", [&](S s) { return num(s.Streak); });
  row("Longest winning streak", [&](S s) { return num(s.LongestStreak); });
  row("Best game total", [&](S s) { return ifPlayed(s, s.BestTotal); });
  row("Worst game total", [&](S s) { return ifPlayed(s, s.WorstTotal); });
  row("Hands played", [&](S s) { return num(s.Hands); });
  row("Average hand score", [](S s) {
    return s.Hands ? std::to_string(std::llround(double(s.HandPoints) / s.Hands)) : "–";
  });
  row("Canastas made", [&](S s) { return num(s.Canastas); });
  row("Times gone out", [&](S s) { return num(s.WentOut); });
  return cells;
}

std::string FormatStatistics(const PlayStatistics& stats) {
  std::string out = std::string(Heading) + std::to_string(StatisticsVersion) + "\n";
  for (RobotPlay level : StatisticsLevels) {
    out += "level ";
    out += RobotPlayName(level);
    const Numbers numbers = NumbersOf(stats.Of(level));
    for (std::size_t k = 0; k < Fields.size(); ++k)
      out += std::string(" ") + Fields[k].Key + "=" + std::to_string(numbers[k]);
    out += "\n";
  }
  return out + "end\n";
}

StatisticsRead ParseStatistics(std::string_view text) {
  StatisticsRead read;
  auto refuse = [&read](std::string why) {
    read.Problem = std::move(why);
    return read;
  };
  if (text.size() > StatisticsSizeLimit) return refuse("it is longer than any statistics");
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return refuse("its last line is cut short");
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  if (lines.empty() || !lines[0].starts_with(Heading)) return refuse("it is not statistics");
  long long version = 0;
  if (!ReadNumber(lines[0].substr(Heading.size()), version) || version < 1)
    return refuse("it is not statistics");
  if (version != StatisticsVersion)
    return refuse("it was kept by another version of the game (its format " +
                  std::to_string(version) + ", this one reads format " +
                  std::to_string(StatisticsVersion) + ")");
  if (lines.back() != "end") return refuse("it does not end where it should");
  PlayStatistics stats;
  std::array<bool, StatisticsLevels.size()> seen{};
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::string where = "line " + std::to_string(i + 1);
    const std::vector<std::string_view> words = Words(lines[i]);
    const std::optional<RobotPlay> level =
        words.size() >= 2 && words[0] == "level" ? RobotPlayNamed(words[1]) : std::nullopt;
    if (!level) return refuse(where + " is not a robot level's statistics");
    if (std::exchange(seen[static_cast<std::size_t>(*level)], true))
      return refuse(where + " holds a robot level a second time");
    if (words.size() != 2 + Fields.size())
      return refuse(where + " does not hold the " + std::to_string(Fields.size()) +
                    " numbers it should");
    Numbers numbers{};
    for (std::size_t k = 0; k < Fields.size(); ++k) {
      const std::string_view word = words[2 + k];
      const std::string key = std::string(Fields[k].Key) + "=";
      if (!word.starts_with(key) || !ReadNumber(word.substr(key.size()), numbers[k]) ||
          numbers[k] < Fields[k].Low || numbers[k] > Fields[k].High)
        return refuse(where + "'s " + Fields[k].Key + " is not a usable number");
    }
    const LevelStatistics s = FromNumbers(numbers);
    if (const char* why = Inconsistency(s)) return refuse(where + ": " + why);
    stats.Of(*level) = s;
  }
  read.Stats = stats;
  return read;
}

}  // namespace larkspur
