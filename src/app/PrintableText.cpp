#include "app/PrintableText.h"

QString printable(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (c == u'\\')
            shown += QStringLiteral("\\\\");
        else if (category == QChar::Other_Control || category == QChar::Other_Format)
            shown += QStringLiteral("\\u{%1}").arg(c.unicode(), 0, 16);
        else
            shown += c;
    }
    return shown;
}
