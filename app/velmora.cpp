#include "platform/embedded.hpp"

int VelmoraMain(int, char**) {
    RegisterEmbeddedFiles();
    return 0;
}
