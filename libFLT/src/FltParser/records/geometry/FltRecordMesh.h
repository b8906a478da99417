#pragma once

#include "FltRecordFace.h"

// A mesh: the appearance of a face, shared by every polygon of its mesh
// primitives. Its own vertices follow in a Local Vertex Pool, its primitives
// below a Push Level. Part of the extended record set.
//
// The fields are a face's with one reserved word after the identifier:
//   offset  size  type    field
//        0     2  int16   opcode 84
//        2     2  uint16  length (84)
//        4     8  char    identifier
//       12     4  int32   reserved
//       16     4  int32   IR colour code
//       20     2  int16   relative priority
//       22     1  int8    draw type
//       23     1  int8    texture white
//       24     2  uint16  colour name index
//       26     2  uint16  alternate colour name index
//       28     1  int8    reserved
//       29     1  int8    template (billboard)
//       30     2  int16   detail texture pattern index
//       32     2  int16   texture pattern index
//       34     2  int16   material index (-1 none)
//       36     2  int16   surface material code
//       38     2  int16   feature identifier
//       40     4  int32   IR material code
//       44     2  uint16  transparency
//       46     1  uint8   LOD generation control
//       47     1  uint8   line style index
//       48     4  uint32  flags (as a face's)
//       52     1  uint8   light mode
//       53     7          reserved
//       60     4          packed primary colour (a, b, g, r)
//       64     4          packed alternate colour
//       68     2  int16   texture mapping index
//       70     2  int16   reserved
//       72     4  int32   primary colour index
//       76     4  int32   alternate colour index
//       80     4          reserved (two int16)
class FltRecordMesh : public FltRecordFace {
public:
    using FltRecordFace::FltRecordFace;
    int32_t getOpcode() const override { return fltOpcode<FltRecordMesh>; }

    int32_t reservedAfterIdentifier = 0;

protected:
    const char* getTitle() const override { return "\n MESH RECORD "; }
    void describeAfterIdentifier(FltFields& f) override { f.reserved(reservedAfterIdentifier); }
};
