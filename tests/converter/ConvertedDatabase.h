#pragma once

// A database converted from the test writer's bytes, with what the tests
// look at: the scene text, the warnings and the root, released at the end.

#include <string>
#include <vector>

#include "FltTestWriter.h"
#include "TestFiles.h"
#include "Veldra.h"
#include "convertFltFile.h"

struct ConvertedDatabase {
    ScratchDir ownDir; // for a database given as a writer
    SoSeparator* root = nullptr;
    bool converted = false;
    std::vector<std::string> warnings;
    std::vector<int> levels;
    std::string log;
    std::string standardOutput;

    // Converts the writer's database, alone in a directory of its own.
    explicit ConvertedDatabase(FltTestWriter& writer)
    {
        ownDir.write("db.flt", writer.bytes());
        convert(ownDir, "db.flt");
    }
    // Converts `name` inside `dir` (other files of the database may be there).
    ConvertedDatabase(const ScratchDir& dir, const std::string& name) { convert(dir, name); }
    ~ConvertedDatabase()
    {
        if (root && root->getRefCount() > 0)
            root->unref();
    }
    ConvertedDatabase(const ConvertedDatabase&) = delete;
    ConvertedDatabase& operator=(const ConvertedDatabase&) = delete;

    void convert(const ScratchDir& dir, const std::string& name)
    {
        const std::string path = dir.file(name);
        WarningMark mark;
        StreamCapture err(std::cerr);
        {
            StreamCapture out(std::cout);
            root = convertFltFile(path.c_str(), converted);
            standardOutput = out.text();
        }
        warnings = mark.texts();
        levels = mark.levels();
        log = readTextFile(path + ".log");
    }

    std::string scene() const { return writeSceneToString(root); }

    // The scene text of the root's children from `first` on (after the
    // header's set-up nodes and the vertex property switch).
    std::string sceneFrom(int first) const
    {
        std::string text;
        for (int i = first; i < root->getNumChildren(); ++i)
            text += writeSceneToString(root->getChild(i));
        return text;
    }

    SbBox3f bounds() const
    {
        SoGetBoundingBoxAction action{SbViewportRegion()};
        action.apply(root);
        return action.getBoundingBox();
    }
};

// The first node named `name` below `from`, depth first; null when none.
inline SoNode* findNode(SoNode* from, const char* name)
{
    std::vector<SoNode*> pending{from};
    while (!pending.empty()) {
        SoNode* node = pending.back();
        pending.pop_back();
        if (node->getName() == SbName(name))
            return node;
        if (node->isOfType(SoGroup::getClassTypeId())) {
            SoGroup* group = static_cast<SoGroup*>(node);
            for (int i = group->getNumChildren() - 1; i >= 0; --i)
                pending.push_back(group->getChild(i));
        }
    }
    return nullptr;
}
