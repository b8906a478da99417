#pragma once

#include <string>

// Files being written that an interrupt must not leave half-written. Once
// installed, SIGINT, SIGTERM and SIGHUP remove the files armed at that
// moment, then end the process as the signal would have.
void installInterruptCleanup();
// At most four files at a time; a path that does not fit is not armed.
void armInterruptCleanup(const std::string& path);
void disarmInterruptCleanup();
