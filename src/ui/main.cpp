// velmora: turns a tree of photos into processed copies, thumbnails and a web
// gallery; with batch items on the command line it runs once without a
// window, without them it opens the desktop window.
#include "app/startup.h"
#include "ui/desktop_program.h"

int main(int argc, char** argv) {
  return velmora::RunProgram(argc, argv, [&argc, argv](velmora::app::StartupState& state) {
    return velmora::ui::RunDesktop(argc, argv, state);
  });
}
