#pragma once

#include <string>

// Files being written that an interrupt must not leave half-written. Once
// installed, SIGINT, SIGTERM and SIGHUP remove the files armed at that
// moment, then end the process as the signal would have.
void installInterruptCleanup();
// At most four files at a time; a path that does not fit is not armed.
void armInterruptCleanup(const std::string& path);
// Creates a file that must not exist yet and arms it, with no interrupt in
// between; false (errno set) when it could not be made, and nothing armed.
bool createArmedFile(const std::string& path);
// Renames the last file of a piece of work into place and disarms every
// file, with no interrupt in between: its files stay, all of them or none.
bool renameAndDisarm(const std::string& from, const std::string& to);
void disarmInterruptCleanup();
