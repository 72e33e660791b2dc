// The text of the picture's SVG: numbers, names, colours, and the round steps of its ticks.
#pragma once

#include <cstddef>
#include <string>

// The document's start, up to its title drawn at the top left: a white page of whole pixels,
// sans-serif at 12 px. The title is text already escaped.
std::string SvgStart(double width, double height, const std::string& title);
// A length or position in tenths of a pixel.
void Append(std::string& out, double value);
// <text x=".." y=".." attributes>text</text>
void AppendText(std::string& out, double x, double y, const char* pszAttributes,
                const std::string& text);
// Two corners as attributes: ` x1="1.0" y1="2.0" x2="3.0" y2="4.0"`, or x, y, width, height.
void AppendBox(std::string& out, double x1, double y1, double x2, double y2, const char* pszX1,
               const char* pszY1, const char* pszX2, const char* pszY2);
// A coordinate of a drawn point: whole pixels.
void AppendPixel(std::string& out, double value);
// Names are bytes: what is well-formed UTF-8 stays as it is, any other byte and the control
// characters, which XML does not allow, become '?'.
void AppendEscaped(std::string& out, const std::string& text);
// The colour of position t (0 to 1) along a sequential scale, dark blue to yellow.
void AppendColour(std::string& out, double t);
// A number as a person writes it on a drawing: plain where six significant digits show it
// ("12000", "0.5"), with an exponent only far from one ("1.2e-07").
void AppendShort(std::string& out, double value);
// The largest round step (1, 2, 2.5 or 5 times a power of ten) that puts four ticks or more
// between from and to; as no step is more than twice the next, that is eight at most.
double TickStep(double from, double to);
