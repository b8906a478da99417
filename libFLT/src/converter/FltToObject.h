#pragma once

#include "FltObservable.h"

class FltParser;

// A converter from a parsed OpenFlight record list to a scene of type Root.
template <class Root>
class FltToObject : public FltRecordObserver {
public:
    virtual void setRoot(Root* root) = 0;
    virtual Root* getRoot() = 0;
    virtual void setParser(FltParser* parser) = 0;
    virtual void releaseParser() = 0;
};
