// Opens the options dialog on the last-session profile: for trying the
// pages by hand, and with "--screenshots DIR" for a picture of every page.
#include <QApplication>
#include <QDir>

#include "settings/profile_management.h"
#include "ui/options/options_dialog.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  velmora::settings::RefreshProfileList();
  velmora::ui::OptionsDialog dialog(nullptr);
  const QStringList arguments = QApplication::arguments();
  const qsizetype at = arguments.indexOf(QStringLiteral("--screenshots"));
  if (at >= 0 && at + 1 < arguments.size()) {
    QDir().mkpath(arguments[at + 1]);
    dialog.show();
    for (int i = 0; i < dialog.PageCount(); ++i) {
      dialog.ShowPage(i);
      QApplication::processEvents();
      dialog.grab().save(QStringLiteral("%1/page_%2.png").arg(arguments[at + 1]).arg(i, 2, 10, QLatin1Char('0')));
    }
    return 0;
  }
  return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
