// The ancillary records that follow a node decorate it: comments become
// information nodes, a long identifier its name, a matrix a transform, and a
// replication copies of it placed by the matrices that follow.

#include "FltOpcodes.h"
#include "FltParser.h"
#include "FltRecordComment.h"
#include "FltRecordLongID.h"
#include "FltRecordMatrix.h"
#include "FltRecordReplicate.h"
#include "FltToVeldra.h"

namespace {

SoMatrixTransform* matrixTransform(const FltRecordMatrix& record)
{
    SoMatrixTransform* transform = new SoMatrixTransform;
    transform->matrix.setValue(SbMatrix(record.matrix));
    return transform;
}

// One information node per non-empty line; CR, LF and CR LF end a line.
void appendCommentLines(const char* text, SoGroup* node)
{
    const char* line = text;
    for (const char* c = text;; ++c) {
        if (*c != '\0' && *c != '\r' && *c != '\n')
            continue;
        if (c > line) {
            SoInfo* info = new SoInfo;
            info->string.setValue(SbString(std::string(line, c).c_str()));
            node->addChild(info);
        }
        if (*c == '\0')
            return;
        line = c + 1;
    }
}

} // namespace

void FltToVeldra::convertAncillaries(RecordPosition& position, SoGroup* node)
{
    std::vector<FltRecord*> ancillaries;
    for (const RecordPosition end = listEnd();
         position != end && *position && (*position)->getRecordClass() == FltRecordClass::Ancillary; ++position)
        ancillaries.push_back(*position);

    for (std::size_t i = 0; i < ancillaries.size(); ++i) {
        const FltRecord* record = ancillaries[i];
        switch (record->getOpcode()) {
        case FLT_COMMENT:
            if (const auto* comment = dynamic_cast<const FltRecordComment*>(record))
                appendCommentLines(comment->textDescription.c_str(), node);
            break;
        case FLT_LONG_ID:
            if (const auto* longId = dynamic_cast<const FltRecordLongID*>(record))
                node->setName(SbName(longId->idASCII.c_str()));
            break;
        case FLT_MATRIX:
            if (const auto* matrix = dynamic_cast<const FltRecordMatrix*>(record))
                node->addChild(matrixTransform(*matrix));
            break;
        case FLT_REPLICATE:
            if (const auto* replicate = dynamic_cast<const FltRecordReplicate*>(record))
                convertReplicate(ancillaries, i, replicate->numberOfReplications, node);
            break;
        default: break; // bounding volumes and the other transformation records: nothing
        }
    }
}

void FltToVeldra::convertReplicate(const std::vector<FltRecord*>& ancillaries, std::size_t& at, int32_t count,
                                   SoGroup* node)
{
    SoSeparator* replications = newNamedSeparator("Replications");
    if (groupStack.empty())
        keepDetached(replications);
    else
        groupStack.back()->addChild(replications);
    // The transforms accumulate: copy k stands where the first k matrices put it.
    for (int32_t copy = 0; copy < count && at + 1 < ancillaries.size(); ++copy) {
        const auto* matrix = dynamic_cast<const FltRecordMatrix*>(ancillaries[at + 1]);
        if (!matrix)
            break;
        ++at;
        replications->addChild(matrixTransform(*matrix));
        replications->addChild(node);
    }
}
