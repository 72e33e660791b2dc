// How the converter reads its arguments: options that take a value, and the usage error.
#pragma once

#include <string>

// An option that takes a value, given as "--name VALUE" or "--name=VALUE": true when argv[i]
// is pszName, with the value taken (bMissing when none follows).
bool TakeValue(const char* pszName, int argc, char** argv, int& i, std::string& value,
               bool& bMissing);

// Prints "trevano-cli: WHAT: ARG" and the hint to --help on standard error; returns 2, the exit
// status of a usage error.
int UsageError(const char* pszWhat, const char* pszArg = nullptr);
