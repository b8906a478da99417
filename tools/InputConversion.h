#pragma once

#include <ostream>

#include "FltconvertOptions.h"
#include "InputOutcome.h"
#include "InputTree.h"
#include "OutputTree.h"

class ProgressLine;

// Prints an outcome's texts where they belong: the standard output, the
// error stream, the scene output.
class OutcomePrinter {
public:
    OutcomePrinter(std::ostream* sceneStream) : sceneStream(sceneStream) {}
    void print(InputOutcome& outcome) const; // and forgets the texts printed
private:
    std::ostream* sceneStream;
};

// Converts one input through the loaded reader plug-in as the options say,
// writing its planned files. With a printer the texts are printed as they
// come (a viewer is served only after them); without, they are kept in the
// outcome for the batch to print in input order.
InputOutcome convertInput(const BatchInput& input, const PlannedOutputs& planned, const FltconvertOptions& options,
                          bool batch, ProgressLine* progress, const OutcomePrinter* printer);
