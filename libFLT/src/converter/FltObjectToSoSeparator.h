#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "FltMeshPrimitiveExpansion.h"
#include "FltToVeldra.h"
#include "FltVersion.h"
#include "FltVertexKind.h"
#include "Veldra.h"

class FltRecord;
class FltRecordFace;
class FltRecordMesh;
class FltRecordMeshPrimitive;
class FltRecordMorphVertexList;
class FltRecordOldVertex;
class FltRecordVertexList;

// How one face is drawn beyond its material entry, kept beside the scene for
// exporters (see SoIndexedFaceSet::faceStyles).
struct FaceAppearance {
    uint8_t style = 0;   // SoIndexedFaceSet::FaceStyle bits
    uint32_t color = 0xFFFFFF00; // the face's own colour, 0xRRGGBB00
    float opacity = 1.0f;
};

// One group of faces while it is split by texture.
struct SoIndexedFaceSetToFinalize {
    std::vector<int32_t> coordIndices; // faces closed by -1
    std::vector<int32_t> materialIndices; // one per face
    std::vector<FaceAppearance> appearances; // one per face
    int32_t textureIndex = -1;
};

// Turns the faces below one Object record into face sets under a target
// separator. The vertices are not copied: a face becomes a run of indices
// into one of the converter's shared vertex property nodes, and faces are
// grouped by vertex kind (and face/subface), one material entry per face.
class FltObjectToSoSeparator : public FltVersion {
public:
    using RecordSequence = std::vector<FltRecord*>;
    using Position = RecordSequence::const_iterator;

    static constexpr int groupCount = 8; // faces of kinds 1-4, then subfaces of kinds 1-4

    FltObjectToSoSeparator();
    virtual ~FltObjectToSoSeparator();
    FltObjectToSoSeparator(const FltObjectToSoSeparator&) = delete;
    FltObjectToSoSeparator& operator=(const FltObjectToSoSeparator&) = delete;

    // `position` stands on the first record of the object's geometry (its
    // Push Level) in a sequence that ends at `end`.
    void setPosition(Position position, Position end);
    void setObjectTransparency(float transparency) { objectTransparency = transparency; }
    // How opaque the object is, 0 to 1 (the scene's transparency value above
    // is kept as it stands; exporters read this one).
    void setObjectOpacity(float opacity) { objectOpacity = opacity; }
    void setTarget(SoGroup* group) { target = group; }
    void setConverter(FltToVeldra* owner) { converter = owner; }
    void build();
    bool isBuilt() const { return built; }

private:
    struct OldVertexSet {
        std::vector<int32_t> coordIndices;
        SoRef<SoVertexProperty> vertexProperty;
        int32_t count = 0;
    };
    enum OldVertexSetId { OLD_COLOR_NORMAL = 0, OLD_COLOR = 1, OLD_PLAIN = 2, oldVertexSetCount = 3 };

    // One vertex of a vertex list: its kind and its index in that kind's node.
    struct ListVertex {
        int32_t kind;
        int32_t index;
    };

    // The face's own vertex indices and kind while its records are read.
    struct FaceVertices {
        std::vector<int32_t> indices;
        int32_t kind = UNDEFINED_SO_VERTEX_PROPERTY_ID;
        // Old vertex records of this face, per set, closed as one polygon.
        std::vector<int32_t> oldIndices[oldVertexSetCount];

        void clear()
        {
            indices.clear();
            kind = UNDEFINED_SO_VERTEX_PROPERTY_ID;
            for (std::vector<int32_t>& set : oldIndices)
                set.clear();
        }
    };

    RecordSequence copyObjectRecords() const;
    void convertFace(Position& at, Position end, int subfaceLevel);
    void readVertexList(const FltRecordVertexList& list, FaceVertices& face);
    void readMorphVertexList(const FltRecordMorphVertexList& list, FaceVertices& face);
    void readOldVertex(const FltRecord& record, FaceVertices& face);
    // Reads one mesh: the Mesh record, its vertex pool, and its primitives
    // up to the Pop Level that closes it. Leaves `at` on the last record read.
    void convertMesh(Position& at, Position end, int subfaceLevel);
    void addMeshPrimitive(const FltRecordMesh& mesh, const LocalVertices& pool,
                          const FltRecordMeshPrimitive& primitive, int subfaceLevel);
    void addFace(const FltRecordFace& face, const FaceVertices& vertices, int subfaceLevel);
    // Writes the face's material entry; gives the face's own colour and opacity.
    FaceAppearance writeMaterialEntry(const FltRecordFace& face, SoMaterial& set, int entry) const;
    void emit();
    void emitGroup(int group, SoVertexProperty* vertices);
    void emitFaceSet(SoVertexProperty* vertices, const std::vector<int32_t>& coordIndices,
                     const std::vector<int32_t>& materialIndices,
                     const std::vector<int32_t>& textureIndices,
                     const std::vector<FaceAppearance>& appearances);
    void emitOldVertexSets();

    bool built = false;
    bool positionSet = false;
    FltToVeldra* converter = nullptr;
    SoGroup* target = nullptr;
    float objectTransparency = 0.0f;
    float objectOpacity = 1.0f;
    Position position;
    Position positionEnd;
    std::vector<int32_t> faceCoordIndices[groupCount];
    OldVertexSet oldVertexSets[oldVertexSetCount];
    std::vector<int32_t> faceTextureIndices[groupCount];
    std::vector<int32_t> faceMaterialIndices[groupCount];
    std::vector<FaceAppearance> faceAppearances[groupCount];
    int32_t lastFaceIndex[groupCount];
    SoRef<SoMaterial> materialSets[groupCount];
    // Reused from face to face and list to list.
    FaceVertices faceVertices;
    std::vector<ListVertex> listVertices;
    FltMeshPolygons meshPolygons;
};
