#include "GltfWriterInput.h"

#include <tiny_gltf.h>

#include <vector>

#include "DatabaseRecords.h"
#include "FltRecord.h"
#include "GltfInputError.h"
#include "GltfSource.h"
#include "GltfToDatabaseModel.h"
#include "RecordBytes.h"

bool runGltfWriterInput(const uint8_t* data, std::size_t size)
{
    const std::vector<unsigned char> bytes(data, data + size);
    try {
        tinygltf::Model gltf;
        loadGltf(bytes, "", gltf);
        const database_model::Model model = gltfToDatabaseModel(gltf, "fuzz");
        const std::vector<std::string> textureFiles(model.textures.size(), "texture.png");
        const std::vector<unsigned char> database = recordBytes(databaseRecords(model, textureFiles));
        return true;
    } catch (const GltfInputError&) {
        return false;  // refused with a reason: what hostile input should get
    }
}
