// A kit file reaching up into the shell and down past the platform.
#include <SDL.h>

#include "app/globals.hpp"
