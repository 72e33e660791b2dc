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
// point is made in about the time the system takes to write it, so two threads make the text
// while one writes only where there is enough of it to share.
constexpr INT32 kBatchPoints = 4096;
constexpr INT32 kSharedFrom = 8 * kBatchPoints;

// The blocks of every other batch, made on a second thread while this one makes and writes the
// batches between. Two slots: the helper fills one while the writer empties the other.
class BatchHelper {
public:
    BatchHelper(const std::vector<CPolyline*>& polylines, const std::vector<size_t>& starts,
                BlockBuilder pfnBuildBlock)
        : m_polylines(polylines), m_starts(starts), m_pfnBuildBlock(pfnBuildBlock) {}

    ~BatchHelper() {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_bStop = true;
        }
        m_changed.notify_all();
    }

    bool Start() {
        try {
            m_thread = std::jthread([this] { Run(); });
        } catch (const std::system_error&) {
            return false; // no thread to be had: the writer makes every batch itself
        }
        return true;
    }

    // Writes the odd batch k, made by the helper, waiting for it as needed.
    void WriteBatch(size_t k, CFile& file, CPolylineList& list) {
        Slot& slot = m_slots[(k / 2) % 2];
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return slot.nBatch == k; });
        lock.unlock();
        if (slot.failure) std::rethrow_exception(slot.failure);
        for (size_t i = m_starts[k]; i < m_starts[k + 1]; ++i) {
            list.GetAt(static_cast<INT32>(i + 1));
            const CString& block = slot.blocks[i - m_starts[k]];
            if (!block.IsEmpty())
                file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
        }
        lock.lock();
        slot.nBatch = kFree;
        lock.unlock();
        m_changed.notify_all();
    }

private:
    static constexpr size_t kFree = ~size_t(0);
    struct Slot {
        size_t nBatch = kFree; // the batch it holds, made
        std::vector<CString> blocks;
        std::exception_ptr failure;
    };

    void Run() {
        for (size_t k = 1; k + 1 < m_starts.size(); k += 2) {
            Slot& slot = m_slots[(k / 2) % 2];
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_changed.wait(lock, [&] { return m_bStop || slot.nBatch == kFree; });
                if (m_bStop) return;
            }
            try {
                slot.blocks.resize(m_starts[k + 1] - m_starts[k]);
                for (size_t i = m_starts[k]; i < m_starts[k + 1]; ++i)
                    m_pfnBuildBlock(*m_polylines[i], slot.blocks[i - m_starts[k]]);
            } catch (...) {
                slot.failure = std::current_exception();
            }
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                slot.nBatch = k;
            }
            m_changed.notify_all();
            if (slot.failure) return;
        }
    }

    const std::vector<CPolyline*>& m_polylines;
    const std::vector<size_t>& m_starts;
    BlockBuilder m_pfnBuildBlock;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bStop = false;
    Slot m_slots[2];
    std::jthread m_thread; // last: joined before the rest goes
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
    BatchHelper helper(list, starts, pfnBuildBlock);
    if (nTotal < kSharedFrom || !helper.Start()) return WriteInTurn(file, polylines, pfnBuildBlock);
    CString block;
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        if (k % 2) {
            helper.WriteBatch(k, file, polylines);
            continue;
        }
        for (size_t i = starts[k]; i < starts[k + 1]; ++i) {
            pfnBuildBlock(*polylines.GetAt(static_cast<INT32>(i + 1)), block);
            if (!block.IsEmpty())
                file.Write(block.GetString(), static_cast<UINT>(block.GetLength()));
        }
    }
}

BOOL ExportPolylines(CPolylineList& polylines, const char* pszPath, const ExportForm& form,
                     CFileException* pOpenError) {
    CFile file;
    if (!file.Open(pszPath, CFile::modeCreate | CFile::modeWrite, pOpenError)) return FALSE;
    WritePolylines(file, polylines, form.pfnBuildBlock);
    file.Close();
    return TRUE;
}
