#include "fuzz/fuzzsupport.h"

#include <cstdio>
#include <cstdlib>

QString utf8Text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
}

QString shown(const QString& text)
{
    QString out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\n')
            out += QLatin1String("\\n\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\\')
            out += QLatin1String("\\\\");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

void failProperty(const char* property, const QString& detail, const QString& text)
{
    std::fprintf(stderr, "\n==== property broken: %s\n%s\n---- text (%d characters):\n%s\n----\n", property,
                 detail.toUtf8().constData(), int(text.size()), shown(text).toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

const TextTable& fuzzLanguageTexts()
{
    static const TextTable texts{{QStringLiteral("1"), QStringLiteral("弓兵")},
                                 {QStringLiteral("5"), QStringLiteral("骑兵")},
                                 {QStringLiteral("1001"), QStringLiteral("长枪兵")},
                                 {QStringLiteral("7"), QStringLiteral("虎符")}};
    return texts;
}
