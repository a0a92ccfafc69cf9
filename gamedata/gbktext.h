#pragma once

#include <QString>

// GBK decoded alike on every platform. For 81 codes (A2E3, A8BF, A989-A995, FE50-FE9F) ICU's GBK, which Qt
// uses on Linux, gives private-use characters where Qt's own tables, used on Windows, give the characters
// GB18030 assigns them. Puts those characters where GB18030 has them; any other text stays as it is.
void unifyGbkText(QString& text);
