#pragma once
// The MPEG route's join: the intermediates, byte for byte and in order, into
// the joined stream.
#include <functional>
#include <string>
#include <vector>

#include "engine/ToolStop.h"

namespace corvane {

// Joins sources into joined, here in this process: no command interpreter
// is started, so nothing in a name is ever read as a command, a variable or
// a program to run, and no command-line limit applies. joined is the file
// the caller reserved (it is emptied first) or, when nothing of that name
// exists, a file created new. The bytes go in blocks of 1 MiB; before each
// block keepGoing (may be empty) is asked and stop (may be null) is looked
// at, and either ends the join. Every read and write is checked. On failure
// or stop joined is deleted and the result is false.
// Blocking; meant for the join controller's worker thread.
bool JoinByteCopy(const std::vector<std::wstring>& sources, const std::wstring& joined,
                  const std::function<bool()>& keepGoing, const CToolStop* stop = nullptr);

}  // namespace corvane
