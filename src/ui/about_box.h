// The about box: the program's version and the versions of the libraries it
// uses, read from the running program (no network, no update check).
#pragma once

#include <QDialog>
#include <QString>

namespace velmora::ui {

// The lines the box lists: the program first, then each library.
QString AboutText();

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace velmora::ui
