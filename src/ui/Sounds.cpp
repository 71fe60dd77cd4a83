#include "ui/Sounds.h"

#include <QLibrary>

#include "ui/Folders.h"

namespace larkspur {

namespace {

MakeSoundPlayer loadModule(const QString& programFolder) {
  const QString path = findSoundModule(programFolder);
  if (path.isEmpty()) return nullptr;
  if (const QString distrust = soundModuleDistrust(path); !distrust.isEmpty()) {
    qWarning("Larkspur: no sounds: %s", qPrintable(distrust));
    return nullptr;
  }
  QLibrary module(path);  // stays loaded after this object goes: nothing unloads it
  if (!module.load()) {
    qWarning("Larkspur: no sounds: %s", qPrintable(module.errorString()));
    return nullptr;
  }
  return reinterpret_cast<MakeSoundPlayer>(module.resolve(SoundModuleEntry));
}

}  // namespace

SoundModule::~SoundModule() {
  if (loading_.valid()) loading_.wait();
}

void SoundModule::load(std::function<void()> loaded) {
  if (loading_.valid() || loaded_) return;
  loading_ = std::async(std::launch::async, [this, loaded = std::move(loaded)] {
    const MakeSoundPlayer make = loadModule(folder_);
    QMetaObject::invokeMethod(&receiver_, loaded, Qt::QueuedConnection);
    return make;
  });
}

std::unique_ptr<SoundPlayer> SoundModule::makePlayer() {
  if (!loaded_) {
    make_ = loading_.valid() ? loading_.get() : loadModule(folder_);
    loaded_ = true;
  }
  return std::unique_ptr<SoundPlayer>(make_ ? make_() : nullptr);
}

}  // namespace larkspur
