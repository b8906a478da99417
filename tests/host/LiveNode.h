#pragma once

#include "Veldra.h"

// Counts live instances so deletion can be observed.
class LiveNode : public SoSubNode<LiveNode, SoNode> {
public:
    static constexpr const char* kClassName = "LiveNode";
    static inline int live = 0;
    LiveNode() { ++live; }
    ~LiveNode() override { --live; }
};
