#pragma once
// A pull reader for the XML parts of workbooks (sheets, shared strings,
// workbook, relationships, content.xml), over expat: declared encodings
// (UTF-16 included), character references, CDATA and well-formedness are
// expat's. It reports start tags with their attributes, end tags and text
// (UTF-8); comments, processing instructions and the XML declaration are
// skipped. A document type declaration is refused, so no external or
// expanding entity is ever read. Names are reported as written
// (prefix:local); callers match local names. A self-closing tag gives a
// start and an end. Malformed input (an unclosed element included) throws
// ReadFailed(Damaged); the budget's deadline is checked as events go by.
// The caller's text must outlive the reader; one thread.
#include "files/read_limits.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ecam {

class XmlPull {
public:
    enum Event { Start, End, Text, Eof };

    XmlPull(std::string_view doc, ReadBudget& budget);
    ~XmlPull();
    XmlPull(const XmlPull&) = delete;
    XmlPull& operator=(const XmlPull&) = delete;

    Event Next();
    // Name of the current Start or End (prefix included) and its local part.
    std::string_view Name() const { return current().name; }
    std::string_view LocalName() const { return Local(current().name); }
    // The value of the current start tag's attribute whose local name is
    // `local`; false when there is none.
    bool Attr(std::string_view local, std::string& value) const;
    // Text of the current Text event.
    const std::string& TextValue() const { return current().text; }

    // Local part of a qualified name.
    static std::string_view Local(std::string_view qname);

    // One event as the parser's handlers queue it; records are reused from
    // batch to batch, so their strings keep their capacity.
    struct Record {
        Event event = Eof;
        std::string name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> attrs;
        size_t attrCount = 0;
    };
    struct Parser;

private:
    const Record& current() const;

    std::string_view m_doc;
    ReadBudget& m_budget;
    std::unique_ptr<Parser> m_parser;
};

} // namespace ecam
