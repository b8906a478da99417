#include "FltFromGltf.h"

#include <tiny_gltf.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "DatabaseRecords.h"
#include "FltRecord.h"
#include "FltWarningMessageConsole.h"
#include "GltfInputError.h"
#include "GltfSource.h"
#include "GltfToDatabaseModel.h"
#include "RecordBytes.h"
#include "StagedFiles.h"

namespace {

bool readFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& error) {
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = path + ": no such file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    return true;
}

void warnLeftOut(const std::vector<std::string>& leftOut) {
    if (leftOut.empty()) return;
    std::string text = "glTF to OpenFlight: left out what a database cannot hold: ";
    for (std::size_t i = 0; i < leftOut.size(); ++i) text += (i ? ", " : "") + leftOut[i];
    addWarning(text.c_str(), 1, true);
}

}  // namespace

FltFromGltf fltFromGltf(const std::vector<unsigned char>& input, const std::string& baseDir,
                        const std::string& textureStem, const FltWriteOptions& options) {
    tinygltf::Model gltf;
    loadGltf(input, baseDir, gltf);
    const database_model::Model model = gltfToDatabaseModel(gltf, textureStem);
    FltFromGltf written;
    written.leftOut = model.leftOut;
    std::vector<std::string> names;
    for (const database_model::Texture& texture : model.textures) {
        written.textures.push_back(textureFile(texture, textureStem, options.textureFormat));
        names.push_back(written.textures.back().name);
    }
    written.database = recordBytes(databaseRecords(model, names));
    return written;
}

bool writeFlt(const std::string& inputPath, const std::string& outPath, const FltWriteOptions& options,
              std::string& error) {
    std::vector<unsigned char> input;
    if (!readFile(inputPath, input, error)) return false;
    const std::filesystem::path out(outPath);
    StagedFiles files;
    switch (inputKindOf(input)) {
    case InputKind::OpenFlight: {
        std::vector<unsigned char> database;
        if (!reencodeFlt(input, inputPath, database, error)) {
            error = inputPath + ": " + error;
            return false;
        }
        if (!files.stage(outPath, database, error)) return false;
        break;
    }
    case InputKind::BinaryGltf:
    case InputKind::JsonGltf: {
        FltFromGltf written;
        try {
            const std::filesystem::path in(inputPath);
            written = fltFromGltf(input, in.has_parent_path() ? in.parent_path().string() : ".",
                                  out.stem().string() + "_", options);
        } catch (const GltfInputError& e) {
            error = inputPath + ": " + e.what();
            return false;
        }
        const std::filesystem::path folder = out.has_parent_path() ? out.parent_path() : ".";
        for (const TextureFile& texture : written.textures)
            if (!files.stage((folder / texture.name).string(), texture.image, error) ||
                !files.stage((folder / (texture.name + ".attr")).string(), texture.attributes, error))
                return false;
        if (!files.stage(outPath, written.database, error)) return false;
        warnLeftOut(written.leftOut);
        break;
    }
    case InputKind::Unknown:
        error = inputPath + ": neither a glTF model nor an OpenFlight database";
        return false;
    }
    return files.commit(error);
}
