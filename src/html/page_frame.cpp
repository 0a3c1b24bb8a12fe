// The shared page frame.
#include "html/page_frame.h"

#include <ctime>

#include "platform/error_text.h"
#include "platform/native_path.h"
#include "lang/date_pattern.h"
#include "lang/language_registry.h"
#include "lang/messages.h"

namespace velmora::html {

void WritePageHead(PageFile& page, SnippetEmitter& emitter, PageKind kind) {
  const settings::SettingsTable& settings = emitter.settings();
  const PageKindSlots& slots = SlotsOf(kind);
  const std::string& doctype = settings.Text("HTML_DOCTYPE");
  if (!doctype.empty()) page.Line(doctype);
  const std::string& html = settings.Text("HTML_HTML");
  page.Line(html.empty() ? std::string("<html>") : "<html " + html + ">");
  page.Line("<head>");
  const std::string& head = settings.Value(slots.first);
  if (!IsBlank(head)) {
    if (settings.Flag(slots.head_switch)) {
      page.Write(head);
    } else {
      emitter.EmitSnippet(page, slots.first);
    }
    page.Line();
  }
  page.Write("<title>");
  emitter.EmitSnippet(page, slots.title);
  page.Line("</title>");
  page.Line("</head>");
  if (slots.body == 0) return;
  page.Write("<body");
  if (!IsBlank(settings.Value(slots.body))) {
    page.Write(" ");
    emitter.EmitSnippet(page, slots.body);
  }
  page.Line(">");
}

std::string DateLine(const std::string& date) {
  return "<span style=\"font-size:8pt; font-family:verdana,arial; text-decoration:none\">" +
         lang::GetText("Erzeugung", "InfDateCreated") + " " + date + "</span>";
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return lang::ApplyDatePattern(lang::FormatDate(), local);
}

bool GalleryOutput::Open(PageFile& page, const std::string& folder, const std::string& name) {
  const Cp1252Text page_name(name);
  const std::filesystem::path file = layout.Native(folder) / ToNativePath(page_name);
  if (!MayWrite(may_write, file)) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrOutputRefused",
                      {FromNativePath(file).value_or(page_name)});
    return false;
  }
  if (page.Open(layout.Native(folder), ToNativePath(page_name), only_when_changed)) {
    if (start_document.empty()) start_document = page.path();
    return true;
  }
  ReportFailure(page);
  return false;
}

// The page's name and the system's reason ("No space left on device"): a
// page that is not written must never go unnoticed.
void GalleryOutput::ReportFailure(const PageFile& page) const {
  const std::error_code& error = page.error();
  lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrHTMLCreateFile",
                    {Cp1252Text::Number(error.value()), ErrorReason(error), DisplayPath(page.path())});
}

void GalleryOutput::DateParagraph(PageFile& page) const {
  page.Line();
  page.Line("<p style=\"text-align:center\">" + date_line + "</p>");
}

bool GalleryOutput::Finish(PageFile& page) {
  const PageResult result = page.Close();
  if (result == PageResult::kWritten) ++html_written;
  if (result != PageResult::kFailed) return true;
  ReportFailure(page);
  return false;
}

std::string GalleryOutput::Absolute(const std::string& folder) const {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(layout.Native(folder), error);
  return FromNativePath(absolute.lexically_normal()).value_or(Cp1252Text(folder)).bytes();
}

}  // namespace velmora::html
