// Applying the language's captions to a window.
#include "ui/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "lang/language_registry.h"
#include "ui/qt_text.h"

namespace velmora::ui {
namespace {

constexpr const char* kCaptionKey = "velmoraCaptionKey";

void SetCaption(QObject* object, const QString& text) {
  if (auto* menu = qobject_cast<QMenu*>(object)) {
    menu->setTitle(text);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
    group->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(object); widget != nullptr && widget->isWindow()) {
    widget->setWindowTitle(text);
  }
}

}  // namespace

void SetCaptionKey(QObject* object, const char* key) { object->setProperty(kCaptionKey, QString::fromLatin1(key)); }

void ApplyCaptions(QWidget* window) {
  const std::string section = window->objectName().toStdString();
  if (lang::CurrentLanguage().Resources().FindSection(section) == nullptr) return;
  const auto apply = [&section](QObject* object) {
    const QVariant key = object->property(kCaptionKey);
    if (key.isValid()) SetCaption(object, Text(section, key.toString().toStdString()));
  };
  apply(window);
  for (QObject* child : window->findChildren<QObject*>()) apply(child);
}

void ApplyCaptionsToAllWindows() {
  for (QWidget* window : QApplication::topLevelWidgets()) ApplyCaptions(window);
}

}  // namespace velmora::ui
