// The reader's steps one at a time, where the load cannot show them: where each leaves the
// file, and the codes the load does not use; and its shortcuts against the plain ways they
// replace, on random inputs with fixed seeds.
#include "DxfFile.h"
#include "EntityText.h"
#include "TestSupport.h"
#include "WindowText.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>

namespace {

CDxfFile& Open(const ScratchDir& dir, CDxfFile& file, const std::string& bytes) {
    WriteWholeFile(dir.File("d.dxf"), bytes);
    EXPECT_TRUE(file.Open(dir.File("d.dxf").c_str(), CFile::modeRead));
    return file;
}

// The numbers with one space between them.
std::string Join(std::initializer_list<double> values) {
    std::string s;
    for (double v : values) {
        char buf[32];
        std::snprintf(buf, sizeof buf, s.empty() ? "%.10g" : " %.10g", v);
        s += buf;
    }
    return s;
}

} // namespace

TEST(DxfReader, KeywordsFoundAtEveryOffsetAroundChunkBoundaries) {
    // Before, a keyword that straddled two 500-byte chunks was seen in neither.
    ScratchDir dir;
    for (size_t n = 485; n <= 1010; n = n == 505 ? 985 : n + 1) {
        SCOPED_TRACE("offset " + std::to_string(n));
        CDxfFile a, b;
        ASSERT_EQ(Open(dir, a, std::string(n, 'x') + "ENTITIES\r\n").FindEntities(), 1);
        EXPECT_EQ(a.GetPosition(), n);
        a.Close(); // Windows lets no one write a file held open
        Open(dir, b, "ENTITIES\r\n" + std::string(n, 'x') + "POLYLINE\r\n").FindEntities();
        ASSERT_EQ(b.FindNextPolyline(), 1);
        EXPECT_EQ(b.GetPosition(), 10 + n);
    }
}

TEST(DxfReader, HeadersAndVerticesGiveTheirCodesAndLeaveTheFileForTheNextStep) {
    // Each row is read as the load reads it: from "POLYLINE", the header and then its vertices;
    // otherwise vertices alone. The header gives "found, 70, 71, 72, the extrusion, where the
    // file stands", each vertex "x, y, z, 70 to 74, where the file stands"; then where the file
    // stands once the list has ended.
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"POLYLINE\r\n 70\r\n9\r\n 71\r\n3\r\n 72\r\n-4\r\n210\r\n1.0\r\n220\r\n0.0\r\n230\r\n0.5"
         "\r\n  0\r\nVERTEX\r\n 10\r\n1\r\n 20\r\n2\r\n 70\r\n32\r\n 71\r\n1\r\n 72\r\n2\r\n 73\r\n"
         "3\r\n 74\r\n-4\r\n  0\r\nVERTEX\r\n 30\r\n5\r\n  0\r\nSEQEND\r\n",
         "1 9 3 -4 1 0 0.5 70; 1 2 7.5 32 1 2 3 -4 140; 1 2 5 0 0 0 0 0 161; 161"},
        // No codes: flags 0 and the extrusion (0, 0, 1); a code left out of a vertex keeps the
        // record's value.
        {"POLYLINE\r\n  8\r\n0\r\n  0\r\nVERTEX\r\n  0\r\nSEQEND\r\n",
         "1 0 0 0 0 0 1 23; 9 9 7.5 0 0 0 0 0 35; 35"},
        // 210 last: the lines after its value are taken for the codes 220 and 230.
        {"POLYLINE\r\n210\r\n0.25\r\n 70\r\n1e20\r\n 71\r\n-5.9\r\n  0\r\nVERTEX\r\n",
         "1 -2147483648 -5 0 0.25 1e+20 -5.9 48; 9 9 7.5 0 0 0 0 0 56; 56"},
        // No VERTEX in the window: nothing written, the file after the window.
        {"POLYLINE\r\n 70\r\n16\r\n", "0 42 42 42 5 5 5 19; 19"},
        // Before, the codes of an LWPOLYLINE (flags 128) were taken for the next polyline's.
        {"POLYLINE\r\n 70\r\n128\r\n  0\r\nPOLYLINE\r\n 70\r\n8\r\n  0\r\nVERTEX\r\n",
         "0 42 42 42 5 5 5 56; 56"},
        // "SEQEND" ends the list at index 1 to 5 of the window only.
        {"SEQEND\r\n 10\r\n4\r\n  0\r\nSEQEND\r\n", "4 9 7.5 0 0 0 0 0 20; 20"},
        {"     SEQEND\r\n 10\r\n4\r\n", "4"},
        {"      SEQEND\r\n 10\r\n4\r\n", "9 9 7.5 0 0 0 0 0 5; 5"},
        // The file ends without SEQEND.
        {"VERTEX\n10\n1.5\n20\n-2\n0\nVERTEX\n",
         "1.5 -2 7.5 0 0 0 0 0 21; 1.5 -2 7.5 0 0 0 0 0 29; 29"},
    };
    ScratchDir dir;
    for (const auto& c : cases) {
        CDxfFile file;
        INT32 nFlags = 42, n71 = 42, n72 = 42;
        CVector3 e;
        e.Set(5, 5, 5);
        CDxfVertex v;
        v.m_Point.Set(9, 9, 7.5);
        v.m_n74 = 99;
        Open(dir, file, c.text);
        std::string s;
        bool bVertices = true;
        if (std::string_view(c.text).substr(0, 8) == "POLYLINE") {
            bVertices = file.ReadPolylineHeader(nFlags, n71, n72, e) == 1;
            s = Join({double(bVertices), double(nFlags), double(n71), double(n72), e.X(), e.Y(),
                      e.Z(), double(file.GetPosition())}) +
                "; ";
        }
        while (bVertices && file.ReadVertex(v) == 1)
            s += Join({v.m_Point.X(), v.m_Point.Y(), v.m_Point.Z(), double(v.m_nFlags),
                       double(v.m_n71), double(v.m_n72), double(v.m_n73), double(v.m_n74),
                       double(file.GetPosition())}) +
                 "; ";
        EXPECT_EQ(s + std::to_string(file.GetPosition()), c.expected) << c.text;
    }
}

TEST(WindowText, SearchesAgreeWithSearchesOfTheCutText) {
    // The plain way: cut the window at its first zero byte, then search.
    const char* const pieces[] = {"VERTEX", "SEQEND", "POLYLINE", "\r\n", "  0",
                                  "VERT",   "EX",     "x",        "10.5", ""};
    const std::string_view keys[] = {"VERTEX", "SEQEND", "POLYLINE"};
    std::mt19937 rng(31337);
    for (int round = 0; round < 20000; ++round) {
        std::string raw;
        for (int n = static_cast<int>(rng() % 40); n > 0; --n) {
            const char* p = pieces[rng() % std::size(pieces)];
            raw += *p ? std::string(p) : std::string(1, '\0');
        }
        const std::string_view cut = std::string_view(raw).substr(0, raw.find('\0'));
        CWindowText window(raw.data(), raw.size());
        // Several searches on one window, as the reader makes them, in random order.
        for (int s = 0; s < 4; ++s) {
            const std::string_view key = keys[rng() % 3];
            const size_t nFrom = rng() % 12;
            const size_t nLimit = rng() % 3 == 0 ? CWindowText::npos : rng() % (raw.size() + 8);
            ASSERT_EQ(window.Find(key, nFrom, nLimit), cut.substr(0, nLimit).find(key, nFrom))
                << "round " << round;
        }
        ASSERT_EQ(window.Size(), cut.size()) << "round " << round;
    }
}

TEST(EntityText, TextIsRewrittenIntoCrLfAndThreeCharacterCodes) {
    const struct {
        const char* text;
        int nKeyword;
        const char* expected;
    } cases[] = {
        // Already in form: byte for byte, values such as "     1" and long codes included.
        {"POLYLINE\r\n 66\r\n     1\r\n210\r\n1.0\r\n1001\r\nAPP\r\n  0\r\n", 0,
         "POLYLINE\r\n 66\r\n     1\r\n210\r\n1.0\r\n1001\r\nAPP\r\n  0\r\n"},
        // The bytes before the keyword's line stay as they are.
        {"\n 10\nVERTEX\n 10\n1.5\n  0\n", 5, "\n 10\nVERTEX\r\n 10\r\n1.5\r\n  0\r\n"},
        // Codes as bjnortier's, dxf-parser's and libredwg's writers put them; value lines keep
        // their bytes whatever they spell, and so do code lines that hold no code.
        {"VERTEX\r\n10\n1\r\n 8\nL\n  70\n32\n 210 \n  8\n1001\n10\nxx\n1.2", 0,
         "VERTEX\r\n 10\r\n1\r\n  8\r\nL\r\n 70\r\n32\r\n210\r\n  8\r\n1001\r\n10\r\nxx\r\n1.2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CEntityText(c.text, static_cast<int>(std::strlen(c.text)), c.nKeyword).Text(),
                  c.expected);
}

namespace {

// The rewrite as first written: every line through the same steps.
std::string PlainEntityText(const std::string& raw, size_t i) {
    const size_t npos = std::string::npos;
    while (i > 0 && raw[i - 1] != '\n')
        --i;
    std::string out = raw.substr(0, i);
    for (bool bCode = false; i < raw.size(); bCode = !bCode, i = raw.find('\n', i) + 1) {
        const bool bLf = raw.find('\n', i) != npos;
        std::string line = raw.substr(i, raw.find('\n', i) - i);
        if (bLf && !line.empty() && line.back() == '\r') line.pop_back();
        const size_t b = line.find_first_not_of(" \t"), e = line.find_last_not_of(" \t");
        const std::string code = b == npos ? "" : line.substr(b, e - b + 1);
        if (bCode && !code.empty() && code.size() <= 3 &&
            code.find_first_not_of("0123456789") == npos)
            line = std::string(3 - code.size(), ' ') + code;
        out += line + (bLf ? "\r\n" : "");
        if (!bLf) break;
    }
    return out;
}

} // namespace

TEST(EntityText, RunsAndNotedKeysAgreeWithTheLineByLineForm) {
    const char* const codes[] = {" 10",  " 20", " 30", " 70", " 71",    " 72",      " 73",
                                 " 74",  "210", "  0", " 62", "10",     "\t10",     " 10 ",
                                 "  70", "8",   "abc", "",    "VERTEX", "1234.5678"};
    const char* const before[] = {"", "\n", "\n 10\r\n5\r\n"}; // the keyword's line's start
    const char* const ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r\r\n", "\r"};
    std::mt19937 rng(8080);
    for (int round = 0; round < 20000; ++round) {
        std::string text = before[rng() % 3];
        const int nKeyword = static_cast<int>(text.size());
        text += "VERTEX\r\n";
        for (int n = static_cast<int>(rng() % 16); n > 0; --n)
            text += std::string(codes[rng() % std::size(codes)]) + ends[rng() % std::size(ends)];
        if (rng() % 4 == 0) text.pop_back(); // cut inside a line end
        const CEntityText fast(text.data(), static_cast<int>(text.size()), nKeyword);
        const std::string plain = PlainEntityText(text, static_cast<size_t>(nKeyword));
        ASSERT_EQ(fast.Text(), plain) << "round " << round;
        for (const char* pszCode : codes) {
            if (std::strlen(pszCode) != 3) continue; // the keys are three characters
            ASSERT_EQ(fast.FindGroupCode(pszCode),
                      static_cast<int>(plain.find(std::string("\n") + pszCode + "\r")))
                << "round " << round << ", code '" << pszCode << "'";
        }
    }
}
