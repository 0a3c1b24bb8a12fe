// The about box.
#include "ui/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QtGlobal>

#include "app/component_versions.h"
#include "app/startup_report.h"
#include "app/version.h"
#include "ui/captions.h"
#include "ui/qt_text.h"

namespace velmora::ui {

QString AboutText() {
  QString text = QStringLiteral("Velmora ") + Text("Info", "Version") + QLatin1Char(' ') +
                 QString::fromStdString(app::ShortVersion(std::string(kProgramVersionText))) + QStringLiteral("\n\n") +
                 Text("Info", "Libraries") + QStringLiteral(":\nQt ") + QString::fromLatin1(qVersion()) +
                 QLatin1Char('\n');
  for (const app::ComponentVersion& component : app::RuntimeComponents()) {
    text += QString::fromStdString(component.file) + QLatin1Char(' ') + QString::fromStdString(component.version) +
            QLatin1Char('\n');
  }
  return text;
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("Info");
  SetCaptionKey(this, "Title");
  auto* layout = new QVBoxLayout(this);
  auto* text = new QPlainTextEdit(AboutText(), this);
  text->setReadOnly(true);
  text->setMinimumSize(460, 260);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  ApplyCaptions(this);
}

}  // namespace velmora::ui
