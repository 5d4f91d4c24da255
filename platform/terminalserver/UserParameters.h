// A user's userParameters value as Terminal Services lay it out ([MS-TSTS]
// 2.3.1): 96 reserved bytes (which RAS dial-in also uses, [MS-CBCP] 2.3.1), the
// signature 'P', a count and an array of TSProperty entries ([MS-TSTS] 2.3.2),
// then whatever a writer left behind. Every field is kept as found, so a value
// nobody changed encodes to the very bytes it was decoded from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::tsts {

// One TSProperty: the name as its UTF-16 units, the type, and the value as the
// hex text it is stored as ([MS-TSTS] 2.3.3).
struct TsProperty {
    std::u16string name;
    uint16_t type = 1;
    std::string value;
};

enum class Layout {
    Empty,     // no value at all
    Foreign,   // no signature at byte 96: RAS data or another writer's; kept as is
    Settings,  // the signature and a property array that fits the value
    Malformed, // odd length, or an array whose counts or lengths overrun the value
};

class UserParameters {
public:
    static UserParameters decode(const std::vector<uint8_t> &raw);
    std::vector<uint8_t> encode() const;

    Layout layout() const { return m_layout; }
    // Whether Terminal Services read the array: CtxCfgPresent holds 0xB00B1E55.
    bool settingsPresent() const;
    // The bytes before the signature (Foreign and Malformed: the whole value).
    const std::vector<uint8_t> &reserved() const { return m_reserved; }

    // A new array behind the kept reserved bytes (a value of exactly 96 bytes,
    // or the 'P' and an empty array). False when the value holds anything else.
    bool startArray(const std::vector<TsProperty> &properties);

    const std::vector<TsProperty> &properties() const { return m_properties; }
    // The first property of that name, compared without case (writers differ:
    // CtxCallBack and CtxCallback).
    const TsProperty *find(std::u16string_view name) const;
    TsProperty *find(std::u16string_view name);
    void append(TsProperty property) { m_properties.push_back(std::move(property)); }
    // The value is UTF-16 text: when replacing an odd-length property (another
    // writer's slip) left it an odd number of bytes long, which could be
    // neither stored nor decoded again, one zero byte after the array evens it.
    void padToWholeUnits();

private:
    Layout m_layout = Layout::Empty;
    std::vector<uint8_t> m_reserved;
    std::vector<TsProperty> m_properties;
    std::vector<uint8_t> m_trailing;
};

// PropValue encodings ([MS-TSTS] 2.3.3): each byte as two hex digits, read in
// either case and written in lower case. The decoders answer nothing for a
// value of another size or with a character that is no hex digit.
std::optional<std::vector<uint8_t>> decodeHex(std::string_view text);
std::string encodeHex(const std::vector<uint8_t> &bytes);
// A 32-bit number: its four bytes in little-endian order.
std::optional<uint32_t> decodeNumber(std::string_view text);
std::string encodeNumber(uint32_t value);
// Text, as UTF-8 here: the "ASCII" value holds 8-bit characters (Latin-1) and
// a NUL; the W twin holds UTF-16LE and a 16-bit NUL. Both end at the first NUL.
std::optional<std::string> decodeNarrowText(std::string_view text);
std::optional<std::string> decodeWideText(std::string_view text);
std::string encodeNarrowText(const std::string &utf8);
std::string encodeWideText(const std::string &utf8);
// Whether the text survives the 8-bit value (Latin-1) unchanged.
bool fitsNarrowText(const std::string &utf8);

} // namespace platform::tsts
