// The way into the level editor: choose one of the player's sets or name a new one, then edit.
#pragma once

#include <string>

// The chooser, the name entry and the question before overwriting, then the editor over the
// chosen set; returns when the player quits the editor.
void RunLevelEditor();

// The editor over the set at path; a path that names no file yet gets an empty set first.
void EditLevelSet(const std::string& path);
