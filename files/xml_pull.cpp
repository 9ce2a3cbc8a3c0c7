#include "files/xml_pull.h"
#include "files/utf8.h"



namespace ecam {
namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameEnd(char c)
{
    return isSpace(c) || c == '>' || c == '/' || c == '=';
}


} // namespace

XmlPull::XmlPull(std::string_view doc, ReadBudget& budget) : m_doc(doc), m_budget(budget)
{
    // A byte order mark before the declaration.
    if (m_doc.substr(0, 3) == "\xEF\xBB\xBF")
        m_pos = 3;
}

std::string_view XmlPull::Local(std::string_view qname)
{
    const size_t colon = qname.rfind(':');
    return colon == std::string_view::npos ? qname : qname.substr(colon + 1);
}

std::string_view XmlPull::LocalName() const
{
    return Local(m_name);
}

XmlPull::Event XmlPull::Next()
{
    m_budget.Tick();
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_attrs.clear();
        return End;
    }
    for (;;) {
        if (m_pos >= m_doc.size())
            return Eof;
        if (m_doc[m_pos] != '<') {
            const size_t lt = m_doc.find('<', m_pos);
            const size_t end = lt == std::string_view::npos ? m_doc.size() : lt;
            decodeInto(m_doc.substr(m_pos, end - m_pos), m_text);
            m_pos = end;
            return Text;
        }
        const std::string_view rest = m_doc.substr(m_pos);
        if (rest.substr(0, 4) == "<!--") {
            const size_t end = m_doc.find("-->", m_pos + 4);
            if (end == std::string_view::npos)
                FailRead(ReadFailure::Damaged);
            m_pos = end + 3;
            continue;
        }
        if (rest.substr(0, 9) == "<![CDATA[") {
            const size_t end = m_doc.find("]]>", m_pos + 9);
            if (end == std::string_view::npos)
                FailRead(ReadFailure::Damaged);
            m_text.assign(m_doc.substr(m_pos + 9, end - m_pos - 9));
            m_pos = end + 3;
            return Text;
        }
        if (rest.substr(0, 2) == "<?") {
            const size_t end = m_doc.find("?>", m_pos + 2);
            if (end == std::string_view::npos)
                FailRead(ReadFailure::Damaged);
            m_pos = end + 2;
            continue;
        }
        if (rest.substr(0, 2) == "<!")
            FailRead(ReadFailure::Damaged); // DOCTYPE and the like: never in a workbook
        if (rest.substr(0, 2) == "</") {
            size_t p = m_pos + 2;
            const size_t start = p;
            while (p < m_doc.size() && !isNameEnd(m_doc[p]))
                ++p;
            m_name = m_doc.substr(start, p - start);
            const size_t gt = m_doc.find('>', p);
            if (gt == std::string_view::npos || m_name.empty())
                FailRead(ReadFailure::Damaged);
            m_pos = gt + 1;
            m_attrs.clear();
            return End;
        }
        parseStartTag();
        return Start;
    }
}

void XmlPull::parseStartTag()
{
    size_t p = m_pos + 1;
    const size_t start = p;
    while (p < m_doc.size() && !isNameEnd(m_doc[p]))
        ++p;
    m_name = m_doc.substr(start, p - start);
    if (m_name.empty())
        FailRead(ReadFailure::Damaged);
    m_attrs.clear();
    for (;;) {
        while (p < m_doc.size() && isSpace(m_doc[p]))
            ++p;
        if (p >= m_doc.size())
            FailRead(ReadFailure::Damaged);
        if (m_doc[p] == '>') {
            m_pos = p + 1;
            return;
        }
        if (m_doc[p] == '/') {
            if (p + 1 >= m_doc.size() || m_doc[p + 1] != '>')
                FailRead(ReadFailure::Damaged);
            m_pos = p + 2;
            m_pendingEnd = true;
            return;
        }
        const size_t nameStart = p;
        while (p < m_doc.size() && !isNameEnd(m_doc[p]))
            ++p;
        const std::string_view name = m_doc.substr(nameStart, p - nameStart);
        while (p < m_doc.size() && isSpace(m_doc[p]))
            ++p;
        if (name.empty() || p >= m_doc.size() || m_doc[p] != '=')
            FailRead(ReadFailure::Damaged);
        ++p;
        while (p < m_doc.size() && isSpace(m_doc[p]))
            ++p;
        if (p >= m_doc.size() || (m_doc[p] != '"' && m_doc[p] != '\''))
            FailRead(ReadFailure::Damaged);
        const char quote = m_doc[p++];
        const size_t close = m_doc.find(quote, p);
        if (close == std::string_view::npos)
            FailRead(ReadFailure::Damaged);
        m_attrs.push_back({name, m_doc.substr(p, close - p)});
        if (m_attrs.size() > 4096)
            FailRead(ReadFailure::Damaged);
        p = close + 1;
    }
}

bool XmlPull::Attr(std::string_view local, std::string& value) const
{
    for (const RawAttr& a : m_attrs) {
        if (Local(a.name) == local) {
            decodeInto(a.value, value);
            return true;
        }
    }
    return false;
}

void XmlPull::decodeInto(std::string_view raw, std::string& out) const
{
    out.clear();
    size_t p = 0;
    while (p < raw.size()) {
        const size_t amp = raw.find('&', p);
        if (amp == std::string_view::npos) {
            out.append(raw.substr(p));
            break;
        }
        out.append(raw.substr(p, amp - p));
        const size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 12)
            FailRead(ReadFailure::Damaged);
        const std::string_view ent = raw.substr(amp + 1, semi - amp - 1);
        if (ent == "amp")
            out += '&';
        else if (ent == "lt")
            out += '<';
        else if (ent == "gt")
            out += '>';
        else if (ent == "quot")
            out += '"';
        else if (ent == "apos")
            out += '\'';
        else if (ent.size() >= 2 && ent[0] == '#') {
            const bool hex = ent[1] == 'x' || ent[1] == 'X';
            uint32_t c = 0;
            const std::string_view digits = ent.substr(hex ? 2 : 1);
            if (digits.empty())
                FailRead(ReadFailure::Damaged);
            for (char d : digits) {
                int v;
                if (d >= '0' && d <= '9')
                    v = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    v = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    v = d - 'A' + 10;
                else
                    FailRead(ReadFailure::Damaged);
                c = c * (hex ? 16 : 10) + static_cast<uint32_t>(v);
                if (c > 0x10FFFF)
                    FailRead(ReadFailure::Damaged);
            }
            if (c == 0 || (c >= 0xD800 && c <= 0xDFFF))
                c = 0xFFFD;
            AppendUtf8(out, c);
        } else {
            FailRead(ReadFailure::Damaged);
        }
        p = semi + 1;
    }
}

} // namespace ecam
