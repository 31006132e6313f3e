#pragma once

#include <string>

// Writes docs/screen_players.png, screen_name_entry.png, screen_level_select.png and
// screen_highscore.png; false when one could not be written.
bool DrawDialogPictures(const std::string& docs);
