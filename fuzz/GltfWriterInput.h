#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input, a glTF model (JSON or binary), written as an OpenFlight
// database in memory: read, checked, turned into records and encoded. No
// file beside it is read and no texture is decoded. Shared by the fuzzer and
// the test that replays its seeds. True when it was written, false when refused.
bool runGltfWriterInput(const uint8_t* data, std::size_t size);
