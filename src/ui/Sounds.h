// The game's sounds. They play through Qt Multimedia, which with the audio
// libraries it brings takes the dynamic loader longer to load than anything
// else the program needs before its window shows. So the program does not
// link it: the sound module (larkspur-sounds.so, QtSoundPlayer.cpp) does, and
// the host has a worker load the module once the table is on the screen.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <future>
#include <memory>

namespace larkspur {

// What the sound module plays with; made and used on the window's thread.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Whether there is anything to play sounds on.
  virtual bool haveOutput() = 0;
  // Plays a sound file; a new sound cuts off whatever still plays.
  virtual void play(const QString& path) = 0;
  virtual void stopAll() = 0;
};

// The module's entry point: a new player, owned by the caller.
using MakeSoundPlayer = SoundPlayer* (*)();
inline constexpr char SoundModuleFile[] = "larkspur-sounds.so";
inline constexpr char SoundModuleEntry[] = "larkspur_make_sound_player";

// The sound module, found beside the program or where an install puts it.
class SoundModule {
 public:
  explicit SoundModule(const QString& programFolder) : folder_(programFolder) {}
  ~SoundModule();
  SoundModule(const SoundModule&) = delete;
  SoundModule& operator=(const SoundModule&) = delete;

  // Starts loading the module on a worker, once; `loaded` then runs on this
  // thread, from its event loop.
  void load(std::function<void()> loaded);
  // A new player, once the module is loaded (here, when load() was not
  // called); none without the module, and then the game is silent.
  std::unique_ptr<SoundPlayer> makePlayer();

 private:
  QString folder_;
  QObject receiver_;  // takes the call when loaded; one still pending goes with it
  std::future<MakeSoundPlayer> loading_;
  MakeSoundPlayer make_ = nullptr;
  bool loaded_ = false;
};

}  // namespace larkspur
