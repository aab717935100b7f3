#include "FileDigest.h"

#include <QCryptographicHash>
#include <QFile>

namespace corvane::stress {

QString fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace corvane::stress
