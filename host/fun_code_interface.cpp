#include "host/fun_code_interface.h"

#include "host/data_location.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

std::atomic<uint64_t> g_nextCatalogueId{1};

// Objects handed out by address, one set per thread: the GUI thread and a
// transfer worker may use the same address at once, and each keeps its own
// amended and current value. Keyed by catalogue id so a destroyed catalogue's
// objects are never handed out again.
using AddrKey = std::pair<uint64_t, uint32_t>;
thread_local bool t_byAddrGone = false;
struct AddrCache {
    std::map<AddrKey, std::unique_ptr<CFunCode>> map;
    // Thread-locals die before statics at exit; a catalogue destroyed later
    // (by the logic-manager singleton) must not touch the cache then.
    ~AddrCache() { t_byAddrGone = true; }
};
thread_local AddrCache t_byAddr;

std::wstring ToW(const QString& s)
{
    return s.toStdWString();
}

// Reads an integer member; accepts numbers and "0x..." / decimal texts.
bool ReadInt(const QJsonObject& o, const char* key, int64_t& out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d != double(int64_t(d)))
            return false;
        out = int64_t(d);
        return true;
    }
    if (v.isString()) {
        bool ok = false;
        const qlonglong n = v.toString().trimmed().toLongLong(&ok, 0);
        out = n;
        return ok;
    }
    return false;
}

class EntryError {
public:
    EntryError(const std::string& source, int index, const QString& number)
    {
        std::ostringstream s;
        s << source << ": entry " << index;
        if (!number.isEmpty())
            s << " (" << number.toStdString() << ")";
        s << ": ";
        m_prefix = s.str();
    }
    std::string operator()(const std::string& what) const { return m_prefix + what; }

private:
    std::string m_prefix;
};

bool Fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
    return false;
}

bool ParseEntry(const QJsonValue& value, int index, const std::string& source, CFunCode& fc, std::string* error)
{
    if (!value.isObject())
        return Fail(error, EntryError(source, index, {})("not an object"));
    const QJsonObject o = value.toObject();
    const QString number = o.value("number").toString();
    const EntryError err(source, index, number);
    if (number.isEmpty())
        return Fail(error, err("'number' is missing or empty"));
    fc.m_strNum = ToW(number);
    fc.m_strName = ToW(o.value("name").toString());
    fc.m_strUnit = ToW(o.value("unit").toString());

    int64_t width = 0, address = 0, mn = 0, mx = 0, kind = 0, def = 0;
    if (!ReadInt(o, "width", width) || (width != 16 && width != 32))
        return Fail(error, err("'width' must be 16 or 32"));
    if (!ReadInt(o, "address", address) || address < 0 || address > (width == 32 ? 0xFFFE : 0xFFFF))
        return Fail(error, err("'address' is missing or out of 0x0000-0xFFFF"));
    if (!ReadInt(o, "min", mn) || !ReadInt(o, "max", mx))
        return Fail(error, err("'min' and 'max' must be integers"));
    if (mn > mx)
        return Fail(error, err("'min' is above 'max'"));
    // A negative minimum makes a parameter signed, so a 16-bit one then ends
    // at 32767: a larger maximum would read back negative from the drive.
    // Refused rather than clamped, so the file says what the drive does.
    if (width == 16 && mn < 0 && mn >= -32768 && mx > 32767)
        return Fail(error, err("'min'/'max' do not fit the width: a negative 'min' makes the 16-bit entry signed, "
                               "so 'max' must be at most 32767, not " + std::to_string(mx)));
    const bool fits = width == 16 ? (mn >= -32768 && mx <= (mn < 0 ? 32767 : 65535))
                                  : (mn >= INT32_MIN && mx <= INT32_MAX);
    if (!fits)
        return Fail(error, err("'min'/'max' do not fit the width"));
    if (!ReadInt(o, "default", def) || def < mn || def > mx)
        return Fail(error, err("'default' is missing or outside min..max"));
    if (o.contains("kind") && (!ReadInt(o, "kind", kind) || (kind != 0 && kind != 1)))
        return Fail(error, err("'kind' must be 0 or 1"));

    fc.m_nWidth = uint16_t(width);
    fc.m_nAddr = uint16_t(address);
    fc.m_nMin = int32_t(mn);
    fc.m_nMax = int32_t(mx);
    fc.m_nKind = int32_t(kind);
    fc.m_nDefault = int32_t(def);
    fc.m_nCurValue = fc.m_nAmendValue = uint32_t(int32_t(def));

    if (kind == 1) {
        const QJsonArray options = o.value("options").toArray();
        if (options.isEmpty())
            return Fail(error, err("kind 1 needs a non-empty 'options' list"));
        for (int i = 0; i < options.size(); ++i) {
            const QJsonObject opt = options.at(i).toObject();
            int64_t v = 0;
            if (!ReadInt(opt, "value", v) || v < mn || v > mx || !opt.value("label").isString())
                return Fail(error, err("option " + std::to_string(i) + " needs a 'value' within min..max and a 'label'"));
            fc.m_options.push_back(FunCodeOption{int32_t(v), ToW(opt.value("label").toString())});
        }
    }
    return true;
}

} // namespace

std::string CFunCodeInterface::DefaultPath()
{
    if (const char* env = std::getenv("ECAM_FUNCODES"); env && *env)
        return env;
    return ecam::FindDataFile("funcodes.json");
}

std::unique_ptr<CFunCodeInterface> CFunCodeInterface::LoadFile(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail(error, QCoreApplication::translate("FunCodeCatalogue", "%1: 无法打开参数目录")
                        .arg(QString::fromStdString(path)).toStdString());
        return nullptr;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return LoadJson(text.str(), path, error);
}

std::unique_ptr<CFunCodeInterface> CFunCodeInterface::LoadJson(const std::string& json, const std::string& sourceName,
                                                               std::string* error)
{
    QJsonParseError parseError;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(json.data(), qsizetype(json.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        Fail(error, sourceName + ": JSON error at offset " + std::to_string(parseError.offset) + ": " +
                        parseError.errorString().toStdString());
        return nullptr;
    }
    if (!doc.isObject() || !doc.object().value("funcodes").isArray()) {
        Fail(error, sourceName + ": expected an object with a \"funcodes\" list");
        return nullptr;
    }
    std::unique_ptr<CFunCodeInterface> cat(new CFunCodeInterface);
    cat->m_source = sourceName;
    cat->m_id = g_nextCatalogueId++;
    const QJsonArray list = doc.object().value("funcodes").toArray();
    std::set<std::wstring> numbers;
    std::set<uint16_t> registers;
    for (int i = 0; i < list.size(); ++i) {
        auto fc = std::make_unique<CFunCode>();
        if (!ParseEntry(list.at(i), i, sourceName, *fc, error))
            return nullptr;
        const EntryError err(sourceName, i, QString::fromStdWString(fc->m_strNum));
        if (!numbers.insert(fc->m_strNum).second) {
            Fail(error, err("number used twice"));
            return nullptr;
        }
        for (unsigned r = 0; r < fc->m_nWidth / 16u; ++r) {
            if (!registers.insert(uint16_t(fc->m_nAddr + r)).second) {
                Fail(error, err("register overlaps another entry"));
                return nullptr;
            }
        }
        cat->m_codes.push_back(std::move(fc));
    }
    return cat;
}

CFunCodeInterface::~CFunCodeInterface()
{
    // This thread's by-address objects go now; other threads drop theirs
    // when they end (the id is never reused).
    if (t_byAddrGone)
        return;
    auto& map = t_byAddr.map;
    for (auto it = map.begin(); it != map.end();)
        it = it->first.first == m_id ? map.erase(it) : std::next(it);
}

CFunCode* CFunCodeInterface::GetFunCodePtrByNum(const std::wstring& number)
{
    for (auto& fc : m_codes)
        if (fc->m_strNum == number)
            return fc.get();
    return nullptr;
}

unsigned CFunCodeInterface::GetFunCodeCount() const
{
    return unsigned(m_codes.size());
}

CFunCode* CFunCodeInterface::GetFunCodePtrByIndex(unsigned index)
{
    return index < m_codes.size() ? m_codes[index].get() : nullptr;
}

CFunCode* CFunCodeInterface::CreateFunCodePtrByAddr(unsigned address, unsigned width)
{
    if ((width != 16 && width != 32) || address > (width == 32 ? 0xFFFEu : 0xFFFFu))
        return nullptr;
    if (t_byAddrGone)
        return nullptr;
    auto& slot = t_byAddr.map[AddrKey(m_id, (address << 8) | width)];
    if (!slot) {
        slot = std::make_unique<CFunCode>();
        const CFunCode* known = FindByRegister(uint16_t(address));
        if (known && known->m_nAddr == address && known->m_nWidth == width) {
            *slot = *known;
        } else {
            // A bare register: the whole unsigned range of the width.
            slot->m_nAddr = uint16_t(address);
            slot->m_nWidth = uint16_t(width);
            slot->m_nMin = 0;
            slot->m_nMax = width == 16 ? 65535 : INT32_MAX;
        }
    }
    return slot.get();
}

const CFunCode* CFunCodeInterface::FindByRegister(uint16_t reg) const
{
    for (const auto& fc : m_codes)
        if (reg == fc->m_nAddr || (fc->m_nWidth == 32 && reg == fc->m_nAddr + 1))
            return fc.get();
    return nullptr;
}
