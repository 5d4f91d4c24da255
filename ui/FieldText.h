// The text rules the task windows apply to what the operator types.
#pragma once

#include <QString>

// Leading and trailing blanks removed; other white space is part of the text,
// as the operator may have meant it.
QString Trim_Blanks(const QString &text);

// A domain field's text after it loses the focus: upper case, except the
// fixed entry "\\My Computer", which keeps its mixed case.
QString Domain_Case(const QString &text);

// A domain text as the member-domain field takes it: a computer written
// "\\NAME" loses its two backslashes; "\\My Computer" and domains unchanged.
QString Without_ServerPrefix(const QString &text);
