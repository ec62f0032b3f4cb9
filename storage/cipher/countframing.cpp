#include "storage/cipher/countframing.h"

#include "storage/cipher/ecipherexception.h"

#include <algorithm>

namespace countframing {

QByteArray frame(QByteArrayView text)
{
    const qsizetype tailSize = text.size() % BlockSize;
    QByteArray blocks = text.toByteArray();
    blocks.append(BlockSize - tailSize, '\0');
    blocks.back() = static_cast<char>(tailSize);
    return blocks;
}

QByteArrayView wholeBlocks(QByteArrayView decoded)
{
    const qsizetype blockCount = decoded.size() / BlockSize;
    if (blockCount == 0)
        throw ECipherException(QStringLiteral("Invalid file format"));
    return decoded.first(blockCount * BlockSize);
}

QByteArray unframe(QByteArrayView deciphered)
{
    const QByteArrayView blocks = wholeBlocks(deciphered);
    const qsizetype lastBlockStart = blocks.size() - BlockSize;
    const qsizetype count = static_cast<quint8>(blocks.back());
    return blocks.first(lastBlockStart + std::min(count, BlockSize)).toByteArray();
}

} // namespace countframing
