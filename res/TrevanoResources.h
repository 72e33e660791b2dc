// The resources of trevano.rc as data, generated from it at build time, for the window layers
// that do not read them from the executable.
#pragma once

#include "DialogTemplate.h"

extern const ResourceTable g_trevanoResources;
