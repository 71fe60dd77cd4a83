// The sound module: the game's sounds through Qt Multimedia's QSoundEffect.
// The program loads it at run time (see Sounds.h); it holds nothing else.
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>
#include <type_traits>

#include "ui/Sounds.h"

namespace larkspur {

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

class QtSoundPlayer : public SoundPlayer {
 public:
  // Asked once; a machine without sound simply stays silent, so the audio
  // system's own complaints are muted.
  bool haveOutput() override {
    static const bool available = [] {
      const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
      const bool found = !QMediaDevices::defaultAudioOutput().isNull();
      qInstallMessageHandler(previous);
      return found;
    }();
    return available;
  }

  void play(const QString& path) override {
    std::unique_ptr<QSoundEffect>& effect = effects_[path];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(path));
    }
    // Only one sound at a time: a new one cuts off whatever still plays.
    for (auto& [other, sound] : effects_)
      if (sound != effect && sound->isPlaying()) sound->stop();
    effect->stop();
    effect->play();
  }

  void stopAll() override {
    for (auto& [path, sound] : effects_) sound->stop();
  }

 private:
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace

}  // namespace larkspur

extern "C" Q_DECL_EXPORT larkspur::SoundPlayer* larkspur_make_sound_player() {
  return new larkspur::QtSoundPlayer;
}
static_assert(std::is_same_v<decltype(&larkspur_make_sound_player), larkspur::MakeSoundPlayer>);
