// The host of the game on Qt: waits run the event loop without spinning,
// sounds play through Qt Multimedia (from the sound module, see Sounds.h), and
// the dialogs are Qt windows.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "state/Host.h"
#include "ui/Sounds.h"

class QWidget;

namespace larkspur {

class HelpWindow;
class AboutWindow;

class QtHost : public Host {
 public:
  QtHost();
  ~QtHost() override;
  QtHost(const QtHost&) = delete;
  QtHost& operator=(const QtHost&) = delete;

  // Called before every wait so the table shows the game's latest state.
  void setRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
  // Called by EndProgram to close the table window.
  void setCloseTable(std::function<void()> closeTable) { closeTable_ = std::move(closeTable); }
  // The window the dialogs belong to.
  void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
  // Where Name.dat is; the program's own folder unless set. The sounds are
  // found from the program's folder whatever this is.
  void setPlayerFileFolder(const QString& folder) { folder_ = folder; }
  // The player's own data folder, for the kept hand and the statistics; none
  // unless set, and then nothing is kept on disk.
  void setDataFolder(const QString& folder) { dataFolder_ = folder; }
  // With the sound off no sound file plays and Beep is silent.
  void setSoundOn(bool on);
  bool soundOn() const { return soundOn_; }
  // With the pauses skipped ("No pauses") a wait handles the events already
  // there, so the window still draws, and returns at once.
  void setPausesSkipped(bool skipped) { pausesSkipped_ = skipped; }
  bool pausesSkipped() const { return pausesSkipped_; }
  // The same deals from here on for the same seed (a benchmark plays each game at every speed).
  void seedRandom(std::uint64_t seed) { random_.seed(seed); }
  // Whether EndProgram makes the application quit (tests keep it running).
  void setQuitOnEnd(bool quit) { quitOnEnd_ = quit; }
  bool ended() const { return ended_; }

  void WaitUntil(std::int64_t deadlineMs) override;
  void WaitForEvent() override;
  std::int64_t TickCount() override;
  void PlaySound(const std::string& fileName) override;
  void Beep() override;
  int ShowMessage(const DeluxeMessage& message) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  std::optional<std::string> InputText(const std::string& title,
                                       const std::string& prompt) override;
  void ShowHelp() override;
  void ShowAbout() override;
  double Random() override;
  std::string PlayerFileFolder() override;
  std::string DataFolder() override;
  std::optional<RandomPosition> RandomAt() override { return position_; }
  void RandomFrom(const RandomPosition& at) override;
  void EndProgram() override;

 private:
  void redraw();
  void soundsLoaded();

  std::function<void()> redraw_;
  std::function<void()> closeTable_;
  QPointer<QWidget> dialogParent_;
  QString folder_;
  QString dataFolder_;
  bool soundOn_ = true;
  bool pausesSkipped_ = false;
  bool quitOnEnd_ = true;
  bool ended_ = false;
  QElapsedTimer clock_;
  std::mt19937_64 random_;
  RandomPosition position_;  // of random_
  SoundModule soundModule_;
  bool loadingSounds_ = false;
  bool soundsLoaded_ = false;
  std::unique_ptr<SoundPlayer> sounds_;  // none without the sound module
  QString waitingSound_;                 // asked for while the module loads
  std::unique_ptr<HelpWindow> helpWindow_;
  std::unique_ptr<AboutWindow> aboutWindow_;
};

}  // namespace larkspur
