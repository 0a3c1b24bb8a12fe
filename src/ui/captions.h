// Captions from the language tables: a widget, action or menu carries the key
// of its text, and applying the captions looks every key up in the section
// named like its window, so that switching the language relabels an open
// window at once.
#pragma once

class QObject;
class QWidget;

namespace velmora::ui {

// Marks `object` (a widget, a QAction or a QMenu) with the key of its caption.
void SetCaptionKey(QObject* object, const char* key);

// When the current language has a section named like the window's object
// name, every marked object in the window (and the window itself, when
// marked) gets the text of its key. A key missing there shows as "?key?".
void ApplyCaptions(QWidget* window);

// The same for every top-level window of the application.
void ApplyCaptionsToAllWindows();

}  // namespace velmora::ui
