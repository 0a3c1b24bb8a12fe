// Captions, keywords, authors and rights from XMP packets as photo
// managers write them, and packets built to do harm.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "metadata/metadata_reader.h"

namespace velmora::metadata {
namespace {

std::string Packet(const std::string& description_content, const std::string& attributes = "") {
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
         "    xmlns:photoshop=\"http://ns.adobe.com/photoshop/1.0/\" " +
         attributes + ">\n" + description_content +
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end=\"w\"?>";
}

std::string Comment(const PhotoMetadata& m, std::string_view key) {
  const ImageComment* c = m.FindComment(key);
  return c == nullptr ? "<missing>" : c->text;
}

PhotoMetadata Parse(const std::string& xml) {
  PhotoMetadata m;
  ParseXmpPacket(m, xml);
  return m;
}

TEST(XmpReaderTest, TheFieldsOfDublinCoreBecomeComments) {
  const PhotoMetadata m = Parse(Packet(
      "<dc:title><rdf:Alt><rdf:li xml:lang=\"de-DE\">Der Engel</rdf:li>"
      "<rdf:li xml:lang=\"x-default\">The Angel</rdf:li></rdf:Alt></dc:title>\n"
      "<dc:description><rdf:Alt><rdf:li xml:lang=\"en\"> Steel, 20 m </rdf:li>"
      "<rdf:li xml:lang=\"de\">Stahl</rdf:li></rdf:Alt></dc:description>\n"
      "<dc:subject><rdf:Bag><rdf:li>angel</rdf:li><rdf:li>north</rdf:li><rdf:li>steel</rdf:li></rdf:Bag></dc:subject>\n"
      "<dc:creator><rdf:Seq><rdf:li>Ian Britton</rdf:li><rdf:li>A. N. Other</rdf:li></rdf:Seq></dc:creator>\n"
      "<dc:rights><rdf:Alt><rdf:li xml:lang=\"x-default\">FreeFoto.com</rdf:li></rdf:Alt></dc:rights>\n"
      "<dc:format>image/jpeg</dc:format>\n",
      "photoshop:Headline=\"Gateshead\""));
  EXPECT_EQ(Comment(m, "XMP:title"), "The Angel");
  // Without an x-default item, the first.
  EXPECT_EQ(Comment(m, "XMP:description"), "Steel, 20 m");
  EXPECT_EQ(Comment(m, "XMP:subject"), "angel,north,steel");
  EXPECT_EQ(Comment(m, "XMP:creator"), "Ian Britton,A. N. Other");
  EXPECT_EQ(Comment(m, "XMP:rights"), "FreeFoto.com");
  EXPECT_EQ(Comment(m, "XMP:headline"), "Gateshead");
  EXPECT_EQ(m.comments.size(), 6u);
}

TEST(XmpReaderTest, NamespacesCountNotPrefixes) {
  const std::string xml =
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><r:RDF xmlns:r=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      "<r:Description xmlns:d=\"http://purl.org/dc/elements/1.1/\" xmlns:dc=\"urn:not-dublin-core\">"
      "<d:title><r:Alt><r:li xml:lang=\"x-default\">Right</r:li></r:Alt></d:title>"
      "<dc:description>Wrong</dc:description>"
      "<d:description>Simple text</d:description>"
      "</r:Description></r:RDF></x:xmpmeta>";
  const PhotoMetadata m = Parse(xml);
  EXPECT_EQ(Comment(m, "XMP:title"), "Right");
  EXPECT_EQ(Comment(m, "XMP:description"), "Simple text");
}

TEST(XmpReaderTest, Utf8BecomesWindows1252WithQuestionMarksForTheRest) {
  const PhotoMetadata m = Parse(Packet(
      "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">K\xC3\xB6ln \xE2\x82\xAC 5 \xE2\x86\x92 "
      "&lt;b&gt;</rdf:li></rdf:Alt></dc:title>\n"));
  EXPECT_EQ(Comment(m, "XMP:title"), "K\xF6ln \x80 5 ? <b>");
}

TEST(XmpReaderTest, EntitiesAreNeverExpanded) {
  std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n";
  bomb += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
  for (int i = 2; i <= 9; ++i) {
    bomb += "<!ENTITY lol" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) bomb += "&lol" + std::to_string(i - 1) + ";";
    bomb += "\">\n";
  }
  bomb += "]>\n";
  const auto start = std::chrono::steady_clock::now();
  const PhotoMetadata m = Parse(bomb + Packet("<dc:title>&lol9;</dc:title>\n"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_TRUE(m.comments.empty());

  const PhotoMetadata internal =
      Parse("<!DOCTYPE x [<!ENTITY e \"expanded\">]>" + Packet("<dc:title>&e;</dc:title><dc:rights>r</dc:rights>"));
  EXPECT_TRUE(internal.comments.empty());

  const PhotoMetadata external = Parse(
      "<!DOCTYPE x [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>" + Packet("<dc:title>&secret;</dc:title>"));
  EXPECT_TRUE(external.comments.empty());
}

TEST(XmpReaderTest, APacketThatBreaksOffKeepsThePropertiesBeforeTheBreak) {
  const std::string whole = Packet("<dc:title>First</dc:title>\n<dc:rights>Second</dc:rights>\n");
  const PhotoMetadata cut = Parse(whole.substr(0, whole.find("<dc:rights>") + 15));
  EXPECT_EQ(Comment(cut, "XMP:title"), "First");
  EXPECT_EQ(cut.FindComment("XMP:rights"), nullptr);
  // Padding and zero bytes after the packet, as some writers leave them.
  const PhotoMetadata padded = Parse(whole + std::string(100, '\0'));
  EXPECT_EQ(Comment(padded, "XMP:rights"), "Second");
}

TEST(XmpReaderTest, EmptyValuesAndOversizedPacketsGiveNoComment) {
  EXPECT_TRUE(Parse(Packet("<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\"> </rdf:li></rdf:Alt></dc:title>"))
                  .comments.empty());
  const std::string big = Packet("<dc:title>Big</dc:title>" + std::string(5 * 1024 * 1024, ' '));
  EXPECT_TRUE(Parse(big).comments.empty());
  EXPECT_TRUE(Parse("").comments.empty());
  EXPECT_TRUE(Parse("not xml at all").comments.empty());
}

}  // namespace
}  // namespace velmora::metadata
