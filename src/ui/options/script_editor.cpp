// The RiloScript editor window.
#include "ui/options/script_editor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "lang/messages.h"
#include "script/compiler.h"
#include "script/sources.h"
#include "script/symbols.h"
#include "ui/options/message_presenter.h"
#include "ui/options/riloscript_highlighter.h"

namespace velmora::ui {
namespace {

std::string WithCrLf(const QString& text) {
  QString copy = text;
  copy.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToCp1252Spelled(copy);
}

// True when a template holds no code part at all: nothing to test.
bool WithoutCode(const std::string& text) { return text.find('{') == std::string::npos; }

}  // namespace

script::CompileResult CompileForSyntaxTest(const ScriptSource& source, const std::string& text) {
  script::Program program;
  switch (source.kind) {
    case ScriptSourceKind::kModule:
    case ScriptSourceKind::kFileModule: return script::Compile(program, text, script::SourceKind::kModule, source.name);
    case ScriptSourceKind::kOracle: {
      // The run wraps the filter's statements in braces on lines of their
      // own; the line of an error is counted without that first line.
      script::CompileResult result =
          script::Compile(program, "{\r\n" + text + "\r\n}", script::SourceKind::kTemplate, "_oracle");
      if (result.line > 1) --result.line;
      return result;
    }
    case ScriptSourceKind::kStampText:
      return script::Compile(program, text, script::SourceKind::kTemplate, "_stamptext");
    case ScriptSourceKind::kTemplate: break;
  }
  return script::Compile(program, text, script::SourceKind::kTemplate, source.name);
}

ScriptEditor::ScriptEditor(QWidget* parent, ScriptSource source, const QString& text, MessagePresenter& messages)
    : QDialog(parent), source_(std::move(source)), messages_(messages) {
  setAccessibleName(FromCp1252Verbatim(source_.name));
  auto* layout = new QVBoxLayout(this);
  editor_ = new QPlainTextEdit(this);
  editor_->setAccessibleName(FromCp1252Verbatim(lang::GetText("CRiloScript", "ModuleContent")));
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::TypeWriter);
  editor_->setFont(font);
  new RiloScriptHighlighter(editor_->document(), source_.kind == ScriptSourceKind::kModule ||
                                                         source_.kind == ScriptSourceKind::kFileModule ||
                                                         source_.kind == ScriptSourceKind::kOracle
                                                     ? HighlightMode::kCode
                                                     : HighlightMode::kTemplate);
  editor_->setPlainText(text);
  editor_->document()->setModified(false);
  layout->addWidget(editor_, 1);

  position_ = new QLabel(this);
  layout->addWidget(position_);
  connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &ScriptEditor::UpdatePosition);
  UpdatePosition();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* check = buttons->addButton(QStringLiteral("&Syntaxtest"), QDialogButtonBox::ActionRole);
  check->setAccessibleName(QStringLiteral("Syntaxtest"));
  connect(check, &QPushButton::clicked, this, [this] { RunSyntaxTest(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ScriptEditor::reject);
  layout->addWidget(buttons);
  resize(760, 520);
}

QString ScriptEditor::text() const { return editor_->toPlainText(); }

bool ScriptEditor::modified() const { return editor_->document()->isModified(); }

void ScriptEditor::UpdatePosition() {
  const QTextCursor cursor = editor_->textCursor();
  position_->setText(QStringLiteral("%1 %2, %3 %4")
                         .arg(FromCp1252Verbatim(lang::GetText("Optionen", "Row")))
                         .arg(cursor.blockNumber() + 1)
                         .arg(FromCp1252Verbatim(lang::GetText("Optionen", "Column")))
                         .arg(cursor.positionInBlock() + 1));
}

bool ScriptEditor::RunSyntaxTest() {
  const std::string source = WithCrLf(editor_->toPlainText());
  const std::string_view title = script::kCompilerTitle;
  if ((source_.kind == ScriptSourceKind::kTemplate || source_.kind == ScriptSourceKind::kStampText) &&
      WithoutCode(source)) {
    messages_.Show(this, title, lang::kIconInformation, "MsgSyntaxcheckNotNecessary");
    return true;
  }
  const script::CompileResult result = CompileForSyntaxTest(source_, source);
  if (result.ok()) {
    messages_.Show(this, title, lang::kIconInformation, "ErrRLSOk");
    return true;
  }
  // The cursor goes to the error first, so the user sees where it is while reading the message.
  const QTextBlock block = editor_->document()->findBlockByNumber(std::max(result.line - 1, 0));
  QTextCursor cursor(block);
  if (source_.kind != ScriptSourceKind::kOracle || result.line > 0) {
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
                        std::clamp(result.token_start - 1, 0, static_cast<int>(block.length()) - 1));
  }
  editor_->setTextCursor(cursor);
  editor_->setFocus();
  const Cp1252Text message(result.Message());
  const Cp1252Text name(source_.name);
  switch (source_.kind) {
    case ScriptSourceKind::kModule: messages_.Show(this, title, lang::kIconExclamation, "ErrProfileModuleLastErr", {name, message}); break;
    case ScriptSourceKind::kFileModule: messages_.Show(this, title, lang::kIconExclamation, "ErrModuleLastErr", {name, message}); break;
    case ScriptSourceKind::kStampText: messages_.Show(this, title, lang::kIconExclamation, "ErrStampLastErr", {name, message}); break;
    case ScriptSourceKind::kOracle: messages_.Show(this, title, lang::kIconExclamation, "ErrOracleLastErr", {message}); break;
    case ScriptSourceKind::kTemplate:
      messages_.Show(this, title, lang::kIconExclamation, "ErrTagLastErr", {Cp1252Text(source_.page), name, message});
      break;
  }
  return false;
}

void ScriptEditor::reject() {
  if (modified() && messages_.Show(this, lang::kApplicationTitle, lang::kButtonsYesNo | lang::kIconQuestion,
                                   "MsgRLSChangesReject") != lang::kResultYes) {
    return;
  }
  QDialog::reject();
}

}  // namespace velmora::ui
