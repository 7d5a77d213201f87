#pragma once

struct CommandLine;

// The working folder the command line asks for, and the first start in the
// user's own folder.
namespace WorkingFolder {

// Makes the command line's folder the current folder: the current folder
// stays, a named folder must exist, the user's own folder is made (with its
// missing parents) when it is not there. Raises FileError otherwise, and
// the current folder stays as it was.
void enter(const CommandLine &line);

// Only in the user's own folder, and only when it holds no SQDB.DB: asks
// whether to make one with the standard dictionary, and on yes makes it.
// Raises FileError when it cannot be made; nothing is written over a file.
void offerNewDatabase(const CommandLine &line);

// Both, as the program starts: an error is shown in the general error box.
// False when there is no working folder to start in.
bool prepare(const CommandLine &line);

} // namespace WorkingFolder
