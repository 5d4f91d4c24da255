#include "CheckName.h"

#include "FieldText.h"

namespace {

bool isDigit(char16_t code) { return code >= u'0' && code <= u'9'; }

bool isLetter(char16_t code) { return code >= u'A' && code <= u'Z'; }

bool containsAny(const QString &text, bool (*test)(char16_t))
{
    for (const QChar character : text) {
        if (test(character.unicode()))
            return true;
    }
    return false;
}

// Codes below "0", from ":" to "@", and past "Z" are refused unless allowed
// as extras; this also refuses every letter outside A-Z.
bool passesCharacterTest(QChar character, const QString &extra)
{
    if (extra.contains(character) || character == u' ')
        return true;
    const char16_t code = character.unicode();
    return !(code < u'0' || code >= 91 || (code >= 58 && code <= 64));
}

// Only a-z change: the test below refuses every other letter anyway, and a
// full case mapping could turn one refused letter into two accepted ones.
QString upperAscii(QString text)
{
    for (QChar &character : text) {
        if (character >= u'a' && character <= u'z')
            character = QChar(character.unicode() - (u'a' - u'A'));
    }
    return text;
}

} // namespace

bool Check_Name(QString name, bool digits, bool letters, bool spaces, bool anyCharacters,
                const QString &extra)
{
    name = upperAscii(Trim_Blanks(name));
    if (name.contains(u' ') && !spaces)
        return false;
    if (!digits && containsAny(name, isDigit))
        return false;
    if (!letters && containsAny(name, isLetter))
        return false;
    if (anyCharacters)
        return true;
    for (const QChar character : name) {
        if (!passesCharacterTest(character, extra))
            return false;
    }
    return true;
}
