#include "ExportFrame.h"

#include "ExportBlocks.h"

#include <string>
#include <vector>

const ExportSettings g_exportPointList = {
    "--punti",
    1004,
    "Esporta file di coordinate formato (.csv)",
    "csv",
    "File curve per punti (*.CSV)|*.csv|Tutti i file|*.*||",
    BuildPointListBlock,
};

const ExportSettings g_exportSectionsDat = {
    "--sezioni-dat",
    1003,
    "Esporta sezioni (.dat) per pannellatura",
    "dat",
    "File sezioni pannellatura(*.dat)|*.dat|Tutti i file|*.*||",
    BuildSectionDatBlock,
};

const ExportSettings g_exportSectionsCsv = {
    "--sezioni-csv",
    1005,
    "Esporta sezioni (.csv) per pannellatura",
    "csv",
    "File sezioni pannellatura(*.csv)|*.csv|Tutti i file|*.*||",
    BuildSectionCsvBlock,
};

const ExportSettings* const g_apExportSettings[3] = {&g_exportPointList, &g_exportSectionsDat,
                                                     &g_exportSectionsCsv};

namespace {

// A drawing of many small polylines would cost one system call per polyline: small blocks are
// gathered up to this size and handed over in one write. A write that fails part-way has
// stored the same bytes as the writes one block at a time would have, and the list's cursor is
// put back on the block that the failure fell in, where the block-by-block export would stop.
constexpr size_t kGatherBytes = 1 << 16;

class CBlockGatherer {
public:
    CBlockGatherer(CFile& file, CPolylineList& polylines) : m_file(file), m_polylines(polylines) {}

    // The block of the polyline at position i.
    void Add(INT32 i, const CString& block) {
        const size_t n = static_cast<size_t>(block.GetLength());
        if (m_pending.size() + n > kGatherBytes) Flush();
        if (n >= kGatherBytes) { // too large to gather: written at once, as it stands
            m_file.Write(block.GetString(), static_cast<UINT>(n));
            return;
        }
        m_pending.append(block.GetString(), n);
        m_ends.push_back({i, m_pending.size()});
    }

    void Flush() {
        if (m_pending.empty()) return;
        const ULONGLONG nStart = m_file.GetPosition();
        try {
            m_file.Write(m_pending.data(), static_cast<UINT>(m_pending.size()));
        } catch (const CFileException&) {
            const ULONGLONG nWritten = m_file.GetPosition() - nStart;
            for (const BlockEnd& e : m_ends) {
                if (e.nEnd > nWritten) {
                    m_polylines.GetAt(e.nPosition);
                    break;
                }
            }
            throw;
        }
        m_pending.clear();
        m_ends.clear();
    }

private:
    struct BlockEnd {
        INT32 nPosition;
        size_t nEnd; // offset in m_pending after the block's last byte
    };
    CFile& m_file;
    CPolylineList& m_polylines;
    std::string m_pending;
    std::vector<BlockEnd> m_ends;
};

} // namespace

void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock) {
    CString block;
    CBlockGatherer gatherer(file, polylines);
    const INT32 nCount = polylines.GetCount();
    for (INT32 i = 1; i <= nCount; ++i) {
        pfnBuildBlock(*polylines.GetAt(i), block);
        if (!block.IsEmpty()) gatherer.Add(i, block);
    }
    gatherer.Flush();
}

BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportSettings& settings,
                     CFileException* pOpenError) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, pOpenError)) return FALSE;
    WritePolylines(file, polylines, settings.pfnBuildBlock);
    file.Close();
    return TRUE;
}
