// Expected page texts built from the page rules with the default snippets.
#pragma once

#include <string>

namespace velmora::html::test {

inline const std::string kNl = "\r\n";

inline std::string PageHead(const std::string& title, bool body = true) {
  std::string text = "<html>" + kNl + "<head>" + kNl + "<meta name=\"generator\" content=\"Velmora\">" + kNl +
                     "<meta name=\"keywords\" content=\"Velmora\">" + kNl +
                     "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">" + kNl + "<title>" +
                     title + "</title>" + kNl + "</head>" + kNl;
  if (body) text += "<body bgcolor=\"#FFFFFF\">" + kNl;
  return text;
}

inline std::string NavLink(const std::string& ref, const std::string& picture, const std::string& doc) {
  return "<a href=\"" + ref + "\"><img src=\"" + picture + "\" style=\"border-style:none\" alt=\"" + doc +
         "\" title=\"" + doc + "\"></a>";
}

inline std::string DateParagraph() {
  return kNl +
         "<p style=\"text-align:center\"><span style=\"font-size:8pt; font-family:verdana,arial; "
         "text-decoration:none\">Erstellt am 06.12.2026</span></p>" +
         kNl;
}

inline std::string PageEnd() { return kNl + "</body>" + kNl + "</html>" + kNl; }

inline std::string ThumbTitle() { return "<h1 style=\"text-align:center\">Velmora - Thumbnails</h1>" + kNl; }
inline std::string ThumbTableOpen() {
  return "<table align=\"center\" border=\"0\" cellpadding=\"10\" cellspacing=\"0\">" + kNl;
}
inline std::string Td(const std::string& cell) { return "<td align=\"center\">" + cell + "</td>" + kNl; }

}  // namespace velmora::html::test
