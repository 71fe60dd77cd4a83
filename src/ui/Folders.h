// Where the program finds its sounds and keeps the player file: beside the
// program when it runs from a folder of its own, in the system's data folder
// and the player's own folder when it is installed for all users.
#pragma once

#include <QString>

namespace larkspur {

// The sound file of this name beside the program, else in the data folder an
// install puts it in (share/larkspur beside the program's bin); empty when
// neither holds it.
QString findSound(const QString& programFolder, const QString& name);

// The sound module where the build or the install put it, and nowhere else:
// in the build folder for the program the build made there, otherwise in the
// library folder an install puts it in (lib/larkspur beside the program's
// bin); empty when it is not there.
QString findSoundModule(const QString& programFolder);
// Why the module at path must not be loaded (someone other than the player or
// the system could have put code in it), or nothing when it may be.
QString soundModuleDistrust(const QString& path);

// The folder of the player file Name.dat. Beside the program while it can be
// kept there: a Name.dat there that can be written, or a folder that takes new
// files. Otherwise the player's own folder, made when missing; a Name.dat
// beside the program is copied into it first when it holds none yet, so the
// names, statistics and scores carry over. When that copy cannot be made, a
// readable Name.dat beside the program is used where it is.
QString playerFileFolder(const QString& programFolder, const QString& userFolder);

}  // namespace larkspur
