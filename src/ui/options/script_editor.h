// The RiloScript editor: a template snippet, a module, a stamp text or the
// image filter in a window of its own, with syntax colouring and a syntax
// test that compiles the text and puts the cursor on the faulty line.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "script/compile_error.h"

class QPlainTextEdit;
class QLabel;

namespace velmora::ui {

class MessagePresenter;

// What the text is; decides how it compiles and how an error is reported.
enum class ScriptSourceKind {
  kTemplate,   // a template snippet: text with code in braces
  kStampText,  // a text stamp's text: a template
  kModule,     // a module of function definitions in the profile
  kFileModule, // a module of the script file
  kOracle,     // the image filter: statements of one function body
};

struct ScriptSource {
  ScriptSourceKind kind = ScriptSourceKind::kTemplate;
  std::string name;   // snippet key, module name or stamp description (Windows-1252)
  std::string page;   // the page kind's name, for a snippet's message
};

// Compiles `text` (Windows-1252, CR LF) the way a run would; the result
// carries the error's line as the editor counts it.
script::CompileResult CompileForSyntaxTest(const ScriptSource& source, const std::string& text);

class ScriptEditor : public QDialog {
  Q_OBJECT
 public:
  ScriptEditor(QWidget* parent, ScriptSource source, const QString& text, MessagePresenter& messages);

  QString text() const;
  QPlainTextEdit* editor() const { return editor_; }
  bool modified() const;

  // Compiles and reports; on an error the cursor goes to the error's line.
  // True when the text compiled.
  bool RunSyntaxTest();

  void reject() override;  // asks before unsaved changes are dropped

 private:
  void UpdatePosition();

  ScriptSource source_;
  MessagePresenter& messages_;
  QPlainTextEdit* editor_ = nullptr;
  QLabel* position_ = nullptr;
};

}  // namespace velmora::ui
