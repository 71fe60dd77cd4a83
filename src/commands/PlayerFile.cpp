// The player file's one line: split into fields, checked, and written back.
#include "commands/PlayerFile.h"

#include <charconv>
#include <utility>

namespace larkspur {

namespace {

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t';
}

// Splits the line into fields the way the file is written: commas between
// fields, blanks around them skipped, a quoted field ending at its closing
// quote, with two quotes inside standing for one.
std::vector<std::string> SplitFields(std::string_view text) {
  std::vector<std::string> fields;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    while (i < n && IsBlank(text[i])) ++i;
    if (i >= n) break;
    std::string field;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
      while (i < n && text[i] != ',') ++i;
    } else {
      while (i < n && text[i] != ',') field += text[i++];
      while (!field.empty() && IsBlank(field.back())) field.pop_back();
    }
    if (i < n && text[i] == ',') ++i;
    fields.push_back(std::move(field));
  }
  return fields;
}

// Control characters would break the file's one line or show as nothing.
bool IsControl(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  return byte < 0x20 || byte == 0x7F;
}

// Why a name read from the file cannot be used, or nullptr when it can.
const char* NameFault(const std::string& name) {
  if (name.size() > PlayerNameLimit) return " is too long";
  for (char ch : name)
    if (IsControl(ch)) return " holds characters that cannot be shown";
  return nullptr;
}

// A 16-bit decimal integer, or false.
bool ReadInteger(const std::string& field, int& value) {
  const char* first = field.data();
  const char* last = field.data() + field.size();
  if (first != last && *first == '+') ++first;
  long long v = 0;
  auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || first == last) return false;
  if (v < -32768 || v > 32767) return false;
  value = static_cast<int>(v);
  return true;
}

// The start of the line, short enough for a message and with every byte
// that might not show, or show as something else, replaced by '?'.
std::string Excerpt(std::string_view line) {
  constexpr size_t shown = 60;
  std::string excerpt;
  for (char ch : line.substr(0, shown))
    excerpt += IsControl(ch) || static_cast<unsigned char>(ch) >= 0x80 ? '?' : ch;
  if (line.size() > shown) excerpt += "…";
  return excerpt;
}

}  // namespace

PlayerFileParse ParsePlayerFile(std::string_view text) {
  PlayerFileParse result;
  PlayerFileData& d = result.Data;
  std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  const bool tooLong = line.size() > PlayerFileLineLimit;
  // Some editors put a byte order mark before the text; it is not part of the name.
  constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
  if (line.starts_with(byteOrderMark)) line.remove_prefix(byteOrderMark.size());
  result.Excerpt = Excerpt(line);
  if (tooLong) {
    result.Problems.push_back("its first line is longer than " +
                              std::to_string(PlayerFileLineLimit) + " characters");
    result.NoneUsed = true;
    return result;
  }
  const std::vector<std::string> fields = SplitFields(line);
  if (fields.size() != 8) {
    result.Problems.push_back(
        fields.size() < 8 ? "it holds " + std::to_string(fields.size()) + " of its 8 fields"
                          : "it holds " + std::to_string(fields.size()) + " fields instead of 8");
    result.NoneUsed = true;
    return result;
  }
  const std::pair<const char*, std::string*> names[2] = {{"the player's name", &d.PlayerName},
                                                         {"the opponent's name", &d.RobotName}};
  for (size_t k = 0; k < 2; ++k) {
    if (const char* fault = NameFault(fields[k])) {
      result.Problems.push_back(names[k].first + std::string(fault));
      continue;
    }
    *names[k].second = fields[k];
  }

  struct NumberField {
    const char* name;
    int* value;
    int low, high;
  };
  const NumberField numbers[6] = {
      {"the pace", &d.PaceSetting, -32768, 32767},  // 0 or less: no pauses
      {"the player's games won", &d.GamesWonPlayer, -32768, 32767},
      {"the opponent's games won", &d.GamesWonRobot, -32768, 32767},
      {"the player's game total", &d.GameScore1, -32768, 32767},
      {"the opponent's game total", &d.GameScore2, -32768, 32767},
      {"the target score", &d.TargetScore, 500, 5000},
  };
  for (size_t k = 0; k < 6; ++k) {
    int value = 0;
    if (!ReadInteger(fields[k + 2], value) || value < numbers[k].low || value > numbers[k].high) {
      result.Problems.push_back(std::string(numbers[k].name) + " is not a usable number");
      continue;
    }
    *numbers[k].value = value;
  }
  return result;
}

std::string UsableName(std::string_view entered) {
  std::string name;
  for (char ch : entered)
    if (!IsControl(ch)) name += ch;
  if (name.size() > PlayerNameLimit) {
    size_t cut = PlayerNameLimit;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return name;
}

std::string FormatPlayerFile(const PlayerFileData& d) {
  auto quoted = [](const std::string& s) {
    std::string out = "\"";
    for (char ch : s) {
      if (ch == '"') out += '"';
      out += ch;
    }
    return out + "\"";
  };
  return quoted(d.PlayerName) + "," + quoted(d.RobotName) + "," + std::to_string(d.PaceSetting) +
         "," + std::to_string(d.GamesWonPlayer) + "," + std::to_string(d.GamesWonRobot) + "," +
         std::to_string(d.GameScore1) + "," + std::to_string(d.GameScore2) + "," +
         std::to_string(d.TargetScore) + "\r\n";
}

}  // namespace larkspur
