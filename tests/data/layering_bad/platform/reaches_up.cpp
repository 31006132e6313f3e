// The platform including a header of the kit above it.
#include "ui/frame.hpp"
