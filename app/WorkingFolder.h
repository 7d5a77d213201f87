#pragma once

struct CommandLine;

// The working folder the command line asks for.
namespace WorkingFolder {

// Makes the command line's folder the current folder: the current folder
// stays, a named folder must exist, the user's own folder is made (with its
// missing parents) when it is not there. Raises FileError otherwise, and
// the current folder stays as it was.
void enter(const CommandLine &line);

// As the program starts: an error is shown in the general error box.
// False when there is no working folder to start in.
bool prepare(const CommandLine &line);

} // namespace WorkingFolder
