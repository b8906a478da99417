#include "FltObjectToSoSeparator.h"

#include <algorithm>

#include "FltMeshPrimitiveExpansion.h"
#include "FltOpcodes.h"
#include "FltRecordFace.h"
#include "FltRecordLocalVertexPool.h"
#include "FltRecordMesh.h"
#include "FltRecordMeshPrimitive.h"
#include "FltRecordMorphVertexList.h"
#include "FltRecordOldVertex.h"
#include "FltRecordOldVertexColor.h"
#include "FltRecordOldVertexColorNormal.h"
#include "FltRecordVertexList.h"
#include "FltToVeldra.h"
#include "FltWarningMessageConsole.h"

namespace {

// Records outside the known opcode range end an object's records.
bool isKnownOpcode(int32_t opcode) { return opcode >= 0 && opcode < 133; }

// A Mesh read as one (with the extended record set; otherwise it is unknown).
bool isMesh(const FltRecord& record) { return dynamic_cast<const FltRecordMesh*>(&record) != nullptr; }

// Records that end the records of the face or mesh before them.
bool endsPolygon(const FltRecord& record)
{
    const int32_t opcode = record.getOpcode();
    return opcode == FLT_FACE || opcode == FLT_PUSH_SUBFACE || opcode == FLT_POP_SUBFACE ||
           !isKnownOpcode(opcode) || (opcode == FLT_MESH && isMesh(record));
}

const char* const materialSetNames[FltObjectToSoSeparator::groupCount] = {
    "faceVertexColorSoMaterialSet",       "faceVertexColorNormalSoMaterialSet",
    "faceVertexColorUVSoMaterialSet",     "faceVertexColorNormalUVSoMaterialSet",
    "subFaceVertexColorSoMaterialSet",    "subFaceVertexColorNormalSoMaterialSet",
    "subFaceVertexColorUVSoMaterialSet",  "subFaceVertexColorNormalUVSoMaterialSet"};

// Light modes 0 and 1 show the face's or the vertices' colour unlit; 1 and 3
// colour by vertex; draw type 1 draws both sides, 2 and 3 the outline only.
uint8_t faceStyleOf(const FltRecordFace& face)
{
    uint8_t style = 0;
    if (face.lightMode == 0 || face.lightMode == 1)
        style |= SoIndexedFaceSet::UNLIT;
    if (face.lightMode == 1 || face.lightMode == 3)
        style |= SoIndexedFaceSet::VERTEX_COLORS;
    if (face.drawType == 1)
        style |= SoIndexedFaceSet::TWO_SIDED;
    if (face.drawType == 2)
        style |= SoIndexedFaceSet::OUTLINE_CLOSED;
    if (face.drawType == 3)
        style |= SoIndexedFaceSet::OUTLINE_OPEN;
    return style;
}

const char* const oldVertexSetNames[] = {"OLD_VERTEX_COLOR_NORMAL", "OLD_VERTEX_COLOR", "OLD_VERTEX"};

const char* faceSetName(int32_t kind)
{
    switch (kind) {
    case VERTEX_COLOR_ID: return "SoIFSVertexColor";
    case VERTEX_COLOR_NORMAL_ID: return "SoIFSVertexColorNormal";
    case VERTEX_COLOR_UV_ID: return "SoIFSVertexColorUV";
    case VERTEX_COLOR_NORMAL_UV_ID: return "SoIFSVertexColorNormalUV";
    default: return "SoIFSVertexUNDEFINED";
    }
}

// The face set owns the array from here on.
void handOver(SoMFInt32& field, const std::vector<int32_t>& values)
{
    int32_t* array = new int32_t[values.size()];
    std::copy(values.begin(), values.end(), array);
    field.setValuesPointer(static_cast<int>(values.size()), array);
}

} // namespace

FltObjectToSoSeparator::FltObjectToSoSeparator()
{
    for (int group = 0; group < groupCount; ++group) {
        materialSets[group] = SoRef<SoMaterial>(new SoMaterial);
        materialSets[group]->setName(SbName(materialSetNames[group]));
        lastFaceIndex[group] = -1;
    }
    for (int set = 0; set < oldVertexSetCount; ++set) {
        oldVertexSets[set].vertexProperty = SoRef<SoVertexProperty>(new SoVertexProperty);
        oldVertexSets[set].vertexProperty->setName(SbName(oldVertexSetNames[set]));
        oldVertexSets[set].count = 0;
    }
}

FltObjectToSoSeparator::~FltObjectToSoSeparator() = default;

void FltObjectToSoSeparator::setPosition(Position at, Position end)
{
    position = at;
    positionEnd = end;
    positionSet = true;
}

void FltObjectToSoSeparator::build()
{
    if (!positionSet || !converter || !target) {
        addWarning("ERROR! In class FltObjectToSoSeparator: Try to build A SoSeparator from a FLT "
                   "object\n but some fields aren't correctly initialized",
                   3, true);
        return;
    }
    SoMaterialBinding* binding = new SoMaterialBinding;
    binding->value.setValue(SoMaterialBinding::PER_FACE_INDEXED);
    target->addChild(binding);

    // A copy of the object's own records, so that face collection never runs
    // past the object's closing Pop Level.
    const RecordSequence records = copyObjectRecords();
    int subfaceLevel = 0;
    for (Position at = records.begin(); at != records.end(); ++at) {
        switch ((*at)->getOpcode()) {
        case FLT_PUSH_SUBFACE: ++subfaceLevel; break;
        case FLT_POP_SUBFACE: --subfaceLevel; break;
        case FLT_FACE: convertFace(at, records.end(), subfaceLevel); break;
        case FLT_MESH:
            if (isMesh(**at))
                convertMesh(at, records.end(), subfaceLevel);
            break;
        default: break;
        }
    }
    emit();
    built = true;
}

FltObjectToSoSeparator::RecordSequence FltObjectToSoSeparator::copyObjectRecords() const
{
    RecordSequence records;
    int depth = 0;
    for (Position at = position; at != positionEnd && *at;) {
        const int32_t opcode = (*at)->getOpcode();
        if (!isKnownOpcode(opcode))
            break;
        if (opcode == FLT_PUSH_LEVEL)
            ++depth;
        else if (opcode == FLT_POP_LEVEL)
            --depth;
        if (depth >= 0)
            records.push_back(*at);
        if (opcode == FLT_POP_LEVEL && depth < 1)
            break;
        ++at;
    }
    return records;
}

// Reads one face: the Face record, then its records up to the next face or
// subface marker, or the Pop Level that closes it. Leaves `at` on the last
// record read.
void FltObjectToSoSeparator::convertFace(Position& at, Position end, int subfaceLevel)
{
    const FltRecordFace* face = dynamic_cast<const FltRecordFace*>(*at);
    converter->setRecordAtHand(*at);
    FaceVertices& vertices = faceVertices;
    vertices.clear();
    int depth = 0;
    for (Position next = at + 1; next != end && *next; at = next++) {
        const int32_t opcode = (*next)->getOpcode();
        if (endsPolygon(**next))
            break;
        const FltRecord& record = **next;
        if (opcode == FLT_PUSH_LEVEL) {
            ++depth;
        } else if (opcode == FLT_POP_LEVEL) {
            if (--depth == 0) {
                at = next;
                break;
            }
        } else if (opcode == FLT_VERTEX_LIST) {
            if (const auto* list = dynamic_cast<const FltRecordVertexList*>(&record))
                readVertexList(*list, vertices);
        } else if (opcode == FLT_MORPH_VERTEX_LIST) {
            if (const auto* list = dynamic_cast<const FltRecordMorphVertexList*>(&record))
                readMorphVertexList(*list, vertices);
        } else if (opcode == FLT_OLD_VERTEX || opcode == FLT_OLD_VERTEX_COLOR ||
                   opcode == FLT_OLD_VERTEX_COLOR_NORMAL) {
            readOldVertex(record, vertices);
        }
    }
    // Old-vertex polygons stand on their own, closed once per face.
    for (int set = 0; set < oldVertexSetCount; ++set) {
        if (vertices.oldIndices[set].empty())
            continue;
        std::vector<int32_t>& indices = oldVertexSets[set].coordIndices;
        indices.insert(indices.end(), vertices.oldIndices[set].begin(), vertices.oldIndices[set].end());
        indices.push_back(-1);
    }
    if (face)
        addFace(*face, vertices, subfaceLevel);
}

void FltObjectToSoSeparator::convertMesh(Position& at, Position end, int subfaceLevel)
{
    const FltRecordMesh& mesh = dynamic_cast<const FltRecordMesh&>(**at);
    LocalVertices pool;
    int depth = 0;
    for (Position next = at + 1; next != end && *next; at = next++) {
        if (endsPolygon(**next))
            break;
        const FltRecord& record = **next;
        const int32_t opcode = record.getOpcode();
        if (opcode == FLT_PUSH_LEVEL) {
            ++depth;
        } else if (opcode == FLT_POP_LEVEL) {
            if (--depth == 0) {
                at = next;
                break;
            }
        } else if (opcode == FLT_LOCAL_VERTEX_POOL) {
            if (const auto* vertices = dynamic_cast<const FltRecordLocalVertexPool*>(&record))
                pool = converter->appendLocalVertices(*vertices);
        } else if (opcode == FLT_MESH_PRIMITIVE) {
            if (const auto* primitive = dynamic_cast<const FltRecordMeshPrimitive*>(&record))
                addMeshPrimitive(mesh, pool, *primitive, subfaceLevel);
        }
    }
}

void FltObjectToSoSeparator::addMeshPrimitive(const FltRecordMesh& mesh, const LocalVertices& pool,
                                              const FltRecordMeshPrimitive& primitive, int subfaceLevel)
{
    using Problem = FltToVeldra::MeshProblem;
    if (!pool.met)
        return converter->reportMeshProblem(Problem::PrimitiveBeforePool);
    if (pool.kindId == 0)
        return; // the pool itself was skipped, and said so
    if (!primitive.hasValidIndexSize())
        return converter->reportMeshProblem(Problem::BadIndexSize);
    if (primitive.indices.size() < primitive.vertexCount)
        return converter->reportMeshProblem(Problem::IndicesCutShort);
    for (uint32_t index : primitive.indices)
        if (index >= pool.count)
            return converter->reportMeshProblem(Problem::IndexOutsidePool);
    switch (expandMeshPrimitive(primitive.primitiveType, primitive.indices, meshPolygons)) {
    case FltMeshExpansion::UnknownType: return converter->reportMeshProblem(Problem::UnknownPrimitiveType);
    case FltMeshExpansion::TooFewVertices: return converter->reportMeshProblem(Problem::TooFewVertices);
    case FltMeshExpansion::Expanded: break;
    }
    FaceVertices& vertices = faceVertices;
    std::size_t begin = 0;
    for (std::size_t end : meshPolygons.ends) {
        vertices.clear();
        vertices.kind = pool.kindId;
        for (std::size_t at = begin; at < end; ++at)
            vertices.indices.push_back(pool.first + static_cast<int32_t>(meshPolygons.indices[at]));
        addFace(mesh, vertices, subfaceLevel);
        begin = end;
    }
}

void FltObjectToSoSeparator::readVertexList(const FltRecordVertexList& list, FaceVertices& face)
{
    if (list.offsets.empty())
        return;
    // Each vertex's kind and index, from one search of the vertex map.
    std::vector<ListVertex>& vertices = listVertices;
    vertices.clear();
    bool allEqual = true;
    bool onlyUvKinds = true;
    for (int32_t offset : list.offsets) {
        const VertexEntry& entry = converter->getVertexEntry(static_cast<uint32_t>(offset));
        const int32_t kind = converter->getVertexPropertyId(entry.property);
        allEqual = allEqual && (vertices.empty() || kind == vertices.front().kind);
        onlyUvKinds = onlyUvKinds && (kind == VERTEX_COLOR_UV_ID || kind == VERTEX_COLOR_NORMAL_UV_ID);
        vertices.push_back({kind, entry.index});
    }
    if (allEqual) {
        face.kind = vertices.front().kind;
        for (const ListVertex& vertex : vertices)
            face.indices.push_back(vertex.index);
        return;
    }
    if (!onlyUvKinds) {
        addWarning("WARNING ! Remove a face having heterogeneous vertices", 1, true);
        face.indices.clear(); // whatever earlier lists gave, the face is gone
        return;
    }
    // Colour+uv vertices join the colour+normal+uv node with the mean normal
    // of the face's vertices that have one.
    const SoVertexProperty* normalUv = converter->getVertexPropertyById(VERTEX_COLOR_NORMAL_UV_ID);
    SbVec3f normalSum(0.0f, 0.0f, 0.0f);
    int normalCount = 0;
    for (const ListVertex& vertex : vertices) {
        if (vertex.kind != VERTEX_COLOR_NORMAL_UV_ID)
            continue;
        if (vertex.index >= 0 && vertex.index < normalUv->normal.getNum())
            normalSum += normalUv->normal[vertex.index];
        ++normalCount;
    }
    const SbVec3f meanNormal = normalSum / static_cast<float>(normalCount);
    face.kind = VERTEX_COLOR_NORMAL_UV_ID;
    for (const ListVertex& vertex : vertices)
        face.indices.push_back(vertex.kind == VERTEX_COLOR_NORMAL_UV_ID
                                   ? vertex.index
                                   : converter->appendNormalUvVertex(vertex.kind, vertex.index, meanNormal));
}

void FltObjectToSoSeparator::readMorphVertexList(const FltRecordMorphVertexList& list, FaceVertices& face)
{
    if (list.offsets.empty())
        return;
    // The morph target (100 %) is the shape drawn.
    const uint64_t first = static_cast<uint32_t>(list.offsets.front().second);
    face.kind = converter->getVertexPropertyId(converter->getVertexProperty(first));
    for (const auto& pair : list.offsets)
        face.indices.push_back(converter->getVertexIndex(static_cast<uint32_t>(pair.second)));
}

void FltObjectToSoSeparator::readOldVertex(const FltRecord& record, FaceVertices& face)
{
    const auto* vertex = dynamic_cast<const FltRecordOldVertex*>(&record);
    if (!vertex)
        return;
    const int32_t opcode = record.getOpcode();
    const int setId = opcode == FLT_OLD_VERTEX_COLOR_NORMAL ? OLD_COLOR_NORMAL
                      : opcode == FLT_OLD_VERTEX_COLOR      ? OLD_COLOR
                                                        : OLD_PLAIN;
    OldVertexSet& set = oldVertexSets[setId];
    SoVertexProperty& node = *set.vertexProperty;
    node.vertex.set1Value(set.count, SbVec3f(static_cast<float>(vertex->Xcoordinate),
                                             static_cast<float>(vertex->Ycoordinate),
                                             static_cast<float>(vertex->Zcoordinate)));
    if (opcode == FLT_OLD_VERTEX)
        node.texCoord.set1Value(set.count, SbVec2f(vertex->texture[0], vertex->texture[1]));
    face.oldIndices[setId].push_back(set.count);
    ++set.count;
}

void FltObjectToSoSeparator::addFace(const FltRecordFace& face, const FaceVertices& vertices,
                                     int subfaceLevel)
{
    if (vertices.indices.empty() || vertices.kind < VERTEX_COLOR_ID ||
        vertices.kind > VERTEX_COLOR_NORMAL_UV_ID)
        return;
    const int group = subfaceLevel == 0 ? vertices.kind - 1 : vertices.kind + 3;
    std::vector<int32_t>& coordIndices = faceCoordIndices[group];
    coordIndices.insert(coordIndices.end(), vertices.indices.begin(), vertices.indices.end());
    coordIndices.push_back(-1);
    faceTextureIndices[group].push_back(face.texturePatternIndex);
    ++lastFaceIndex[group];
    FaceAppearance appearance = writeMaterialEntry(face, *materialSets[group], lastFaceIndex[group]);
    appearance.style = faceStyleOf(face);
    faceMaterialIndices[group].push_back(static_cast<int32_t>(faceMaterialIndices[group].size()));
    faceAppearances[group].push_back(appearance);
}

void FltObjectToSoSeparator::emit()
{
    for (int32_t kind = VERTEX_COLOR_ID; kind <= VERTEX_COLOR_NORMAL_UV_ID; ++kind) {
        const int group = kind - 1;
        if (faceCoordIndices[group].empty())
            continue;
        SoVertexProperty* vertices = converter->getVertexPropertyById(kind);
        target->addChild(materialSets[group].get());
        emitGroup(group, vertices);
        // Subfaces lie on their face: pull them towards the eye.
        const int subfaces = group + 4;
        if (!faceCoordIndices[subfaces].empty()) {
            SoPolygonOffset* offset = new SoPolygonOffset;
            offset->factor.setValue(-1.0f);
            offset->units.setValue(-30.0f);
            target->addChild(offset);
            target->addChild(materialSets[subfaces].get());
            emitGroup(subfaces, vertices);
        }
    }
    emitOldVertexSets();
}

void FltObjectToSoSeparator::emitGroup(int group, SoVertexProperty* vertices)
{
    const std::vector<int32_t>& textures = faceTextureIndices[group];
    const bool oneTexture =
        std::all_of(textures.begin(), textures.end(), [&](int32_t t) { return t == textures.front(); });
    if (oneTexture) {
        emitFaceSet(vertices, faceCoordIndices[group], faceMaterialIndices[group], textures,
                    faceAppearances[group]);
        return;
    }
    std::map<int32_t, SoIndexedFaceSetToFinalize> byTexture;
    const std::vector<int32_t>& coordIndices = faceCoordIndices[group];
    std::size_t faceStart = 0;
    for (std::size_t face = 0; face < textures.size(); ++face) {
        SoIndexedFaceSetToFinalize& set = byTexture[textures[face]];
        set.textureIndex = textures[face];
        std::size_t faceEnd = faceStart;
        while (faceEnd < coordIndices.size() && coordIndices[faceEnd] != -1)
            ++faceEnd;
        const std::size_t stop = std::min(faceEnd + 1, coordIndices.size());
        set.coordIndices.insert(set.coordIndices.end(), coordIndices.begin() + static_cast<long>(faceStart),
                                coordIndices.begin() + static_cast<long>(stop));
        set.materialIndices.push_back(faceMaterialIndices[group][face]);
        set.appearances.push_back(faceAppearances[group][face]);
        faceStart = stop;
    }
    for (const auto& entry : byTexture)
        emitFaceSet(vertices, entry.second.coordIndices, entry.second.materialIndices,
                    std::vector<int32_t>{entry.second.textureIndex}, entry.second.appearances);
}

void FltObjectToSoSeparator::emitFaceSet(SoVertexProperty* vertices,
                                         const std::vector<int32_t>& coordIndices,
                                         const std::vector<int32_t>& materialIndices,
                                         const std::vector<int32_t>& textureIndices,
                                         const std::vector<FaceAppearance>& appearances)
{
    SoIndexedFaceSet* faceSet = new SoIndexedFaceSet;
    faceSet->vertexProperty.setValue(vertices);
    handOver(faceSet->coordIndex, coordIndices);
    handOver(faceSet->materialIndex, materialIndices);
    for (const FaceAppearance& appearance : appearances) {
        faceSet->faceStyles.push_back(appearance.style);
        faceSet->faceColors.push_back(appearance.color);
        faceSet->faceOpacities.push_back(appearance.opacity);
    }
    const int32_t kind = converter->getVertexPropertyKind(vertices);
    if (kind == UNDEFINED_SO_VERTEX_PROPERTY_ID)
        addWarning("WARNING ! I can't give a name for a SoIndexedFaceSet\n since This SoVertexProperty "
                   "doesn'fit with one of the 4 global SoVertexProperty\n "
                   "SO_INDEXED_FACE_SET_WITH_UNDEFINED_VERTEX_NAME returned",
                   1, true);
    faceSet->setName(SbName(faceSetName(kind)));

    const auto textured =
        std::find_if(textureIndices.begin(), textureIndices.end(), [](int32_t t) { return t != -1; });
    if (textured == textureIndices.end()) {
        target->addChild(faceSet);
        return;
    }
    SoSeparator* isolated = new SoSeparator;
    isolated->setName(SbName("isolateTexturesNodes"));
    const auto texture = converter->textures.find(*textured);
    // A pattern index the palette never defined keeps its faces apart, untextured.
    if (texture != converter->textures.end() && texture->second)
        isolated->addChild(texture->second.get());
    isolated->addChild(faceSet);
    target->addChild(isolated);
}

void FltObjectToSoSeparator::emitOldVertexSets()
{
    for (const OldVertexSet& set : oldVertexSets) {
        if (set.coordIndices.empty())
            continue;
        SoIndexedFaceSet* faceSet = new SoIndexedFaceSet;
        faceSet->vertexProperty.setValue(set.vertexProperty.get());
        handOver(faceSet->coordIndex, set.coordIndices);
        faceSet->setName(set.vertexProperty->getName());
        target->addChild(faceSet);
    }
}
