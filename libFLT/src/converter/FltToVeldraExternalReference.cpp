// An external reference converts another OpenFlight file into a separator of
// its own, once per converter however often the file is referenced.

#include <memory>
#include <string>

#include "FltFileInput.h"
#include "FltFixedText.h"
#include "FltParser.h"
#include "FltReferencedFile.h"
#include "FltRecordExternalReference.h"
#include "FltToVeldra.h"
#include "FltWarningMessageConsole.h"

namespace {

void reportNotFollowed(const char* why, const std::string& path)
{
    const std::string text = std::string("ERROR! EXTERNAL REFERENCE NOT FOLLOWED (") + why + "): " + path;
    addWarning(text.c_str(), 3, true);
}

} // namespace

void FltToVeldra::convertExternalReference(RecordPosition& position)
{
    const auto* reference = dynamic_cast<const FltRecordExternalReference*>(*position);
    if (!reference)
        return;
    SoSeparator* separator = new SoSeparator;
    lastNode = separator;
    attachNode(separator);
    const std::string path = fixedText(reference->asciiPath);
    SoLabel* label = new SoLabel;
    label->label.setValue(SbName(("From OpenFlight File:  " + path).c_str()));
    separator->addChild(label);
    ++position;
    convertAncillaries(position, separator);
    stepBack(position);
    if (path.empty())
        return;

    const char* directory = fltParser->getInput() ? fltParser->getInput()->getDirectory() : nullptr;
    const std::string relative = fltReferenceRelativeName(path);
    const std::string fullName = fltReferencedFileName(directory, path);
    // A file converted already is not read again; its opening is still
    // announced, as it is for every reference.
    const auto known = externalScenes.find(fullName);
    if (known != externalScenes.end()) {
        FltFileInput::announceOpening(fullName, known->second.opened);
        separator->addChild(known->second.scene);
        return;
    }
    if (fileChain.empty() && fltParser->getInput())
        fileChain.push_back(fltCanonicalFileName(fltParser->getInput()->getFileName()));
    const FltReferenceVerdict verdict = fltJudgeReference(fullName, fileChain, budget->nestedConversions);
    if (verdict == FltReferenceVerdict::Missing) {
        const std::string text = "ERROR! CAN'T RESOLVE EXTERNAL REFERENCE: " + path;
        addWarning(text.c_str(), 3, true);
        return;
    }
    if (verdict != FltReferenceVerdict::Follow) {
        reportNotFollowed(fltReferenceNotFollowedReason(verdict), path);
        return;
    }
    auto input = std::make_unique<FltFileInput>(fullName.c_str());
    const std::string canonical = fltCanonicalFileName(fullName);
    ++budget->nestedConversions;

    SoSeparator* scene = new SoSeparator;
    separator->addChild(scene);
    externalScenes[fullName] = {scene, input->isOpen()};
    const std::string::size_type lastSeparator = relative.find_last_of("/\\");
    const std::string childRelativePath =
        relativePath + (lastSeparator == std::string::npos ? "" : relative.substr(0, lastSeparator) + "/");

    auto nested = std::make_unique<FltToVeldra>();
    nested->setRelativePath(childRelativePath);
    nested->fileChain = fileChain;
    nested->fileChain.push_back(canonical);
    nested->budget = budget;
    nested->setInput(input.get());
    nested->setRoot(scene);
    nested->run();
    // The nested Header's lasting reference is meant for a caller of the
    // conversion; here the reference's separator holds the scene. Given back
    // by hand, as it was taken.
    if (nested->hasSetUpRoot())
        scene->unrefNoDelete();
    nested.reset();
}
