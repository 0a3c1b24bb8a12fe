// The built-in German texts. Language files for other languages carry the
// same sections and keys; a key missing there shows as "?key?".
#include "lang/builtin_german.h"

#include <stdexcept>
#include <string>

#include "platform/text_encoding.h"

namespace velmora::lang {
namespace {

constexpr BuiltinText kTexts[] = {
    {"Sprache", "LanguageID", "de"},
    {"Sprache", "LanguageName", "Deutsch"},
    {"Sprache", "LanguageImage", "Deutsch.gif"},
    {"Sprache", "LanguageAuthor", "erstellt von Ostwerk"},

    {"Startdialog", "BaseDirectory", "Basisverzeichnis"},
    {"Startdialog", "SelectBaseDirectory", "Basisverzeichnis auswählen"},
    {"Startdialog", "Init", "Initialisierung"},
    {"Startdialog", "DirRead", "Verzeichnisse werden eingelesen"},
    {"Startdialog", "Dir", "Verzeichnis"},
    {"Startdialog", "Directories1", "Verzeichnis"},
    {"Startdialog", "Directories2", "Verzeichnisse"},
    {"Startdialog", "With", "mit"},
    {"Startdialog", "Image", "Bild"},
    {"Startdialog", "Images", "Bilder"},
    {"Startdialog", "Start", "Start"},
    {"Startdialog", "Stop", "Stopp"},

    {"Optionen", "OptionsFile", "Dateien"},
    {"Optionen", "OptionsThumbnails", "Thumbnails"},
    {"Optionen", "OptionsHTMLIndex", "HTML-Index"},
    {"Optionen", "OptionsHTMLThumbnail", "HTML-Thumbnails"},
    {"Optionen", "OptionsHTMLImage", "HTML-Bilder"},
    {"Optionen", "OptionsHTML", "HTML"},
    {"Optionen", "OptionsProfile", "Profil"},
    {"Optionen", "OptionsHTMLThumbnailPage", "HTML-Thumbnailseite"},
    {"Optionen", "OptionsHTMLIndexPage", "HTML-Indexseite"},
    {"Optionen", "OptionsHTMLImagePage", "HTML-Bildseite"},
    {"Optionen", "OptionsRiloScript", "RiloScript"},
    {"Optionen", "OptionsRiloScriptInclude", "RiloScript-Datei"},
    {"Optionen", "OptionsCloning", "Clonen"},
    {"Optionen", "OptionsCloningRename", "Clonen - Umbenennen"},
    {"Optionen", "OptionsCloningEffects", "Clonen - Effekte"},
    {"Optionen", "OptionsDeco", "Deko-Dateien"},
    {"Optionen", "OptionsHTMLFrame", "HTML-Frame"},
    {"Optionen", "OptionsHTMLFramePage", "HTML-Frameseite"},
    {"Optionen", "OptionsGenerally", "Allgemeines"},
    {"Optionen", "OptionsHTMLSort", "Sortierung"},
    {"Optionen", "Options", "Optionen"},
    {"Optionen", "Row", "Zeile"},
    {"Optionen", "Column", "Spalte"},
    {"Optionen", "Click", "Klick"},
    {"Optionen", "HTMLFramePage", "Frameseite"},
    {"Optionen", "HTMLIndexPage", "Indexseite"},
    {"Optionen", "HTMLThumbPage", "Thumbnailseite"},
    {"Optionen", "HTMLImagePage", "Bildseite"},
    {"Optionen", "RLSFile", "RiloScript-Datei"},
    {"Optionen", "RLSFileSelect", "RiloScript-Datei auswählen"},

    {"CProfil", "ProfileCreated", "Erstellt mit Velmora, Version"},
    {"CDeko", "DecoSource", "Deko-Quellverzeichnis"},
    {"CDeko", "DecoSourceSelect", "Deko-Quellverzeichnis auswählen"},
    {"CClonen", "CloneDirectory", "Cloneverzeichnis"},
    {"CClonen", "CloneDirectorySelect", "Cloneverzeichnis auswählen"},
    {"CClonen", "CloneQuality", "Qualität"},
    {"CClonen", "CloneMinQuality", "min. Qualität"},
    {"CClonen", "CloneMaxSize", "max. Dateigröße festlegen"},
    {"CClonen", "CloneMaxSizeSet", "max. Dateigröße festlegen auf"},
    {"CClonenUmbenennen", "RenameClonesDir", "Beispiel-Verzeichnis"},
    {"CClonenUmbenennen", "RenameClonesFile1", "Beispiel-Datei 1"},
    {"CClonenUmbenennen", "RenameClonesFile2", "Beispiel-Datei 2"},
    {"CClonenEffekte", "Textstamp", "Textstempel"},
    {"CClonenEffekte", "Imagestamp", "Bildstempel"},
    {"CClonenEffekte", "Border", "Rahmen"},
    {"CClonenEffekte", "Imageeffect", "Bildeffekt"},
    {"CClonenEffekte", "Description", "Beschreibung"},
    {"CDateifilter", "ImageOracle", "Bild-Orakel"},
    {"CThumbnails", "ThumbFrameFillColor", "Füllfarbe des Thumbnail-Rahmens"},
    {"CAllgemeines", "UserProfileDirectory", "Benutzer-Profilverzeichnis"},
    {"CAllgemeines", "UserProfileDirectorySelect", "Benutzer-Profilverzeichnis auswählen"},
    {"CTextStempel", "TextStampTextRow", "Zeile"},
    {"CTextStempel", "TextStampTextColumn", "Spalte"},
    {"CTextStempel", "TextStampColor", "Textfarbe"},
    {"CTextStempel", "TextStampBordercolor", "Randfarbe"},
    {"CTextStempel", "TextStampBackgroundColor", "Hintergrundfarbe"},
    {"CRahmen", "BorderImageSupportedImageTypes", "Unterstützte Bildtypen"},
    {"CRahmen", "BorderImageSelectImage", "Bild für Rahmen auswählen"},
    {"CRahmen", "BorderBorderColor", "Rahmenfarbe"},
    {"CBildStempel", "ImageStampSupportedImageTypes", "Unterstützte Bildtypen"},
    {"CBildStempel", "ImageStampSelectImage", "Bildstempel - Datei auswählen"},
    {"CBildStempel", "ImageStampSelectTranscolor", "Bildstempel - Transparentfarbe festlegen"},
    {"CRiloScript", "ModuleContent", "Modulinhalt"},
    {"CRiloScriptModul", "RiloScriptRow", "Zeile"},
    {"CRiloScriptModul", "RiloScriptColumn", "Spalte"},

    {"CBildEffekte", "EffectSharpen", "Schärfen"},
    {"CBildEffekte", "EffectGamma", "Gammakorrektur"},
    {"CBildEffekte", "EffectBrightnessContrast", "Helligkeit / Kontrast"},
    {"CBildEffekte", "EffectBlur", "Verwischen"},
    {"CBildEffekte", "EffectSaturation", "Farbsättigung"},
    {"CBildEffekte", "EffectGrayscale", "Graustufen"},
    {"CBildEffekte", "EffectMosaic", "Mosaik"},
    {"CBildEffekte", "EffectRotate", "Drehen"},
    {"CBildEffekte", "EffectFlip", "Spiegeln"},
    {"CBildEffekte", "EffectUnsharpMask", "Unscharf maskieren"},
    {"CBildEffekte", "EffectShadow", "Schatten"},
    {"CBildEffekte", "EffectNoise", "Rauschen"},
    {"CBildEffekte", "EffectInvert", "Negativ"},
    {"CBildEffekte", "EffectSolarize", "Solarisieren"},
    {"CBildEffekte", "EffectPosterize", "Poster"},
    {"CBildEffekte", "EffectOilpainting", "Ölfarbe"},
    {"CBildEffekte", "EffectWatercolor", "Wasserfarbe"},
    {"CBildEffekte", "EffectEdgeDetect", "Kontur"},
    {"CBildEffekte", "EffectDuotone", "Zweiton"},
    {"CBildEffekte", "EffectHalftone", "Schwarz-Weiß"},
    {"CBildEffekte", "EffectCrackle", "Zerspringen"},
    {"CBildEffekte", "EffectShadowColor", "Schattenfarbe"},
    {"CBildEffekte", "EffectBackgroundColor", "Hintergrundfarbe"},
    {"CBildEffekte", "EffectDuotoneColor", "Zweitonfarbe"},

    // Labels of the page template fields.
    {"Profile", "IndexHead", "Dokumentenkopf"},
    {"Profile", "IndexDoctitle", "Dokumententitel"},
    {"Profile", "IndexBody", "Body"},
    {"Profile", "IndexTitle", "Seitentitel"},
    {"Profile", "IndexPreTable", "Tabellentitel"},
    {"Profile", "IndexTableOpen", "Tabelle-Start"},
    {"Profile", "IndexTrOpen", "Tabellenreihe-Start"},
    {"Profile", "IndexTdOpen", "Tabellenzelle-Start"},
    {"Profile", "IndexEntry", "Indexeintrag"},
    {"Profile", "IndexTdClose", "Tabellenzelle-Ende"},
    {"Profile", "IndexTrClose", "Tabellenreihe-Ende"},
    {"Profile", "IndexTableClose", "Tabellen-Ende"},
    {"Profile", "IndexPostTable", "Tabellenbeschreibung"},
    {"Profile", "IndexPostPostTable", "Seitenbeschreibung"},
    {"Profile", "IndexFooter", "Seitenabschluss"},
    {"Profile", "FrameHead", "Dokumentenkopf"},
    {"Profile", "FrameDoctitle", "Dokumententitel"},
    {"Profile", "FrameContent", "Seiteninhalt"},
    {"Profile", "ThumbHead", "Dokumentenkopf"},
    {"Profile", "ThumbDoctitle", "Dokumententitel"},
    {"Profile", "ThumbBody", "Body"},
    {"Profile", "ThumbTitle", "Seitentitel"},
    {"Profile", "ThumbPrevPrev", "Navigations-Vorspann"},
    {"Profile", "ThumbAllFirst", "Verweis auf erste HTML-Seite"},
    {"Profile", "ThumbPathFirst", "Verweis auf erste HTML-Seite des Verzeichnisses"},
    {"Profile", "ThumbPrev", "Verweis auf vorherige HTML-Seite"},
    {"Profile", "ThumbUp", "Verweis auf HTML-Indexseite"},
    {"Profile", "ThumbNext", "Verweis auf nächste HTML-Seite"},
    {"Profile", "ThumbPathLast", "Verweis auf letzte HTML-Seite des Verzeichnisses"},
    {"Profile", "ThumbAllLast", "Verweis auf letzte HTML-Seite"},
    {"Profile", "ThumbNextNext", "Navigations-Nachspann"},
    {"Profile", "ThumbPreTable", "Tabellentitel"},
    {"Profile", "ThumbTableOpen", "Tabelle-Start"},
    {"Profile", "ThumbTrOpen", "Tabellenreihe-Start"},
    {"Profile", "ThumbTdOpen", "Tabellenzelle-Start"},
    {"Profile", "ThumbPic", "Bildfestlegungen"},
    {"Profile", "ThumbTdClose", "Tabellenzelle-Ende"},
    {"Profile", "ThumbTrClose", "Tabellenreihe-Ende"},
    {"Profile", "ThumbTableClose", "Tabelle-Ende"},
    {"Profile", "ThumbPostTable", "Seitenbeschreibung"},
    {"Profile", "ThumbFooter", "Seitenabschluss"},
    {"Profile", "PicHead", "Dokumentenkopf"},
    {"Profile", "PicDoctitle", "Dokumententitel"},
    {"Profile", "PicBody", "Body"},
    {"Profile", "PicTitle", "Seitentitel"},
    {"Profile", "PicPrevPrev", "Navigations-Vorspann"},
    {"Profile", "PicAllFirst", "Verweis auf erstes Bild"},
    {"Profile", "PicPathFirst", "Verweis auf erstes Bild des Verzeichnisses"},
    {"Profile", "PicPageFirst", "Verweis auf erstes Bild der Seite"},
    {"Profile", "PicPrev", "Verweis auf vorheriges Bild"},
    {"Profile", "PicUp", "Verweis auf HTML-Thumbnailseite"},
    {"Profile", "PicNext", "Verweis auf nächstes Bild"},
    {"Profile", "PicPageLast", "Verweis auf letztes Bild der Seite"},
    {"Profile", "PicPathLast", "Verweis auf letztes Bild des Verzeichnisses"},
    {"Profile", "PicAllLast", "Verweis auf letztes Bild"},
    {"Profile", "PicNextNext", "Navigations-Nachspann"},
    {"Profile", "PicPrePic", "Bildtitel"},
    {"Profile", "PicPic", "Bildfestlegungen"},
    {"Profile", "PicPostPic", "Bildbeschreibung"},
    {"Profile", "PicFooter", "Seitenabschluss"},
    {"Profile", "ProfileSave", "Profil speichern"},
    {"Profile", "ProfileLoad", "Profil laden"},
    {"Profile", "ProfileDelete", "Profil löschen"},

    // Progress texts and the summary of a run.
    {"Erzeugung", "InfHTMLIndex", "HTML-Indexseite"},
    {"Erzeugung", "InfHTMLThumb", "HTML-Thumbnailseite"},
    {"Erzeugung", "InfHTMLImage", "HTML-Bildseite"},
    {"Erzeugung", "InfImagesConvert", "Bilder umsetzen"},
    {"Erzeugung", "InfDecoCopy", "Deko-Dateien kopieren"},
    {"Erzeugung", "InfThumbsDelete", "Inhalt des Thumbnailverzeichnisses löschen"},
    {"Erzeugung", "InfClonesDelete", "Inhalt des Cloneverzeichnisses löschen"},
    {"Erzeugung", "InfHTMLDelete", "Inhalt des HTML-Verzeichnisses löschen"},
    {"Erzeugung", "InfHTMLIndexCreate", "HTML-Indexseite erstellen"},
    {"Erzeugung", "InfDateCreated", "Erstellt am"},
    {"Erzeugung", "InfHTMLFrame", "HTML-Frameseite"},
    {"Erzeugung", "InfHTMLFrameCreate", "HTML-Frameseite erstellen"},
    {"Erzeugung", "InfImageLog", "%1%n%2%n%3 Pixel%n%4 Bytes"},
    {"Erzeugung", "InfCollectingData", "Informationen zusammenstellen"},
    {"Erzeugung", "InfLog",
     "Laufzeit: %1 Sekunden%nVerzeichnisse: %2%nBilder: %3%nBytes: %4%nClones erzeugt: %5%n"
     "Thumbnails erzeugt: %6%nHTML-Dateien erzeugt: %7"},
    // Cleaning of earlier output.
    {"Erzeugung", "InfCleaned", "Aus früheren Läufen entfernt: %1"},

    {"Fortschrittanzeige", "InfOf", "von"},
    {"Global", "MyComputer", "Arbeitsplatz"},
    {"Global", "ProfileDefaultname", "Voreinstellung"},
    {"Global", "FormatDate", "d.m.yyyy"},
    {"Global", "FormatTime", "hh:mm:ss"},
    {"Global", "FormatDateTime", "dd.mm.yyyy hh:mm:ss"},
    {"Global", "RLSLoad", "RiloScript-Datei laden"},
    {"Global", "RLSStore", "RiloScript-Datei speichern"},
    {"Find", "Search", "Suche"},
    {"Find", "SearchString", "Suchwort"},

    // Run validation and the run.
    {"Msg", "ErrDialogResize",
     "Ooops! Problem mit der Größenänderung des Dialogs%nBitte erneut aufstarten%nFalls dieses Problem häufiger "
     "auftritt,%nbitte dem Programmautor mitteilen"},
    {"Msg", "ErrClonesMissingDir",
     "Clonen der Bilder soll durchgeführt werden%n%nDies ist erst dann möglich, wenn ein Cloneverzeichnis "
     "festgelegt worden ist"},
    {"Msg", "ErrClonesErrMkdir", "Fehler %1%n%nClone-Verzeichnis%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrClonesDirIsBase",
     "Clonen der Bilder soll durchgeführt werden%n%nDas angegebene Cloneverzeichnis%n%1%nist das "
     "Basisverzeichnis%n%nDies ist nicht erlaubt"},
    {"Msg", "ErrDecoMissingPool", "Es ist kein Deko-Sammelverzeichnis angegeben"},
    {"Msg", "ErrDecoMissingSource", "Es ist kein Deko-Quellverzeichnis angegeben"},
    {"Msg", "ErrDecoSourceNotExist", "Das angegebene Deko-Quellverzeichnis%n%1%nist nicht vorhanden"},
    {"Msg", "ErrNothingToDo", "Bei diesen Einstellungen ist kein Bild umzusetzen"},
    {"Msg", "ErrHelpMissing", "Hilfedatei%n%1%nnicht vorhanden"},
    {"Msg", "ErrBasedirNotAvailable", "Gewünschtes Basisverzeichnis%n%1%nkonnte nicht eingestellt werden"},
    {"Msg", "ErrProfileMissingLastBasedir",
     "Das vom Profil%n%1%nzuletzt benutzte Verzeichnis%n%2%nkonnte nicht eingestellt werden"},
    {"Msg", "ErrHTMLNothingToDo",
     "HTML-Erstellung soll durchgeführt werden,%nohne Erzeugung von Startseite, Indexseite, Thumbnailseiten oder "
     "Bildseiten"},
    {"Msg", "ErrImagestamp", "Problem mit Bildstempel%n%1%n%n%2%n%3%n%4"},
    {"Msg", "ErrBorderImage", "Problem mit Rahmen-Bild%n%1%n%n%2%n%3%n%4"},
    {"Msg", "ErrCountLinesPerFile", "Anzahl der Zeilen je HTML-Datei fehlerhaft"},
    {"Msg", "ErrClonesDimension", "Ausdehnung der Clones fehlerhaft"},
    {"Msg", "ErrMissingTemplate", "Suchbegriff der Bilddateien fehlt"},
    {"Msg", "ErrDecoInvalidCharacter", "Deko-Verzeichnisname enthält ungültige Zeichen"},
    {"Msg", "ErrDecoMissingName", "Deko-Verzeichnisname fehlt oder enthält ungültige Zeichen"},
    {"Msg", "ErrThumbDimension", "Ausdehnung der Thumbnails fehlerhaft"},
    {"Msg", "ErrHTMLExtInvalidCharacter", "HTML-Dateiart enthält ungültige Zeichen"},
    {"Msg", "ErrHTMLExtMissingName", "Dateiart der HTML-Dateien fehlt oder enthält ungültige Zeichen"},
    {"Msg", "ErrHTMLDirInvalidCharacter", "HTML-Verzeichnisname enthält ungültige Zeichen"},
    {"Msg", "ErrHTMLDirMissingName", "HTML-Verzeichnisname fehlt oder enthält ungültige Zeichen"},
    {"Msg", "ErrCountPicPerLine", "Anzahl der Bilder je Zeile fehlerhaft"},
    {"Msg", "ErrThumbDirInvalidCharacter", "Thumbnail-Verzeichnisname enthält ungültige Zeichen"},
    {"Msg", "ErrThumbDirMissingName", "Thumbnail-Verzeichnisname fehlt"},
    {"Msg", "ErrIndexInvalidCharacter", "Name der Indexdatei enthält ungültige Zeichen"},
    {"Msg", "ErrIndexMissingName", "Name der Indexdatei fehlt"},
    {"Msg", "ErrIndexCountEntriesPerLine", "Anzahl der Indexeinträge je Zeile fehlerhaft"},
    {"Msg", "ErrFrameInvalidCharacter", "Dateiname der Startseite enthält ungültige Zeichen"},
    {"Msg", "ErrFrameMissingName", "Dateiname der Startseite fehlt"},
    {"Msg", "ErrClonesMaxSize", "Angabe der maximalen Dateigröße fehlerhaft"},
    {"Msg", "ErrClonesMkDir", "Fehler %1%n%nClone-Bildpfad%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrClonesImage", "Fehler %1%n%nDie Bilddatei%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrClonesNotExist", "Fehler %1%n%nDie Bilddatei%n%2%nist nicht vorhanden"},
    {"Msg", "ErrDecoMkDir", "Fehler %1%n%nDeco-Pfad%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrDecoCopy", "Fehler %1%n%nDie Deco-Datei%n%2%nkonnte nicht kopiert werden"},
    {"Msg", "ErrThumbMkDir", "Fehler %1%n%nThumbnail-Pfad%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrHTMLBaseMkDir", "Fehler %1%n%nHTML-Pfad%n%2%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrHTMLImageMkDir", "Fehler %1%n%nHTML-Pfad%n%2%nder Bilder konnte nicht erzeugt werden"},
    {"Msg", "ErrHTMLCreateFile", "Fehler %1%n%n%2%n%3%nkonnte nicht erzeugt werden"},
    {"Msg", "ErrComponentMissing",
     "Die benötigte Komponente%n%1%nist nicht vorhanden%n%nBitte die Komplett-Installation von Velmora "
     "durchführen"},
    {"Msg", "ErrMissingImageType", "Keine Dateiart angegeben"},
    {"Msg", "ErrRenameClonesMaskMissing", "Keine Clonename-Maske festgelegt"},
    {"Msg", "ErrRenameClonesNotUnique", "Clonename wird nicht eindeutig"},
    {"Msg", "ErrRenameClonesNameInvalid", "Clonename ist kein gültiger Dateiname"},
    {"Msg", "ErrRenameClonesFindReplaceCount", "Anzahl Suchtextstellen <> Anzahl Ersatztextstellen"},

    // Scripts in profiles, stamps and templates.
    {"Msg", "ErrProfileModuleLastErr", "Profil-Modul%n%1%n%n%2"},
    {"Msg", "ErrModuleLastErr", "Include-Modul%n%1%n%n%2"},
    {"Msg", "ErrStampLastErr", "Textstempel%n%1%n%n%2"},
    {"Msg", "ErrTagLastErr", "%1%n%2%n%n%3"},
    {"Msg", "ErrOracleLastErr", "Bild-Orakel%n%n%1"},
    {"Msg", "ErrMissingFunction", "RiloScript-Funktion%n%1%nnicht vorhanden.%n%nGerufen in Modul%n%2"},
    {"Msg", "MsgSyntaxcheckNotNecessary", "Syntaxtest nicht nötig"},
    {"Msg", "MsgModuleExist", "Modul%n%1%nschon vorhanden%n%nVorhandenes Modul überschreiben?"},
    {"Msg", "ErrModuleMissingName", "Modulname fehlt"},
    {"Msg", "MsgRLSChangesReject", "RiloScript-Modul wurde verändert!%n%nÄnderungen verwerfen?"},
    {"Msg", "ErrRLSFound", "gefunden:"},
    {"Msg", "ErrRLSLine", "in Zeile:"},
    {"Msg", "ErrRLSOk", "Code Ok"},
    {"Msg", "ErrRLSErrorUnknown", "Fehler noch nicht beschrieben"},
    {"Msg", "ErrRLSNestingTooDeep", "Verschachtelung zu tief"},
    {"Msg", "ErrRLSNumberRange", "Zahl außerhalb des Wertebereichs"},
    {"Msg", "ErrRLSFunctionMissingTailingBracket", "Schließende Klammer der Funktion fehlt"},
    {"Msg", "ErrRLSBodyMissing", "Funktionskörper fehlt"},
    {"Msg", "ErrRLSFunctionargumentsMissingTailingBracket", "Schließende Klammer der Funktionsargumente fehlt"},
    {"Msg", "ErrRLSSemikolon", "Semikolon fehlt"},
    {"Msg", "ErrRLSMissingLeftSquareBracket", "Öffnende eckige Klammer fehlt"},
    {"Msg", "ErrRLSMissingRightSquareBracket", "Schließende eckige Klammer fehlt"},
    {"Msg", "ErrRLSMissingLeftBracket", "Öffnende runde Klammer fehlt"},
    {"Msg", "ErrRLSMissingRightBracket", "Schließende runde Klammer fehlt"},
    {"Msg", "ErrRLSMissingLeftBraceBracket", "Öffnende geschweifte Klammer fehlt"},
    {"Msg", "ErrRLSMissingRightBraceBracket", "Schließende geschweifte Klammer fehlt"},
    {"Msg", "ErrRLSMissingOperator", "Operator fehlt"},
    {"Msg", "ErrRLSMissingArgument", "Argument fehlt"},
    {"Msg", "ErrRLSMissingColon", "Doppelpunkt fehlt"},
    {"Msg", "ErrRLSArgumentlist", "Argumentliste fehlerhaft"},
    {"Msg", "ErrRLSContinue", "CONTINUE ohne FOR oder WHILE"},
    {"Msg", "ErrRLSBreak", "BREAK ohne FOR oder WHILE"},
    {"Msg", "ErrRLSFunctionAlreadyExist", "Funktion mehrfach vorhanden"},
    {"Msg", "ErrRLSMissingFunction", "FUNCTION fehlt"},
    {"Msg", "ErrRLSInvalidFunctionname", "Kein gültiger Funktionsname"},
    {"Msg", "ErrRLSAssignmentInvalid", "Zuweisung nur an Variable erlaubt"},
    {"Msg", "ErrRLSAssignmentReadonly", "Zuweisung an schreibgeschützte Variable"},
    {"Msg", "ErrRLSMssingConstant", "Keine Konstante bei CASE"},
    {"Msg", "ErrRLSMissingStringDelimiter", "Stringende fehlt"},
    {"Msg", "ErrRLSMissingEnumName", "Enum-Bezeichner fehlt"},
    {"Msg", "ErrRLSFileOpen", "Fehler %1 beim Öffnen der RiloScript-Datei%n%2"},
    {"Msg", "ErrRLSFileRead", "Fehler %1 beim Lesen der RiloScript-Datei%n%2%n%nZeile %3%n%4"},
    {"Msg", "ErrRLSFileCreate", "Fehler %1 beim Erzeugen der RiloScript-Datei%n%2"},
    {"Msg", "ErrRLSFileWrite", "Fehler %1 beim Schreiben der RiloScript-Datei%n%2"},
    {"Msg", "ErrKIFFunctionUnknown", "Funktion unbekannt"},
    {"Msg", "ErrKIFParameterCount", "Argumentanzahl fehlerhaft"},
    {"Msg", "ErrKIFParametertype", "Argumenttyp fehlerhaft"},
    {"Msg", "ErrKIFParameter", "Argument fehlerhaft"},
    {"Msg", "ErrKIFDatabaseField", "Typ des Datenbankfelds unbekannt"},
    {"Msg", "ErrKIFDatabaseType", "Datenbank-Eintrag nicht gefunden"},
    {"Msg", "ErrKIFEXIFMissing", "Exif-Daten nicht verfügbar"},
    {"Msg", "ErrKIFEXIFDataUnknown", "Exif-Eintrag nicht vorhanden"},
    {"Msg", "ErrKIFEXIFSectionUnknown", "Exif-Sektion unbekannt"},
    {"Msg", "ErrKIFEXIFMakernoteUnknown", "Exif-Makernote unbekannt"},
    {"Msg", "ErrKIFEXIFTagUnknown", "Exif-Tagbezeichnung unbekannt"},
    {"Msg", "ErrKIFEXIFTagposition", "Exif-Position nicht erlaubt"},
    {"Msg", "ErrKIFEXIFFormat", "Exif-Formatierungsproblem"},
    {"Msg", "ErrKIFEXIFDatatypeUnknown", "Exif-Datentyp unbekannt"},
    {"Msg", "ErrKIFIPTCDataUnknown", "IPTC-Daten nicht verfügbar"},
    {"Msg", "ErrKIFIPTCTagposition", "IPTC-Position nicht erlaubt"},
    {"Msg", "ErrKIFIPTCTagUnknown", "IPTC-Tagbezeichnung unbekannt"},
    {"Msg", "ErrKIFIPTCTagMissing", "IPTC-Eintrag nicht vorhanden"},
    {"Msg", "ErrKIFCommentMissing", "Kein Kommentar vorhanden"},
    {"Msg", "ErrKIFDirNotExist", "Verzeichnis nicht vorhanden"},
    {"Msg", "ErrKIFImageNotExist", "Bild nicht vorhanden"},
    {"Msg", "ErrKIFWSHMissing", "Windows Scripting Host nicht vorhanden"},
    {"Msg", "ErrKIFErrorMissing", "Fehlertext noch nicht festgelegt"},
    {"Msg", "ErrKIFRecursionTooDeep", "Aufruftiefe erschöpft"},
    {"Msg", "ErrKIFInstructionLimit", "Befehlsgrenze der Vorlage erreicht"},
    {"Msg", "ErrKIFOutputLimit", "Ausgabegrenze erreicht"},

    // Value checks of the option pages.
    {"Msg", "ErrOptiondialogResize",
     "Ooops! Problem mit der Größenänderung des Dialogs%nBitte erneut aufstarten%nFalls dieses Problem häufiger "
     "auftritt,%nbitte dem Programmautor mitteilen"},
    {"Msg", "ErrStampOffset", "Offset des Stempels fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrStampHeight", "Texthöhe des Stempels fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrBorderWidth", "Breite des Rahmens fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrBorderOffset", "Abstand des Rahmens fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrImageeffectMosaicHeight", "Mosaikhöhe fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrImageeffectMosaicWidth", "Mosaikbreite fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrImageeffectShadowOffset", "Offset des Schatten fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrImageeffectNoiseValue", "Rauschwert fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},
    {"Msg", "ErrImageeffectHalftoneWidth", "Halbtonbreite fehlerhaft%n%nErlaubt sind Werte im Bereich %1 bis %2"},

    // Profiles.
    {"Msg", "MsgProfileDeleteYesNo", "Profil%n%1%nwirklich löschen?"},
    {"Msg", "MsgProfileExist", "Profil%n%1%nschon vorhanden%n%nVorhandenes Profil überschreiben?"},
    {"Msg", "ErrProfileMissingName", "Kein Profilname angegeben"},
    {"Msg", "ErrProfileInvalidCharacter", "Profilname enthält ungültige Zeichen"},
    {"Msg", "MsgProfileChangesSave", "Das Profil%n%1%nwurde verändert%n%nÄnderungen speichern?"},
    {"Msg", "ErrProfileDefaultReadonly",
     "Einstellungen des Profils Voreinstellung können nicht verändert werden%n%nBitte unter einem anderen "
     "Profilnamen speichern"},
    {"Msg", "ErrUserProfileDirNotExist",
     "Benutzer-Profilverzeichnis%n%1%nnicht vorhanden%n%nBitte das Benutzer-Profilverzeichnis in "
     "Optionen-Allgemeines überprüfen"},
    {"Msg", "ErrProfileFileCreate", "Fehler %1 beim Erzeugen der Profildatei%n%2"},
    {"Msg", "ErrProfileFileWrite", "Fehler %1 beim Schreiben der Profildatei%n%2"},
    {"Msg", "ErrProfileFileOpen", "Fehler %1 beim Öffnen der Profildatei%n%2"},
    {"Msg", "ErrProfileFileRead", "Fehler %1 beim Lesen der Profildatei%n%2%n%nZeile %3%n%4"},
    {"Msg", "ErrProfileVersion", "Die Version %1%ndes Profils%n%2%nwird nicht mehr unterstützt"},
    {"Msg", "ErrProfileDefaultDelete", "Profil Voreinstellung kann nicht gelöscht werden"},
    {"Msg", "ErrProfileProfileDelete", "Fehler %1 beim Löschen der Profildatei%n%2"},
    {"Msg", "MsgProfileChangesReject", "Das Profil%n%1%nwurde verändert%n%nÄnderungen verwerfen?"},

    // Batch mode.
    {"Msg", "ErrBatchProfileCollection", "Profil%n%1%nnicht in Profilsammlung vorhanden"},
    {"Msg", "ErrBatchProfileMissing", "Profilname muss als Parameter übergeben werden"},
    {"Msg", "ErrBatchBasedirMissing", "Name des Basisverzeichnisses muss als Parameter übergeben werden"},
    {"Msg", "ErrBatchLevel", "Auswerte-Level%n%1%nnicht zulässig"},
    {"Msg", "ErrBatchLevelMissing", "Auswerte-Level muss als Parameter übergeben werden"},
    {"Msg", "ErrBatchCommandline", "Kommandozeile enthält Fehler%n%n%1"},

    // About window.
    {"Msg", "MsgInfoNotAvailable", "Es können keine Update-Informationen ermittelt werden"},
    {"Msg", "MsgInfoUpdate", "Downloadbare Version: %1%n%nVerfügbare Beta-Version: %2"},
    {"Msg", "MsgInfoNoBeta", "Zurzeit ist keine Beta-Version verfügbar"},
    // Which files the scripts of a profile may touch.
    {"Msg", "ErrKIFFileAccess", "Zugriff für Skripte nicht erlaubt"},
    {"Msg", "ErrBatchScriptAccess", "Skriptzugriff%n%1%nnicht zulässig (full oder restricted)"},

    // Output guard, name and range checks of a run, cleaning.
    {"Msg", "ErrHTMLDefaultMissingName", "Name der Thumbnailseiten fehlt"},
    {"Msg", "ErrHTMLDefaultInvalidCharacter", "Name der Thumbnailseiten enthält ungültige Zeichen"},
    {"Msg", "ErrQualityInvalid", "JPEG-Qualität fehlerhaft%n%nZulässig sind Werte von 1 bis 100"},
    {"Msg", "ErrOutputRefused",
     "Die Ausgabe%n%1%nläge außerhalb des Ausgabeverzeichnisses oder würde ein Originalbild ersetzen; "
     "sie wird nicht geschrieben"},
    {"Msg", "ErrCleanRefused",
     "Das Verzeichnis%n%1%nliegt außerhalb des Ausgabeverzeichnisses oder ist bzw. enthält das "
     "persönliche Verzeichnis; es wird nicht geleert und der Lauf endet"},
    {"Msg", "ErrRenamedNameInvalid", "Der neue Name%n%2%nfür%n%1%nist kein gültiger Dateiname; das Bild wird übersprungen"},

    // Faults: names and folders a run cannot read, output folders it refuses.
    {"Msg", "ErrFileNameNotRepresentable",
     "Die Datei%n%1%nwird übersprungen: ihr Name enthält Zeichen außerhalb von Windows-1252"},
    {"Msg", "ErrFolderNameNotRepresentable",
     "Der Ordner%n%1%nwird übersprungen: sein Name enthält Zeichen außerhalb von Windows-1252"},
    {"Msg", "ErrFolderNotReadable", "Fehler %1%n%nDer Ordner%n%2%nkann nicht gelesen werden (%3) und wird übersprungen"},
    {"Msg", "ErrOutputHoldsSources", "Ausgabeordner%n%1%nenthält Originalbilder dieses Laufs; es wird nichts geschrieben."},
    {"Msg", "ErrCleanHoldsSources", "Der Ordner%n%1%nenthält Originalbilder und wird nicht geleert; der Lauf endet."},

    // Image readers
    {"Msg", "ErrMetafileWithoutPicture",
     "Velmora liest nur Metadateien, die ein Bild enthalten.%n%1%nenthält nur Vektorgrafik und wird übergangen"},

    // Start-up: shown before a language is chosen (or when the chosen one is
    // missing), so every language table says them in both languages.
    {"Msg", "ErrCommandLine", "Kommandozeile fehlerhaft%nError in Commandline%n%n%n%1"},
    {"Msg", "ErrCommandLineNotCp1252",
     "Kommandozeile fehlerhaft%nError in Commandline%n%n%n%1%n(Zeichen außerhalb von Windows-1252 / characters "
     "outside Windows-1252)"},
    {"Msg", "ErrLogFileCreate", "LOG-Datei kann nicht erzeugt werden%nUnable to create Logfile%n%n%1"},
    {"Msg", "ErrLanguageFileMissing",
     "Sprachdatei für SprachID \"%1\" fehlt%n%n%2 wird mit Meldungstexten in Deutsch gestartet"
     "%n%n----------%n%nLanguagefile for LanguageID \"%1\" missing%n%nStarting %2 with messages in German"},

    // The command line of the headless program: its help text and the
    // answers a message question accepts on a terminal.
    {"Kommandozeile", "Usage",
     "Aufruf: velmora [/Name=Wert ...]%n"
     "%n"
     "Jede Angabe außer /Logfile startet den Stapelbetrieb; ohne solche Angaben zeigt Velmora diese Hilfe, "
     "da dieses Programm kein Fenster hat.%n"
     "%n"
     "  /Logfile=Datei         Protokolldatei schreiben (\"\" = Velmora.log im Programmverzeichnis)%n"
     "  /Profile=Name          Profil des Stapelbetriebs (Voreinstellung = eingebautes Profil)%n"
     "  /Basedir=Verzeichnis   Basisverzeichnis mit den Bildern%n"
     "  /Level=0|1|2           0 = Bilder im Basisverzeichnis, 1 = in seinen Unterverzeichnissen, 2 = eine Ebene "
     "tiefer%n"
     "  /Controlimage=1        jedes bearbeitete Bild als Kontrollbild zeigen%n"
     "  /ScriptAccess=full     Skripten des Profils für diesen Lauf alle Dateien erlauben%n"
     "  /SCHLÜSSEL=Wert        Einstellung des Profils ersetzen (z. B. /THUMB_SIZE=200)%n"
     "  /$SCHLÜSSEL=Wert       Wert vor die Einstellung setzen; /SCHLÜSSEL$=Wert: Wert anhängen%n"
     "%n"
     "  -h, --help             diese Hilfe%n"
     "  --version              Programmversion%n"
     "  --ask                  Fragen im Terminal stellen, statt die Vorgabe-Antwort zu nehmen%n"
     "%n"
     "Werte mit Leerzeichen stehen in Anführungszeichen: /Basedir=\"/home/anna/Meine Bilder\""},
    {"Kommandozeile", "AnswerOk", "OK"},
    {"Kommandozeile", "AnswerCancel", "Abbrechen"},
    {"Kommandozeile", "AnswerYes", "Ja"},
    {"Kommandozeile", "AnswerNo", "Nein"},
};

}  // namespace

std::span<const BuiltinText> BuiltinGermanTexts() { return kTexts; }

void AddBuiltinGerman(RLLanguage& language) {
  for (const BuiltinText& entry : kTexts) {
    auto text = Utf8ToCp1252(entry.text);
    // Every built-in text is Windows-1252 by construction; the table test
    // guards that, so a failure here is a programming error.
    if (!text) throw std::logic_error("built-in text not representable: " + std::string(entry.key));
    language.AddText(entry.section, entry.key, *text);
  }
}

}  // namespace velmora::lang
