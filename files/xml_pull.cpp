#include "files/xml_pull.h"

#include <expat.h>

#include <climits>
#include <new>

namespace ecam {

// expat pushes; the reader pulls. The parser stops (resumably) once a batch
// of events is queued, so memory holds a few hundred events whatever the
// size of the part.
struct XmlPull::Parser {
    XML_Parser xml = nullptr;
    ReadBudget* budget = nullptr;
    std::vector<Record> records; // the batch: records[next, used) are still to come
    size_t used = 0;
    size_t next = 0;
    Record eof;
    std::string text; // character data since the last tag
    ReadFailure failure = ReadFailure::None;
    bool started = false;
    bool finished = false;
    bool paused = false;

    Record& push(Event event)
    {
        if (used == records.size())
            records.emplace_back();
        Record& r = records[used++];
        r.event = event;
        r.attrCount = 0;
        return r;
    }
    void flushText()
    {
        if (text.empty())
            return;
        Record& r = push(Text);
        r.text.swap(text);
        text.clear();
    }
    void pauseIfFull()
    {
        if (used >= 512 && !paused) {
            paused = true;
            XML_StopParser(xml, XML_TRUE);
        }
    }
    void stop(ReadFailure why)
    {
        failure = why;
        XML_StopParser(xml, XML_FALSE);
    }

    // No exception may cross expat's C frames: the handlers catch and stop.
    template <class Body>
    void guarded(Body&& body)
    {
        try {
            body();
        } catch (const ReadFailed& f) {
            stop(f.Kind());
        } catch (const std::bad_alloc&) {
            stop(ReadFailure::TooLarge);
        }
    }

    static void onStart(void* self, const XML_Char* name, const XML_Char** atts)
    {
        auto* p = static_cast<Parser*>(self);
        p->guarded([&] {
            p->flushText();
            Record& r = p->push(Start);
            r.name.assign(name);
            for (; atts[0]; atts += 2) {
                if (r.attrCount == r.attrs.size())
                    r.attrs.emplace_back();
                r.attrs[r.attrCount].first.assign(atts[0]);
                r.attrs[r.attrCount++].second.assign(atts[1]);
            }
            p->pauseIfFull();
        });
    }
    static void onEnd(void* self, const XML_Char* name)
    {
        auto* p = static_cast<Parser*>(self);
        p->guarded([&] {
            p->flushText();
            p->push(End).name.assign(name);
            p->pauseIfFull();
        });
    }
    static void onText(void* self, const XML_Char* s, int len)
    {
        auto* p = static_cast<Parser*>(self);
        p->guarded([&] {
            p->budget->Tick();
            p->text.append(s, static_cast<size_t>(len));
        });
    }
    // Workbook parts have no document type; one could only bring entities.
    static void onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        static_cast<Parser*>(self)->stop(ReadFailure::Damaged);
    }
};

XmlPull::XmlPull(std::string_view doc, ReadBudget& budget)
    : m_doc(doc), m_budget(budget), m_parser(std::make_unique<Parser>())
{
    if (doc.size() > static_cast<size_t>(INT_MAX))
        FailRead(ReadFailure::TooLarge);
    m_parser->xml = XML_ParserCreate(nullptr);
    if (!m_parser->xml)
        throw std::bad_alloc();
    m_parser->budget = &budget;
    XML_SetUserData(m_parser->xml, m_parser.get());
    XML_SetElementHandler(m_parser->xml, &Parser::onStart, &Parser::onEnd);
    XML_SetCharacterDataHandler(m_parser->xml, &Parser::onText);
    XML_SetStartDoctypeDeclHandler(m_parser->xml, &Parser::onDoctype);
    XML_SetParamEntityParsing(m_parser->xml, XML_PARAM_ENTITY_PARSING_NEVER);
}

XmlPull::~XmlPull()
{
    if (m_parser->xml)
        XML_ParserFree(m_parser->xml);
}

XmlPull::Event XmlPull::Next()
{
    Parser& p = *m_parser;
    if (p.next == p.used)
        p.next = p.used = 0; // the batch is read: its records are reused
    while (p.used == 0 && !p.finished) {
        m_budget.Check();
        XML_Status status;
        if (!p.started) {
            p.started = true;
            status = XML_Parse(p.xml, m_doc.data(), static_cast<int>(m_doc.size()), XML_TRUE);
        } else {
            p.paused = false;
            status = XML_ResumeParser(p.xml);
        }
        if (status == XML_STATUS_ERROR)
            FailRead(p.failure != ReadFailure::None ? p.failure : ReadFailure::Damaged);
        if (status == XML_STATUS_OK) {
            p.flushText();
            p.finished = true;
        }
    }
    if (p.used == 0)
        return Eof;
    return p.records[p.next++].event;
}

const XmlPull::Record& XmlPull::current() const
{
    const Parser& p = *m_parser;
    return p.next > 0 ? p.records[p.next - 1] : p.eof;
}

bool XmlPull::Attr(std::string_view local, std::string& value) const
{
    const Record& r = current();
    for (size_t i = 0; i < r.attrCount; ++i) {
        if (Local(r.attrs[i].first) == local) {
            value = r.attrs[i].second;
            return true;
        }
    }
    return false;
}

std::string_view XmlPull::Local(std::string_view qname)
{
    const size_t colon = qname.rfind(':');
    return colon == std::string_view::npos ? qname : qname.substr(colon + 1);
}

} // namespace ecam
