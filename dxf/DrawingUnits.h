// What a drawing's unit code ($INSUNITS) means: its Italian name and its length in metres; and
// the short names a user types for the units hulls are drawn in.
#pragma once

// The Italian name of a $INSUNITS code ("millimetri"); null for 0 (none) and unknown codes.
const char* UnitName(int nCode);

// Metres per unit of a $INSUNITS code; 0 for 0 (none) and unknown codes.
double MetresPerUnit(int nCode);

// The $INSUNITS code of mm, cm, dm, m, in or ft, as typed (ASCII); 0 for any other text.
int UnitCodeOf(const char* pszShortName);
