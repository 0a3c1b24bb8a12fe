// The script editor: the syntax test reports what the compiler found and
// puts the cursor on the faulty line; unsaved changes are asked about; the
// colouring tells text, code and the kinds of code apart.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "options_fixture.h"
#include "settings/user_settings.h"
#include "ui/options/riloscript_highlighter.h"
#include "ui/options/script_editor.h"

namespace velmora::ui::test {
namespace {

TEST_F(OptionsTest, ASyntaxErrorPutsTheCursorOnItsLine) {
  ScriptEditor editor(nullptr, {ScriptSourceKind::kTemplate, "HTML_PIC_BODY", "HTML-Bildseite"},
                      QStringLiteral("<p>\n{ a = 1;\n  b = (2 + ; }\n</p>"), messages_);
  EXPECT_FALSE(editor.RunSyntaxTest());
  EXPECT_EQ(editor.editor()->textCursor().blockNumber(), 2);
  ASSERT_EQ(messages_.keys, std::vector<std::string>{"ErrTagLastErr"});
  EXPECT_NE(messages_.texts[0].find("HTML-Bildseite\r\nHTML_PIC_BODY"), std::string::npos);
  EXPECT_NE(messages_.texts[0].find("in Zeile:"), std::string::npos);
}

TEST_F(OptionsTest, AModuleErrorNamesTheModule) {
  ScriptEditor editor(nullptr, {ScriptSourceKind::kModule, "helfer", {}},
                      QStringLiteral("function f()\n{\n  return 1;\n}\nfunction g(\n{\n}"), messages_);
  EXPECT_FALSE(editor.RunSyntaxTest());
  EXPECT_GE(editor.editor()->textCursor().blockNumber(), 4);
  ASSERT_EQ(messages_.keys, std::vector<std::string>{"ErrProfileModuleLastErr"});
  EXPECT_EQ(messages_.texts[0].rfind("Profil-Modul\r\nhelfer\r\n", 0), 0u);

  // A module of the script file is called what the file calls it.
  ScriptEditor file_module(nullptr, {ScriptSourceKind::kFileModule, "datei", {}}, QStringLiteral("function (\n"), messages_);
  EXPECT_FALSE(file_module.RunSyntaxTest());
  EXPECT_EQ(messages_.keys.back(), "ErrModuleLastErr");
  EXPECT_EQ(messages_.texts.back().rfind("Include-Modul\r\ndatei\r\n", 0), 0u);
}

TEST_F(OptionsTest, TheFilterErrorLineIsCountedInTheUsersText) {
  // The run wraps the filter in braces on a line of their own; the user
  // never sees that line.
  const script::CompileResult result =
      CompileForSyntaxTest({ScriptSourceKind::kOracle, "_oracle", {}}, "a = 1;\r\nb = ;\r\nreturn a;");
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.line, 2);
}

TEST_F(OptionsTest, SyntaxTestOutcomesWithoutErrors) {
  ScriptEditor plain(nullptr, {ScriptSourceKind::kStampText, "Stempel", {}}, QStringLiteral("nur Text"), messages_);
  EXPECT_TRUE(plain.RunSyntaxTest());
  ScriptEditor code(nullptr, {ScriptSourceKind::kStampText, "Stempel", {}}, QStringLiteral("© {year(date)}"), messages_);
  EXPECT_TRUE(code.RunSyntaxTest());
  EXPECT_EQ(messages_.keys, (std::vector<std::string>{"MsgSyntaxcheckNotNecessary", "ErrRLSOk"}));
}

TEST_F(OptionsTest, ClosingWithChangesAsksFirst) {
  ScriptEditor editor(nullptr, {ScriptSourceKind::kModule, "m", {}}, QStringLiteral("function m()\n{\n}"), messages_);
  editor.show();
  editor.editor()->appendPlainText(QStringLiteral("// mehr"));
  messages_.answers = {lang::kResultNo};
  editor.reject();
  EXPECT_TRUE(editor.isVisible());
  ASSERT_EQ(messages_.keys, std::vector<std::string>{"MsgRLSChangesReject"});
  messages_.answers = {lang::kResultYes};
  editor.reject();
  EXPECT_FALSE(editor.isVisible());

  ScriptEditor untouched(nullptr, {ScriptSourceKind::kModule, "m", {}}, QStringLiteral("x"), messages_);
  untouched.show();
  untouched.reject();
  EXPECT_EQ(messages_.keys.size(), 2u);
}

class HighlightTest : public OptionsTest {
 protected:
  SyntaxRole RoleOf(const QString& text, HighlightMode mode, int line, const QString& word) {
    document_ = std::make_unique<QTextDocument>();
    document_->setPlainText(text);
    auto* highlighter = new RiloScriptHighlighter(document_.get(), mode);
    highlighter->rehighlight();
    const QTextBlock block = document_->findBlockByNumber(line);
    const int at = static_cast<int>(block.text().indexOf(word));
    EXPECT_GE(at, 0) << word.toStdString();
    return RiloScriptHighlighter::RoleAt(block, at, LoadSyntaxColours());
  }
  std::unique_ptr<QTextDocument> document_;
};

TEST_F(HighlightTest, TemplateTextAndCodeAreToldApart) {
  const QString snippet = QStringLiteral("<b>if</b> {if (count_cur_file > 10) {\nlen(\"if\"); // if\n}} 12 Bilder");
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 0, QStringLiteral("<b>if")), SyntaxRole::kText);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 0, QStringLiteral("if (")), SyntaxRole::kKeyword);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 0, QStringLiteral("count_cur_file")), SyntaxRole::kVariable);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 0, QStringLiteral("10")), SyntaxRole::kNumber);
  // The code part goes on over the line break, nested braces and all.
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 1, QStringLiteral("len")), SyntaxRole::kFunction);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 1, QStringLiteral("\"if\"")), SyntaxRole::kString);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 1, QStringLiteral("// if")), SyntaxRole::kComment);
  EXPECT_EQ(RoleOf(snippet, HighlightMode::kTemplate, 2, QStringLiteral("12")), SyntaxRole::kText);
}

TEST_F(HighlightTest, ModulesAreCodeThroughout) {
  const QString module = QStringLiteral("function f()\n{\n  return \"a\"\"b\" + 3;\n}\nwhile");
  EXPECT_EQ(RoleOf(module, HighlightMode::kCode, 0, QStringLiteral("function")), SyntaxRole::kKeyword);
  EXPECT_EQ(RoleOf(module, HighlightMode::kCode, 2, QStringLiteral("b\"")), SyntaxRole::kString);
  EXPECT_EQ(RoleOf(module, HighlightMode::kCode, 2, QStringLiteral("3")), SyntaxRole::kNumber);
  EXPECT_EQ(RoleOf(module, HighlightMode::kCode, 4, QStringLiteral("while")), SyntaxRole::kKeyword);
}

TEST_F(OptionsTest, SyntaxColoursLiveInTheUserSettingsStore) {
  EXPECT_EQ(settings::WriteUserSetting("Syntaxhighlighting", "keyword", "255"), 0);
  EXPECT_EQ(settings::WriteUserSetting("Syntaxhighlighting", "string", "kaputt"), 0);
  const auto colours = LoadSyntaxColours();
  EXPECT_EQ(colours[static_cast<std::size_t>(SyntaxRole::kKeyword)], QColor(255, 0, 0));
  // A value that is no colour is replaced by the default, which every
  // missing name also gets, so the user finds all of them to change.
  EXPECT_NE(settings::ReadUserSetting("Syntaxhighlighting", "string"), "kaputt");
  EXPECT_FALSE(settings::ReadUserSetting("Syntaxhighlighting", "comment").empty());
}

}  // namespace
}  // namespace velmora::ui::test

#include "script/modules.h"
#include "settings/working_settings.h"
#include "settings/profile_reader.h"
#include "image/clone_list/clone_effekte.h"
#include "ui/options/options_dialog.h"
#include "ui/options/module_list_editor.h"
#include "ui/options/script_file_editor.h"
#include "ui/options/setting_control.h"

namespace velmora::ui::test {
namespace {

class ScriptFileTest : public OptionsTest {
 protected:
  void SetUp() override {
    OptionsTest::SetUp();
    velmora::test::WriteFile(file_, "!*eins\r\n!+function eins()\r\n!+{\r\n!+}\r\n!*zwei\r\n!+function zwei()\r\n!+{\r\n!+}\r\n");
    settings::SetWorkingSetting("RILOSCRIPT_FILE", file_.string());
    settings::CommitWorkingSettings();
  }
  std::filesystem::path file_ = root_.path() / "skripte.rls";
};

TEST_F(ScriptFileTest, ModulesOfTheFileAreEditedAndWrittenBack) {
  OptionsDialog dialog(nullptr, DialogSetup());
  ScriptFileEditor& editor = *dialog.scriptFileEditor();
  ASSERT_EQ(editor.modules().Count(), 2u);
  EXPECT_FALSE(editor.HasUnsavedChanges());
  editor.list().SetModuleText(1, QStringLiteral("function zwei()\n{\n  return 2;\n}"));
  EXPECT_FALSE(editor.list().AddModule(QStringLiteral("EINS")));
  EXPECT_EQ(messages_.keys.back(), "MsgModuleExist");
  EXPECT_FALSE(editor.list().AddModule(QStringLiteral("  ")));
  EXPECT_EQ(messages_.keys.back(), "ErrModuleMissingName");
  ASSERT_TRUE(editor.list().AddModule(QStringLiteral("drei")));
  ASSERT_TRUE(editor.Save());
  EXPECT_FALSE(editor.HasUnsavedChanges());

  script::RLModule read;
  ASSERT_TRUE(script::LoadScriptFile(file_, read));
  ASSERT_EQ(read.Count(), 3u);
  EXPECT_EQ(read.at(1).content, "function zwei()\r\n{\r\n  return 2;\r\n}");
  EXPECT_EQ(read.at(2).name, "drei");
}

TEST_F(ScriptFileTest, ARemovedModuleIsAnUnsavedChange) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.scriptFileEditor()->list().RemoveModule(0);
  EXPECT_TRUE(dialog.scriptFileEditor()->HasUnsavedChanges());
  ASSERT_TRUE(dialog.scriptFileEditor()->Save());
  script::RLModule read;
  ASSERT_TRUE(script::LoadScriptFile(file_, read));
  ASSERT_EQ(read.Count(), 1u);
  EXPECT_EQ(read.at(0).name, "zwei");
}

// The profile's own modules go into the profile when OK saves it.
TEST_F(OptionsTest, ProfileModulesAreSavedWithTheProfile) {
  OptionsDialog dialog(nullptr, DialogSetup());
  ModuleListEditor& modules = *dialog.profileModulesEditor();
  ASSERT_TRUE(modules.AddModule(QStringLiteral("kopf")));
  ASSERT_TRUE(modules.AddModule(QStringLiteral("fuss")));
  modules.SetModuleText(0, QStringLiteral("function kopf()\n{\n  return \"K\";\n}"));
  modules.RemoveModule(1);
  EXPECT_FALSE(modules.AddModule(QStringLiteral("KOPF")));
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);

  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule saved;
  ASSERT_FALSE(settings::ReadProfileText(velmora::test::ReadFile(UserProfile()), table, clones, saved));
  ASSERT_EQ(saved.Count(), 1u);
  EXPECT_EQ(saved.Item(1).name, "kopf");
  EXPECT_EQ(saved.Item(1).source, "function kopf()\r\n{\r\n  return \"K\";\r\n}");
}

TEST_F(ScriptFileTest, UnsavedFileChangesAreAskedAboutOnClose) {
  const std::string before = velmora::test::ReadFile(file_);
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.show();
  dialog.scriptFileEditor()->list().SetModuleText(0, QStringLiteral("function eins()\n{\n  return 1;\n}"));
  messages_.answers = {lang::kResultNo};
  dialog.reject();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(messages_.keys, std::vector<std::string>{"MsgRLSChangesReject"});
  messages_.answers = {lang::kResultYes};
  dialog.reject();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(velmora::test::ReadFile(file_), before);
}

TEST_F(ScriptFileTest, AnotherFileNameShowsThatFilesModules) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ControlOf("RILOSCRIPT_FILE")->SetValue((root_.path() / "fehlt.rls").string());
  EXPECT_EQ(dialog.scriptFileEditor()->modules().Count(), 0u);
}

TEST_F(ScriptFileTest, AnotherFileNameAsksBeforeUnsavedModulesGo) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.scriptFileEditor()->list().SetModuleText(0, QStringLiteral("function eins()\n{\n  return 1;\n}"));
  messages_.answers = {lang::kResultNo};
  dialog.ControlOf("RILOSCRIPT_FILE")->SetValue((root_.path() / "fehlt.rls").string());
  EXPECT_EQ(messages_.keys, std::vector<std::string>{"MsgRLSChangesReject"});
  EXPECT_EQ(dialog.scriptFileEditor()->modules().Count(), 2u);
  EXPECT_TRUE(dialog.scriptFileEditor()->HasUnsavedChanges());
}

}  // namespace
}  // namespace velmora::ui::test
