#pragma once

#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FltReferencedFile.h"
#include "FltToObject.h"
#include "FltVertexColor.h"
#include "FltVertexKind.h"
#include "FltWalkPlace.h"
#include "Veldra.h"

class FltInput;
class FltParser;
class FltRecord;
class FltRecordLOD;
class FltRecordLocalVertexPool;

// Where one vertex of the vertex palette landed: its index in one of the
// four shared vertex property nodes.
struct VertexEntry {
    int32_t index = 0;
    uint32_t length = 0;
    SoVertexProperty* property = nullptr;
};

// Where the vertices of one local vertex pool landed: `count` vertices from
// `first` on in the shared vertex node of kind id `kindId` (see
// getVertexPropertyById). `met` tells a pool that gave none from no pool.
struct LocalVertices {
    bool met = false;
    int32_t kindId = 0;
    int32_t first = 0;
    std::size_t count = 0;
};

// The converter: walks the parsed record list of one file once and builds
// the scene under its root. One object per converted file (nested ones for
// external references).
class FltToVeldra : public FltToObject<SoSeparator> {
public:
    using RecordPosition = std::vector<FltRecord*>::iterator;

    FltToVeldra();
    ~FltToVeldra() override;
    FltToVeldra(const FltToVeldra&) = delete;
    FltToVeldra& operator=(const FltToVeldra&) = delete;

    void update(FltRecord*) override {}
    void setRoot(SoSeparator* root) override;
    SoSeparator* getRoot() override { return root; }
    void setParser(FltParser* parser) override;
    void releaseParser() override;
    virtual int run();
    virtual void setInput(FltInput* input);
    virtual bool isConverted() const { return converted; }
    virtual void walkRecords();
    virtual void deleteRecords();
    void writeStatistics(); // counts the parsed records by opcode into the input's name + ".stat"

    // Sends standard output into `fileName` until closeLog; the transcript
    // is dropped (with a warning) when the file cannot be created.
    void openLog(const char* fileName);
    void closeLog();

    // The record whose conversion the warnings from now on are about.
    void setRecordAtHand(const FltRecord* record) { walkPlace.setRecordAtHand(record); }

    const std::string& getRelativePath() const { return relativePath; }
    void setRelativePath(const std::string& path) { relativePath = path; }

    // Handlers, by record kind. A primary conversion leaves the position on
    // the last record it consumed.
    void convertPrimary(RecordPosition& position);
    void convertControl(FltRecord* record);
    void convertPalette(FltRecord* record);

    // Hierarchy services: hangs a node under the open level; converts the
    // ancillary records that follow a node into decorations of it.
    void attachNode(SoNode* node);
    void convertAncillaries(RecordPosition& position, SoGroup* node);
    // Walks the children that follow a node: from its Push Level to the
    // matching Pop Level. Without a Push Level the node has no children.
    // A level of detail is finished once its children are.
    void walkChildren(RecordPosition& position, SoSeparator* content, SoLOD* lod = nullptr);

    // Vertex services for the geometry builder, by vertex palette offset and
    // by kind id (1 colour, 2 colour+normal, 3 colour+uv, 4 colour+normal+uv).
    int32_t getVertexIndex(uint64_t offset);
    SoVertexProperty* getVertexProperty(uint64_t offset);
    // Both at once, for a face's vertices: one search instead of two.
    const VertexEntry& getVertexEntry(uint64_t offset);
    // Reports a node that is none of the four shared ones, and gives 5.
    int32_t getVertexPropertyId(const SoVertexProperty* node) const;
    int32_t getVertexPropertyKind(const SoVertexProperty* node) const; // silently
    SoVertexProperty* getVertexPropertyById(int32_t id) const;
    // Adds a colour+normal+uv vertex at the place of vertex `index` of kind
    // `id`, with the given normal; returns its index.
    int32_t appendNormalUvVertex(int32_t id, int32_t index, const SbVec3f& normal);
    // Closes the shared vertex nodes and shows them to the scene under one switch.
    void finalizeVertexPalette();
    // Appends a mesh's own vertices to the shared vertex node of their kind.
    LocalVertices appendLocalVertices(const FltRecordLocalVertexPool& pool);

    // What is wrong with a mesh's records; each is reported once per conversion.
    enum class MeshProblem {
        PoolCutShort,
        PoolWithoutPositions,
        PrimitiveBeforePool,
        BadIndexSize,
        IndicesCutShort,
        IndexOutsidePool,
        UnknownPrimitiveType,
        TooFewVertices,
        count
    };
    void reportMeshProblem(MeshProblem problem);

    static constexpr int vertexKindCount = 4;
    // Room made for each kind's vertices as the walk starts: as many as the
    // file could hold in its shortest vertex records, at most this many.
    static constexpr int32_t initialVertexCapacity = 100000;
    static constexpr int32_t shortestVertexRecord = 40;

    FltParser* fltParser = nullptr;
    bool ownsParser = false;
    SoSeparator* root = nullptr;
    bool converted = false;
    SoRef<SoLabel> minRangeLimitLabel;
    SoRef<SoLabel> maxRangeLimitLabel;
    std::string relativePath;
    struct ExternalScene {
        SoSeparator* scene;
        bool opened; // whether its file opened
    };
    std::map<std::string, ExternalScene> externalScenes; // by file name
    // The vertices by palette offset: offsets only grow, so both lists stay
    // in ascending order without sorting; `lastVertexFound` makes the usual
    // lookup (the vertex after the last one asked for) a single comparison.
    std::vector<uint64_t> vertexOffsets;
    std::vector<VertexEntry> vertexEntries;
    std::size_t lastVertexFound = 0;
    uint64_t vertexPaletteOffset = 8;
    // The four shared vertex nodes and their fill state, indexed by vertexKindSlot.
    SoRef<SoVertexProperty> vertexPropertyNodes[vertexKindCount];
    int32_t vertexCounts[vertexKindCount] = {};
    int32_t vertexCapacities[vertexKindCount] = {};
    struct WritePositions {
        SbVec3f* coordinates = nullptr;
        SbVec3f* normals = nullptr;
        SbVec2f* textureCoordinates = nullptr;
        uint32_t* packedColors = nullptr;
    };
    WritePositions writePositions[vertexKindCount];
    uint32_t colorPalette[fltPaletteColorEntries] = {};
    // The palettes' nodes: those that never reach a scene die with the converter.
    SoRef<SoMaterial> defaultMaterial;
    std::map<int32_t, SoRef<SoTexture2>> textures;
    std::map<int32_t, std::string> names;
    std::map<int32_t, SoRef<SoDrawStyle>> lineStyles;
    std::map<int32_t, SoRef<SoNode>> instanceDefinitions;
    bool vertexPaletteDone = false;
    std::deque<SoGroup*> groupStack;
    SoGroup* lastNode = nullptr;
    bool logOpen = false;
    std::unique_ptr<std::ofstream> logFile;

    // Node visits spent on the centres of levels of detail. Nested levels
    // of detail each measure their whole content; real files spend a tiny
    // part of this, a hostile one could otherwise make it quadratic.
    static constexpr int64_t maxLODCenterVisits = int64_t(1) << 24;

    // Whether the Header of this file took the root's lasting reference.
    bool hasSetUpRoot() const { return rootSetUp; }

private:
    // A node whose children are being walked. The walk keeps these on the
    // heap instead of recursing, so nesting depth is bounded by memory only.
    struct ChildWalk {
        SoSeparator* content = nullptr;
        SoLOD* lod = nullptr; // set for a level of detail, finished when the walk ends
        int depth = 0;
    };
    // The masks of a switch parent, read once from its information node, and
    // its children counted so far.
    struct SwitchState {
        bool masksRead = false;
        bool infoFound = false;
        std::vector<int64_t> maskList;
        int switchChildren = 0;
        int childrenCounted = 0;
    };

    RecordPosition listEnd() const;
    // Steps back to the last record a conversion consumed.
    void stepBack(RecordPosition& position) const;
    void stepChildWalk(RecordPosition& position);
    void endChildWalk();

    void setUpRoot(const FltRecord* header);
    SoSeparator* newNamedSeparator(const char* id);
    SoSeparator* convertNode(RecordPosition& position, const char* id);
    void convertClipRegion(RecordPosition& position);
    void convertObject(RecordPosition& position);
    void convertFreeFaces(RecordPosition& position);
    void buildGeometry(std::vector<FltRecord*>::const_iterator at, std::vector<FltRecord*>::const_iterator end,
                       float transparency, SoGroup* target,
                       float objectOpacity = 1.0f);
    void convertLOD(RecordPosition& position, const FltRecordLOD& record);
    void convertOldLOD(RecordPosition& position);
    void finishLOD(SoLOD* lod, SoSeparator* content);
    void convertSwitch(RecordPosition& position);
    void convertExternalReference(RecordPosition& position);
    void convertReplicate(const std::vector<FltRecord*>& ancillaries, std::size_t& at, int32_t count,
                          SoGroup* node);
    void pushLevel();
    void popLevel();
    void defineInstance(const FltRecord* record);
    void referenceInstance(const FltRecord* record);
    bool switchChildShown(SoGroup* parent);
    // Keeps a node that has no parent alive until the converter goes.
    void keepDetached(SoNode* node);

    // Resizes the kind's edited arrays and places its write positions at its count.
    void openVertexArrays(FltVertexKindId kind, int32_t capacity);
    void appendVertex(const FltRecord* record, FltVertexKindId kind);
    // Writes one vertex at the end of its kind's node (growing the arrays
    // when full) and returns its index.
    int32_t storeVertex(FltVertexKindId kind, const SbVec3f& coordinates, const SbVec3f& normal,
                        const SbVec2f& textureCoordinates, uint32_t packedColor);

    std::vector<ChildWalk> childWalks;
    std::map<const SoGroup*, SwitchState> switchStates;
    // How often each group stands in groupStack: an instance may not be
    // placed below itself.
    std::map<const SoGroup*, int> stackedGroups;
    std::vector<SoRef<SoNode>> detachedNodes;
    bool meshProblemsReported[static_cast<int>(MeshProblem::count)] = {};
    bool rootSetUp = false;
    // Canonical names of the files being converted, outermost first: a
    // reference back to one of them would never end.
    std::vector<std::string> fileChain;
    // What one top file may spend, shared by the whole tree of nested converters.
    struct ConversionBudget {
        int nestedConversions = 0;
        int64_t lodCenterVisits = 0;
        bool lodCentersSkipped = false;
    };
    std::shared_ptr<ConversionBudget> budget = std::make_shared<ConversionBudget>();

    std::streambuf* standardOutputBuffer = nullptr;
    std::vector<char> logBuffer;
    FltWalkPlace walkPlace;
};
