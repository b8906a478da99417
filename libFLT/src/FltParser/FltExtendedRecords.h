#pragma once

// The extended record set: Mesh (84), Local Vertex Pool (85) and Mesh
// Primitive (86), the geometry newer modelling tools write. Off by default,
// so that the records, transcripts and scenes of a conversion stay what
// they always were; a host that wants the meshes turns it on for the whole
// process before converting. A parse decides once, when it starts.

#include <cstdint>

void setFltExtendedRecords(bool on);
bool isFltExtendedRecords();

// Records of the extended set that the last conversion on the calling
// thread met with the set off (the file given and the files it
// references); 0 when the set was on.
int64_t getFltExtendedRecordsMissed();
// For the conversion: starts the count again, and adds one file's records.
void resetFltExtendedRecordsMissed();
void addFltExtendedRecordsMissed(int64_t records);
