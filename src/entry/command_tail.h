// Splits the program name off a process command line.
#pragma once

// Returns the command tail: what follows the program name and the blanks after
// it, up to the terminating zero. A quoted name ends at the next double quote
// (a double-byte character's trail byte never ends it); an unquoted name ends
// at the first byte of value 32 or less. Never reads past the terminator.
const char* FindCommandTail(const char* commandLine);
