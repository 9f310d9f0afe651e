// Text for the person at the console, as a screen reader reads it: UTF-8
// inside the programs, written to a console with WriteConsoleW and read from
// it with ReadConsoleW (the console's own code page, often 437 or 866,
// would garble every letter outside it); a pipe or a file gets the UTF-8
// bytes themselves.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace voxpan {

// The program's arguments (without its name) as UTF-8, from the wide
// command line.
std::vector<std::string> commandLineArguments();
// An environment variable as UTF-8; "" when it is not set.
std::string environmentText(const wchar_t* name);

// std::cin, std::cout and std::cerr of a console program read and write
// the console in UTF-16 from now on, where they are a console.
void useUnicodeConsole();

// Writes UTF-8 text to the handle: as characters to a console, else as
// bytes with each "\n" as CR LF. False when the handle takes nothing.
bool writeText(HANDLE handle, std::string_view utf8);

// For a window program started from a console (voxpan --help): the text
// goes to the standard output or error it was given, else to the console
// it was started from. Nothing is shown when there is neither.
void writeToStartingConsole(std::string_view utf8, DWORD standardHandle);

}  // namespace voxpan
