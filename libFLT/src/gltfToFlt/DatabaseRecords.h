#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DatabaseModel.h"

class FltRecord;

// The records of a revision 15.7 database (metres, Z up) holding the model:
// header, material and texture palettes, one vertex palette, then the node
// tree as Groups (Matrix and Long ID records after them), each mesh an
// Object of Faces with their Vertex Lists (a mesh placed by several nodes
// under each of them, over the same vertices), level sets as LOD records.
// textureFiles[i] is the file name the database gives texture i, relative
// to the database.
std::vector<std::unique_ptr<FltRecord>> databaseRecords(const database_model::Model& model,
                                                        const std::vector<std::string>& textureFiles);
