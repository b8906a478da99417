#ifndef FLT_TO_VELDRA_H
#define FLT_TO_VELDRA_H

#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FltToObject.h"
#include "Veldra.h"

class FltInput;
class FltParser;
class FltRecord;

// Where one vertex of the vertex palette landed: its index in one of the
// four shared vertex property nodes.
struct VertexEntry {
    int32_t index = 0;
    uint32_t length = 0;
    SoVertexProperty* property = nullptr;
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

    // Sends standard output into `fileName` until closeLog; the transcript
    // is dropped (with a warning) when the file cannot be created.
    void openLog(const char* fileName);
    void closeLog();

    const std::string& getRelativePath() const { return relativePath; }
    void setRelativePath(const std::string& path) { relativePath = path; }

    // Handlers, by record kind.
    void convertPrimary(RecordPosition& position);
    void convertControl(FltRecord* record);
    void convertPalette(FltRecord* record);

    // Vertex kinds, in the order of the shared vertex property nodes' arrays.
    enum VertexKind { COLOR = 0, COLOR_NORMAL = 1, COLOR_UV = 2, COLOR_NORMAL_UV = 3 };
    static constexpr int vertexKindCount = 4;
    static constexpr int32_t initialVertexCapacity = 100000;

    FltParser* fltParser = nullptr;
    bool ownsParser = false;
    SoSeparator* root = nullptr;
    bool converted = false;
    SoLabel* minRangeLimitLabel = nullptr;
    SoLabel* maxRangeLimitLabel = nullptr;
    std::string relativePath;
    std::map<std::string, SoSeparator*> externalScenes;
    std::map<uint64_t, VertexEntry> vertexEntries;
    uint64_t vertexPaletteOffset = 8;
    // The four shared vertex nodes and their fill state, indexed by VertexKind.
    SoVertexProperty* vertexPropertyNodes[vertexKindCount] = {};
    int32_t vertexCounts[vertexKindCount] = {};
    int32_t vertexCapacities[vertexKindCount] = {};
    struct WritePositions {
        SbVec3f* coordinates = nullptr;
        SbVec3f* normals = nullptr;
        SbVec2f* textureCoordinates = nullptr;
        uint32_t* packedColors = nullptr;
    };
    WritePositions writePositions[vertexKindCount];
    uint32_t colorPalette[4152] = {};
    SoMaterial* defaultMaterial = nullptr;
    std::map<int32_t, SoTexture2*> textures;
    std::map<int32_t, std::string> names;
    std::map<int32_t, SoDrawStyle*> lineStyles;
    std::map<int32_t, SoNode*> instanceDefinitions;
    bool vertexPaletteDone = false;
    std::deque<SoGroup*> groupStack;
    SoGroup* lastNode = nullptr;
    bool logOpen = false;
    std::unique_ptr<std::ofstream> logFile;

private:
    void setUpRoot(const FltRecord* header);
    void pushLevel();
    void popLevel();
    // Resizes the kind's edited arrays and places its write positions at its count.
    void openVertexArrays(VertexKind kind, int32_t capacity);

    std::streambuf* standardOutputBuffer = nullptr;
    std::vector<char> logBuffer;
};

#endif
