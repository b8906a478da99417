#include "OutputTree.h"

#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

// One kind of file written below a folder of its own, for each input.
struct OutputKind {
    const std::string& folder;
    const char* extension;
    bool replacesExtension;                 // x.flt gives x.glb rather than x.flt.log
    bool numbersFlatNames;                  // inputs named directly of one name: NAME-2, NAME-3, ...
    std::string PlannedOutputs::*slot;
};

std::string named(const fs::path& input, const OutputKind& kind, const std::string& stem)
{
    return kind.replacesExtension ? stem + kind.extension : input.filename().string() + kind.extension;
}

// DIR/NAME for an input named directly; NAME-2, NAME-3, ... for later ones
// of the same name, when the kind numbers them.
std::string flatPath(const fs::path& input, const OutputKind& kind, std::map<std::string, bool>& taken)
{
    const std::string stem = input.stem().string().empty() ? "model" : input.stem().string();
    std::string name = named(input, kind, stem);
    for (int suffix = 2; kind.numbersFlatNames && !taken.emplace(name, true).second; ++suffix)
        name = named(input, kind, stem + "-" + std::to_string(suffix));
    return (fs::path(kind.folder) / name).string();
}

std::string mirroredPath(const std::string& mirrored, const OutputKind& kind)
{
    const fs::path below(mirrored);
    const std::string stem = below.stem().string();
    return (fs::path(kind.folder) / below.parent_path() / named(below, kind, stem)).string();
}

} // namespace

std::string partialOutputPath(const std::string& path, long pid)
{
    const fs::path final(path);
    return (final.parent_path() / ("." + final.filename().string() + ".partial-" + std::to_string(pid) +
                                   final.extension().string()))
        .string();
}

std::string planOutputs(const std::vector<BatchInput>& inputs, const FltconvertOptions& options,
                        std::vector<PlannedOutputs>& planned)
{
    const OutputKind kinds[] = {
        {options.gltfDir, ".glb", true, true, &PlannedOutputs::gltf},
        {options.logDir, ".log", false, false, &PlannedOutputs::log},
    };
    planned.assign(inputs.size(), PlannedOutputs());
    std::map<std::string, std::size_t> writers;
    for (const OutputKind& kind : kinds) {
        if (kind.folder.empty())
            continue;
        std::map<std::string, bool> flatNames;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            if (!inputs[i].refusal.empty())
                continue;
            std::string& path = planned[i].*kind.slot;
            path = inputs[i].mirrored.empty() ? flatPath(inputs[i].path, kind, flatNames)
                                              : mirroredPath(inputs[i].mirrored, kind);
            const auto writer = writers.emplace(fs::path(path).lexically_normal().string(), i);
            if (!writer.second)
                return inputs[writer.first->second].name + " and " + inputs[i].name +
                       " would both be written to " + path;
        }
    }
    if (!options.logDir.empty() || options.noLog)
        return "";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!inputs[i].refusal.empty())
            continue;
        planned[i].log = inputs[i].path + ".log";
        // One after the other, an input named twice writes its transcript twice, as it always
        // did; two workers must not write one file at once.
        const auto writer = writers.emplace(fs::path(planned[i].log).lexically_normal().string(), i);
        if (!writer.second && options.jobs != 1)
            return inputs[writer.first->second].name + " and " + inputs[i].name + " would both be written to " +
                   planned[i].log;
    }
    return "";
}
