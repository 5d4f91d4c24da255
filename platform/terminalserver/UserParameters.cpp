#include "platform/terminalserver/UserParameters.h"

#include <QString>

#include <algorithm>
#include <utility>

namespace platform::tsts {

namespace {

constexpr size_t ReservedBytes = 96;
constexpr uint16_t Signature = u'P';
constexpr uint32_t CfgPresentMagic = 0xB00B1E55;
constexpr size_t PropertyHeaderBytes = 6;

// Reads little-endian 16-bit fields from a value without passing its end.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t> &bytes) : m_bytes(bytes) {}
    size_t left() const { return m_bytes.size() - m_at; }
    size_t at() const { return m_at; }
    bool u16(uint16_t &value)
    {
        if (left() < 2)
            return false;
        value = uint16_t(m_bytes[m_at] | (m_bytes[m_at + 1] << 8));
        m_at += 2;
        return true;
    }
    bool take(size_t count, const uint8_t *&start)
    {
        if (left() < count)
            return false;
        start = m_bytes.data() + m_at;
        m_at += count;
        return true;
    }

private:
    const std::vector<uint8_t> &m_bytes;
    size_t m_at = 0;
};

void putU16(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(uint8_t(value & 0xFF));
    out.push_back(uint8_t(value >> 8));
}

bool readProperty(Reader &reader, TsProperty &property)
{
    uint16_t nameLength = 0, valueLength = 0;
    const uint8_t *name = nullptr, *value = nullptr;
    if (!reader.u16(nameLength) || !reader.u16(valueLength) || !reader.u16(property.type))
        return false;
    // A name is whole UTF-16 units; an odd value length is another writer's
    // slip, kept as it is and left undecoded.
    if (nameLength % 2 != 0 || !reader.take(nameLength, name)
        || !reader.take(valueLength, value))
        return false;
    property.name.clear();
    for (size_t i = 0; i < nameLength; i += 2)
        property.name.push_back(char16_t(name[i] | (name[i + 1] << 8)));
    property.value.assign(reinterpret_cast<const char *>(value), valueLength);
    return true;
}

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool sameName(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(),
                         [](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

UserParameters UserParameters::decode(const std::vector<uint8_t> &raw)
{
    UserParameters parsed;
    if (raw.empty())
        return parsed;
    parsed.m_reserved = raw;
    parsed.m_layout = Layout::Malformed;
    if (raw.size() % 2 != 0)
        return parsed;
    parsed.m_layout = Layout::Foreign;
    Reader reader(raw);
    const uint8_t *skipped = nullptr;
    uint16_t signature = 0, count = 0;
    if (!reader.take(ReservedBytes, skipped) || !reader.u16(signature) || signature != Signature)
        return parsed;
    parsed.m_layout = Layout::Malformed;
    if (!reader.u16(count))
        return parsed;
    // The count is the value's own claim: a property takes at least its three
    // 16-bit fields, so a count the bytes cannot hold is never allocated.
    if (count > reader.left() / PropertyHeaderBytes)
        return parsed;
    std::vector<TsProperty> properties(count);
    for (TsProperty &property : properties) {
        if (!readProperty(reader, property))
            return parsed;
    }
    parsed.m_layout = Layout::Settings;
    parsed.m_reserved.assign(raw.begin(), raw.begin() + ReservedBytes);
    parsed.m_properties = std::move(properties);
    parsed.m_trailing.assign(raw.begin() + std::ptrdiff_t(reader.at()), raw.end());
    return parsed;
}

std::vector<uint8_t> UserParameters::encode() const
{
    std::vector<uint8_t> out = m_reserved;
    if (m_layout != Layout::Settings)
        return out;
    putU16(out, Signature);
    putU16(out, uint16_t(m_properties.size()));
    for (const TsProperty &property : m_properties) {
        putU16(out, uint16_t(property.name.size() * 2));
        putU16(out, uint16_t(property.value.size()));
        putU16(out, property.type);
        for (char16_t unit : property.name)
            putU16(out, uint16_t(unit));
        out.insert(out.end(), property.value.begin(), property.value.end());
    }
    out.insert(out.end(), m_trailing.begin(), m_trailing.end());
    return out;
}

void UserParameters::padToWholeUnits()
{
    if (m_layout == Layout::Settings && encode().size() % 2 != 0)
        m_trailing.push_back(0);
}

bool UserParameters::settingsPresent() const
{
    const TsProperty *present = find(u"CtxCfgPresent");
    return m_layout == Layout::Settings && present
           && decodeNumber(present->value) == CfgPresentMagic;
}

bool UserParameters::startArray(const std::vector<TsProperty> &properties)
{
    const bool bareReserved = m_layout == Layout::Foreign && m_reserved.size() == ReservedBytes;
    const bool emptyArray = m_layout == Layout::Settings && m_properties.empty();
    if (m_layout != Layout::Empty && !bareReserved && !emptyArray)
        return false;
    if (m_layout == Layout::Empty) {
        // The reserved text Windows writes: "CtxCfgPresent" and blanks.
        const std::u16string text = u"CtxCfgPresent";
        for (size_t i = 0; i < ReservedBytes / 2; ++i)
            putU16(m_reserved, i < text.size() ? uint16_t(text[i]) : uint16_t(u' '));
    }
    m_layout = Layout::Settings;
    m_properties = properties;
    return true;
}

const TsProperty *UserParameters::find(std::u16string_view name) const
{
    for (const TsProperty &property : m_properties) {
        if (sameName(property.name, name))
            return &property;
    }
    return nullptr;
}

TsProperty *UserParameters::find(std::u16string_view name)
{
    return const_cast<TsProperty *>(std::as_const(*this).find(name));
}

std::optional<std::vector<uint8_t>> decodeHex(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigit(text[i]), low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(uint8_t(high << 4 | low));
    }
    return bytes;
}

std::string encodeHex(const std::vector<uint8_t> &bytes)
{
    static const char Digits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t byte : bytes) {
        text.push_back(Digits[byte >> 4]);
        text.push_back(Digits[byte & 0xF]);
    }
    return text;
}

std::optional<uint32_t> decodeNumber(std::string_view text)
{
    const auto bytes = decodeHex(text);
    if (!bytes || bytes->size() != 4)
        return std::nullopt;
    const std::vector<uint8_t> &b = *bytes;
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

std::string encodeNumber(uint32_t value)
{
    return encodeHex({uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                      uint8_t(value >> 24)});
}

std::optional<std::string> decodeNarrowText(std::string_view text)
{
    const auto bytes = decodeHex(text);
    if (!bytes)
        return std::nullopt;
    const auto end = std::find(bytes->begin(), bytes->end(), uint8_t(0));
    const QByteArray latin1(reinterpret_cast<const char *>(bytes->data()),
                            qsizetype(end - bytes->begin()));
    return QString::fromLatin1(latin1).toStdString();
}

std::optional<std::string> decodeWideText(std::string_view text)
{
    const auto bytes = decodeHex(text);
    if (!bytes || bytes->size() % 2 != 0)
        return std::nullopt;
    std::u16string units;
    for (size_t i = 0; i < bytes->size(); i += 2) {
        const char16_t unit = char16_t((*bytes)[i] | ((*bytes)[i + 1] << 8));
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return QString::fromStdU16String(units).toStdString();
}

std::string encodeNarrowText(const std::string &utf8)
{
    const QByteArray latin1 = QString::fromStdString(utf8).toLatin1();
    std::vector<uint8_t> bytes(latin1.begin(), latin1.end());
    bytes.push_back(0);
    return encodeHex(bytes);
}

std::string encodeWideText(const std::string &utf8)
{
    std::vector<uint8_t> bytes;
    for (char16_t unit : QString::fromStdString(utf8).toStdU16String()) {
        bytes.push_back(uint8_t(unit & 0xFF));
        bytes.push_back(uint8_t(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    return encodeHex(bytes);
}

bool fitsNarrowText(const std::string &utf8)
{
    const QString text = QString::fromStdString(utf8);
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

} // namespace platform::tsts
