#include "ExportFrame.h"

#include "ExportBlocks.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

const ExportForm g_formPointList = {BuildPointListBlock, "csv"};
const ExportForm g_formSectionsDat = {BuildSectionDatBlock, "dat"};
const ExportForm g_formSectionsCsv = {BuildSectionCsvBlock, "csv"};

namespace {

// Points a batch of polylines is cut at, and below which one thread writes all: the text of a
// point is made in about the time the system takes to write it, so two threads make and write
// the text in turns only where there is enough of it to share.
constexpr INT32 kBatchPoints = 4096;
constexpr long long kSharedFrom = 8 * kBatchPoints;
constexpr size_t kNone = ~size_t(0);

// The batches shared by two threads: each makes the blocks of every other batch and writes them
// in its turn, so that one makes its next batch while the other writes.
class SharedExport {
public:
    SharedExport(CFile& file, const std::vector<CPolyline*>& polylines,
                 const std::vector<size_t>& starts, BlockBuilder pfnBuildBlock)
        : m_file(file), m_polylines(polylines), m_starts(starts), m_pfnBuildBlock(pfnBuildBlock) {}

    // Makes and writes the batches k0, k0 + 2, ... until the last, or until either thread fails.
    void Run(size_t k0) {
        std::vector<CString> blocks;
        for (size_t k = k0; k + 1 < m_starts.size(); k += 2) {
            const size_t nFirst = m_starts[k], nCount = m_starts[k + 1] - nFirst;
            try {
                blocks.resize(nCount);
                for (size_t i = 0; i < nCount; ++i)
                    m_pfnBuildBlock(*m_polylines[nFirst + i], blocks[i]);
            } catch (...) {
                return Fail(std::current_exception(), nFirst);
            }
            if (!WaitForTurn(k)) return;
            for (size_t i = 0; i < nCount; ++i) {
                const CString& block = blocks[i];
                try {
                    if (!block.IsEmpty())
                        m_file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
                } catch (...) {
                    return Fail(std::current_exception(), nFirst + i);
                }
            }
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_nNext = k + 1;
            }
            m_turn.notify_all();
        }
    }

    // The failure of either thread, and the position (from 0) of the polyline it came at.
    std::exception_ptr Failure(size_t& nAt) const {
        nAt = m_nFailedAt;
        return m_failure;
    }

private:
    bool WaitForTurn(size_t k) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_turn.wait(lock, [&] { return m_nNext == k || m_failure; });
        return !m_failure;
    }

    void Fail(std::exception_ptr failure, size_t nAt) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_failure) {
                m_failure = failure;
                m_nFailedAt = nAt;
            }
        }
        m_turn.notify_all();
    }

    CFile& m_file;
    const std::vector<CPolyline*>& m_polylines;
    const std::vector<size_t>& m_starts;
    BlockBuilder m_pfnBuildBlock;
    std::mutex m_mutex;
    std::condition_variable m_turn;
    size_t m_nNext = 0; // the batch whose turn it is to be written
    std::exception_ptr m_failure;
    size_t m_nFailedAt = kNone;
};

void WriteInTurn(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock) {
    CString block;
    const INT32 nCount = polylines.GetCount();
    for (INT32 i = 1; i <= nCount; ++i) {
        pfnBuildBlock(*polylines.GetAt(i), block);
        if (!block.IsEmpty()) file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
    }
}

} // namespace

void WritePolylines(CFile& file, CPolylineList& polylines, BlockBuilder pfnBuildBlock) {
    const INT32 nCount = polylines.GetCount();
    std::vector<CPolyline*> list;
    std::vector<size_t> starts{0}; // of each batch, and the end
    long long nPoints = 0, nTotal = 0;
    for (INT32 i = 1; i <= nCount; ++i) {
        list.push_back(polylines.GetAt(i));
        nPoints += list.back()->GetCount();
        if (nPoints >= kBatchPoints || i == nCount) {
            starts.push_back(list.size());
            nTotal += nPoints;
            nPoints = 0;
        }
    }
    if (nTotal < kSharedFrom) return WriteInTurn(file, polylines, pfnBuildBlock);
    SharedExport shared(file, list, starts, pfnBuildBlock);
    {
        std::jthread helper;
        try {
            helper = std::jthread([&shared] { shared.Run(1); });
        } catch (const std::system_error&) {
            return WriteInTurn(file, polylines, pfnBuildBlock); // no thread to be had
        }
        shared.Run(0);
    }
    // The cursor ends where one thread alone leaves it: on the polyline that failed, or the last.
    size_t nFailedAt = kNone;
    const std::exception_ptr failure = shared.Failure(nFailedAt);
    polylines.GetAt(failure ? static_cast<INT32>(nFailedAt + 1) : nCount);
    if (failure) std::rethrow_exception(failure);
}

BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportForm& form,
                     CFileException* pOpenError) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, pOpenError)) return FALSE;
    WritePolylines(file, polylines, form.pfnBuildBlock);
    file.Close();
    return TRUE;
}
