// The vertex palette: every vertex record lands in one of four shared vertex
// property nodes, found again later by its vertex palette offset.

#include "FltDecode.h"
#include "FltRecordVertexColor.h"
#include "FltRecordVertexColorNormal.h"
#include "FltRecordVertexColorNormalUv.h"
#include "FltRecordVertexColorUv.h"
#include "FltToVeldra.h"
#include "FltVertexColor.h"
#include "FltWarningMessageConsole.h"

#include <algorithm>

namespace {

bool hasNormals(FltVertexKindId kind)
{
    return kind == VERTEX_COLOR_NORMAL_ID || kind == VERTEX_COLOR_NORMAL_UV_ID;
}

bool hasTextureCoordinates(FltVertexKindId kind)
{
    return kind == VERTEX_COLOR_UV_ID || kind == VERTEX_COLOR_NORMAL_UV_ID;
}

// A vertex record's position, normal and texture coordinates, read through
// the one class its kind stands for; null when the record is not of it.
const FltRecordVertexColor* vertexData(const FltRecord* record, FltVertexKindId kind, SbVec3f& normal,
                                       SbVec2f& textureCoordinates)
{
    switch (kind) {
    case VERTEX_COLOR_NORMAL_UV_ID:
        if (const auto* v = dynamic_cast<const FltRecordVertexColorNormalUv*>(record)) {
            normal.setValue(v->vertexNormal[0], v->vertexNormal[1], v->vertexNormal[2]);
            textureCoordinates.setValue(v->texture[0], v->texture[1]);
            return v;
        }
        return nullptr;
    case VERTEX_COLOR_NORMAL_ID:
        if (const auto* v = dynamic_cast<const FltRecordVertexColorNormal*>(record)) {
            normal.setValue(v->vertexNormal[0], v->vertexNormal[1], v->vertexNormal[2]);
            return v;
        }
        return nullptr;
    case VERTEX_COLOR_UV_ID:
        if (const auto* v = dynamic_cast<const FltRecordVertexColorUv*>(record)) {
            textureCoordinates.setValue(v->texture[0], v->texture[1]);
            return v;
        }
        return nullptr;
    case VERTEX_COLOR_ID:
        return dynamic_cast<const FltRecordVertexColor*>(record);
    case UNDEFINED_SO_VERTEX_PROPERTY_ID:
        break;
    }
    return nullptr;
}

// A vertex's colour as 0xRRGGBBAA: its packed colour, or an entry of the
// colour palette at an intensity (index / 128, at (index mod 128) / 127).
uint32_t vertexColor(const FltRecordVertexColor& vertex, const uint32_t* palette)
{
    if (testBit(vertex.flags, FltRecordVertexColor::noColorBit))
        return 0xFFFFFFFFu;
    const int32_t index = vertex.vertexColorIndex;
    if (testBit(vertex.flags, FltRecordVertexColor::packedColorBit) || index < 0 ||
        (index >> 7) >= fltPaletteColorEntries)
        return fltPackedRgba(vertex.packedColor);
    return fltPaletteRgba(index, palette);
}

} // namespace

void FltToVeldra::openVertexArrays(FltVertexKindId kind, int32_t capacity)
{
    const int slot = vertexKindSlot(kind);
    SoVertexProperty* node = vertexPropertyNodes[slot].get();
    const int32_t at = vertexCounts[slot];
    vertexCapacities[slot] = capacity;
    WritePositions& write = writePositions[slot];
    node->vertex.setNum(capacity);
    write.coordinates = node->vertex.startEditing() + at;
    if (hasNormals(kind)) {
        node->normal.setNum(capacity);
        write.normals = node->normal.startEditing() + at;
    }
    if (hasTextureCoordinates(kind)) {
        node->texCoord.setNum(capacity);
        write.textureCoordinates = node->texCoord.startEditing() + at;
    }
    node->orderedRGBA.setNum(capacity);
    write.packedColors = node->orderedRGBA.startEditing() + at;
}

void FltToVeldra::appendVertex(const FltRecord* record, FltVertexKindId kind)
{
    SbVec3f normal;
    SbVec2f textureCoordinates;
    const FltRecordVertexColor* vertex = vertexData(record, kind, normal, textureCoordinates);
    if (!vertex)
        return;
    vertexOffsets.push_back(vertexPaletteOffset);
    const int slot = vertexKindSlot(kind);
    vertexEntries.push_back(VertexEntry{vertexCounts[slot], record->getLength(), vertexPropertyNodes[slot].get()});
    vertexPaletteOffset += record->getLength();
    // Kept until the palette is finished, which moves them out of the scene text.
    const uint32_t rgba = vertexColor(*vertex, colorPalette);
    const SbVec3f coordinates(static_cast<float>(vertex->Xcoordinate), static_cast<float>(vertex->Ycoordinate),
                              static_cast<float>(vertex->Zcoordinate));
    storeVertex(kind, coordinates, normal, textureCoordinates, rgba);
}

int32_t FltToVeldra::storeVertex(FltVertexKindId kind, const SbVec3f& coordinates, const SbVec3f& normal,
                                 const SbVec2f& textureCoordinates, uint32_t packedColor)
{
    const int slot = vertexKindSlot(kind);
    SoVertexProperty* node = vertexPropertyNodes[slot].get();
    int32_t& count = vertexCounts[slot];
    const int32_t index = count;
    if (vertexPaletteDone) {
        // The arrays are closed and exact: grow them one vertex at a time.
        node->vertex.set1Value(index, coordinates);
        if (hasNormals(kind))
            node->normal.set1Value(index, normal);
        if (hasTextureCoordinates(kind))
            node->texCoord.set1Value(index, textureCoordinates);
        node->vertexColors.resize(static_cast<std::size_t>(index) + 1);
        node->vertexColors[index] = packedColor;
        ++count;
        return index;
    }
    if (count >= node->vertex.getNum())
        openVertexArrays(kind, static_cast<int32_t>(count * 1.5 + 100.0)); // grown by half plus 100
    WritePositions& write = writePositions[slot];
    *write.coordinates++ = coordinates;
    if (hasNormals(kind))
        *write.normals++ = normal;
    if (hasTextureCoordinates(kind))
        *write.textureCoordinates++ = textureCoordinates;
    *write.packedColors++ = packedColor;
    ++count;
    return index;
}

void FltToVeldra::finalizeVertexPalette()
{
    for (int slot = 0; slot < vertexKindCount; ++slot) {
        const FltVertexKindId kind = vertexKindAt(slot);
        SoVertexProperty* node = vertexPropertyNodes[slot].get();
        const int32_t count = vertexCounts[slot];
        node->vertex.setNum(count);
        node->vertex.finishEditing();
        if (hasNormals(kind)) {
            node->normal.setNum(count);
            node->normal.finishEditing();
        }
        if (hasTextureCoordinates(kind)) {
            node->texCoord.setNum(count);
            node->texCoord.finishEditing();
        }
        node->vertexColors.assign(node->orderedRGBA.getValues(0), node->orderedRGBA.getValues(0) + count);
        node->orderedRGBA.setNum(0);
        node->orderedRGBA.finishEditing();
        writePositions[slot] = WritePositions();
    }
    const SoRef<SoSwitch> palette(new SoSwitch);
    palette->setName(SbName("vertexPropertyPalette"));
    palette->whichChild.setValue(SO_SWITCH_NONE);
    // The switch order: colour, colour+normal, colour+uv, colour+normal+uv.
    for (const SoRef<SoVertexProperty>& node : vertexPropertyNodes)
        if (node->vertex.getNum() > 0)
            palette->addChild(node.get());
    if (palette->getNumChildren() > 0 && root)
        root->addChild(palette.get());
    vertexPaletteDone = true;
}

int32_t FltToVeldra::getVertexIndex(uint64_t offset) { return getVertexEntry(offset).index; }

SoVertexProperty* FltToVeldra::getVertexProperty(uint64_t offset) { return getVertexEntry(offset).property; }

const VertexEntry& FltToVeldra::getVertexEntry(uint64_t offset)
{
    // An offset where no vertex starts has no node and index 0.
    static const VertexEntry none;
    const std::size_t next = lastVertexFound + 1;
    if (next < vertexOffsets.size() && vertexOffsets[next] == offset)
        return vertexEntries[lastVertexFound = next];
    const auto found = std::lower_bound(vertexOffsets.begin(), vertexOffsets.end(), offset);
    if (found == vertexOffsets.end() || *found != offset)
        return none;
    lastVertexFound = static_cast<std::size_t>(found - vertexOffsets.begin());
    return vertexEntries[lastVertexFound];
}

int32_t FltToVeldra::getVertexPropertyKind(const SoVertexProperty* node) const
{
    for (int slot = 0; slot < vertexKindCount; ++slot)
        if (node && node == vertexPropertyNodes[slot].get())
            return vertexKindAt(slot);
    return UNDEFINED_SO_VERTEX_PROPERTY_ID;
}

int32_t FltToVeldra::getVertexPropertyId(const SoVertexProperty* node) const
{
    const int32_t id = getVertexPropertyKind(node);
    if (id == UNDEFINED_SO_VERTEX_PROPERTY_ID)
        addWarning("WARNING ! This SoVertexProperty hasn t any id,  UNDEFINED_SO_VERTEX_PROPERTY_ID will be "
                   "returned",
                   3, true);
    return id;
}

SoVertexProperty* FltToVeldra::getVertexPropertyById(int32_t id) const
{
    if (id >= VERTEX_COLOR_ID && id <= VERTEX_COLOR_NORMAL_UV_ID)
        return vertexPropertyNodes[vertexKindSlot(static_cast<FltVertexKindId>(id))].get();
    addWarning("WARNING: no vertex property associated with this id, vertexColorProperty will be returned", 3,
               true);
    return vertexPropertyNodes[vertexKindSlot(VERTEX_COLOR_ID)].get();
}

int32_t FltToVeldra::appendNormalUvVertex(int32_t id, int32_t index, const SbVec3f& normal)
{
    const SoVertexProperty* source = getVertexPropertyById(id);
    const auto sourceKind = static_cast<FltVertexKindId>(getVertexPropertyKind(source));
    SbVec3f coordinates;
    SbVec2f textureCoordinates;
    if (index >= 0 && index < vertexCounts[vertexKindSlot(sourceKind)]) {
        coordinates = source->vertex[index];
        if (hasTextureCoordinates(sourceKind) && index < source->texCoord.getNum())
            textureCoordinates = source->texCoord[index];
    }
    const uint32_t color = index >= 0 && static_cast<std::size_t>(index) < source->vertexColors.size()
                               ? source->vertexColors[index]
                               : 0xFFFFFFFFu;
    return storeVertex(VERTEX_COLOR_NORMAL_UV_ID, coordinates, normal, textureCoordinates, color);
}
