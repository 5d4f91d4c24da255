#include "CommandLine.h"

#include <cmath>
#include <limits>

namespace {

const QString DomainKey = QStringLiteral("/DOMAIN=");
const QString TypeKey = QStringLiteral("/TYPE=");
const QString CriteriaKey = QStringLiteral("/CRITERIA=");

// The account kind as a 16-bit integer, rounded as the platform's integer
// conversion rounds (halves to even). A text that is no number, or one out of
// range, gives -1: a kind that lists nothing.
int16_t toKind(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // NaN passes every range test below, and converting it is undefined.
    if (!ok || !std::isfinite(value))
        return -1;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max())
        return -1;
    return int16_t(rounded);
}

} // namespace

QString JoinCommandLine(const QStringList &argumentsAfterProgram)
{
    return argumentsAfterProgram.join(u' ');
}

std::optional<AccountListRequest> ParseAccountListRequest(const QString &commandLine)
{
    // Found in the text itself: upper-casing may change its length ("ß"
    // becomes "SS"), and positions in the upper-cased copy would then cut the
    // original at the wrong places.
    const qsizetype domainAt = commandLine.indexOf(DomainKey, 0, Qt::CaseInsensitive);
    const qsizetype typeAt = commandLine.indexOf(TypeKey, 0, Qt::CaseInsensitive);
    const qsizetype criteriaAt = commandLine.indexOf(CriteriaKey, 0, Qt::CaseInsensitive);
    if (domainAt < 0 || typeAt < 0 || criteriaAt < 0)
        return std::nullopt;
    // The values are cut out by position, so the keys must stand in this order.
    const qsizetype domainStart = domainAt + DomainKey.size();
    const qsizetype typeStart = typeAt + TypeKey.size();
    if (typeAt < domainStart || criteriaAt < typeStart)
        return std::nullopt;

    AccountListRequest request;
    request.domain = commandLine.mid(domainStart, typeAt - domainStart).trimmed();
    request.type = toKind(commandLine.mid(typeStart, criteriaAt - typeStart));
    request.criteria = commandLine.mid(criteriaAt + CriteriaKey.size()).trimmed();
    if (request.criteria == QStringLiteral("*")) {
        request.criteria.clear();
    } else if (request.criteria.endsWith(u'*')) {
        request.criteria.chop(1);
        request.wildcard = true;
    }
    return request;
}

bool HasSwitch(const QString &commandLine, const QString &upperCaseSwitch)
{
    return commandLine.toUpper().contains(upperCaseSwitch);
}
