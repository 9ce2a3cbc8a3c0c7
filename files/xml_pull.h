#pragma once
// A small pull tokenizer for the XML parts of workbooks (sheets, shared
// strings, workbook, relationships, content.xml). It reports start tags
// with their attributes, end tags and text; comments, processing
// instructions and the XML declaration are skipped, CDATA is text. It knows
// the five standard entities and numeric character references only: a
// document type declaration or any other entity is refused, so no external
// or expanding entity is ever read. Names are reported as written
// (prefix:local); callers match local names. A self-closing tag gives a
// start and an end. Malformed input throws ReadFailed(Damaged); the budget's
// deadline is checked as tokens go by. Views into the caller's text, which
// must outlive the tokenizer; one thread.
#include "files/read_limits.h"

#include <string>
#include <string_view>
#include <vector>

namespace ecam {

class XmlPull {
public:
    enum Event { Start, End, Text, Eof };

    XmlPull(std::string_view doc, ReadBudget& budget);

    Event Next();
    // Name of the current Start or End (prefix included) and its local part.
    std::string_view Name() const { return m_name; }
    std::string_view LocalName() const;
    // The decoded value of the current start tag's attribute whose local
    // name is `local`; false when there is none.
    bool Attr(std::string_view local, std::string& value) const;
    // Decoded text of the current Text event.
    const std::string& TextValue() const { return m_text; }

    // Local part of a qualified name.
    static std::string_view Local(std::string_view qname);

private:
    struct RawAttr {
        std::string_view name;
        std::string_view value;
    };
    void parseStartTag();
    void decodeInto(std::string_view raw, std::string& out) const;

    std::string_view m_doc;
    size_t m_pos = 0;
    ReadBudget& m_budget;
    std::string_view m_name;
    std::vector<RawAttr> m_attrs;
    std::string m_text;
    bool m_pendingEnd = false;
};

} // namespace ecam
