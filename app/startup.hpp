// Start-up pieces worth checking on their own.
#pragma once

#include <string>

// The first player's name from the "username" variable (UTF-8 as the desktop hands it over):
// one byte per character as every stored name is, "?" for what Latin-1 cannot hold, and only
// the characters a player could have typed into the name entry. Empty when nothing is left.
std::string FirstPlayerName(const char* env);
