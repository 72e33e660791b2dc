#include "DrawingScan.h"

#include "NumberText.h"
#include "TagReader.h"

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

enum class Section { None, Header, Entities, Other };

// The reading of one section after another, and of the entity being read in ENTITIES.
class Scanner {
public:
    Scanner(bool bKeepLwVertices, DrawingScan& scan)
        : m_bKeepLwVertices(bKeepLwVertices), m_scan(scan) {}

    void Tag(int nCode, std::string_view value, ULONGLONG nOffset) {
        if (nCode == 0) {
            EndEntity();
            StartEntity(Trimmed(value), nOffset, value.size());
        } else if (m_bSectionName) {
            m_bSectionName = false;
            if (nCode == 2) {
                const std::string_view name = Trimmed(value);
                m_section = name == "HEADER"     ? Section::Header
                            : name == "ENTITIES" ? Section::Entities
                                                 : Section::Other;
            }
        } else if (m_section == Section::Header) {
            HeaderTag(nCode, Trimmed(value));
        } else if (m_section == Section::Entities) {
            EntityTag(nCode, value);
        }
    }

    void EndEntity() {
        if (m_bInEntity && !m_bLayerNamed) NoteLayer("0");
        if (m_kind == Kind::LwPolyline) m_scan.lwpolylines.push_back(std::move(m_lw));
        m_kind = Kind::Other;
        m_bInEntity = false;
    }

private:
    enum class Kind { Other, Polyline, LwPolyline };

    void StartEntity(std::string_view type, ULONGLONG nOffset, size_t nLength) {
        if (type == "SECTION") {
            m_bSectionName = true;
            m_section = Section::Other;
            return;
        }
        if (type == "ENDSEC") {
            m_section = Section::None;
            return;
        }
        if (m_section != Section::Entities) return;
        m_bInEntity = true;
        m_bLayerNamed = false;
        // VERTEX and SEQEND belong to their POLYLINE, ATTRIB and SEQEND to their INSERT.
        const bool bPart = type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
        if (!(bPart && m_bOwnerOpen)) ++m_scan.entityCounts[std::string(type)];
        if (bPart) {
            if (type == "SEQEND") m_bOwnerOpen = false;
            return;
        }
        m_bOwnerOpen = type == "POLYLINE" || type == "INSERT";
        if (type == "POLYLINE") {
            m_kind = Kind::Polyline;
            m_scan.polylines.push_back({nOffset, nOffset + nLength});
        } else if (type == "LWPOLYLINE") {
            m_kind = Kind::LwPolyline;
            m_lw = LwPolyline();
            m_lw.nOffset = nOffset;
        }
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
            NoteLayer(layer);
            if (m_kind == Kind::Polyline) m_scan.polylines.back().layer = layer;
            if (m_kind == Kind::LwPolyline) m_lw.layer = layer;
            return;
        }
        if (m_kind != Kind::LwPolyline) return;
        switch (nCode) {
        case 10:
            if (m_bKeepLwVertices) m_lw.xy.insert(m_lw.xy.end(), {AtoF(value), 0.0});
            break;
        case 20:
            if (m_bKeepLwVertices && !m_lw.xy.empty()) m_lw.xy.back() = AtoF(value);
            break;
        case 38:
            m_lw.elevation = AtoF(value);
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

    void NoteLayer(std::string_view layer) {
        if (layer == m_lastLayer) return; // vertices repeat their polyline's layer
        m_lastLayer = layer;
        for (const std::string& known : m_scan.layers)
            if (known == layer) return;
        m_scan.layers.emplace_back(layer);
    }

    const bool m_bKeepLwVertices;
    DrawingScan& m_scan;
    Section m_section = Section::None;
    bool m_bSectionName = false; // the next tag names the section just opened
    std::string m_variable;      // the header variable being read
    bool m_bInEntity = false;
    bool m_bLayerNamed = false; // the entity being read named its layer
    bool m_bOwnerOpen = false;  // a POLYLINE or INSERT whose parts may follow
    Kind m_kind = Kind::Other;
    LwPolyline m_lw;
    std::string m_lastLayer;
};

} // namespace

void ScanDrawing(CFile& file, bool bKeepLwVertices, DrawingScan& scan) {
    scan = DrawingScan();
    file.SeekToBegin();
    CTagReader tags(file);
    Scanner scanner(bKeepLwVertices, scan);
    while (tags.Next()) {
        if (tags.Code() == 0 && Trimmed(tags.Value()) == "EOF") break;
        scanner.Tag(tags.Code(), tags.Value(), tags.ValueOffset());
    }
    scanner.EndEntity();
    scan.bCut = tags.Cut();
}

bool SameLayer(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}
