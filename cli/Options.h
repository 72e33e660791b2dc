// The converter's options as one table: each option's name, the value it takes and how that is
// read, and its lines of --help, from which both the reading of the command line and the help
// are made.
#pragma once

#include "ExportFrame.h"
#include "HullOutputs.h"
#include "ReadDrawing.h"

#include <string>
#include <vector>

// One output asked for, in the order given: an export form, the picture, or a hull output.
struct Request {
    const char* pszOption = nullptr; // as the messages name it
    const ExportForm* pForm = nullptr;
    int nHullForm = -1;
    std::string path; // "-" for standard output
};

struct Options {
    std::string drawing; // "-" for standard input
    std::vector<Request> requests;
    ReadChoices choices;
    HullChoices hull;
    bool bSummary = false;
};

// What the command line asks: a run, or a text to print and leave (help, version), or a usage
// error already printed.
enum class Parsed { Run, Print, UsageError };

// Reads argv into the options; the text to print for Parsed::Print.
Parsed ParseArguments(int argc, char** argv, Options& options, std::string& print);

// Prints "trevano-cli: WHAT: ARG" and the hint to --help on standard error; returns 2, the exit
// status of a usage error.
int UsageError(const char* pszWhat, const char* pszArg = nullptr);
