// The texts of a drawing as they stand on the sheet: MTEXT's content without its formatting
// codes, and the texts of the blocks placed where their references put them.
#pragma once

#include "DrawingScan.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// A block's definition as far as its texts go: its base point, its texts and the blocks it
// places in turn.
struct BlockDefinition {
    double base[2] = {};
    std::vector<TextEntity> texts;
    std::vector<BlockReference> references;
};

// Block names compare as DXF compares them, without regard to case: the key is the name in
// capitals.
std::string BlockKey(std::string_view name);

// The content of an MTEXT as read: its codes for fonts, heights, colours, alignment and the
// like taken out, its paragraph breaks and hard spaces turned into spaces, its braces dropped.
std::string PlainMText(std::string_view text);

// Appends the texts that the references put on the sheet, each with its reference's offset and
// space. Blocks placed within blocks are followed eight levels deep; a drawing whose references
// would place more than a million texts has the rest left out.
void PlaceBlockTexts(const std::map<std::string, BlockDefinition>& blocks,
                     const std::vector<BlockReference>& references, std::vector<TextEntity>& texts);
