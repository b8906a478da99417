#pragma once

#include <string>

// Text as glTF's JSON must hold it: valid UTF-8. Names in a scene are bytes
// from the file (most often ASCII, sometimes Latin-1, sometimes garbage);
// valid UTF-8 sequences are kept and every other byte is read as Latin-1.
std::string gltfText(const std::string& bytes);
