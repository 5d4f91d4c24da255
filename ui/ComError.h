// The error a component raises for a bad property value: the number, the
// words and the member that raised it, as the object-error convention of the
// toolkit's components has them. The progress bar is the program's only
// raiser; everything else reports failures as values.
#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

// Component errors are numbered from this base upwards (vbObjectError).
inline constexpr int32_t ObjectErrorBase = static_cast<int32_t>(0x80040000u);

struct ComError : std::exception {
    ComError(int32_t number, QString description, QString source)
        : number(number), description(std::move(description)), source(std::move(source)),
          m_what(this->description.toStdString())
    {
    }

    const char *what() const noexcept override { return m_what.c_str(); }

    int32_t number;
    QString description;
    QString source;

private:
    std::string m_what;
};
