// The table of files compiled into the executable, registered in a fixed order at start-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct EmbeddedFile {
    std::string name;  // relative path as written at build time, e.g. "../gfx/board.png"
    const uint8_t* data;
    size_t size;
};

// Registers every file the build embedded; called once before anything else loads.
// Idempotent, so tests and the program can both call it.
void RegisterEmbeddedFiles();

void RegisterEmbeddedFile(const std::string& name, const uint8_t* data, size_t size);
// Null when no entry of that name (without the "incbin::" prefix) exists.
const EmbeddedFile* FindEmbeddedFile(const std::string& name);
const std::vector<EmbeddedFile>& EmbeddedFiles();
// A file is read once, when its picture, sound or level set loads, yet the pages it was read
// from would stay resident for the rest of the session; this gives them back. Safe at any time.
void ReleaseEmbeddedPages();
