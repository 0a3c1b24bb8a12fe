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
    {"JPG", "JPEG-Dateien", K::kFlag},       {"JPG_EXT", "JPEG-Endungen", K::kText},   {"PNG", "PNG-Dateien", K::kFlag},       {"PNG_EXT", "PNG-Endungen", K::kText},
    {"TIF", "TIFF-Dateien", K::kFlag},       {"TIF_EXT", "TIFF-Endungen", K::kText},   {"GIF", "GIF-Dateien", K::kFlag},       {"GIF_EXT", "GIF-Endungen", K::kText},
    {"BMP", "BMP-Dateien", K::kFlag},       {"BMP_EXT", "BMP-Endungen", K::kText},   {"WEBP", "WebP-Dateien", K::kFlag},      {"WEBP_EXT", "WebP-Endungen", K::kText},
    {"HEIF", "HEIF-Dateien", K::kFlag},      {"HEIF_EXT", "HEIF-Endungen", K::kText},  {"AVIF", "AVIF-Dateien", K::kFlag},      {"AVIF_EXT", "AVIF-Endungen", K::kText},
    {"RAW", "Kamera-RAW-Dateien", K::kFlag},       {"RAW_EXT", "RAW-Endungen", K::kText},   {"PCX", "PCX-Dateien", K::kFlag},       {"PCX_EXT", "PCX-Endungen", K::kText},
    {"TGA", "TGA-Dateien", K::kFlag},       {"TGA_EXT", "TGA-Endungen", K::kText},   {"PSD", "PSD-Dateien", K::kFlag},       {"PSD_EXT", "PSD-Endungen", K::kText},
    {"EMF", "EMF/WMF-Dateien", K::kFlag},       {"EMF_EXT", "EMF-Endungen", K::kText},   {"PCD", "Photo-CD-Dateien", K::kFlag},       {"PCD_EXT", "PCD-Endungen", K::kText},
    {"JP2", "JPEG-2000-Dateien", K::kFlag},       {"JP2_EXT", "JPEG-2000-Endungen", K::kText},   {"PCD_FORMAT", "Photo-CD-Auflösung", K::kChoice, kPcdFormats},
    {"DIR_LEVEL", "Bilder liegen in", K::kChoice, kLevels},                {"FILTER", "Suchbegriff der Bilddateien", K::kText},    {"AUTO_ORIENT", "Bilder nach EXIF aufrichten", K::kFlag},
    {"IMAGE_ORACLE", "Bild-Orakel", K::kScript},
};

constexpr OptionEntry kThumbnailPage[] = {
    {"THUMBNAILS", "Thumbnails erzeugen", K::kFlag},
    {"THUMB_DIRNAME", "Thumbnail-Verzeichnis", K::kText},
    {"THUMB_SELECTED_SIDE", "Größe bestimmt durch", K::kChoice, kThumbSides},
    {"THUMB_SIZE", "Länge der Seite", K::kNumber},
    {"THUMB_WIDTH", "Breite", K::kNumber},
    {"THUMB_HEIGHT", "Höhe", K::kNumber},
    {"THUMB_FRAMEFILL", "Auf volle Breite x Höhe auffüllen", K::kFlag},
    {"THUMB_FRAMEFILLCOLOR", "Füllfarbe", K::kColour},
    {"THUMB_FRAMEFILLCOLORFITS", "Füllfarbe aus dem Bild", K::kFlag},
    {"THUMB_QUALITY", "JPEG-Qualität", K::kNumber},
    {"THUMB_FORMAT", "Dateiformat", K::kChoice, kOutputFormats},
    {"THUMB_DENSITY", "Hochauflösende Kopien", K::kChoice, kDensities},
    {"THUMB_ENLARGE", "Kleine Bilder vergrößern", K::kFlag},
    {"THUMB_CLONE", "Aus dem Clone erzeugen", K::kFlag},
    {"THUMBDIR_CLEAN", "Verzeichnis vorher leeren", K::kFlag},
};

constexpr OptionEntry kClonePage[] = {
    {"GENERATE_CLONES", "Clones erzeugen", K::kFlag},
    {"CLONE_PATH", "Clone-Verzeichnis", K::kFolder},
    {"CLONE_APPEND_BASENAME", "Name des Basisverzeichnisses anhängen", K::kFlag},
    {"CLONE_CONVERT", "Umwandeln", K::kFlag},
    {"CLONE_FORMAT", "Dateiformat", K::kChoice, kOutputFormats},
    {"CLONE_SELECTED_SIDE", "Größe bestimmt durch", K::kChoice, kCloneSides},
    {"CLONE_SIZE", "Länge der Seite", K::kNumber},
    {"CLONE_WIDTH", "Breite", K::kNumber},
    {"CLONE_HEIGHT", "Höhe", K::kNumber},
    {"CLONE_FILTER", "Filter beim Verkleinern", K::kChoice, kFilters},
    {"CLONE_QUALITY", "JPEG-Qualität", K::kNumber},
    {"CLONE_MAXSIZE", "Dateigröße begrenzen", K::kFlag},
    {"CLONE_MAXSIZEBYTES", "Höchste Dateigröße (Bytes)", K::kNumber},
    {"CLONE_MINQUALITY", "Niedrigste Qualität", K::kNumber},
    {"CLONE_JPG_PROGRESSIVE", "Progressives JPEG", K::kFlag},
    {"CLONE_TIF_COMPMODE", "TIFF-Kompression", K::kChoice, kTiffCompression},
    {"CLONE_METADATA", "Metadaten übernehmen", K::kFlag},
    {"CLONE_PRESERVE_DATE", "Dateidatum des Originals", K::kFlag},
    {"CLONE_ONLY_IF_NEWER", "Nur neue und geänderte Bilder", K::kFlag},
    {"CLONE_DIRCLEAN", "Verzeichnis vorher leeren", K::kFlag},
    // Kept for profiles of older versions, which the migrations read.
    {"CLONE_COPY", "Kopieren (ältere Profile)", K::kFlag},
    {"CLONE_SIZE_ORIGINAL", "Originalgröße (ältere Profile)", K::kFlag},
};

constexpr OptionEntry kRenamePage[] = {
    {"CLONE_RENAME", "Clones umbenennen", K::kFlag},
    {"CLONE_RENAME_MASK", "Namensmaske der Clones", K::kText},
    {"CLONE_RENAME_DIGITS", "Stellen der Nummer (Clones)", K::kNumber, {}, 1, 9},
    {"CLONE_RENAME_CASE", "Schreibweise (Clones)", K::kChoice, kRenameCases},
    {"CLONE_RENAME_FIND", "Suchen (Clones)", K::kText},
    {"CLONE_RENAME_REPLACE", "Ersetzen (Clones)", K::kText},
    {"THUMB_RENAME", "Thumbnails umbenennen", K::kFlag},
    {"THUMB_RENAME_MASK", "Namensmaske der Thumbnails", K::kText},
    {"THUMB_RENAME_DIGITS", "Stellen der Nummer (Thumbnails)", K::kNumber, {}, 1, 9},
    {"THUMB_RENAME_CASE", "Schreibweise (Thumbnails)", K::kChoice, kRenameCases},
    {"THUMB_RENAME_FIND", "Suchen (Thumbnails)", K::kText},
    {"THUMB_RENAME_REPLACE", "Ersetzen (Thumbnails)", K::kText},
};

constexpr OptionEntry kHtmlPage[] = {
    {"GENERATE_HTML", "HTML-Seiten erzeugen", K::kFlag}, {"HTML_BASE", "HTML-Verzeichnis", K::kText},     {"HTML_EXTENSION", "Dateiendung der Seiten", K::kText},
    {"HTML_DIRCLEAN", "Verzeichnis vorher leeren", K::kFlag}, {"HTML_CHANGED", "Unveränderte Seiten behalten", K::kFlag},  {"LAUNCH_BROWSER", "Startseite im Browser öffnen", K::kFlag},
    {"HTML_DOCTYPE", "Dokumenttyp-Zeile", K::kText},  {"HTML_HTML", "Attribute des html-Elements", K::kText},
};

constexpr OptionEntry kThumbPagePage[] = {
    {"GENERATE_THUMBPAGES", "Thumbnailseiten erzeugen", K::kFlag},
    {"HTML_DEFAULT", "Name der Thumbnailseite", K::kText},
    {"THUMBS_PER_LINE", "Bilder je Zeile", K::kNumber},
    {"HTML_SPLIT", "Auf mehrere Seiten verteilen", K::kFlag},
    {"LINES_PER_PAGE", "Zeilen je Seite", K::kNumber},
    {"SPLIT_DIGITS", "Stellen der Seitennummer", K::kNumber, {}, 1, 9},
    {"NAV_EXTENDED", "Erweiterte Navigation", K::kFlag},
    {"HTML_VERWEISFOLGE", "Verweisfolge", K::kChoice, kLinkOrders},
    {"REF_POS", "Navigationsleiste", K::kBits, kThumbBarPlaces},
    {"PRINT_DATE", "Datum drucken", K::kFlag},
    {"HTML_HEAD_DISABLE_RILOSCRIPT", "Kopf ohne RiloScript", K::kFlag},
    {"HTML_TABLE_TAG", "Tabellen-Attribute (ältere Profile)", K::kText},
    {"HTML_THUMB_TD_TAG", "Zellen-Attribute (ältere Profile)", K::kText},
};

constexpr OptionEntry kImagePagePage[] = {
    {"GENERATE_PICPAGE", "Bildseiten erzeugen", K::kFlag},
    {"HTML_BILD_NAV_EXTENDED", "Erweiterte Navigation", K::kFlag},
    {"HTML_BILD_VERWEISFOLGE", "Verweisfolge", K::kChoice, kLinkOrders},
    {"HTML_BILD_REF_POS", "Navigationsleiste", K::kBits, kImageBarPlaces},
    {"HTML_BILD_PRINT_DATE", "Datum drucken", K::kFlag},
    {"HTML_BILD_HEAD_DISABLE_RILOSCRIPT", "Kopf ohne RiloScript", K::kFlag},
};

constexpr OptionEntry kIndexPagePage[] = {
    {"GENERATE_INDEX", "Indexseite erzeugen", K::kFlag},
    {"HTML_INDEX_FILENAME", "Name der Indexseite", K::kText},
    {"HTML_INDEX_IN_BASEDIR", "Im Clone-Verzeichnis ablegen", K::kFlag},
    {"HTML_INDEX_ENTRIES_PER_LINE", "Einträge je Zeile", K::kNumber},
    {"HTML_INDEX_FIRST_THUMBPAGE", "Ein Eintrag je Verzeichnis", K::kFlag},
    {"HTML_INDEX_GROUP", "Nach Verzeichnisgruppen", K::kFlag},
    {"HTML_INDEX_PRINT_DATE", "Datum drucken", K::kFlag},
    {"HTML_INDEX_HEAD_DISABLE_RILOSCRIPT", "Kopf ohne RiloScript", K::kFlag},
    {"HTML_INDEX_TABLE", "Tabellen-Attribute (ältere Profile)", K::kText},
    {"HTML_INDEX_TD_TAG", "Zellen-Attribute (ältere Profile)", K::kText},
};

constexpr OptionEntry kFramePagePage[] = {
    {"GENERATE_FRAME", "Frameseite erzeugen", K::kFlag},
    {"HTML_FRAME_FILENAME", "Name der Frameseite", K::kText},
    {"HTML_FRAME_IN_BASEDIR", "Im Clone-Verzeichnis ablegen", K::kFlag},
    {"HTML_FRAME_HEAD_DISABLE_RILOSCRIPT", "Kopf ohne RiloScript", K::kFlag},
};

constexpr OptionEntry kDecoPage[] = {
    {"DECO_COPY", "Deko-Dateien kopieren", K::kFlag},      {"DECO_COPY_EVER", "Bei jedem Lauf überschreiben", K::kFlag}, {"DECO_PATH", "Deko-Verzeichnis", K::kText},
    {"DECO_SOURCE", "Deko-Quelle", K::kFolder},  {"DECO_POOL", "Deko-Sammelverzeichnis (ältere Profile)", K::kFolder},
};

constexpr OptionEntry kSortPage[] = {
    {"DIR_SORT", "Verzeichnisse sortieren nach", K::kChoice, kSortOrders},
    {"DIR_SORTDIRECTION", "Richtung (Verzeichnisse)", K::kChoice, kDirections},
    {"THUMB_SORTIERUNG", "Bilder sortieren nach", K::kChoice, kSortOrders},
    {"THUMB_SORTIERRICHTUNG", "Richtung (Bilder)", K::kChoice, kDirections},
};

constexpr OptionEntry kScriptFilePage[] = {{"RILOSCRIPT_FILE", "RiloScript-Datei", K::kFile}};
constexpr OptionEntry kProfilePage[] = {{"KOMMENTAR", "Beschreibung", K::kLongText}, {"VERSION", "Version", K::kReadOnly}};

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
