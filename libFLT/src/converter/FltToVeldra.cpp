#include "FltToVeldra.h"

#include <algorithm>
#include <iostream>

#include "FltCreationVisitor.h"
#include "FltDumpStage.h"
#include "FltExtendedRecords.h"
#include "FltInput.h"
#include "FltParser.h"
#include "FltProgress.h"
#include "FltRecord.h"
#include "FltWarningMessageConsole.h"

namespace {

const char* const vertexNodeNames[FltToVeldra::vertexKindCount] = {
    "vertexColorProperty", "vertexColorNormalProperty", "vertexColorUVProperty",
    "vertexColorNormalUVProperty"};

SoRef<SoLabel> newRangeLabel(const char* text)
{
    SoRef<SoLabel> label(new SoLabel);
    label->label.setValue(SbName(text));
    return label;
}

} // namespace

FltToVeldra::FltToVeldra()
{
    defaultMaterial = SoRef<SoMaterial>(new SoMaterial);
    for (int slot = 0; slot < vertexKindCount; ++slot) {
        vertexPropertyNodes[slot] = SoRef<SoVertexProperty>(new SoVertexProperty);
        vertexPropertyNodes[slot]->setName(SbName(vertexNodeNames[slot]));
        vertexCounts[slot] = 0;
    }
    vertexPaletteOffset = 8;
    minRangeLimitLabel = newRangeLabel("MinRangeLimitForLOD");
    maxRangeLimitLabel = newRangeLabel("MaxRangeLimitForLOD");
}

FltToVeldra::~FltToVeldra()
{
    releaseParser();
    if (logOpen)
        closeLog();
}

void FltToVeldra::setRoot(SoSeparator* newRoot)
{
    root = newRoot ? newRoot : new SoSeparator;
}

void FltToVeldra::setParser(FltParser* parser)
{
    // A parser handed in from outside is its owner's to destroy.
    if (parser != fltParser)
        releaseParser();
    fltParser = parser;
    ownsParser = false;
    if (fltParser)
        fltParser->attach(this);
}

void FltToVeldra::releaseParser()
{
    if (ownsParser && fltParser) {
        delete fltParser;
        fltParser = nullptr;
        ownsParser = false;
    }
}

void FltToVeldra::setInput(FltInput* input)
{
    releaseParser();
    fltParser = new FltParser(input);
    ownsParser = true;
}

void FltToVeldra::openLog(const char* fileName)
{
    if (logOpen)
        closeLog();
    logBuffer.resize(1 << 16);
    logFile = std::make_unique<std::ofstream>();
    logFile->rdbuf()->pubsetbuf(logBuffer.data(), static_cast<std::streamsize>(logBuffer.size()));
    logFile->open(fileName, std::ios::out | std::ios::trunc);
    standardOutputBuffer = std::cout.rdbuf();
    if (!*logFile) {
        const std::string text = std::string("WARNING ! cannot create the log file ") + fileName +
                                 ", the transcript is dropped";
        addWarning(text.c_str(), 1, true);
    }
    // Without a file the transcript goes nowhere rather than into the caller's output.
    std::cout.rdbuf(*logFile ? logFile->rdbuf() : nullptr);
    logOpen = true;
}

void FltToVeldra::closeLog()
{
    if (!logOpen)
        return;
    std::cout.flush();
    std::cout.rdbuf(standardOutputBuffer);
    std::cout.clear();
    logFile->close();
    logFile.reset();
    logOpen = false;
}

int FltToVeldra::run()
{
    if (!root)
        root = new SoSeparator;
    if (!fltParser) {
        addWarning("ERROR ! The field fltParser is NULL", 3, true);
        return 1;
    }
    if (!fltParser->getInput() || !fltParser->getInput()->isOpen()) {
        addWarning("ERROR ! FltParser has no INPUT !", 3, true);
        return 1;
    }
    const int64_t inputSize = std::max(fltParser->getInput()->getSize(), 0);
    const auto vertexCapacity =
        static_cast<int32_t>(std::min<int64_t>(initialVertexCapacity, inputSize / shortestVertexRecord + 1));
    for (int slot = 0; slot < vertexKindCount; ++slot)
        if (vertexCounts[slot] == 0)
            openVertexArrays(vertexKindAt(slot), vertexCapacity);
    // The walk only reads the records, so their dumps may still be on their
    // way while it runs; whatever it prints follows them.
    FltDumpStage dumps(*fltParser->getCreationVisitor(), static_cast<uint64_t>(inputSize));
    if (fltParser->parse() == 1)
        return 1;
    if (fltParser->getCreationVisitor()->getVersion() < 11) {
        addWarning("ERROR ! Openflight Format Revision not supported !", 3, true);
        dumps.finish();
        deleteRecords();
        return 1;
    }
    {
        walkPlace.setRecords(&fltParser->getRecords(), fltParser->getInput()->getFileName());
        const FltWarningPlaceScope place(walkPlace);
        walkRecords();
    }
    dumps.finish();
    deleteRecords();
    return 0;
}

void FltToVeldra::walkRecords()
{
    std::vector<FltRecord*>& records = fltParser->getRecords();
    std::size_t progressMark = fltProgressInterval;
    for (RecordPosition position = records.begin(); position != records.end(); ++position) {
        const std::size_t walked = static_cast<std::size_t>(position - records.begin());
        if (walked >= progressMark) {
            progressMark = walked + fltProgressInterval;
            reportFltProgress(FltProgressStage::Converting,
                              fltParser->getInput() ? fltParser->getInput()->getFileName() : "", walked,
                              records.size());
        }
        if (!childWalks.empty()) {
            walkPlace.setRecordAtHand(*position);
            stepChildWalk(position);
            continue;
        }
        FltRecord* record = *position;
        if (!record)
            continue;
        walkPlace.setRecordAtHand(record);
        switch (record->getRecordClass()) {
        case FltRecordClass::Primary: convertPrimary(position); break;
        case FltRecordClass::Control: convertControl(record); break;
        case FltRecordClass::Palette: convertPalette(record); break;
        case FltRecordClass::Ancillary: // read by the node they follow
        case FltRecordClass::None: break;
        }
    }
    // The records ran out inside open levels: their nodes end here.
    while (!childWalks.empty())
        endChildWalk();
    // Geometry the default record set leaves out: the user learns what turns it on.
    if (const int64_t missed = fltParser->getCreationVisitor()->getExtendedRecordsMissed()) {
        const std::string text = std::to_string(missed) +
                                 " records of this database are read only with the extended record set "
                                 "(opcodes 84, 85, 86)";
        addWarning(text.c_str(), 1, true);
        addFltExtendedRecordsMissed(missed);
    }
    converted = true;
}

void FltToVeldra::deleteRecords() { fltParser->deleteRecords(); }
