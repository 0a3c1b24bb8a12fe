// The entries of the settings catalogue, in slot order. They live in a header
// so that setting keys written in the code can be checked against them when
// compiling (see setting_key.h); everything else reads them through
// SettingsCatalogue().
#pragma once

#include <array>
#include <iterator>
#include <string_view>

#include "settings/settings_catalogue.h"

namespace velmora::settings::catalogue {

// The few keys stored in German, as the code reads them:
//   KOMMENTAR              the profile's comment
//   THUMB_SORTIERUNG       sort order of the images of a folder
//   THUMB_SORTIERRICHTUNG  its direction
//   HTML_VERWEISFOLGE      order of the navigation links on thumbnail pages
//   HTML_BILD_...          the settings of the image pages ("Bild": image)

#define VELMORA_GENERATOR_BLOCK \
  "<meta name=\"generator\" content=\"Velmora\">\r\n<meta name=\"keywords\" content=\"Velmora\">"
inline constexpr std::string_view kDefaultHead =
    VELMORA_GENERATOR_BLOCK "\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">";

// Navigation links are all alike: an anchor around one picture of the decoration set.
#define VELMORA_NAV(ref, picture, doc)                                                              \
  "<a href=\"{" ref "}\"><img src=\"{deco_ref}/" picture "\" style=\"border-style:none\" alt=\"{" doc \
  "}\" title=\"{" doc "}\"></a>"

inline constexpr SettingDefinition kSettingsCatalogueEntries[] = {
    // Profile
    {1, "VERSION", "0", "", ""},
    {2, "KOMMENTAR", "", "", ""},
    // File types: the enable flag of type code t is slot t, its extensions slot t + 12.
    {3, "BMP", "0", "", ""},
    {4, "EMF", "0", "", ""},
    {5, "GIF", "0", "", ""},
    {6, "JPG", "1", "", ""},
    {7, "JP2", "0", "", ""},
    {8, "PCD", "0", "", ""},
    {9, "PCX", "0", "", ""},
    {10, "PNG", "0", "", ""},
    {11, "PSD", "0", "", ""},
    {12, "RAW", "0", "", ""},
    {13, "TGA", "0", "", ""},
    {14, "TIF", "0", "", ""},
    {15, "BMP_EXT", "BMP", "BMP", ""},
    {16, "EMF_EXT", "EMF,WMF", "EMF", ""},
    {17, "GIF_EXT", "GIF", "GIF", ""},
    {18, "JPG_EXT", "JPG", "JPG", ""},
    {19, "JP2_EXT", "J2K,JP2", "JP2", ""},
    {20, "PCD_EXT", "PCD", "PCD", ""},
    {21, "PCX_EXT", "PCX", "PCX", ""},
    {22, "PNG_EXT", "PNG", "PNG", ""},
    {23, "PSD_EXT", "PSD", "PSD", ""},
    {24, "RAW_EXT", "CR2,CRW,DCR,DNG,MRW,NEF,ORF,PEF,RAF,RAW,SRF,SR2", "RAW", ""},
    {25, "TGA_EXT", "TGA", "TGA", ""},
    {26, "TIF_EXT", "TIF", "TIF", ""},
    // Directories and file filter
    {27, "DIR_LEVEL", "0", "", ""},
    {28, "DIR_SORT", "1", "", ""},
    {29, "DIR_SORTDIRECTION", "0", "", ""},
    {30, "FILTER", "*", "", ""},
    {31, "IMAGE_ORACLE", "", "", ""},
    {32, "PCD_FORMAT", "5", "", ""},
    // Thumbnails
    {33, "THUMBNAILS", "1", "", ""},
    {34, "THUMB_DIRNAME", "thumbs", "", ""},
    {35, "THUMB_CLONE", "0", "", ""},
    {36, "THUMBDIR_CLEAN", "0", "", ""},
    {37, "THUMB_SIZE", "120", "", ""},
    {38, "THUMB_WIDTH", "120", "", ""},
    {39, "THUMB_HEIGHT", "120", "", ""},
    {40, "THUMB_SELECTED_SIDE", "1", "", ""},
    {41, "THUMB_FRAMEFILL", "0", "", ""},
    {42, "THUMB_FRAMEFILLCOLOR", "16777215", "", ""},
    {43, "THUMB_FRAMEFILLCOLORFITS", "0", "", ""},
    {44, "THUMB_QUALITY", "60", "", ""},
    {45, "THUMB_ENLARGE", "0", "", ""},
    {46, "THUMB_RENAME", "0", "", ""},
    {47, "THUMB_RENAME_MASK", "thumb_#", "", ""},
    {48, "THUMB_RENAME_DIGITS", "4", "", ""},
    {49, "THUMB_RENAME_CASE", "0", "", ""},
    {50, "THUMB_RENAME_FIND", "", "", ""},
    {51, "THUMB_RENAME_REPLACE", "", "", ""},
    // Clones
    {52, "GENERATE_CLONES", "0", "", ""},
    {53, "CLONE_PATH", "", "", ""},
    {54, "CLONE_APPEND_BASENAME", "0", "", ""},
    {55, "CLONE_COPY", "1", "", ""},
    {56, "CLONE_CONVERT", "1", "", ""},
    {57, "CLONE_SIZE_ORIGINAL", "1", "", ""},
    {58, "CLONE_SIZE", "640", "", ""},
    {59, "CLONE_WIDTH", "640", "", ""},
    {60, "CLONE_HEIGHT", "640", "", ""},
    {61, "CLONE_SELECTED_SIDE", "0", "", ""},
    {62, "CLONE_ONLY_IF_NEWER", "0", "", ""},
    {63, "CLONE_DIRCLEAN", "0", "", ""},
    {64, "CLONE_QUALITY", "75", "", ""},
    {65, "CLONE_MAXSIZE", "0", "", ""},
    {66, "CLONE_MAXSIZEBYTES", "100000", "", ""},
    {67, "CLONE_MINQUALITY", "25", "", ""},
    {68, "CLONE_FILTER", "-2", "", ""},
    {69, "CLONE_METADATA", "0", "", ""},
    {70, "CLONE_RENAME", "0", "", ""},
    {71, "CLONE_RENAME_MASK", "clone_#", "", ""},
    {72, "CLONE_RENAME_DIGITS", "4", "", ""},
    {73, "CLONE_RENAME_CASE", "0", "", ""},
    {74, "CLONE_RENAME_FIND", "", "", ""},
    {75, "CLONE_RENAME_REPLACE", "", "", ""},
    {76, "CLONE_PRESERVE_DATE", "0", "", ""},
    {77, "CLONE_TIF_COMPMODE", "0", "", ""},
    {78, "CLONE_JPG_PROGRESSIVE", "0", "", ""},
    {79, "RILOSCRIPT_FILE", "", "", ""},
    // HTML general, decoration and sorting
    {80, "GENERATE_HTML", "1", "", ""},
    {81, "HTML_BASE", "html", "", ""},
    {82, "HTML_DIRCLEAN", "0", "", ""},
    {83, "HTML_EXTENSION", "html", "", ""},
    {84, "THUMB_SORTIERUNG", "1", "", ""},
    {85, "THUMB_SORTIERRICHTUNG", "0", "", ""},
    {86, "DECO_PATH", "deco", "", ""},
    {87, "DECO_COPY", "1", "", ""},
    {88, "DECO_COPY_EVER", "1", "", ""},
    {89, "DECO_POOL", "", "", ""},
    {90, "DECO_SOURCE", "standard", "", ""},
    {91, "LAUNCH_BROWSER", "1", "", ""},
    {92, "HTML_DOCTYPE", "", "", ""},
    {93, "HTML_HTML", "", "", ""},
    {94, "HTML_CHANGED", "0", "", ""},
    // Frame start page and index page
    {95, "GENERATE_FRAME", "0", "", ""},
    {96, "HTML_FRAME_FILENAME", "start", "", ""},
    {97, "HTML_FRAME_IN_BASEDIR", "0", "", ""},
    {98, "HTML_FRAME_HEAD_DISABLE_RILOSCRIPT", "0", "", ""},
    {99, "GENERATE_INDEX", "0", "", ""},
    {100, "HTML_INDEX_FILENAME", "index", "", ""},
    {101, "HTML_INDEX_IN_BASEDIR", "0", "", ""},
    {102, "HTML_INDEX_ENTRIES_PER_LINE", "6", "", ""},
    {103, "HTML_INDEX_FIRST_THUMBPAGE", "0", "", ""},
    {104, "HTML_INDEX_GROUP", "0", "", ""},
    {105, "HTML_INDEX_HEAD_DISABLE_RILOSCRIPT", "0", "", ""},
    {106, "HTML_INDEX_PRINT_DATE", "1", "", ""},
    // Thumbnail pages
    {107, "GENERATE_THUMBPAGES", "1", "", ""},
    {108, "HTML_DEFAULT", "default", "", ""},
    {109, "HTML_SPLIT", "0", "", ""},
    {110, "THUMBS_PER_LINE", "4", "", ""},
    {111, "LINES_PER_PAGE", "5", "", ""},
    {112, "SPLIT_DIGITS", "1", "", ""},
    {113, "NAV_EXTENDED", "0", "", ""},
    {114, "HTML_VERWEISFOLGE", "1", "", ""},
    {115, "REF_POS", "4", "", ""},
    {116, "HTML_HEAD_DISABLE_RILOSCRIPT", "0", "", ""},
    {117, "PRINT_DATE", "1", "", ""},
    // Image pages
    {118, "GENERATE_PICPAGE", "1", "", ""},
    {119, "HTML_BILD_NAV_EXTENDED", "0", "", ""},
    {120, "HTML_BILD_VERWEISFOLGE", "1", "", ""},
    {121, "HTML_BILD_REF_POS", "4", "", ""},
    {122, "HTML_BILD_HEAD_DISABLE_RILOSCRIPT", "0", "", ""},
    {123, "HTML_BILD_PRINT_DATE", "1", "", ""},
    // Index page snippets (132 and 134: attribute texts of older profiles)
    {125, "HTML_INDEX_HEAD", kDefaultHead, "", "IndexHead"},
    {126, "HTML_INDEX_TITLE", "Velmora - Index", "", "IndexDoctitle"},
    {127, "HTML_INDEX_BODY_TAG", "bgcolor=\"#FFFFFF\"", "", "IndexBody"},
    {128, "HTML_INDEX_POSTBODY", "<h1 style=\"text-align:center\">Velmora - Index</h1>", "", "IndexTitle"},
    {129, "HTML_INDEX_PRE_TABLE", "", "", "IndexPreTable"},
    {130, "HTML_INDEX_TABLE_OPEN", "<table align=\"center\" border=\"0\" cellpadding=\"5\" cellspacing=\"0\">\r\n", "",
     "IndexTableOpen"},
    {131, "HTML_INDEX_TR_OPEN", "<tr>\r\n", "", "IndexTrOpen"},
    {132, "HTML_INDEX_TABLE", "align=\"center\" border=\"0\" cellpadding=\"5\" cellspacing=\"0\"", "", ""},
    {133, "HTML_INDEX_TD_OPEN", "<td align=\"center\">", "", "IndexTdOpen"},
    {134, "HTML_INDEX_TD_TAG", "align=\"center\"", "", ""},
    {135, "HTML_INDEX_ENTRY", "<a href=\"{src_ref}\">{src_doc}</a>", "", "IndexEntry"},
    {136, "HTML_INDEX_TD_CLOSE", "</td>\r\n", "", "IndexTdClose"},
    {137, "HTML_INDEX_TR_CLOSE", "</tr>\r\n", "", "IndexTrClose"},
    {138, "HTML_INDEX_TABLE_CLOSE", "</table>\r\n", "", "IndexTableClose"},
    {139, "HTML_INDEX_POST_TABLE", "", "", "IndexPostTable"},
    {140, "HTML_INDEX_POST_POST_TABLE", "", "", "IndexPostPostTable"},
    {141, "HTML_INDEX_FOOTER", "", "", "IndexFooter"},
    // Frame start page snippets
    {144, "HTML_FRAME_HEAD", kDefaultHead, "", "FrameHead"},
    {145, "HTML_FRAME_TITLE", "Velmora - Frame", "", "FrameDoctitle"},
    {146, "HTML_FRAME_CONTENT", "", "", "FrameContent"},
    // Thumbnail page snippets (164 and 167: attribute texts of older profiles)
    {149, "HTML_HEAD", kDefaultHead, "", "ThumbHead"},
    {150, "HTML_TITLE", "Velmora - Thumbnails", "", "ThumbDoctitle"},
    {151, "HTML_BODY", "bgcolor=\"#FFFFFF\"", "", "ThumbBody"},
    {152, "HTML_POST_BODY", "<h1 style=\"text-align:center\">Velmora - Thumbnails</h1>", "", "ThumbTitle"},
    {153, "HTML_THUMB_PREV_PREV", "<div style=\"text-align:center\">", "", "ThumbPrevPrev"},
    {154, "HTML_FIRST", VELMORA_NAV("first_ref", "gesamtanfang.gif", "first_doc") " ", "", "ThumbAllFirst"},
    {155, "HTML_PATH_FIRST", VELMORA_NAV("first_path_ref", "pfadanfang.gif", "first_path_doc") " ", "",
     "ThumbPathFirst"},
    {156, "HTML_PREV", VELMORA_NAV("prev_ref", "links.gif", "prev_doc") " ", "", "ThumbPrev"},
    {157, "HTML_UP", VELMORA_NAV("up_ref", "home.gif", "up_doc"), "", "ThumbUp"},
    {158, "HTML_NEXT", " " VELMORA_NAV("next_ref", "rechts.gif", "next_doc"), "", "ThumbNext"},
    {159, "HTML_PATH_LAST", " " VELMORA_NAV("last_path_ref", "pfadende.gif", "last_path_doc") " ", "",
     "ThumbPathLast"},
    {160, "HTML_LAST", " " VELMORA_NAV("last_ref", "gesamtende.gif", "last_doc"), "", "ThumbAllLast"},
    {161, "HTML_THUMB_NEXT_NEXT", "</div>", "", "ThumbNextNext"},
    {162, "HTML_PRE_TABLE", "", "", "ThumbPreTable"},
    {163, "HTML_THUMB_TABLE_OPEN", "<table align=\"center\" border=\"0\" cellpadding=\"10\" cellspacing=\"0\">\r\n", "",
     "ThumbTableOpen"},
    {164, "HTML_TABLE_TAG", "align=\"center\" border=\"0\" cellpadding=\"10\" cellspacing=\"0\"", "", ""},
    {165, "HTML_THUMB_TR_OPEN", "<tr>\r\n", "", "ThumbTrOpen"},
    {166, "HTML_THUMB_TD_OPEN", "<td align=\"center\">", "", "ThumbTdOpen"},
    {167, "HTML_THUMB_TD_TAG", "align=\"center\"", "", ""},
    {168, "HTML_THUMB_PIC_TAG",
     "<a href=\"{src_ref}\"><img src=\"{thumb_ref}\" style=\"border-style:none\" width=\"{thumb_dimx}\" "
     "height=\"{thumb_dimy}\" alt=\"{file}\" title=\"{file}\"><br><font size=\"1\">{FILE}</font></a><br>"
     "<font size=\"1\">{DIM}<br>{SIZE_BYTE} Bytes</font>",
     "", "ThumbPic"},
    {169, "HTML_THUMB_TD_CLOSE", "</td>\r\n", "", "ThumbTdClose"},
    {170, "HTML_THUMB_TR_CLOSE", "</tr>\r\n", "", "ThumbTrClose"},
    {171, "HTML_THUMB_TABLE_CLOSE", "</table>\r\n", "", "ThumbTableClose"},
    {172, "HTML_POST_TABLE", "", "", "ThumbPostTable"},
    {173, "HTML_THUMB_FOOTER", "", "", "ThumbFooter"},
    // Image page snippets
    {176, "HTML_PIC_HEAD", kDefaultHead, "", "PicHead"},
    {177, "HTML_PIC_TITLE", "Velmora - {doc}", "", "PicDoctitle"},
    {178, "HTML_PIC_BODY", "bgcolor=\"#FFFFFF\"", "", "PicBody"},
    {179, "HTML_PIC_POST_BODY", "", "", "PicTitle"},
    {180, "HTML_PIC_PREV_PREV", "<div style=\"text-align:center\">", "", "PicPrevPrev"},
    {181, "HTML_PIC_FIRST", VELMORA_NAV("first_ref", "gesamtanfang.gif", "first_doc") " ", "", "PicAllFirst"},
    {182, "HTML_PIC_PATH_FIRST", VELMORA_NAV("first_path_ref", "pfadanfang.gif", "first_path_doc") " ", "",
     "PicPathFirst"},
    {183, "HTML_PIC_PAGE_FIRST", VELMORA_NAV("first_page_ref", "seitenanfang.gif", "first_page_doc") " ", "",
     "PicPageFirst"},
    {184, "HTML_PIC_PREV", VELMORA_NAV("prev_ref", "links.gif", "prev_doc") " ", "", "PicPrev"},
    {185, "HTML_PIC_UP", VELMORA_NAV("up_ref", "index.gif", "up_doc"), "", "PicUp"},
    {186, "HTML_PIC_NEXT", " " VELMORA_NAV("next_ref", "rechts.gif", "next_doc"), "", "PicNext"},
    {187, "HTML_PIC_PAGE_LAST", " " VELMORA_NAV("last_page_ref", "seitenende.gif", "last_page_doc"), "",
     "PicPageLast"},
    {188, "HTML_PIC_PATH_LAST", " " VELMORA_NAV("last_path_ref", "pfadende.gif", "last_path_doc"), "",
     "PicPathLast"},
    {189, "HTML_PIC_LAST", " " VELMORA_NAV("last_ref", "gesamtende.gif", "last_doc"), "", "PicAllLast"},
    {190, "HTML_PIC_NEXT_NEXT", "</div><br>", "", "PicNextNext"},
    {191, "HTML_PIC_PREPIC", "", "", "PicPrePic"},
    {192, "HTML_PIC_PIC",
     "<div style=\"text-align:center\"><a href=\"{up_ref}\"><img src=\"{pic_ref}\" style=\"border-style:none\" "
     "alt=\"{doc}\" title=\"{doc}\"></a></div>",
     "", "PicPic"},
    {193, "HTML_PIC_POSTPIC", "", "", "PicPostPic"},
    {194, "HTML_PIC_FOOTER", "", "", "PicFooter"},
    // Pictures upright: clones and thumbnails turned as the photo's EXIF
    // orientation asks. Off by default, so that every older profile keeps
    // giving the pixels as stored; a slot left free at the table's end.
    {195, "AUTO_ORIENT", "0", "", ""},
};

// Settings beyond the classic table (see IsAddedSlot): written to a profile
// only when they differ from their default.
inline constexpr SettingDefinition kAddedSettingsEntries[] = {
    // Today's photo formats: enable flag and extensions as for the classic
    // types; off unless a profile or the command line switches them on.
    {197, "HEIF", "0", "", ""},
    {198, "HEIF_EXT", "HEIC,HEIF,HIF", "HEIF", ""},
    {199, "AVIF", "0", "", ""},
    {200, "AVIF_EXT", "AVIF", "AVIF", ""},
    {201, "WEBP", "0", "", ""},
    {202, "WEBP_EXT", "WEBP", "WEBP", ""},
    // The file type of converted clones ("CLONE_CONVERT") and of thumbnails:
    // "JPG", "WEBP" or "AVIF".
    {203, "CLONE_FORMAT", "JPG", "", ""},
    {204, "THUMB_FORMAT", "JPG", "", ""},
    // Thumbnails for high-density screens: 2 to 4 also writes a copy with
    // that many pixels per thumbnail pixel into the subfolder "<n>x" of the
    // thumbnail folder, under the thumbnail's own name, for a srcset. 0 (or
    // 1) writes none, so that older profiles make what they always made.
    {205, "THUMB_DENSITY", "0", "", ""},
};

// Both tables in slot order, as the rest of the program sees them.
inline constexpr auto kAllSettingsEntries = [] {
  std::array<SettingDefinition, std::size(kSettingsCatalogueEntries) + std::size(kAddedSettingsEntries)> all{};
  std::size_t n = 0;
  for (const SettingDefinition& definition : kSettingsCatalogueEntries) all[n++] = definition;
  for (const SettingDefinition& definition : kAddedSettingsEntries) all[n++] = definition;
  return all;
}();

#undef VELMORA_NAV

inline constexpr std::string_view kGeneratorBlock = VELMORA_GENERATOR_BLOCK;
#undef VELMORA_GENERATOR_BLOCK

consteval bool SlotsAscendInRange() {
  int previous = 0;
  for (const SettingDefinition& definition : kAllSettingsEntries) {
    if (definition.slot <= previous || definition.slot >= kSettingsSlotCount) return false;
    previous = definition.slot;
  }
  return true;
}
static_assert(SlotsAscendInRange(), "catalogue slots must ascend within the table");
static_assert(std::size(kSettingsCatalogueEntries) == kClassicSlotCount - 9, "nine slots stay unused");
static_assert(std::size(kAddedSettingsEntries) == kAddedSlotCount && kAddedSettingsEntries[0].slot == kClassicSlotCount,
              "added settings fill the slots after the classic table");

}  // namespace velmora::settings::catalogue
