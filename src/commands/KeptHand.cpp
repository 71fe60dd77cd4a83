// The kept hand's file: written item by item, and read back only when every
// line is in its place, every number within its range and the cards agree with
// the counts and melds that describe them.
#include "commands/KeptHand.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

namespace larkspur {

namespace {

constexpr std::string_view Heading = "Larkspur kept hand ";

// Generous bounds for what the game counts: no hand comes near them, and
// nothing read can overflow the game's arithmetic.
constexpr long long Amount = 1'000'000;
constexpr long long TextLimit = 4096;  // bytes in one text
constexpr long long ListLimit = 10'000;
constexpr long long ZLimit = 1'000'000'000'000'000;  // stacking counter

// The labels that belong to the player file rather than to the hand.
bool IsSessionLabel(std::string_view name) {
  return name == "LblTargetScore" || name == "LblNames_1" || name == "LblNames_2" ||
         name == "LblP" || name == "LblB";
}

// The last line carries a hash of all before it, so that a file written over
// in place and cut short by a crash, old lines after new, is never taken for a hand.
// FNV-1a, taken eight bytes at a time.
std::uint64_t Hash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text.data() + i, 8);
    hash = (hash ^ word) * 1099511628211ull;
    hash ^= hash >> 32;
  }
  for (; i < text.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
  return hash;
}

std::string HashWord(std::string_view text) {
  char word[17];
  std::snprintf(word, sizeof word, "%016llx", static_cast<unsigned long long>(Hash(text)));
  return word;
}

bool IsPlace(long long p) {
  return p == PlaceHumanHand || p == PlaceRobotHand || (p >= PlaceStock && p <= PlaceRobotRedThree);
}

// The player whose meld a card lies in, or 0.
int MeldOwner(int place) {
  return place == PlaceHumanMeld ? Human : place == PlaceRobotMeld ? Robot : 0;
}

// ---- writing

class Writer {
 public:
  Writer() { out_.reserve(16384); }
  Writer& Line(std::string_view keyword) {
    if (!out_.empty()) out_ += '\n';
    out_ += keyword;
    return *this;
  }
  Writer& N(long long n) {
    char digits[24];
    digits[0] = ' ';
    const auto [end, ec] = std::to_chars(digits + 1, digits + sizeof digits, n);
    for (const char* d = digits; d != end; ++d) out_.push_back(*d);
    return *this;
  }
  Writer& W(std::string_view word) {
    out_ += ' ';
    out_ += word;
    return *this;
  }
  Writer& U(std::uint64_t n) {
    char digits[24];
    digits[0] = ' ';
    const auto [end, ec] = std::to_chars(digits + 1, digits + sizeof digits, n);
    for (const char* d = digits; d != end; ++d) out_.push_back(*d);
    return *this;
  }
  Writer& T(std::string_view text) {
    out_ += " \"";
    for (const char ch : text) {
      const auto byte = static_cast<unsigned char>(ch);
      if (ch == '"' || ch == '\\') {
        out_ += '\\';
        out_ += ch;
      } else if (byte < 0x20 || byte == 0x7F) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
        out_ += escaped;
      } else {
        out_ += ch;
      }
    }
    out_ += '"';
    return *this;
  }
  // The last line, with the hash of all before it.
  std::string Done() {
    out_ += '\n';
    return out_ + "end " + HashWord(out_) + '\n';
  }

 private:
  std::string out_;
};

void WriteLabel(Writer& w, const std::string& name, const Label& l) {
  w.Line("label").T(name).N(l.Left).N(l.Top).N(l.Width).N(l.Height).N(l.Visible).N(l.BackColor);
  w.N(l.MousePointer).N(l.MouseIcon).N(l.ElidablePrefix).T(l.Caption).T(l.ToolTip);
}

void WriteFrame(Writer& w, const std::string& name, const Frame& f) {
  w.Line("frame").T(name).N(f.Left).N(f.Top).N(f.Width).N(f.Height).N(f.Visible).U(f.ZOrder);
  w.T(f.Caption).T(f.ToolTip);
}

// ---- reading

struct Token {
  bool Quoted = false;
  std::string Text;
};

// The line's words and quoted texts, or false when a text is not closed or
// its escapes are not the file's.
bool Tokenize(std::string_view line, std::vector<Token>& tokens) {
  tokens.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    Token token;
    if (line[i] == '"') {
      token.Quoted = true;
      ++i;
      while (true) {
        if (i >= line.size()) return false;
        const char ch = line[i++];
        if (ch == '"') break;
        if (ch != '\\') {
          token.Text += ch;
          continue;
        }
        if (i >= line.size()) return false;
        const char escaped = line[i++];
        if (escaped == '"' || escaped == '\\') {
          token.Text += escaped;
        } else if (escaped == 'x' && i + 2 <= line.size()) {
          unsigned value = 0;
          const auto [end, ec] = std::from_chars(line.data() + i, line.data() + i + 2, value, 16);
          if (ec != std::errc() || end != line.data() + i + 2) return false;
          token.Text += static_cast<char>(value);
          i += 2;
        } else {
          return false;
        }
        if (token.Text.size() > TextLimit) return false;
      }
    } else {
      const std::size_t end = std::min(line.find(' ', i), line.size());
      if (end == i) return false;  // two blanks together
      token.Text = std::string(line.substr(i, end - i));
      i = end;
    }
    tokens.push_back(std::move(token));
    if (i < line.size()) {
      if (line[i] != ' ' || i + 1 == line.size()) return false;  // a blank between items
      ++i;
    }
  }
  return true;
}

// Thrown inside the reader when the text cannot be a kept hand; caught at its door.
struct Refused {
  std::string Why;
};

class Reader {
 public:
  explicit Reader(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) Refuse("its last line is cut short");
      starts_.push_back(start);
      lines_.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }

  [[noreturn]] static void Refuse(std::string why) { throw Refused{std::move(why)}; }
  [[noreturn]] void RefuseLine(const std::string& why) const {
    Refuse("line " + std::to_string(at_) + " " + why);
  }

  bool AtEnd() const { return at_ == lines_.size(); }
  // Where in the text the line last taken begins.
  std::size_t LineStart() const { return starts_[at_ - 1]; }
  std::string_view Raw() {
    if (at_ >= lines_.size()) Refuse("it ends before its last line");
    return lines_[at_++];
  }
  // Takes the next line when it begins with the keyword.
  bool Next(std::string_view keyword) {
    if (at_ >= lines_.size()) return false;
    const std::string_view line = lines_[at_];
    if (line.substr(0, line.find(' ')) != keyword) return false;
    ++at_;
    if (!Tokenize(line, tokens_)) RefuseLine("has a text that is not closed or not written right");
    next_ = 1;
    return true;
  }
  void Expect(std::string_view keyword) {
    if (!Next(keyword)) {
      if (at_ >= lines_.size()) Refuse("it ends before its \"" + std::string(keyword) + "\" line");
      ++at_;
      RefuseLine("is not the \"" + std::string(keyword) + "\" line that belongs there");
    }
  }
  // How many items the line holds after its keyword.
  std::size_t Left() const { return tokens_.size() - next_; }
  void Count(std::size_t items) const {
    if (Left() != items)
      RefuseLine("does not hold the " + std::to_string(items) + " items it should");
  }

  long long Number(long long low, long long high) {
    const Token& t = Item();
    long long value = 0;
    const char* first = t.Text.data();
    const char* last = first + t.Text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (t.Quoted || ec != std::errc() || end != last || first == last)
      RefuseLine("holds \"" + Shown(t.Text) + "\" where a number belongs");
    if (value < low || value > high)
      RefuseLine("holds " + t.Text + ", outside " + std::to_string(low) + " to " +
                 std::to_string(high));
    return value;
  }
  int Int(long long low, long long high) { return static_cast<int>(Number(low, high)); }
  bool Flag() { return Number(0, 1) == 1; }
  std::uint64_t Unsigned(std::uint64_t high) {
    const Token& t = Item();
    std::uint64_t value = 0;
    const char* first = t.Text.data();
    const char* last = first + t.Text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (t.Quoted || ec != std::errc() || end != last || first == last || value > high)
      RefuseLine("holds \"" + Shown(t.Text) + "\" where a number up to " + std::to_string(high) +
                 " belongs");
    return value;
  }
  std::string Text() {
    const Token& t = Item();
    if (!t.Quoted) RefuseLine("holds a word where a quoted text belongs");
    return t.Text;
  }
  std::string Word() {
    const Token& t = Item();
    if (t.Quoted) RefuseLine("holds a quoted text where a word belongs");
    return t.Text;
  }

 private:
  const Token& Item() {
    if (next_ >= tokens_.size()) RefuseLine("is missing an item");
    return tokens_[next_++];
  }
  // A word as it may be shown in a message: short, and printable.
  static std::string Shown(std::string_view text) {
    std::string shown;
    for (char ch : text.substr(0, 20))
      shown += static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x7F ? '?'
                                                                                               : ch;
    return shown;
  }

  std::vector<std::string_view> lines_;
  std::vector<std::size_t> starts_;
  std::size_t at_ = 0;
  std::vector<Token> tokens_;
  std::size_t next_ = 1;
};

void Check(bool kept, const std::string& why) {
  if (!kept) Reader::Refuse(why);
}

const char* const PlayerWord[] = {"", "your", "the robot's"};

// The labels and frames of a table we own, by name, as they can be changed.
struct Elements {
  explicit Elements(TableModel& table) : list(table.Elements()) {}
  std::vector<TableElement> list;
  // Elements lists the table's own members; the table is ours to change.
  static Label& Of(const TableElement& e) { return const_cast<Label&>(*e.Lbl); }
  static Frame& OfFrame(const TableElement& e) { return const_cast<Frame&>(*e.Frm); }
};

void ReadTurn(Reader& r, GameState& s) {
  r.Expect("turn");
  r.Count(7);
  s.PlayerToPlay = r.Flag();
  s.PlayerTurnOpen = r.Flag();
  s.PlayerHasDrawn = r.Flag();
  s.PlayerDiscarding = r.Flag();
  s.WildChosen = r.Int(0, LastWildCard);
  s.PlayerPileDue = r.Flag();
  s.RobotPileDue = r.Flag();
  Check(s.PlayerToPlay, "it was not kept on your turn");
  Check(s.PlayerTurnOpen + s.PlayerHasDrawn + s.PlayerDiscarding == 1,
        "your turn in it is not in exactly one of its phases");
  s.HandInPlay = true;
}

void ReadCounts(Reader& r, GameState& s) {
  r.Expect("counts");
  r.Count(7);
  s.StockCount = r.Int(0, CardCount);
  s.DiscardCount = r.Int(0, CardCount);
  s.UpCard = r.Int(0, CardCount);
  s.Delay = r.Int(-Amount, Amount);
  s.PenaltyPoints = r.Int(0, Amount);
  s.DialogChoice = r.Int(0, 2);
  s.HintsThisHand = r.Int(0, Amount);
}

void ReadPlayers(Reader& r, GameState& s) {
  for (int p : {Human, Robot}) {
    r.Expect("player");
    r.Count(17);
    if (r.Int(1, 2) != p) Reader::Refuse("its players are not in their order");
    s.HandCount[p] = r.Int(0, CardCount);
    s.HandPoints[p] = r.Int(0, Amount);
    s.GameScore[p] = r.Int(-Amount, Amount);
    s.MeldPoints[p] = r.Int(-Amount, Amount);
    s.BonusPoints[p] = r.Int(-Amount, Amount);
    s.HandScore[p] = r.Int(-Amount, Amount);
    s.PureCanastas[p] = r.Int(0, RankKing);
    s.MixedCanastas[p] = r.Int(0, RankKing);
    s.RedThreeBonus[p] = r.Int(-Amount, Amount);
    s.OutBonus[p] = r.Int(0, Amount);
    s.RedThreeCount[p] = r.Int(0, RedThreesInPack);
    s.HasCanasta[p] = r.Flag();
    s.MinMeldMet[p] = r.Flag();
    s.MinMeld[p] = r.Int(-Amount, Amount);
    s.HandLeft[p] = r.Int(-Amount, Amount);
    s.NaturalMeldValue[p] = r.Int(0, Amount);
  }
  r.Expect("held");
  r.Count(RankJoker);
  for (int rank = 1; rank <= RankJoker; ++rank) s.RankCount[rank] = r.Int(0, CardCount);
}

void ReadMelds(Reader& r, GameState& s) {
  int last = 0;  // player and rank of the last meld read, in one number
  while (r.Next("meld")) {
    r.Count(7);
    const int p = r.Int(1, 2);
    const int rank = r.Int(RankAce, RankKing);
    Check(p * 100 + rank > last, "its melds are not in their order");
    last = p * 100 + rank;
    MeldItems& m = s.MeldInfo[p][rank];
    m.Count = r.Int(0, CardCount);
    m.WildCount = r.Int(0, m.Count);
    m.WildMark = r.Int(0, m.Count);
    m.HasWild = r.Flag();
    m.Started = r.Flag();
  }
}

void ReadCards(Reader& r, GameState& s, TableModel& t) {
  for (int c = 1; c <= CardCount; ++c) {
    r.Expect("card");
    r.Count(15);
    if (r.Int(1, CardCount) != c) Reader::Refuse("its cards are not each listed once, in order");
    CardRow& row = s.Cards[c];
    row.Place = r.Int(PlaceHumanHand, PlaceRobotRedThree);
    Check(IsPlace(row.Place), "card " + std::to_string(c) + " lies in no place of the table");
    row.Rank = r.Int(RankAce, RankJoker);
    row.Points = r.Int(0, Amount);
    row.FromDiscard = r.Flag();
    row.NewThisTurn = r.Flag();
    row.TakenForFirstMeld = r.Flag();
    row.MeldColumn[Human] = r.Int(0, RankKing);
    row.MeldColumn[Robot] = r.Int(0, RankKing);
    CardPicture& pic = t.PicCards[c];
    pic.Left = r.Int(-Amount, Amount);
    pic.Top = r.Int(-Amount, Amount);
    pic.Image = r.Int(1, BackImage);
    pic.Visible = r.Flag();
    pic.BorderStyle = r.Int(0, 1);
    pic.ZOrder = r.Unsigned(ZLimit);
  }
}

void ReadTable(Reader& r, TableModel& t) {
  const Elements elements(t);
  std::size_t next = 0;  // labels come in the table's order, each once at most
  while (r.Next("label")) {
    r.Count(12);
    const std::string name = r.Text();
    while (next < elements.list.size() && elements.list[next].Name != name) ++next;
    Check(next < elements.list.size() && elements.list[next].Lbl && !IsSessionLabel(name),
          "it names a label \"" + name.substr(0, 40) + "\" the table does not have there");
    Label& l = Elements::Of(elements.list[next++]);
    l.Left = r.Int(-Amount, Amount);
    l.Top = r.Int(-Amount, Amount);
    l.Width = r.Int(0, Amount);
    l.Height = r.Int(0, Amount);
    l.Visible = r.Flag();
    l.BackColor = r.Int(DefaultColor, 0xFFFFFF);
    l.MousePointer = r.Int(0, CustomPointer);
    l.MouseIcon = r.Int(0, PointerRefuse);
    l.ElidablePrefix = r.Int(0, TextLimit);
    l.Caption = r.Text();
    l.ToolTip = r.Text();
  }
  for (const TableElement& e : elements.list) {
    if (!e.Frm) continue;
    r.Expect("frame");
    r.Count(9);
    Check(r.Text() == e.Name, "its frames are not the table's");
    Frame& f = Elements::OfFrame(e);
    f.Left = r.Int(-Amount, Amount);
    f.Top = r.Int(-Amount, Amount);
    f.Width = r.Int(0, Amount);
    f.Height = r.Int(0, Amount);
    f.Visible = r.Flag();
    f.ZOrder = r.Unsigned(ZLimit);
    f.Caption = r.Text();
    f.ToolTip = r.Text();
  }
  r.Expect("table");
  r.Count(7);
  t.MnuPlayEnabled = r.Flag();
  t.Shape1.BorderColor = r.Int(0, 0xFFFFFF);
  Check(t.Shape1.BorderColor == PileOpen || t.Shape1.BorderColor == PileFrozen ||
            t.Shape1.BorderColor == PileBlocked,
        "its discard pile is neither open, frozen nor blocked");
  t.ZCounter = r.Unsigned(ZLimit);
  t.HintTarget.What = static_cast<TableTarget::Element>(r.Int(0, TableTarget::ReturnLabel));
  t.HintTarget.Index = r.Int(0, CardCount);
  t.Caption = r.Text();
  t.Txtpoints = r.Text();
}

void ReadRecords(Reader& r, KeptHand& h) {
  r.Expect("dealt");
  if (r.Left() < 1) r.Count(1);
  const int dealt = r.Int(0, rules::MostUpCardsAgain + 1);
  r.Count(static_cast<std::size_t>(dealt));
  for (int k = 0; k < dealt; ++k) h.State.Record.DealtUp.push_back(r.Int(1, CardCount));
  while (r.Next("pile")) {
    r.Count(5);
    Check(h.State.Record.Notes.size() < ListLimit, "its record of the pile is too long");
    PileNote& n = h.State.Record.Notes.emplace_back();
    n.Player = r.Int(Human, Robot);
    n.Card = r.Int(1, CardCount);
    n.Rank = r.Int(RankAce, RankJoker);
    n.Taken = r.Flag();
    n.PileSize = r.Int(0, CardCount);
  }
  while (r.Next("move")) {
    Check(h.Log.Moves.size() < ListLimit, "its hand log is too long");
    LoggedMove& m = h.Log.Moves.emplace_back();
    if (r.Left() < 6) r.Count(6);
    m.Move = static_cast<HandMove>(r.Int(0, static_cast<int>(HandMove::StockRanOut)));
    m.Player = r.Int(0, Robot);
    m.Rank = r.Int(0, RankJoker);
    m.Number = r.Int(-Amount, Amount);
    m.Onto = r.Flag();
    const int cards = r.Int(0, CardCount);
    r.Count(static_cast<std::size_t>(cards));
    for (int k = 0; k < cards; ++k) m.Cards.push_back(r.Int(1, CardCount));
  }
  r.Expect("sheet");
  r.Count(2);
  for (int p : {Human, Robot}) h.Sheet.Start[p] = r.Int(-Amount, Amount);
  while (r.Next("row")) {
    r.Count(18);
    Check(h.Sheet.Rows.size() < ListLimit, "its score sheet is too long");
    SheetRow& row = h.Sheet.Rows.emplace_back();
    row.Hand = r.Int(1, Amount);
    row.Hints = r.Int(0, Amount);
    for (int p : {Human, Robot}) {
      SheetSide& side = row.Sides[p];
      for (int* v : {&side.Melds, &side.Canastas, &side.RedThrees, &side.Out, &side.Penalty,
                     &side.Left, &side.HandTotal, &side.GameTotal})
        *v = r.Int(-Amount, Amount);
    }
  }
}

void ReadHints(Reader& r, HintPlan& plan) {
  r.Expect("hint");
  r.Count(2);
  const auto next = static_cast<std::size_t>(r.Number(0, ListLimit));
  plan.Said = r.Text();
  while (r.Next("step")) {
    Check(plan.Steps.size() < ListLimit, "its hint is too long");
    HintStep& step = plan.Steps.emplace_back();
    if (r.Left() < 4) r.Count(4);
    step.Advice.Target.What = static_cast<TableTarget::Element>(r.Int(0, TableTarget::ReturnLabel));
    step.Advice.Target.Index = r.Int(0, CardCount);
    step.Advice.Text = r.Text();
    const int expects = r.Int(0, ListLimit);
    r.Count(static_cast<std::size_t>(expects));
    for (int k = 0; k < expects; ++k) step.Expects.push_back(r.Int(-Amount, Amount));
  }
  Check(next <= plan.Steps.size(), "its hint stands at a step it does not have");
  plan.Next = next;
}

// Every card in exactly one place, with the rank and points of its place, and
// the counts and melds as the cards have them.
void CheckAgreement(const KeptHand& h) {
  const GameState& s = h.State;
  int at[PlaceRobotRedThree + 1] = {}, points[PlaceRobotRedThree + 1] = {};
  int meld[3][RankKing + 1] = {}, wild[3][RankKing + 1] = {};
  std::set<std::uint64_t> stacked;
  for (int c = 1; c <= CardCount; ++c) {
    const CardRow& row = s.Cards[c];
    const std::string card = "card " + std::to_string(c);
    at[row.Place] += 1;
    points[row.Place] += row.Points;
    Check(row.Points == PointsOfCard(c), card + " has points other than its own");
    if (const int p = MeldOwner(row.Place)) {
      const int column = row.MeldColumn[p];
      Check(column != 0 && column != RankTwo && row.Rank == column &&
                (IsWildCardNumber(c) || RankOfCard(c) == column),
            card + " lies in a meld that is not of its rank");
      meld[p][column] += 1;
      wild[p][column] += IsWildCardNumber(c);
    } else {
      Check(row.Rank == RankOfCard(c), card + " has a rank other than its own");
    }
    Check(!IsRedThreeNumber(c) || row.Place > PlaceRobotHand, "a red three is held in a hand");
    const std::uint64_t z = h.Table.PicCards[c].ZOrder;
    Check(z <= h.Table.ZCounter && (z == 0 || stacked.insert(z).second),
          card + " is stacked where no card can be");
  }
  Check(s.StockCount == at[PlaceStock], "the stock's count disagrees with its cards");
  Check(s.DiscardCount == at[PlacePile], "the discard pile's count disagrees with its cards");
  Check(s.WildChosen == 0 || s.Cards[s.WildChosen].Place != PlaceStock,
        "the chosen wild card lies in the stock");
  for (int p : {Human, Robot}) {
    Check(s.HandCount[p] == at[p] && s.HandPoints[p] == points[p],
          std::string(PlayerWord[p]) + " hand's count or points disagree with its cards");
    for (int rank = RankAce; rank <= RankKing; ++rank) {
      const MeldItems& m = s.MeldInfo[p][rank];
      Check(m.Count == meld[p][rank] && m.Started == (m.Count > 0) &&
                m.WildCount == wild[p][rank] && (m.WildMark > 0) == (m.WildCount > 0),
            std::string(PlayerWord[p]) + " melds disagree with the cards in them");
    }
  }
  Check(s.HandCount[Human] > 0, "your hand in it is empty");
  for (const TableElement& e : h.Table.Elements())
    Check(!e.Frm || e.Frm->ZOrder <= h.Table.ZCounter, "a frame is stacked where none can be");
}

KeptHand Read(std::string_view text) {
  Reader r(text);
  const std::string_view first = r.Raw();
  Check(first.starts_with(Heading), "it is not a kept hand");
  int version = 0;
  const std::string_view number = first.substr(Heading.size());
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), version);
  Check(ec == std::errc() && end == number.data() + number.size() && version > 0,
        "it is not a kept hand");
  Check(version == KeptHandVersion, "it was kept by another version of the game (its format " +
                                        std::to_string(version) + ", this one reads format " +
                                        std::to_string(KeptHandVersion) + ")");
  KeptHand h;
  r.Expect("robot");
  r.Count(1);
  const std::optional<RobotPlay> robot = RobotPlayNamed(r.Word());
  Check(robot.has_value(), "it names a robot this game does not have");
  h.Robot = *robot;
  r.Expect("random");
  if (r.Left() == 1) {
    Check(r.Word() == "none", "its random source is not written right");
  } else {
    r.Count(2);
    const std::uint64_t seed = r.Unsigned(UINT64_MAX);
    h.Random = RandomPosition{seed, r.Unsigned(MostRandomDraws)};
  }
  ReadTurn(r, h.State);
  ReadCounts(r, h.State);
  ReadPlayers(r, h.State);
  ReadMelds(r, h.State);
  ReadCards(r, h.State, h.Table);
  ReadTable(r, h.Table);
  ReadRecords(r, h);
  ReadHints(r, h.Hints);
  r.Expect("end");
  r.Count(1);
  const std::string hash = r.Word();
  Check(r.AtEnd(), "it goes on after its end");
  CheckAgreement(h);
  // Last, so that a file changed on purpose and sealed anew meets every check above.
  Check(hash == HashWord(text.substr(0, r.LineStart())),
        "its lines are not the ones it was written with");
  return h;
}

}  // namespace

std::string FormatKeptHand(RobotPlay robot, const std::optional<RandomPosition>& random,
                           const GameState& s, const TableModel& t, const HandLog& log,
                           const ScoreSheet& sheet, const HintPlan& hints) {
  Writer w;
  w.Line(std::string(Heading) + std::to_string(KeptHandVersion));
  w.Line("robot").W(RobotPlayName(robot));
  w.Line("random");
  if (random)
    w.U(random->Seed).U(random->Draws);
  else
    w.W("none");
  w.Line("turn").N(s.PlayerToPlay).N(s.PlayerTurnOpen).N(s.PlayerHasDrawn).N(s.PlayerDiscarding);
  w.N(s.WildChosen).N(s.PlayerPileDue).N(s.RobotPileDue);
  w.Line("counts").N(s.StockCount).N(s.DiscardCount).N(s.UpCard).N(s.Delay).N(s.PenaltyPoints);
  w.N(s.DialogChoice).N(s.HintsThisHand);
  for (int p : {Human, Robot}) {
    w.Line("player").N(p).N(s.HandCount[p]).N(s.HandPoints[p]).N(s.GameScore[p]);
    w.N(s.MeldPoints[p]).N(s.BonusPoints[p]).N(s.HandScore[p]).N(s.PureCanastas[p]);
    w.N(s.MixedCanastas[p]).N(s.RedThreeBonus[p]).N(s.OutBonus[p]).N(s.RedThreeCount[p]);
    w.N(s.HasCanasta[p]).N(s.MinMeldMet[p]).N(s.MinMeld[p]).N(s.HandLeft[p]);
    w.N(s.NaturalMeldValue[p]);
  }
  w.Line("held");
  for (int rank = 1; rank <= RankJoker; ++rank) w.N(s.RankCount[rank]);
  for (int p : {Human, Robot}) {
    for (int rank = RankAce; rank <= RankKing; ++rank) {
      const MeldItems& m = s.MeldInfo[p][rank];
      if (m.Count == 0 && m.WildCount == 0 && m.WildMark == 0 && !m.HasWild && !m.Started) continue;
      w.Line("meld").N(p).N(rank).N(m.Count).N(m.WildCount).N(m.WildMark).N(m.HasWild);
      w.N(m.Started);
    }
  }
  for (int c = 1; c <= CardCount; ++c) {
    const CardRow& row = s.Cards[c];
    const CardPicture& pic = t.PicCards[c];
    w.Line("card").N(c).N(row.Place).N(row.Rank).N(row.Points).N(row.FromDiscard);
    w.N(row.NewThisTurn).N(row.TakenForFirstMeld).N(row.MeldColumn[Human]).N(row.MeldColumn[Robot]);
    w.N(pic.Left).N(pic.Top).N(pic.Image).N(pic.Visible).N(pic.BorderStyle).U(pic.ZOrder);
  }
  // Only what play has changed: the rest is as on a new table.
  static const TableModel fresh;
  static const std::vector<TableElement> then = fresh.Elements();
  const std::vector<TableElement> now = t.Elements();
  for (std::size_t i = 0; i < now.size(); ++i) {
    if (now[i].Lbl && *now[i].Lbl != *then[i].Lbl && !IsSessionLabel(now[i].Name))
      WriteLabel(w, now[i].Name, *now[i].Lbl);
  }
  for (const TableElement& e : now)
    if (e.Frm) WriteFrame(w, e.Name, *e.Frm);
  w.Line("table").N(t.MnuPlayEnabled).N(t.Shape1.BorderColor).U(t.ZCounter);
  w.N(t.HintTarget.What).N(t.HintTarget.Index).T(t.Caption).T(t.Txtpoints);
  w.Line("dealt").N(static_cast<long long>(s.Record.DealtUp.size()));
  for (int c : s.Record.DealtUp) w.N(c);
  for (const PileNote& n : s.Record.Notes)
    w.Line("pile").N(n.Player).N(n.Card).N(n.Rank).N(n.Taken).N(n.PileSize);
  for (const LoggedMove& m : log.Moves) {
    w.Line("move").N(static_cast<int>(m.Move)).N(m.Player).N(m.Rank).N(m.Number).N(m.Onto);
    w.N(static_cast<long long>(m.Cards.size()));
    for (int c : m.Cards) w.N(c);
  }
  w.Line("sheet").N(sheet.Start[Human]).N(sheet.Start[Robot]);
  for (const SheetRow& row : sheet.Rows) {
    w.Line("row").N(row.Hand).N(row.Hints);
    for (int p : {Human, Robot}) {
      const SheetSide& side = row.Sides[p];
      w.N(side.Melds).N(side.Canastas).N(side.RedThrees).N(side.Out).N(side.Penalty);
      w.N(side.Left).N(side.HandTotal).N(side.GameTotal);
    }
  }
  w.Line("hint").N(static_cast<long long>(hints.Next)).T(hints.Said);
  for (const HintStep& step : hints.Steps) {
    w.Line("step").N(step.Advice.Target.What).N(step.Advice.Target.Index).T(step.Advice.Text);
    w.N(static_cast<long long>(step.Expects.size()));
    for (int e : step.Expects) w.N(e);
  }
  return w.Done();
}

std::string SealKeptHand(std::string_view text) {
  const std::size_t end = text.rfind("\nend ");
  const std::string lines(end == std::string_view::npos ? text : text.substr(0, end + 1));
  return lines + "end " + HashWord(lines) + '\n';
}

KeptHandRead ParseKeptHand(std::string_view text) {
  KeptHandRead read;
  if (text.size() > KeptHandSizeLimit) {
    read.Problem = "it is longer than any kept hand";
    return read;
  }
  try {
    read.Hand = Read(text);
  } catch (const Refused& refused) {
    read.Problem = refused.Why;
  }
  return read;
}

}  // namespace larkspur
