#pragma once

// Registers every node class the host provides, so that lookups by name do
// not depend on which classes happened to be used first.
void registerBuiltinNodeTypes();
