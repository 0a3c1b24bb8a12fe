// The desktop program.
#include "ui/desktop_program.h"

#include <QApplication>

#include "app/startup.h"
#include "ui/main_window.h"

namespace velmora::ui {

int RunDesktop(int& argc, char** argv, app::StartupState& state) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmora"));
  QApplication::setOrganizationName(QStringLiteral("velmora"));
  MainWindow window(state);
  window.show();
  return QApplication::exec() == 0 ? kExitOk : kExitRunFailed;
}

}  // namespace velmora::ui
