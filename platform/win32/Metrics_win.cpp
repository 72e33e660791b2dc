// The framework's GetSystemMetrics. This file alone of the back end does without windows.h:
// there the name is the system's own function, here it is the framework's.
#include "Window.h"

int AfxSystemMetrics(int nIndex);

int GetSystemMetrics(int nIndex) {
    return AfxSystemMetrics(nIndex);
}
