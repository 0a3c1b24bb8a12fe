// Compiling snippets: error message, head switches, blank snippets.
#include <gtest/gtest.h>

#include "html/template_snippets.h"
#include "lang/messages.h"
#include "script/machine.h"
#include "settings/settings_table.h"

namespace velmora::html {
namespace {

struct MessageLog {
  MessageLog() {
    previous = lang::SetMessageObserver([this](const lang::ShownMessage& m) { shown.push_back(m); });
  }
  ~MessageLog() { lang::SetMessageObserver(previous); }
  std::vector<lang::ShownMessage> shown;
  lang::MessageObserver previous;
};

TEST(Templates, CompileErrorNamesPageAndSnippetLabel) {
  settings::SettingsTable settings;
  settings.Set("HTML_PIC_PIC", "<div>{ 1 + }</div>");
  script::Program program;
  MessageLog log;
  EXPECT_FALSE(CompilePageTemplates(program, settings, PageKind::kImage));
  ASSERT_EQ(log.shown.size(), 1u);
  EXPECT_EQ(log.shown[0].key, "ErrTagLastErr");
  EXPECT_EQ(log.shown[0].title, "RiloScript Compiler");
  EXPECT_EQ(log.shown[0].text.rfind("HTML-Bildseite\r\nBildfestlegungen\r\n\r\n", 0), 0u) << log.shown[0].text;
  EXPECT_NE(CompileTemplateRange(program, settings, 176, 194, "x"), 0);
}

TEST(Templates, LiteralHeadIsNotCompiledAndBlankSnippetsAreSkipped) {
  settings::SettingsTable settings;
  settings.Set("HTML_HEAD", "{ this is not script");
  settings.Set("HTML_HEAD_DISABLE_RILOSCRIPT", "1");
  settings.Set("HTML_POST_BODY", "   ");
  script::Program program;
  MessageLog log;
  EXPECT_TRUE(CompilePageTemplates(program, settings, PageKind::kThumb));
  EXPECT_TRUE(log.shown.empty());
  script::Machine machine(program);
  SnippetEmitter emitter(machine, settings);
  EXPECT_TRUE(emitter.Empty(149));
  EXPECT_TRUE(emitter.Empty(152));
  EXPECT_FALSE(emitter.Empty(150));
  script::StringSink sink;
  emitter.EmitSnippet(sink, 152);
  emitter.EmitSnippet(sink, 150);
  EXPECT_EQ(sink.text(), "Velmora - Thumbnails");
}

TEST(Templates, TildeBracesAndScriptValues) {
  settings::SettingsTable settings;
  settings.Set("HTML_TITLE", "~<{ 6 * 7 }~>");
  script::Program program;
  ASSERT_TRUE(CompilePageTemplates(program, settings, PageKind::kThumb));
  script::Machine machine(program);
  SnippetEmitter emitter(machine, settings);
  script::StringSink sink;
  emitter.EmitSnippet(sink, 150);
  EXPECT_EQ(sink.text(), "{42}");
}

}  // namespace
}  // namespace velmora::html
