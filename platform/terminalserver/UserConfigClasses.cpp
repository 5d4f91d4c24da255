#include "platform/terminalserver/UserConfigClasses.h"

#include <QString>

#include <algorithm>
#include <array>

namespace platform::tsts {

namespace {

enum class Kind { Text, Number, Flag, Derived };

struct ClassRule {
    Kind kind;
    const char16_t *name;   // Text, Number: the property
    bool twin;              // Text: has a W twin
    uint32_t bit;           // Flag: the CtxCfgFlags1 bit
    bool inverted;          // Flag: the class is 1 when the bit is clear
    uint32_t maximum;       // Number, Flag: the largest value; Text: characters
    uint32_t defaultNumber; // Number: what a user without settings has
};

constexpr uint32_t Any = 0xFFFFFFFF;
constexpr size_t MaxBlobBytes = 65534; // 32767 UTF-16 units ([MS-ADA3] 2.346)
constexpr const char16_t *FlagsName = u"CtxCfgFlags1";
// CtxCfgFlags1 of a Windows-written value for a user without settings: logon
// allowed, program inherited, client drives and printers connected.
constexpr uint32_t DefaultFlags = 0x9020F000;

// Bit values and polarity: the CtxCfgFlags1 table of [MS-TSTS] 2.3.2; the
// class numbers are WTS_CONFIG_CLASS's; text sizes are USERCONFIG's arrays.
constexpr std::array<ClassRule, 19> Rules{{
    {Kind::Text, u"CtxInitialProgram", true, 0, false, 256, 0},
    {Kind::Text, u"CtxWorkDirectory", true, 0, false, 256, 0},
    {Kind::Flag, nullptr, false, 0x10000000, false, 1, 0},   // INHERITINITIALPROGRAM
    {Kind::Flag, nullptr, false, 0x00010000, true, 1, 0},    // LOGONDISABLED
    {Kind::Number, u"CtxMaxConnectionTime", false, 0, false, Any, 0},
    {Kind::Number, u"CtxMaxDisconnectionTime", false, 0, false, Any, 0},
    {Kind::Number, u"CtxMaxIdleTime", false, 0, false, Any, 0},
    {Kind::Flag, nullptr, false, 0x00008000, false, 1, 0},   // AUTOCLIENTDRIVES
    {Kind::Flag, nullptr, false, 0x00004000, false, 1, 0},   // AUTOCLIENTLPTS
    {Kind::Flag, nullptr, false, 0x00002000, false, 1, 0},   // FORCECLIENTLPTDEF
    {Kind::Flag, nullptr, false, 0x00040000, false, 1, 0},   // RESETBROKEN
    {Kind::Flag, nullptr, false, 0x00020000, false, 1, 0},   // RECONNECTSAME
    {Kind::Number, u"CtxCallBack", false, 0, false, 2, 0},
    {Kind::Text, u"CtxCallbackNumber", false, 0, false, 50, 0},
    {Kind::Number, u"CtxShadow", false, 0, false, 4, 1},
    {Kind::Text, u"CtxWFProfilePath", true, 0, false, 256, 0},
    {Kind::Text, u"CtxWFHomeDir", true, 0, false, 256, 0},
    {Kind::Text, u"CtxWFHomeDirDrive", true, 0, false, 3, 0},
    {Kind::Derived, nullptr, false, 0, false, 0, 0},
}};

std::u16string twinOf(const char16_t *name) { return std::u16string(name) + u'W'; }

TsProperty property(const char16_t *name, std::string value) { return {name, 1, value}; }

// The sixteen properties, in their order, that Windows writes for a user
// given no settings.
std::vector<TsProperty> defaultProperties()
{
    std::vector<TsProperty> list{property(u"CtxCfgPresent", encodeNumber(0xB00B1E55))};
    for (const char16_t *name : {u"CtxWFProfilePath", u"CtxWFHomeDir", u"CtxWFHomeDirDrive"}) {
        list.push_back(property(name, encodeNarrowText({})));
        list.push_back(property(twinOf(name).c_str(), encodeWideText({})));
    }
    list.push_back(property(u"CtxShadow", encodeNumber(1)));
    for (const char16_t *name :
         {u"CtxMaxDisconnectionTime", u"CtxMaxConnectionTime", u"CtxMaxIdleTime"})
        list.push_back(property(name, encodeNumber(0)));
    list.push_back(property(u"CtxWorkDirectory", encodeNarrowText({})));
    list.push_back(property(u"CtxWorkDirectoryW", encodeWideText({})));
    list.push_back(property(FlagsName, encodeNumber(DefaultFlags)));
    list.push_back(property(u"CtxInitialProgram", encodeNarrowText({})));
    list.push_back(property(u"CtxInitialProgramW", encodeWideText({})));
    return list;
}

std::optional<uint32_t> flagsWord(const UserParameters &parameters)
{
    const TsProperty *flags = parameters.find(FlagsName);
    return flags ? decodeNumber(flags->value) : std::optional<uint32_t>(DefaultFlags);
}

std::optional<std::string> textOf(const UserParameters &parameters, const ClassRule &rule)
{
    if (rule.twin) {
        if (const TsProperty *wide = parameters.find(twinOf(rule.name))) {
            if (auto text = decodeWideText(wide->value))
                return text;
        }
    }
    const TsProperty *narrow = parameters.find(rule.name);
    return narrow ? decodeNarrowText(narrow->value) : std::optional<std::string>(std::string());
}

bool queryDecoded(const UserParameters &parameters, int configClass, ConfigValue &value)
{
    const ClassRule &rule = Rules[size_t(configClass)];
    switch (rule.kind) {
    case Kind::Text: {
        const auto text = textOf(parameters, rule);
        value.text = text.value_or(std::string());
        return text.has_value();
    }
    case Kind::Number: {
        const TsProperty *stored = parameters.find(rule.name);
        const auto number = stored ? decodeNumber(stored->value) : rule.defaultNumber;
        value.number = number.value_or(0);
        return number.has_value();
    }
    case Kind::Flag: {
        const auto word = flagsWord(parameters);
        value.number = word && (((*word & rule.bit) != 0) != rule.inverted) ? 1 : 0;
        return word.has_value();
    }
    case Kind::Derived: {
        // No property holds it: the home directory is remote when it is
        // mapped to a drive.
        ConfigValue drive;
        if (!queryDecoded(parameters, 17, drive))
            return false;
        value.number = drive.text.empty() ? 0 : 1;
        return true;
    }
    }
    return false;
}

// Whether the value carries W twins at all; a twin missing from such a value is
// added beside its 8-bit property.
bool carriesTwins(const UserParameters &parameters)
{
    return std::any_of(Rules.begin(), Rules.end(), [&](const ClassRule &rule) {
        return rule.twin && parameters.find(twinOf(rule.name));
    });
}

void put(UserParameters &parameters, const std::u16string &name, std::string encoded)
{
    if (TsProperty *stored = parameters.find(name))
        stored->value = std::move(encoded);
    else
        parameters.append(property(name.c_str(), std::move(encoded)));
}

bool putText(UserParameters &parameters, const ClassRule &rule, const std::string &text)
{
    const std::u16string twin = rule.twin ? twinOf(rule.name) : std::u16string();
    const bool withTwin =
        rule.twin && carriesTwins(parameters);
    // Without a W twin the 8-bit value is all there is: refuse what it would mangle.
    if (!withTwin && !fitsNarrowText(text))
        return false;
    put(parameters, rule.name, encodeNarrowText(text));
    if (withTwin)
        put(parameters, twin, encodeWideText(text));
    return true;
}

// A missing property reads as its default, so writing the default adds nothing.
bool putValue(UserParameters &parameters, const ClassRule &rule, const ConfigValue &value)
{
    switch (rule.kind) {
    case Kind::Text:
        if (value.text.empty() && !parameters.find(rule.name)
            && !(rule.twin && parameters.find(twinOf(rule.name))))
            return true;
        return putText(parameters, rule, value.text);
    case Kind::Number:
        if (value.number != rule.defaultNumber || parameters.find(rule.name))
            put(parameters, rule.name, encodeNumber(value.number));
        return true;
    case Kind::Flag: {
        const auto word = flagsWord(parameters);
        if (!word)
            return false;
        const bool setBit = (value.number != 0) != rule.inverted;
        const uint32_t changed = setBit ? *word | rule.bit : *word & ~rule.bit;
        if (changed != DefaultFlags || parameters.find(FlagsName))
            put(parameters, FlagsName, encodeNumber(changed));
        return true;
    }
    case Kind::Derived:
        return false;
    }
    return false;
}

bool inRange(const ClassRule &rule, const ConfigValue &value)
{
    if (rule.kind == Kind::Text)
        return uint32_t(QString::fromStdString(value.text).size()) <= rule.maximum;
    return value.number <= rule.maximum;
}

} // namespace

bool isTextClass(int configClass)
{
    return configClass >= FirstConfigClass && configClass <= LastConfigClass
           && Rules[size_t(configClass)].kind == Kind::Text;
}

bool queryClass(const UserParameters &parameters, int configClass, ConfigValue &value)
{
    if (configClass < FirstConfigClass || configClass > LastConfigClass
        || parameters.layout() == Layout::Malformed)
        return false;
    if (!parameters.settingsPresent())
        return queryDecoded(UserParameters::decode({}), configClass, value);
    return queryDecoded(parameters, configClass, value);
}

bool setClass(UserParameters &parameters, int configClass, const ConfigValue &value)
{
    if (configClass < FirstConfigClass || configClass > LastConfigClass)
        return false;
    const ClassRule &rule = Rules[size_t(configClass)];
    if (!inRange(rule, value))
        return false;
    UserParameters changed = parameters;
    if (!changed.settingsPresent() && !changed.startArray(defaultProperties()))
        return false;
    if (!putValue(changed, rule, value))
        return false;
    changed.padToWholeUnits();
    if (changed.encode().size() > MaxBlobBytes)
        return false;
    parameters = std::move(changed);
    return true;
}

} // namespace platform::tsts
