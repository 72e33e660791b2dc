// One field-by-field comparison of dialog templates for the tests, so that a
// failure names the control and the field that differ.
#ifndef TREVANO_TESTS_DIALOGTEMPLATEEXPECT_H
#define TREVANO_TESTS_DIALOGTEMPLATEEXPECT_H

#include "DialogTemplate.h"

void ExpectSameDialog(const DialogTemplate& actual, const DialogTemplate& expected);

#endif
