#pragma once

#include <ostream>
#include <string>

class SoNode;

// Writes a scene as indented text, one node per line:
//
//   SoSeparator "root" {
//     SoMaterial {
//       diffuseColor [1 0 0]
//     }
//     DEF _0 SoIndexedFaceSet {
//       vertexProperty SoVertexProperty {
//         vertex [0 0 0, 1 0 0, 0 1 0]
//       }
//       coordIndex [0, 1, 2, -1]
//     }
//     USE _0
//   }
//
// Only fields that were given a value are written. A node reached along more
// than one path is written in full once, labelled DEF _N, and referred to as
// USE _N afterwards; labels count from 0 in order of appearance. Floats use
// the default stream formatting, so the text is the same on every run.
//
// Each level indents by two spaces, up to kSceneTextMaxIndent levels; lines
// nested deeper keep that indentation. Real scenes stay far above the cap,
// while a hostile scene a million levels deep still gives text linear in its
// size. The walk keeps its own stack, so any depth is safe.
constexpr int kSceneTextMaxIndent = 256;

void writeScene(std::ostream& out, const SoNode* root);
std::string writeSceneToString(const SoNode* root);
