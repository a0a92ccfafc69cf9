#include "app/readablefont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

bool hasReadableLines(const QFont& font)
{
    return QFontMetricsF(font).height() <= 2.0 * QFontInfo(font).pixelSize();
}

void useReadableFont()
{
    const QFont font = QApplication::font();
    if (hasReadableLines(font))
        return;
    // Only a broken setup comes this far: listing the installed families costs time a normal start does not
    // spend.
    const QFontDatabase installed;
    for (const QFontDatabase::WritingSystem script : {QFontDatabase::SimplifiedChinese, QFontDatabase::Any}) {
        for (const QString& family : installed.families(script)) {
            QFont candidate = font;
            candidate.setFamily(family);
            if (hasReadableLines(candidate)) {
                QApplication::setFont(candidate);
                return;
            }
        }
    }
}
