#include "CommandArguments.h"

#include <QMetaType>

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

const QVariant *ArgumentReader::at(int position)
{
    const size_t index = size_t(position - 1);
    if (index >= m_arguments.size() || !m_arguments[index] || !m_arguments[index]->isValid()) {
        m_failed = true;
        return nullptr;
    }
    return &*m_arguments[index];
}

QString ArgumentReader::text(int position)
{
    const QVariant *value = at(position);
    if (!value)
        return {};
    if (value->typeId() == QMetaType::QString)
        return value->toString();
    if (value->typeId() == QMetaType::Bool)
        return value->toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (isNumber(*value))
        return value->toString();
    m_failed = true;
    return {};
}

QString ArgumentReader::optionalText(int position)
{
    const size_t index = size_t(position - 1);
    if (index >= m_arguments.size() || !m_arguments[index] || !m_arguments[index]->isValid())
        return {};
    return text(position);
}

bool ArgumentReader::flag(int position)
{
    const QVariant *value = at(position);
    if (!value)
        return false;
    if (value->typeId() == QMetaType::Bool || isNumber(*value))
        return value->toBool();
    if (value->typeId() == QMetaType::QString) {
        // A flag written as text: "True" or "False" in any case, or a number.
        const QString word = value->toString().trimmed();
        if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
        bool isNumeric = false;
        const double number = word.toDouble(&isNumeric);
        if (isNumeric)
            return number != 0;
    }
    m_failed = true;
    return false;
}
