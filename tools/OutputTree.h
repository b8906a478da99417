#pragma once

#include <string>
#include <vector>

#include "FltconvertOptions.h"
#include "InputTree.h"

// Where one input's files go. Empty: none of that kind.
struct PlannedOutputs {
    std::string gltf; // with --gltf-dir
    std::string log;  // the transcript: beside the input, or below --log-dir
    std::string viewerModel; // with --view: model.glb in the viewer's own folder
};

// Plans every input's files before any is converted. Below an output folder,
// inputs found in a folder keep their place in the tree (DIR/a/b/x.flt
// becomes OUT/a/b/x.glb); inputs named directly go straight into it, as they
// always did. Returns the line that refuses the batch when two inputs would
// write the same file, or an empty string.
std::string planOutputs(const std::vector<BatchInput>& inputs, const FltconvertOptions& options,
                        std::vector<PlannedOutputs>& planned);

// The name a glTF file is written under until it is complete, in its own
// folder, for the process `pid`.
std::string partialOutputPath(const std::string& path, long pid);
