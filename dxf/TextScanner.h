// A cursor over the text of one entity, handing out fields separated by TAB or CR LF.
#pragma once

#include "String.h"

#include <string_view>

class CTextScanner {
public:
    CTextScanner() = default;
    virtual ~CTextScanner() = default;

    void Attach(const CString* pText) {
        m_pText = pText;
        m_text = pText
                     ? std::string_view(pText->GetString(), static_cast<size_t>(pText->GetLength()))
                     : std::string_view();
    }
    // The same over text in place, which must outlive the scanning.
    void Attach(std::string_view text) {
        m_pText = nullptr;
        m_text = text;
    }
    // Back to the first character; returns the text's length.
    int Reset();
    // The next field: characters up to a TAB or a CR, which is passed over together with the
    // byte after it (the LF of a CR LF). A field that starts at a separator is empty, and so is
    // every field past the end. Returns the field's length.
    int ReadField(CString& field);
    // The next field as a number (0.0 when empty); returns the field's length.
    int ReadNumber(double& value);
    // Passes over the next field as ReadField would; returns its length.
    int SkipField();
    // The number ReadNumber would read from position nPos; the position moves no further than
    // the number's field when it starts with white space, and stays otherwise.
    double NumberAt(INT32 nPos);

    const CString* m_pText = nullptr; // the text when attached as a string
    INT32 m_nPos = 0;

private:
    std::string_view m_text;
    // The next field, in place in the text, with m_nPos moved past it and its separator.
    std::string_view NextField();
};
