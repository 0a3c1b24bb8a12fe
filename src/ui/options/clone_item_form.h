// The form of one clone list item: its fields by the item's profile keys,
// each with a control of its kind and, where the option pages limit it, a
// range whose message refuses a value out of it.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "image/clone_list/clone_item.h"
#include "image/stamps/option_value_checks.h"

namespace velmora::ui {

class CloneItemForm : public QWidget {
  Q_OBJECT
 public:
  // Edits `item` in place (an item of the working clone list).
  CloneItemForm(image::CloneItem& item, QWidget* parent);
  ~CloneItemForm() override;

  // The field's control by its profile key ("BORDER_WIDTH"), or nullptr.
  QWidget* Field(const std::string& key) const;
  // Types `text` into a field as a user would (tests).
  void SetFieldText(const std::string& key, const QString& text);

  // The first refused field; its control gets the focus.
  std::optional<image::OptionValueFailure> Check() const;

 signals:
  void edited();

 private:
  struct FieldState;
  void Build();
  void Store(const FieldState& field);

  image::CloneItem& item_;
  std::vector<std::unique_ptr<FieldState>> fields_;
};

}  // namespace velmora::ui
