// One control of an options page bound to one working setting: it shows the
// working value, writes every edit straight back into the working copy, and
// checks its value when the page is left.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "image/stamps/option_value_checks.h"
#include "ui/options/option_page_table.h"

class QWidget;

namespace velmora::ui {

class MessagePresenter;

class SettingControl : public QObject {
  Q_OBJECT
 public:
  // Builds the widget for `entry`; `caption` names it for screen readers.
  SettingControl(const OptionEntry& entry, const QString& caption, QWidget* parent);

  const OptionEntry& entry() const { return entry_; }
  int slot() const { return slot_; }
  // The widget that goes into the page's form (the focus widget inside it for a buddy).
  QWidget* widget() const { return widget_; }
  QWidget* focusWidget() const { return focus_; }

  // Shows the working value again (after a reload or a revert).
  void Load();
  // The value as the control holds it, Windows-1252 like the settings.
  std::string Value() const;
  // Sets the control as a user would and stores the value (tests, choosers).
  void SetValue(const std::string& value);

  // Nothing when the value may stay; else the message that refuses it. A
  // refused value stays in the control so the user can correct it.
  std::optional<image::OptionValueFailure> Check() const;

 signals:
  void edited();
  // The user is done with the value: a field was left, a chooser or a test
  // set it. Costly reactions (reading the file a path names) wait for this.
  void finished();

 private:
  void Store();
  void ChooseColour();
  void ChoosePath();
  void EditScript();

  const OptionEntry& entry_;
  int slot_ = 0;
  QWidget* widget_ = nullptr;
  QWidget* focus_ = nullptr;
  bool loading_ = false;
  QString caption_;
};

// Colour values as the profiles store them (blue * 65536 + green * 256 + red).
QColor ColourOfValue(long long value);
long long ValueOfColour(const QColor& colour);

}  // namespace velmora::ui
