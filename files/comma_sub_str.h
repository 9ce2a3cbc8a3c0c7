#pragma once
// CCommaSubStr: splits one text line of a profile file into comma-separated
// fields. It holds its own copy of the line, can be given a new line without
// being re-created, and is used by one thread at a time.
#include <string>

class CCommaSubStr {
public:
    CCommaSubStr() = default;
    explicit CCommaSubStr(std::wstring line) : m_line(std::move(line)) {}
    virtual ~CCommaSubStr() = default;

    void SetLine(std::wstring line) { m_line = std::move(line); }
    const std::wstring& Line() const { return m_line; }

    // The n-th field (from 0) between commas, without leading and trailing
    // blanks, tabs, CR and LF; empty when the line has fewer fields.
    std::wstring GetField(int n) const;

private:
    std::wstring m_line;
};
