#include "ExportBlocks.h"

namespace {

// The .dat form's separator, which the .csv form writes as a comma.
constexpr const char* kDatSeparator = "    ";

// Coordinates take at most 14 characters, so a line of three is under 48.
constexpr int kBytesPerPointLine = 48;

void AppendSectionHeader(CPolyline& polyline, const char* pszSeparator, CString& block) {
    block.AppendExponent(polyline.GetVertex(1)->m_Point.X());
    block += pszSeparator;
    block.AppendInteger(polyline.GetCount());
    block += '\n';
}

void BuildSectionBlock(CPolyline& polyline, const char* pszSeparator, CString& block) {
    block.Empty();
    const INT32 nCount = polyline.GetCount();
    if (nCount == 0) return;
    block.Reserve(kBytesPerPointLine * (nCount + 1));
    AppendSectionHeader(polyline, pszSeparator, block);
    for (INT32 k = 1; k <= nCount; ++k) {
        const CVector3& point = polyline.GetVertex(k)->m_Point;
        block += pszSeparator;
        block.AppendExponent(point.Y());
        block += pszSeparator;
        block.AppendExponent(point.Z());
        block += '\n';
    }
}

} // namespace

void BuildPointListBlock(CPolyline& polyline, CString& block) {
    const INT32 nCount = polyline.GetCount();
    block.Empty();
    block.Reserve(kBytesPerPointLine * (nCount + 1));
    block += "Spezzata di  ";
    block.AppendInteger(nCount);
    block += " punti\n";
    for (INT32 k = 1; k <= nCount; ++k) {
        const CVector3& point = polyline.GetVertex(k)->m_Point;
        block.AppendExponent(point.X());
        block += ',';
        block.AppendExponent(point.Y());
        block += ',';
        block.AppendExponent(point.Z());
        block += '\n';
    }
}

void BuildSectionDatBlock(CPolyline& polyline, CString& block) {
    BuildSectionBlock(polyline, kDatSeparator, block);
}

void BuildSectionDatHeader(CPolyline& polyline, CString& line) {
    line.Empty();
    if (polyline.GetCount() > 0) AppendSectionHeader(polyline, kDatSeparator, line);
}

void BuildSectionCsvBlock(CPolyline& polyline, CString& block) {
    BuildSectionBlock(polyline, ",", block);
}
