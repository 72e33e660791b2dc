// The converter's two readings of a drawing on the machine's two cores: the scan of its tags on
// a second thread, which then also loads the last part of the drawing while this thread loads
// the rest. The two loads meet where the second began, and are joined only where they give
// what one load alone would.
#pragma once

#include "DrawingScan.h"
#include "DxfLoad.h"

// Where the scan's thread starts loading: from the first keyword past nPercent hundredths of
// the file. The scan takes about a third of the time of a load: from about there both threads
// end together. Smaller drawings are loaded on one thread: the second would save less than it
// costs. Tests move the split to check it anywhere.
struct LoadSplit {
    ULONGLONG nFrom = ULONGLONG(8) << 20;
    ULONGLONG nPercent = 75;
};

// Loads the drawing into the list in file order, as LoadPolylinesInFileOrder does with the
// trace, and scans it. Where no second reader or thread can be had (a pipe, no memory), one
// after the other. A failure of either reading leaves as its exception, the load's first.
void LoadAndScan(CDxfFile& file, CPolylineList& polylines, INT32& nPointCount, LoadTrace& trace,
                 const ScanDetail& detail, DrawingScan& scan, const LoadSplit& split = {});
