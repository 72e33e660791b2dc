// The number labels of a body plan: which texts are numbers, and which label lies nearest to
// each curve, found through a tree of the labels so that a sheet of thousands of texts and
// sections is matched in about the time it takes to read it.
#pragma once

#include "Types.h"

#include <span>
#include <string>
#include <vector>

struct SheetPoint {
    double x, y;
};

struct NumberLabel {
    double x, y;
    double value;
    ULONGLONG nOffset; // the drawing's order
};

// The number a text gives, spaces round it dropped, with a point or a comma as its decimal
// separator ("12", "-0,5", "+3.25", ".5"); false for any other text (an exponent, a unit, two
// numbers).
bool LabelNumber(const std::string& text, double& value);

// For each curve (its points on the sheet, joined in order), the index of a label whose point
// lies nearest to it, -1 when there is no label.
std::vector<long> NearestLabels(const std::vector<std::span<const SheetPoint>>& curves,
                                const std::vector<NumberLabel>& labels);
