// The committed icon and emblem: their headers, and that the script that made
// them still makes exactly these bytes.
#include "ResFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

ResBytes ReadResource(const std::string& name) {
    return ReadWholeFile(std::string(TREVANO_RES_DIR) + "/" + name);
}

constexpr std::size_t kIconImage = 22; // directory (6) plus its one entry (16)

} // namespace

TEST(ResourceImages, IconIsOne32x32SixteenColourImage) {
    const ResBytes ico = ReadResource("trevano.ico");
    ASSERT_GE(ico.size(), kIconImage + 40);
    EXPECT_EQ(ReadLe16(ico, 0), 0);
    EXPECT_EQ(ReadLe16(ico, 2), 1); // icon, not cursor
    EXPECT_EQ(ReadLe16(ico, 4), 1); // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(ReadLe16(ico, 12), 4);
    EXPECT_EQ(ReadLe32(ico, 14), ico.size() - kIconImage);
    EXPECT_EQ(ReadLe32(ico, 18), kIconImage);

    EXPECT_EQ(ReadLe32(ico, kIconImage + 0), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(ReadLe32(ico, kIconImage + 4), 32u);
    EXPECT_EQ(ReadLe32(ico, kIconImage + 8), 64u); // colour image and mask stacked
    EXPECT_EQ(ReadLe16(ico, kIconImage + 12), 1);
    EXPECT_EQ(ReadLe16(ico, kIconImage + 14), 4);
    EXPECT_EQ(ReadLe32(ico, kIconImage + 16), 0u); // uncompressed
    // header, 16 palette entries, 4-bit colour rows, 1-bit mask rows
    EXPECT_EQ(ico.size(), kIconImage + 40 + 16 * 4 + 32 * 16 + 32 * 4);
}

TEST(ResourceImages, IconPaletteIsTheStandardVgaSixteen) {
    const ResBytes ico = ReadResource("trevano.ico");
    const unsigned char expected[16][3] = {
        {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
        {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
        {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
        {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    };
    for (std::size_t i = 0; i < 16; ++i) {
        const std::size_t entry = kIconImage + 40 + 4 * i; // blue, green, red, reserved
        EXPECT_EQ(ico[entry + 2], expected[i][0]) << "entry " << i;
        EXPECT_EQ(ico[entry + 1], expected[i][1]) << "entry " << i;
        EXPECT_EQ(ico[entry + 0], expected[i][2]) << "entry " << i;
    }
}

TEST(ResourceImages, IconTransparentPixelsAreBlackInTheColourImage) {
    // Where the mask is set the colour image is XORed onto the screen, so
    // anything but black there would show as inverted pixels.
    const ResBytes ico = ReadResource("trevano.ico");
    const std::size_t colour = kIconImage + 40 + 64;
    const std::size_t mask = colour + 32 * 16;
    int nTransparent = 0;
    for (std::size_t row = 0; row < 32; ++row) {
        for (std::size_t x = 0; x < 32; ++x) {
            if (!(ico[mask + row * 4 + x / 8] & (0x80 >> (x % 8)))) continue;
            ++nTransparent;
            const unsigned char pair = ico[colour + row * 16 + x / 2];
            EXPECT_EQ(x % 2 ? (pair & 0x0F) : (pair >> 4), 0) << "row " << row << " x " << x;
        }
    }
    EXPECT_GT(nTransparent, 0);
    EXPECT_LT(nTransparent, 32 * 32 / 8); // the black ground itself is opaque
}

TEST(ResourceImages, EmblemIs43x55WithAFull256ColourPalette) {
    const ResBytes bmp = ReadResource("emblem.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(ReadLe32(bmp, 2), bmp.size());
    EXPECT_EQ(ReadLe32(bmp, 10), 14u + 40u + 256u * 4u); // pixels follow the palette
    EXPECT_EQ(ReadLe32(bmp, 14), 40u);                   // BITMAPINFOHEADER
    EXPECT_EQ(ReadLe32(bmp, 18), 43u);
    EXPECT_EQ(ReadLe32(bmp, 22), 55u); // positive: rows bottom-up
    EXPECT_EQ(ReadLe16(bmp, 26), 1);
    EXPECT_EQ(ReadLe16(bmp, 28), 8);
    EXPECT_EQ(ReadLe32(bmp, 30), 0u);
    EXPECT_EQ(ReadLe32(bmp, 46), 256u);
    EXPECT_EQ(bmp.size(), 14u + 40u + 256u * 4u + 44u * 55u); // rows padded to 44 bytes
}

TEST(ResourceImages, ScriptRemakesTheCommittedFilesByteForByte) {
    const std::string out = std::string(TREVANO_TEST_OUT_DIR) + "/images";
    std::filesystem::create_directories(out);
    const std::string command = std::string("\"") + TREVANO_PYTHON + "\" \"" + TREVANO_RES_DIR +
                                "/make_images.py\" --out \"" + out + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* pszName : {"trevano.ico", "emblem.bmp", "trevano.png", "emblem.png"}) {
        EXPECT_EQ(ReadWholeFile(out + "/" + pszName), ReadResource(pszName))
            << pszName << " is stale: run res/make_images.py";
    }
}
