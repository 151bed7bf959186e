#include "FieldText.h"

namespace FieldText {

QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == u' ')
        ++first;
    while (end > first && text.at(end - 1) == u' ')
        --end;
    return text.sliced(first, end - first);
}

std::optional<double> numericValue(const QString& text)
{
    const QString number = trimSpaces(text);
    qsizetype digits = 0;
    bool point = false;
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'-' && i == 0)
            continue;
        else if (c == u'.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    // The characters are checked above; toDouble reads them in the C locale.
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace FieldText
