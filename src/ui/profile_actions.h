// The profile menu's actions: new, copy, rename, delete, import and export,
// and opening the profile file in the user's editor. Each asks its questions
// through the message facility and returns true when the profile list or the
// current profile changed (the window then refreshes its chooser and tree).
#pragma once

class QWidget;

namespace velmora::ui {

bool NewProfile(QWidget* parent);
bool CopyProfile(QWidget* parent);
bool RenameProfile(QWidget* parent);
bool DeleteProfile(QWidget* parent);
bool ImportProfile(QWidget* parent);
bool ExportProfile(QWidget* parent);

// Only a user profile can be renamed or deleted: the default and the shipped
// profiles live beside the program, where nothing is ever written.
bool CurrentProfileIsUsers();

}  // namespace velmora::ui
