#include "DrawingScan.h"

#include "NumberText.h"
#include "SheetTexts.h"
#include "TagReader.h"

#include <algorithm>
#include <cstring>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// What the first line of a binary DXF says; its tags are no text.
constexpr char kBinarySentinel[] = "AutoCAD Binary DXF";

enum class Section { None, Header, Blocks, Entities, Other };

// A coordinate of a point list of nDim values a point: code 10 starts a point, 20 and 30 give its
// y and z. A y or z before any x has no point to go to.
void AddCoordinate(std::vector<double>& points, size_t nDim, int nCode, double value) {
    const size_t nAxis = static_cast<size_t>(nCode / 10 - 1);
    if (nAxis == 0) points.insert(points.end(), nDim, 0.0);
    if (nAxis < nDim && !points.empty()) points[points.size() - nDim + nAxis] = value;
}

// Whether a text may be a number: after spaces, a digit, a sign or a decimal separator.
bool MayBeNumber(std::string_view text) {
    const size_t i = text.find_first_not_of(" \t");
    return i != std::string_view::npos &&
           ((text[i] >= '0' && text[i] <= '9') ||
            std::string_view("+-.,").find(text[i]) != std::string_view::npos);
}

// The reading of one section after another, and of the entity being read in ENTITIES.
class Scanner {
public:
    Scanner(const ScanDetail& detail, DrawingScan& scan) : m_detail(detail), m_scan(scan) {}

    void Tag(int nCode, std::string_view value, ULONGLONG nOffset) {
        if (nCode == 0) {
            EndEntity();
            StartEntity(Trimmed(value), nOffset, value.size());
        } else if (m_bSectionName) {
            m_bSectionName = false;
            if (nCode == 2) {
                const std::string_view name = Trimmed(value);
                m_section = name == "HEADER"     ? Section::Header
                            : name == "BLOCKS"   ? Section::Blocks
                            : name == "ENTITIES" ? Section::Entities
                                                 : Section::Other;
                m_scan.bEntities = m_scan.bEntities || m_section == Section::Entities;
            }
        } else if (m_section == Section::Header) {
            HeaderTag(nCode, Trimmed(value));
        } else if (m_section == Section::Entities) {
            EntityTag(nCode, value);
            SheetTag(nCode, value);
        } else if (m_section == Section::Blocks) {
            SheetTag(nCode, value);
        }
    }

    void EndEntity() {
        if (m_bInEntity && !m_bLayerNamed && !m_bPart) NoteLayer("0");
        const bool bInBlock = m_section == Section::Blocks;
        switch (m_kind) {
        case Kind::LwPolyline:
            m_scan.lwpolylines.push_back(std::move(m_lw));
            break;
        case Kind::Spline:
            m_scan.splines.push_back(std::move(m_spline));
            break;
        case Kind::Line:
            m_scan.lines.push_back(m_line);
            break;
        case Kind::Arc:
            m_scan.arcs.push_back(m_arc);
            break;
        case Kind::Text:
            if (m_bMText) m_text.text = PlainMText(m_text.text + m_mtextTail);
            if (MayBeNumber(m_text.text)) {
                // Its place is read only now: most texts of a sheet are no number.
                m_text.x = AtoF(m_textX);
                m_text.y = AtoF(m_textY);
                (bInBlock ? m_block.texts : m_scan.texts).push_back(std::move(m_text));
            }
            break;
        case Kind::Insert:
            (bInBlock ? m_block.references : m_references).push_back(std::move(m_insert));
            break;
        default:
            break;
        }
        m_kind = Kind::Other;
        m_pPlace = nullptr;
        m_bInEntity = false;
    }

    // The texts of the blocks, placed once all is read, in file order with the others.
    void PlaceTexts() {
        EndBlock();
        PlaceBlockTexts(m_blocks, m_references, m_scan.texts);
        auto byOffset = [](const TextEntity& a, const TextEntity& b) {
            return a.nOffset < b.nOffset;
        };
        if (!std::is_sorted(m_scan.texts.begin(), m_scan.texts.end(), byOffset))
            std::stable_sort(m_scan.texts.begin(), m_scan.texts.end(), byOffset);
    }

private:
    enum class Kind { Other, Polyline, Vertex, LwPolyline, Spline, Line, Arc, Text, Insert, Block };

    void EndBlock() {
        if (m_bBlockOpen) m_blocks[BlockKey(m_blockName)] = std::move(m_block);
        m_bBlockOpen = false;
    }

    // What a block definition holds that the sheet's texts need: its name and base point, its
    // texts and the blocks it places.
    void StartBlockItem(std::string_view type, ULONGLONG nOffset) {
        if (type == "BLOCK" || type == "ENDBLK") {
            EndBlock();
            m_bBlockOpen = type == "BLOCK";
            m_block = BlockDefinition();
            m_blockName.clear();
            if (m_bBlockOpen) m_kind = Kind::Block;
            return;
        }
        if (m_bBlockOpen) StartSheetItem(type, nOffset, false);
    }

    // A text, a reference, a LINE or an ARC, when the scan keeps them; false for any other.
    bool StartSheetItem(std::string_view type, ULONGLONG nOffset, bool bPart) {
        if (m_detail.bTexts && (type == "TEXT" || type == "MTEXT" || type == "ATTRIB")) {
            if (type == "ATTRIB" && !bPart) return false;
            m_kind = Kind::Text;
            m_text = TextEntity();
            m_textX.clear();
            m_textY.clear();
            m_bMText = type == "MTEXT";
            m_mtextTail.clear();
            m_pPlace = &m_text;
        } else if (m_detail.bTexts && type == "INSERT" && !bPart) {
            m_kind = Kind::Insert;
            m_insert = BlockReference();
            m_pPlace = &m_insert;
        } else if (m_detail.bLines && type == "LINE" && !bPart) {
            m_kind = Kind::Line;
            m_line = LineEntity();
            m_pPlace = &m_line;
        } else if (m_detail.bLines && type == "ARC" && !bPart) {
            m_kind = Kind::Arc;
            m_arc = ArcEntity();
            m_pPlace = &m_arc;
        } else {
            return false;
        }
        m_pPlace->nOffset = nOffset;
        return true;
    }

    // The values of the texts, references, LINEs, ARCs and block headers being read.
    void SheetTag(int nCode, std::string_view value) {
        switch (m_kind) {
        case Kind::Text:
            if (nCode == 10 || nCode == 20)
                (nCode == 10 ? m_textX : m_textY) = value;
            else if (nCode == 1 && m_bMText)
                m_mtextTail = value;
            else if (nCode == 3 && m_bMText)
                m_text.text += value;
            else if (nCode == 1)
                m_text.text = value;
            break;
        case Kind::Insert:
            InsertTag(nCode, value);
            break;
        case Kind::Line:
            // One end or the other by name: GCC's bounds check misreads a subscript of "?:"
            // between two arrays as one out of the first.
            if (nCode == 10 || nCode == 20 || nCode == 30)
                m_line.from[nCode / 10 - 1] = AtoF(value);
            else if (nCode == 11 || nCode == 21 || nCode == 31)
                m_line.to[nCode / 10 - 1] = AtoF(value);
            break;
        case Kind::Arc:
            ArcTag(nCode, AtoF(value));
            break;
        case Kind::Block:
            if (nCode == 2) m_blockName = Trimmed(value);
            if (nCode == 10 || nCode == 20) m_block.base[nCode / 10 - 1] = AtoF(value);
            break;
        default:
            break;
        }
    }

    void InsertTag(int nCode, std::string_view value) {
        switch (nCode) {
        case 2:
            m_insert.block = Trimmed(value);
            break;
        case 10:
        case 20:
            (nCode == 10 ? m_insert.x : m_insert.y) = AtoF(value);
            break;
        case 41:
        case 42:
            m_insert.scale[nCode - 41] = AtoF(value);
            break;
        case 50:
            m_insert.rotation = AtoF(value);
            break;
        default:
            break;
        }
    }

    void ArcTag(int nCode, double value) {
        ArcCurve& arc = m_arc.arc;
        if (nCode == 10 || nCode == 20 || nCode == 30) arc.centre[nCode / 10 - 1] = value;
        if (nCode == 40) arc.radius = value;
        if (nCode == 50) arc.startDegrees = value;
        if (nCode == 51) arc.endDegrees = value;
        if (nCode == 210 || nCode == 220 || nCode == 230)
            m_arc.extrusion[(nCode - 210) / 10] = value;
    }

    void StartEntity(std::string_view type, ULONGLONG nOffset, size_t nLength) {
        if (type == "SECTION") {
            m_bSectionName = true;
            m_section = Section::Other;
            return;
        }
        if (type == "ENDSEC") {
            EndBlock();
            m_section = Section::None;
            return;
        }
        if (m_section == Section::Blocks) StartBlockItem(type, nOffset);
        if (m_section != Section::Entities) return;
        m_bInEntity = true;
        m_bLayerNamed = false;
        // VERTEX and SEQEND belong to their POLYLINE, ATTRIB and SEQEND to their INSERT.
        const bool bPart = type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
        m_bPart = bPart && m_bOwnerOpen;
        if (!m_bPart) CountEntity(type);
        if (bPart) {
            if (type == "VERTEX" && m_bPart && m_bPolylineOpen) m_kind = Kind::Vertex;
            if (type == "ATTRIB" && m_bPart && !m_bPolylineOpen)
                StartSheetItem(type, nOffset, true);
            if (type == "SEQEND") m_bOwnerOpen = false;
            return;
        }
        m_bOwnerOpen = type == "POLYLINE" || type == "INSERT";
        m_bPolylineOpen = type == "POLYLINE";
        if (type == "POLYLINE") {
            m_kind = Kind::Polyline;
            m_scan.polylines.emplace_back();
            m_scan.polylines.back().nTo = nOffset + nLength;
            m_pPlace = &m_scan.polylines.back();
        } else if (type == "LWPOLYLINE") {
            m_kind = Kind::LwPolyline;
            m_lw = LwPolyline();
            m_pPlace = &m_lw;
        } else if (type == "SPLINE" && m_detail.bSplines) {
            m_kind = Kind::Spline;
            m_spline = SplineEntity();
            m_pPlace = &m_spline;
        } else {
            StartSheetItem(type, nOffset, false);
        }
        if (m_pPlace) m_pPlace->nOffset = nOffset;
    }

    void HeaderTag(int nCode, std::string_view value) {
        if (nCode == 9)
            m_variable = value;
        else if (m_variable == "$ACADVER" && nCode == 1)
            m_scan.version = value;
        else if (m_variable == "$INSUNITS" && nCode == 70)
            m_scan.nUnits = TruncateToInt32(AtoF(value));
    }

    void EntityTag(int nCode, std::string_view value) {
        if (!m_bInEntity) return;
        if (nCode == 8) {
            const std::string_view layer = Trimmed(value);
            m_bLayerNamed = true;
            if (!m_bPart) NoteLayer(layer);
            if (m_pPlace) m_pPlace->layer = layer;
            return;
        }
        if (nCode == 67 && m_pPlace) {
            m_pPlace->bPaperSpace = TruncateToInt32(AtoF(value)) == 1;
            return;
        }
        if (m_kind == Kind::Vertex && nCode == 42 && AtoF(value) != 0.0)
            m_scan.polylines.back().bBulge = true;
        if (m_kind == Kind::Polyline && nCode == 30)
            m_scan.polylines.back().elevation = AtoF(value);
        if (m_kind == Kind::LwPolyline) LwPolylineTag(nCode, value);
        if (m_kind == Kind::Spline) SplineTag(nCode, value);
    }

    void LwPolylineTag(int nCode, std::string_view value) {
        switch (nCode) {
        case 10:
        case 20:
            if (m_detail.bLwVertices) AddCoordinate(m_lw.xy, 2, nCode, AtoF(value));
            break;
        case 38:
            m_lw.elevation = AtoF(value);
            break;
        case 70:
            m_lw.bClosed = (TruncateToInt32(AtoF(value)) & 1) != 0;
            break;
        case 42:
            m_lw.bBulge = m_lw.bBulge || AtoF(value) != 0.0;
            break;
        case 210:
        case 220:
        case 230:
            m_lw.extrusion[(nCode - 210) / 10] = AtoF(value);
            break;
        default:
            break;
        }
    }

    void SplineTag(int nCode, std::string_view value) {
        SplineCurve& curve = m_spline.curve;
        switch (nCode) {
        case 10:
        case 20:
        case 30:
            AddCoordinate(curve.control, 3, nCode, AtoF(value));
            break;
        case 11:
            ++m_spline.nFitPoints;
            break;
        case 40:
            curve.knots.push_back(AtoF(value));
            break;
        case 41:
            curve.weights.push_back(AtoF(value));
            break;
        case 70:
            m_spline.bClosed = (TruncateToInt32(AtoF(value)) & 1) != 0;
            break;
        case 71:
            curve.nDegree = TruncateToInt32(AtoF(value));
            break;
        default:
            break;
        }
    }

    // Entities in a row are often of one type: its count is kept at hand.
    void CountEntity(std::string_view type) {
        if (!m_pLastCount || type != m_lastType) {
            m_lastType = type;
            m_pLastCount = &m_scan.entityCounts[m_lastType];
        }
        ++*m_pLastCount;
    }

    void NoteLayer(std::string_view layer) {
        if (layer == m_lastLayer) return; // entities in a row often share their layer
        m_lastLayer = layer;
        for (const std::string& known : m_scan.layers)
            if (known == layer) return;
        m_scan.layers.emplace_back(layer);
    }

    const ScanDetail m_detail;
    DrawingScan& m_scan;
    Section m_section = Section::None;
    bool m_bSectionName = false; // the next tag names the section just opened
    std::string m_variable;      // the header variable being read
    bool m_bInEntity = false;
    bool m_bPart = false;         // the entity being read belongs to the owner before it
    bool m_bLayerNamed = false;   // the entity being read named its layer
    bool m_bOwnerOpen = false;    // a POLYLINE or INSERT whose parts may follow
    bool m_bPolylineOpen = false; // that owner is a POLYLINE
    Kind m_kind = Kind::Other;
    EntityPlace* m_pPlace = nullptr; // of the entity being read, when it is kept
    LwPolyline m_lw;
    SplineEntity m_spline;
    LineEntity m_line;
    ArcEntity m_arc;
    TextEntity m_text;
    std::string m_textX, m_textY; // its place (10, 20) as written
    bool m_bMText = false;
    std::string m_mtextTail; // an MTEXT's code 1, which ends its text after the 3s
    BlockReference m_insert;
    std::vector<BlockReference> m_references; // the INSERTs of ENTITIES
    std::map<std::string, BlockDefinition> m_blocks;
    BlockDefinition m_block; // the one being read
    std::string m_blockName;
    bool m_bBlockOpen = false;
    std::string m_lastLayer;
    std::string m_lastType;
    int* m_pLastCount = nullptr; // of m_lastType in entityCounts, whose nodes stay put
};

} // namespace

void ScanDrawing(CFile& file, const ScanDetail& detail, DrawingScan& scan) {
    scan = DrawingScan();
    file.SeekToBegin();
    char head[sizeof kBinarySentinel - 1];
    scan.bBinary = file.Read(head, sizeof head) == sizeof head &&
                   std::memcmp(head, kBinarySentinel, sizeof head) == 0;
    file.SeekToBegin();
    CTagReader tags(file);
    Scanner scanner(detail, scan);
    while (!scan.bBinary && tags.Next()) {
        if (tags.Code() == 0 && Trimmed(tags.Value()) == "EOF") break;
        scanner.Tag(tags.Code(), tags.Value(), tags.ValueOffset());
    }
    scanner.EndEntity();
    scanner.PlaceTexts();
    scan.bCut = scan.bBinary || tags.Cut();
}

bool SameLayer(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}
