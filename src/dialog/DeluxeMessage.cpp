// A message shown in the program's own message window, and the button chosen kept.
#include "state/Game.h"

namespace larkspur {

// The program's own message window. DialogChoice changes only when a button
// of this showing is clicked.
int Game::ShowDeluxeMessage(const std::string& message, const std::string& button0,
                            const std::string& button1, const std::string& button2, int imageIndex,
                            const std::string& title) {
  DeluxeMessage m{message, button0, button1, button2, imageIndex, title};
  host.Beep();
  const int choice = host.ShowMessage(m);
  if (choice >= 0 && choice <= 2) DialogChoice = choice;
  return 0;
}

}  // namespace larkspur
