// Everything the game needs from the world outside: waiting while window
// events are handled, the clock, sounds, dialogs, random values and the
// player file's folder. The Qt front end implements it for play; tests script it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace larkspur {

// The program's own message window: a message, up to three button captions,
// an image index and a title.
struct DeluxeMessage {
  std::string Message;
  std::string Button0;
  std::string Button1;
  std::string Button2;
  int ImageIndex = 1;
  std::string Title;
};

// Where a random source stands: the seed it began from and how many values it
// has given since. A kept hand holds it, so that a resumed hand draws on as it
// would have.
struct RandomPosition {
  std::uint64_t Seed = 0;
  std::uint64_t Draws = 0;
  bool operator==(const RandomPosition&) const = default;
};
// A host reseeds before its draws pass this, so that putting a source back is quick.
constexpr std::uint64_t MostRandomDraws = 100'000'000;

class Host {
 public:
  virtual ~Host() = default;

  // Handle window events until the clock reaches deadlineMs. Must not spin.
  virtual void WaitUntil(std::int64_t deadlineMs) = 0;
  // Block until at least one window event has been handled.
  virtual void WaitForEvent() = 0;
  // A monotonic millisecond clock.
  virtual std::int64_t TickCount() = 0;

  // Starts one of the program's sounds by its file name; returns at once, ignores failures.
  virtual void PlaySound(const std::string& fileName) = 0;
  virtual void Beep() = 0;

  // Shows the message window modally; returns the index of the clicked button.
  virtual int ShowMessage(const DeluxeMessage& message) = 0;
  // The system's question box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // The system's one-line input box; std::nullopt when cancelled.
  virtual std::optional<std::string> InputText(const std::string& title,
                                               const std::string& prompt) = 0;

  virtual void ShowHelp() = 0;   // modal every time
  virtual void ShowAbout() = 0;  // modal the first time, then modeless

  // A uniform random value in [0, 1).
  virtual double Random() = 0;
  // The folder that holds the player file, Name.dat.
  virtual std::string PlayerFileFolder() = 0;
  // The player's own data folder, for the kept hand and the statistics; empty
  // when nothing is to be kept on disk.
  virtual std::string DataFolder() { return {}; }
  // Where Random stands, and putting it back there; a host that cannot tell has none.
  virtual std::optional<RandomPosition> RandomAt() { return std::nullopt; }
  virtual void RandomFrom(const RandomPosition&) {}

  // Closes the windows and ends the program once control returns to it.
  virtual void EndProgram() = 0;
};

}  // namespace larkspur
