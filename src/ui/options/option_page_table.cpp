// The page table of the options dialog.
#include "ui/options/option_page_table.h"

#include <array>

#include "html/template_snippets.h"

namespace velmora::ui {
namespace {

using K = ControlKind;

constexpr ChoiceItem kLevels[] = {{"0", "Basisverzeichnis"}, {"1", "Unterverzeichnisse"}, {"2", "Unter-Unterverzeichnisse"}};
constexpr ChoiceItem kSortOrders[] = {{"0", "keine"},        {"1", "Name"},          {"2", "Datum"},
                                      {"3", "Dateigröße"},   {"4", "Bildgröße"},     {"5", "Zufall"},
                                      {"6", "Anzahl Bilder"}, {"7", "numerischer Name"}};
constexpr ChoiceItem kDirections[] = {{"0", "aufsteigend"}, {"1", "absteigend"}};
constexpr ChoiceItem kThumbSides[] = {
    {"1", "längste Seite"}, {"2", "Breite"}, {"3", "Höhe"}, {"4", "innerhalb Breite x Höhe"}};
constexpr ChoiceItem kCloneSides[] = {{"0", "Originalgröße"}, {"1", "längste Seite"}, {"2", "Breite"},
                                      {"3", "Höhe"},          {"4", "innerhalb Breite x Höhe"}};
constexpr ChoiceItem kOutputFormats[] = {{"JPG", "JPEG"}, {"WEBP", "WebP"}, {"AVIF", "AVIF"}};
constexpr ChoiceItem kDensities[] = {{"0", "keine"}, {"2", "2x"}, {"3", "3x"}, {"4", "4x"}};
constexpr ChoiceItem kFilters[] = {
    {"-2", "Standard"}, {"-1", "schnell"},     {"0", "Box"},      {"1", "Dreieck"},  {"2", "Hermite"},
    {"3", "Bell"},      {"4", "B-Spline"},     {"5", "Mitchell"}, {"6", "Lanczos3"}, {"7", "Catmull-Rom"},
    {"8", "Gauß"},      {"9", "Bikubisch"},    {"10", "Quadratisch"}, {"11", "Hamming"}, {"12", "Blackman"},
    {"13", "Sinc"}};
constexpr ChoiceItem kTiffCompression[] = {{"0", "keine"}, {"1", "LZW"}, {"2", "Deflate"}, {"3", "PackBits"},
                                           {"4", "JPEG"}};
constexpr ChoiceItem kPcdFormats[] = {{"0", "Base/16"}, {"1", "Base/4"}, {"2", "Base"}, {"3", "4Base"},
                                      {"4", "16Base"},  {"5", "Standard"}, {"6", "64Base"}};
constexpr ChoiceItem kRenameCases[] = {{"0", "unverändert"}, {"1", "klein"}, {"2", "GROSS"}};
constexpr ChoiceItem kLinkOrders[] = {{"1", "fortlaufend"}, {"2", "im Kreis"}, {"3", "begrenzt"}};
constexpr ChoiceItem kThumbBarPlaces[] = {{"4", "nach dem Seitenanfang"}, {"16", "nach der Tabelle"},
                                          {"32", "nach dem Tabellenende"}};
constexpr ChoiceItem kImageBarPlaces[] = {{"4", "nach dem Seitenanfang"}, {"16", "nach dem Bild"},
                                          {"32", "nach dem Bildende"}};

constexpr OptionEntry kFilePage[] = {
    {"JPG", K::kFlag},       {"JPG_EXT", K::kText},   {"PNG", K::kFlag},       {"PNG_EXT", K::kText},
    {"TIF", K::kFlag},       {"TIF_EXT", K::kText},   {"GIF", K::kFlag},       {"GIF_EXT", K::kText},
    {"BMP", K::kFlag},       {"BMP_EXT", K::kText},   {"WEBP", K::kFlag},      {"WEBP_EXT", K::kText},
    {"HEIF", K::kFlag},      {"HEIF_EXT", K::kText},  {"AVIF", K::kFlag},      {"AVIF_EXT", K::kText},
    {"RAW", K::kFlag},       {"RAW_EXT", K::kText},   {"PCX", K::kFlag},       {"PCX_EXT", K::kText},
    {"TGA", K::kFlag},       {"TGA_EXT", K::kText},   {"PSD", K::kFlag},       {"PSD_EXT", K::kText},
    {"EMF", K::kFlag},       {"EMF_EXT", K::kText},   {"PCD", K::kFlag},       {"PCD_EXT", K::kText},
    {"JP2", K::kFlag},       {"JP2_EXT", K::kText},   {"PCD_FORMAT", K::kChoice, kPcdFormats},
    {"DIR_LEVEL", K::kChoice, kLevels},                {"FILTER", K::kText},    {"AUTO_ORIENT", K::kFlag},
    {"IMAGE_ORACLE", K::kScript},
};

constexpr OptionEntry kThumbnailPage[] = {
    {"THUMBNAILS", K::kFlag},
    {"THUMB_DIRNAME", K::kText},
    {"THUMB_SELECTED_SIDE", K::kChoice, kThumbSides},
    {"THUMB_SIZE", K::kNumber},
    {"THUMB_WIDTH", K::kNumber},
    {"THUMB_HEIGHT", K::kNumber},
    {"THUMB_FRAMEFILL", K::kFlag},
    {"THUMB_FRAMEFILLCOLOR", K::kColour},
    {"THUMB_FRAMEFILLCOLORFITS", K::kFlag},
    {"THUMB_QUALITY", K::kNumber},
    {"THUMB_FORMAT", K::kChoice, kOutputFormats},
    {"THUMB_DENSITY", K::kChoice, kDensities},
    {"THUMB_ENLARGE", K::kFlag},
    {"THUMB_CLONE", K::kFlag},
    {"THUMBDIR_CLEAN", K::kFlag},
};

constexpr OptionEntry kClonePage[] = {
    {"GENERATE_CLONES", K::kFlag},
    {"CLONE_PATH", K::kFolder},
    {"CLONE_APPEND_BASENAME", K::kFlag},
    {"CLONE_CONVERT", K::kFlag},
    {"CLONE_FORMAT", K::kChoice, kOutputFormats},
    {"CLONE_SELECTED_SIDE", K::kChoice, kCloneSides},
    {"CLONE_SIZE", K::kNumber},
    {"CLONE_WIDTH", K::kNumber},
    {"CLONE_HEIGHT", K::kNumber},
    {"CLONE_FILTER", K::kChoice, kFilters},
    {"CLONE_QUALITY", K::kNumber},
    {"CLONE_MAXSIZE", K::kFlag},
    {"CLONE_MAXSIZEBYTES", K::kNumber},
    {"CLONE_MINQUALITY", K::kNumber},
    {"CLONE_JPG_PROGRESSIVE", K::kFlag},
    {"CLONE_TIF_COMPMODE", K::kChoice, kTiffCompression},
    {"CLONE_METADATA", K::kFlag},
    {"CLONE_PRESERVE_DATE", K::kFlag},
    {"CLONE_ONLY_IF_NEWER", K::kFlag},
    {"CLONE_DIRCLEAN", K::kFlag},
    // Kept for profiles of older versions, which the migrations read.
    {"CLONE_COPY", K::kFlag},
    {"CLONE_SIZE_ORIGINAL", K::kFlag},
};

constexpr OptionEntry kRenamePage[] = {
    {"CLONE_RENAME", K::kFlag},
    {"CLONE_RENAME_MASK", K::kText},
    {"CLONE_RENAME_DIGITS", K::kNumber, {}, 1, 9},
    {"CLONE_RENAME_CASE", K::kChoice, kRenameCases},
    {"CLONE_RENAME_FIND", K::kText},
    {"CLONE_RENAME_REPLACE", K::kText},
    {"THUMB_RENAME", K::kFlag},
    {"THUMB_RENAME_MASK", K::kText},
    {"THUMB_RENAME_DIGITS", K::kNumber, {}, 1, 9},
    {"THUMB_RENAME_CASE", K::kChoice, kRenameCases},
    {"THUMB_RENAME_FIND", K::kText},
    {"THUMB_RENAME_REPLACE", K::kText},
};

constexpr OptionEntry kHtmlPage[] = {
    {"GENERATE_HTML", K::kFlag}, {"HTML_BASE", K::kText},     {"HTML_EXTENSION", K::kText},
    {"HTML_DIRCLEAN", K::kFlag}, {"HTML_CHANGED", K::kFlag},  {"LAUNCH_BROWSER", K::kFlag},
    {"HTML_DOCTYPE", K::kText},  {"HTML_HTML", K::kText},
};

constexpr OptionEntry kThumbPagePage[] = {
    {"GENERATE_THUMBPAGES", K::kFlag},
    {"HTML_DEFAULT", K::kText},
    {"THUMBS_PER_LINE", K::kNumber},
    {"HTML_SPLIT", K::kFlag},
    {"LINES_PER_PAGE", K::kNumber},
    {"SPLIT_DIGITS", K::kNumber, {}, 1, 9},
    {"NAV_EXTENDED", K::kFlag},
    {"HTML_VERWEISFOLGE", K::kChoice, kLinkOrders},
    {"REF_POS", K::kBits, kThumbBarPlaces},
    {"PRINT_DATE", K::kFlag},
    {"HTML_HEAD_DISABLE_RILOSCRIPT", K::kFlag},
    {"HTML_TABLE_TAG", K::kText},
    {"HTML_THUMB_TD_TAG", K::kText},
};

constexpr OptionEntry kImagePagePage[] = {
    {"GENERATE_PICPAGE", K::kFlag},
    {"HTML_BILD_NAV_EXTENDED", K::kFlag},
    {"HTML_BILD_VERWEISFOLGE", K::kChoice, kLinkOrders},
    {"HTML_BILD_REF_POS", K::kBits, kImageBarPlaces},
    {"HTML_BILD_PRINT_DATE", K::kFlag},
    {"HTML_BILD_HEAD_DISABLE_RILOSCRIPT", K::kFlag},
};

constexpr OptionEntry kIndexPagePage[] = {
    {"GENERATE_INDEX", K::kFlag},
    {"HTML_INDEX_FILENAME", K::kText},
    {"HTML_INDEX_IN_BASEDIR", K::kFlag},
    {"HTML_INDEX_ENTRIES_PER_LINE", K::kNumber},
    {"HTML_INDEX_FIRST_THUMBPAGE", K::kFlag},
    {"HTML_INDEX_GROUP", K::kFlag},
    {"HTML_INDEX_PRINT_DATE", K::kFlag},
    {"HTML_INDEX_HEAD_DISABLE_RILOSCRIPT", K::kFlag},
    {"HTML_INDEX_TABLE", K::kText},
    {"HTML_INDEX_TD_TAG", K::kText},
};

constexpr OptionEntry kFramePagePage[] = {
    {"GENERATE_FRAME", K::kFlag},
    {"HTML_FRAME_FILENAME", K::kText},
    {"HTML_FRAME_IN_BASEDIR", K::kFlag},
    {"HTML_FRAME_HEAD_DISABLE_RILOSCRIPT", K::kFlag},
};

constexpr OptionEntry kDecoPage[] = {
    {"DECO_COPY", K::kFlag},      {"DECO_COPY_EVER", K::kFlag}, {"DECO_PATH", K::kText},
    {"DECO_SOURCE", K::kFolder},  {"DECO_POOL", K::kFolder},
};

constexpr OptionEntry kSortPage[] = {
    {"DIR_SORT", K::kChoice, kSortOrders},
    {"DIR_SORTDIRECTION", K::kChoice, kDirections},
    {"THUMB_SORTIERUNG", K::kChoice, kSortOrders},
    {"THUMB_SORTIERRICHTUNG", K::kChoice, kDirections},
};

constexpr OptionEntry kScriptFilePage[] = {{"RILOSCRIPT_FILE", K::kFile}};
constexpr OptionEntry kProfilePage[] = {{"KOMMENTAR", K::kLongText}, {"VERSION", K::kReadOnly}};

constexpr int kFrame = static_cast<int>(html::PageKind::kFrame);
constexpr int kIndex = static_cast<int>(html::PageKind::kIndex);
constexpr int kThumb = static_cast<int>(html::PageKind::kThumb);
constexpr int kImage = static_cast<int>(html::PageKind::kImage);

const std::array<OptionPage, 16> kPages{{
    {"OptionsFile", kFilePage},
    {"OptionsThumbnails", kThumbnailPage},
    {"OptionsCloning", kClonePage},
    {"OptionsCloningRename", kRenamePage, -1, PageExtra::kRenameExamples},
    {"OptionsCloningEffects", {}, -1, PageExtra::kCloneList},
    {"OptionsHTML", kHtmlPage},
    {"OptionsHTMLThumbnailPage", kThumbPagePage, kThumb},
    {"OptionsHTMLImagePage", kImagePagePage, kImage},
    {"OptionsHTMLIndexPage", kIndexPagePage, kIndex},
    {"OptionsHTMLFramePage", kFramePagePage, kFrame},
    {"OptionsDeco", kDecoPage},
    {"OptionsHTMLSort", kSortPage},
    {"OptionsRiloScript", {}, -1, PageExtra::kModules},
    {"OptionsRiloScriptInclude", kScriptFilePage, -1, PageExtra::kScriptFile},
    {"OptionsProfile", kProfilePage, -1, PageExtra::kProfile},
    {"OptionsGenerally", {}, -1, PageExtra::kGeneral},
}};

}  // namespace

std::span<const OptionPage> OptionPages() { return kPages; }

}  // namespace velmora::ui
