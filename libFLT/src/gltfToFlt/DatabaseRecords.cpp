#include "DatabaseRecords.h"

#include <cstring>
#include <ctime>
#include <type_traits>

#include "FltRecordFace.h"
#include "FltRecordGroup.h"
#include "FltRecordHeader.h"
#include "FltRecordLOD.h"
#include "FltRecordLongID.h"
#include "FltRecordMaterial.h"
#include "FltRecordMatrix.h"
#include "FltRecordObject.h"
#include "FltRecordPopLevel.h"
#include "FltRecordPushLevel.h"
#include "FltRecordTexturePattern.h"
#include "FltRecordVertexColorNormal.h"
#include "FltRecordVertexColorNormalUv.h"
#include "FltRecordVertexColorUv.h"
#include "FltRecordVertexList.h"
#include "FltRecordVertexPalette.h"

using namespace database_model;

namespace {

constexpr int32_t kRevision = 1570;
constexpr std::size_t kIdWidth = 8;  // seven characters and a terminating zero

// Revision 15.7 databases as they are found: the header longer than its fields.
constexpr std::size_t kHeaderFieldsLength = 298;
constexpr std::size_t kHeaderLength = 324;

// Vertex records' lengths, which vertex lists count their offsets in.
uint32_t vertexLength(bool normal, bool uv) {
    return normal ? (uv ? FltRecordVertexColorNormalUv::lengthWithTrailer : FltRecordVertexColorNormal::lengthWithTrailer)
                  : (uv ? 48 : 40);
}

void setBit(uint32_t& word, int bit) { word |= uint32_t(1) << bit; }

void packInto(FltPackedColor& color, uint32_t abgr) {
    for (int i = 0; i < 4; ++i) color.bytes[i] = static_cast<unsigned char>(abgr >> (24 - 8 * i));
}

template <std::size_t N>
void copyText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

class Emission {
public:
    Emission(const Model& model, const std::vector<std::string>& textureFiles)
        : model_(model), textureFiles_(textureFiles) {}

    std::vector<std::unique_ptr<FltRecord>> run() {
        header();
        palettes();
        vertexPalette();
        add<FltRecordPushLevel>();
        for (int root : model_.roots) nodeTree(root);
        add<FltRecordPopLevel>();
        return std::move(records_);
    }

private:
    // A record made field by field: the encoder finds its length (0), or
    // one of the records whose length decides what they hold.
    template <class Record>
    Record& add(uint32_t length = 0) {
        auto record = std::make_unique<Record>(length);
        Record& placed = *record;
        if constexpr (std::is_base_of_v<FltVersion, Record>) placed.setVersion(kRevision);
        records_.push_back(std::move(record));
        return placed;
    }

    // A node record's name: its identifier, and a Long ID when it is longer.
    template <class Record>
    void name(Record& record, const std::string& text) {
        copyText(record.idASCII, text);
        if (text.size() >= kIdWidth) {
            auto& longId = add<FltRecordLongID>();
            longId.idASCII = text;
        }
    }

    void header() {
        auto& h = add<FltRecordHeader>();
        copyText(h.idASCII, "db");
        h.formatRevisionLevel = kRevision;
        h.editRevisionLevel = 1;
        const std::time_t now = std::time(nullptr);
        char date[32] = {};
        std::strftime(date, sizeof date, "%a %b %d %H:%M:%S %Y", std::gmtime(&now));
        std::memcpy(h.lastRevisionDateTime, date, sizeof date);
        h.multiplierDiviserUnit = 1;
        h.vertexCoordinateUnits = 0;  // metres
        h.idVertexStorageType = 1;  // double precision
        h.idDatabaseOrigin = 100;   // OpenFlight
        h.idNextGroup = h.idNextLOD = h.idNextObject = h.idNextFace = 1;
        h.setUndescribed(std::vector<unsigned char>(kHeaderLength - kHeaderFieldsLength, 0));
    }

    void palettes() {
        for (std::size_t i = 0; i < model_.materials.size(); ++i) {
            const Material& source = model_.materials[i];
            auto& m = add<FltRecordMaterial>();
            m.index = static_cast<int32_t>(i);
            copyText(m.name, source.name);
            m.flags = int32_t(1) << FltRecordMaterial::materialUsedBit;
            for (int c = 0; c < 3; ++c) {
                m.ambient[c] = m.diffuse[c] = source.diffuse[c];
                m.emissive[c] = source.emissive[c];
            }
            m.alpha = source.alpha;
        }
        for (std::size_t i = 0; i < model_.textures.size() && i < textureFiles_.size(); ++i) {
            auto& t = add<FltRecordTexturePattern>();
            copyText(t.fileName, textureFiles_[i]);
            t.patternIndex = static_cast<int32_t>(i);
        }
    }

    // One vertex record per model vertex; a mesh's vertices are all of one
    // kind, the richest its faces need.
    void vertexPalette() {
        std::vector<char> normal(model_.vertices.size(), 0), uv(model_.vertices.size(), 0);
        for (const Mesh& mesh : model_.meshes) {
            bool meshNormals = false, meshUvs = false;
            for (const Face& face : mesh.faces)
                for (uint32_t v : face.vertices) {
                    meshNormals |= model_.vertices[v].hasNormal;
                    meshUvs |= model_.vertices[v].hasUv && face.texture >= 0;
                }
            for (const Face& face : mesh.faces)
                for (uint32_t v : face.vertices) normal[v] = meshNormals, uv[v] = meshUvs;
        }
        auto& palette = add<FltRecordVertexPalette>();
        uint64_t offset = FltRecordVertexPalette::firstVertexOffset;
        offsets_.resize(model_.vertices.size());
        for (std::size_t i = 0; i < model_.vertices.size(); ++i) {
            offsets_[i] = static_cast<int32_t>(offset);
            offset += vertexLength(normal[i], uv[i]);
            vertex(model_.vertices[i], normal[i], uv[i]);
        }
        palette.vertexPaletteTotalLength = static_cast<uint32_t>(offset);
    }

    void vertex(const Vertex& v, bool normal, bool uv) {
        FltRecordVertexColor* record;
        if (normal && uv) {
            // With its closing word, as databases of this revision have it.
            auto& r = add<FltRecordVertexColorNormalUv>(FltRecordVertexColorNormalUv::lengthWithTrailer);
            std::copy(v.normal.begin(), v.normal.end(), r.vertexNormal);
            std::copy(v.uv.begin(), v.uv.end(), r.texture);
            record = &r;
        } else if (normal) {
            auto& r = add<FltRecordVertexColorNormal>(FltRecordVertexColorNormal::lengthWithTrailer);
            std::copy(v.normal.begin(), v.normal.end(), r.vertexNormal);
            record = &r;
        } else if (uv) {
            auto& r = add<FltRecordVertexColorUv>();
            std::copy(v.uv.begin(), v.uv.end(), r.texture);
            record = &r;
        } else {
            record = &add<FltRecordVertexColor>();
        }
        record->Xcoordinate = v.position[0];
        record->Ycoordinate = v.position[1];
        record->Zcoordinate = v.position[2];
        record->flags = uint16_t(1) << (v.hasColor ? FltRecordVertexColor::packedColorBit
                                                   : FltRecordVertexColor::noColorBit);
        packInto(record->packedColor, v.packedAbgr);
    }

    // A node with its level sets, iteratively: glTF trees can be deep.
    void nodeTree(int root) {
        struct Step { int node; bool close; };
        std::vector<Step> stack{{root, false}};
        while (!stack.empty()) {
            const Step step = stack.back();
            stack.pop_back();
            if (step.close) {
                add<FltRecordPopLevel>();
                continue;
            }
            const Node& node = model_.nodes[step.node];
            openNode(node);
            add<FltRecordPushLevel>();
            // A mesh several nodes place is written under each of them: the
            // library's own reader follows no Instance Reference inside a
            // group's children, and would lose every placement.
            if (node.mesh >= 0) object(model_.meshes[node.mesh]);
            // After this node closes: its coarser levels, as its siblings.
            for (auto level = node.coarserLevels.rbegin(); level != node.coarserLevels.rend(); ++level) {
                stack.push_back({*level, true});
                stack.push_back({*level, false});
            }
            stack.push_back({step.node, true});
            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) stack.push_back({*child, false});
        }
    }

    void openNode(const Node& node) {
        if (node.isLevel) {
            auto& lod = add<FltRecordLOD>();
            lod.switchInDistance = node.level.switchIn;
            lod.switchOutDistance = node.level.switchOut;
            lod.XcenterCoordinate = node.level.center[0];
            lod.YcenterCoordinate = node.level.center[1];
            lod.ZcenterCoordinate = node.level.center[2];
            name(lod, node.name);
        } else {
            name(add<FltRecordGroup>(), node.name);
        }
        if (node.hasMatrix) {
            auto& matrix = add<FltRecordMatrix>();
            for (int i = 0; i < 16; ++i) matrix.matrix[i / 4][i % 4] = static_cast<float>(node.matrix[i]);
        }
    }

    void object(const Mesh& mesh) {
        name(add<FltRecordObject>(), mesh.name);
        add<FltRecordPushLevel>();
        for (const Face& face : mesh.faces) {
            auto& f = add<FltRecordFace>();
            f.drawType = face.doubleSided ? 1 : 0;
            f.texturePatternIndex = static_cast<int16_t>(face.texture);
            f.detailTexturePatternIndex = -1;
            f.materialIndex = static_cast<int16_t>(face.material);
            f.transparency = face.transparency;
            f.lightMode = static_cast<uint8_t>((face.lit ? 2 : 0) + (face.vertexColors ? 1 : 0));
            setBit(f.flags, FltRecordFace::packedColorBit);
            packInto(f.packedPrimaryColor, face.packedAbgr);
            packInto(f.packedAlternateColor, face.packedAbgr);
            f.textureMappingIndex = -1;
            f.primaryColorIndex = f.alternateColorIndex = -1;
            add<FltRecordPushLevel>();
            auto& list = add<FltRecordVertexList>();
            list.offsets.reserve(face.vertices.size());
            for (uint32_t v : face.vertices) list.offsets.push_back(offsets_[v]);
            add<FltRecordPopLevel>();
        }
        add<FltRecordPopLevel>();
    }

    const Model& model_;
    const std::vector<std::string>& textureFiles_;
    std::vector<std::unique_ptr<FltRecord>> records_;
    std::vector<int32_t> offsets_;
};

}  // namespace

std::vector<std::unique_ptr<FltRecord>> databaseRecords(const Model& model, const std::vector<std::string>& textureFiles) {
    return Emission(model, textureFiles).run();
}
