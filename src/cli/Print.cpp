#include "cli/Print.h"

#include <QByteArray>

namespace vardex {

void print(std::FILE *file, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), file);
    std::fflush(file);
}

} // namespace vardex
