#include "storage/cipher/passphrasedigest.h"

#include <QtEndian>

#include <algorithm>
#include <utility>

namespace {

constexpr quint8 StirStartByte = 0x55;
constexpr std::array<quint32, 4> KeyScheduleConstants = {0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC};
constexpr int KeyScheduleMixes = 8;
constexpr int StirRepeats = 4;
constexpr qsizetype BlockSize = 16;

quint32 wordAt(const quint8 *bytes, int index)
{
    return qFromLittleEndian<quint32>(bytes + 4 * index);
}

void setWordAt(quint8 *bytes, int index, quint32 word)
{
    qToLittleEndian<quint32>(word, bytes + 4 * index);
}

// Checked against pi's hexadecimal digits by the digest test (a BBP spigot) and by
// tests/storage/cipher/digest_reference.py (Machin's formula).
constexpr PassphraseDigest::Pool PiFractionBytes = {
    0x24, 0x3F, 0x6A, 0x88, 0x85, 0xA3, 0x08, 0xD3, 0x13, 0x19, 0x8A, 0x2E, 0x03, 0x70, 0x73, 0x44,
    0xA4, 0x09, 0x38, 0x22, 0x29, 0x9F, 0x31, 0xD0, 0x08, 0x2E, 0xFA, 0x98, 0xEC, 0x4E, 0x6C, 0x89,
    0x45, 0x28, 0x21, 0xE6, 0x38, 0xD0, 0x13, 0x77, 0xBE, 0x54, 0x66, 0xCF, 0x34, 0xE9, 0x0C, 0x6C,
    0xC0, 0xAC, 0x29, 0xB7, 0xC9, 0x7C, 0x50, 0xDD, 0x3F, 0x84, 0xD5, 0xB5, 0xB5, 0x47, 0x09, 0x17,
    0x92, 0x16, 0xD5, 0xD9, 0x89, 0x79, 0xFB, 0x1B, 0xD1, 0x31, 0x0B, 0xA6, 0x98, 0xDF, 0xB5, 0xAC,
    0x2F, 0xFD, 0x72, 0xDB, 0xD0, 0x1A, 0xDF, 0xB7, 0xB8, 0xE1, 0xAF, 0xED, 0x6A, 0x26, 0x7E, 0x96,
    0xBA, 0x7C, 0x90, 0x45, 0xF1, 0x2C, 0x7F, 0x99, 0x24, 0xA1, 0x99, 0x47, 0xB3, 0x91, 0x6C, 0xF7,
    0x08, 0x01, 0xF2, 0xE2, 0x85, 0x8E, 0xFC, 0x16, 0x63, 0x69, 0x20, 0xD8, 0x71, 0x57, 0x4E, 0x69,
    0xA4, 0x58, 0xFE, 0xA3, 0xF4, 0x93, 0x3D, 0x7E, 0x0D, 0x95, 0x74, 0x8F, 0x72, 0x8E, 0xB6, 0x58,
    0x71, 0x8B, 0xCD, 0x58, 0x82, 0x15, 0x4A, 0xEE, 0x7B, 0x54, 0xA4, 0x1D, 0xC2, 0x5A, 0x59, 0xB5,
    0x9C, 0x30, 0xD5, 0x39, 0x2A, 0xF2, 0x60, 0x13, 0xC5, 0xD1, 0xB0, 0x23, 0x28, 0x60, 0x85, 0xF0,
    0xCA, 0x41, 0x79, 0x18, 0xB8, 0xDB, 0x38, 0xEF, 0x8E, 0x79, 0xDC, 0xB0, 0x60, 0x3A, 0x18, 0x0E,
    0x6C, 0x9E, 0x0E, 0x8B, 0xB0, 0x1E, 0x8A, 0x3E, 0xD7, 0x15, 0x77, 0xC1, 0xBD, 0x31, 0x4B, 0x27,
    0x78, 0xAF, 0x2F, 0xDA, 0x55, 0x60, 0x5C, 0x60, 0xE6, 0x55, 0x25, 0xF3, 0xAA, 0x55, 0xAB, 0x94,
    0x57, 0x48, 0x98, 0x62, 0x63, 0xE8, 0x14, 0x40, 0x55, 0xCA, 0x39, 0x6A, 0x2A, 0xAB, 0x10, 0xB6,
    0xB4, 0xCC, 0x5C, 0x34, 0x11, 0x41, 0xE8, 0xCE, 0xA1, 0x54, 0x86, 0xAF, 0x7C, 0x72, 0xE9, 0x93,
};

} // namespace

void Stir4(quint32 &a, quint32 &b, quint32 &c, quint32 &d)
{
    a += d; d += a; a ^= a >> 7;
    b += a; a += b; b ^= b << 13;
    c += b; b += c; c ^= c >> 17;
    d += c; c += d; d ^= d << 9;
    a += d; d += a; a ^= a >> 3;
    b += a; a += b; b ^= b << 7;
    c += b; b += c; c ^= d >> 15;
    d += c; c += d; d ^= d << 11;
}

void IsaacMix(std::array<quint32, 8> &words)
{
    auto &[a, b, c, d, e, f, g, h] = words;
    a ^= b << 11; d += a; b += c;
    b ^= c >> 2;  e += b; c += d;
    c ^= d << 8;  f += c; d += e;
    d ^= e >> 16; g += d; e += f;
    e ^= f << 10; h += e; f += g;
    f ^= g >> 4;  a += f; g += h;
    g ^= h << 8;  b += g; h += a;
    h ^= a >> 9;  c += h; a += b;
}

DigestBlockCipher::DigestBlockCipher(const Key &key, int rounds)
    : m_rounds(std::clamp(rounds, MinRounds, MaxRounds))
{
    auto next = m_subkeys.begin();
    for (const quint32 constant : KeyScheduleConstants) {
        std::array<quint32, 8> words = {wordAt(key.data(), 0), constant, wordAt(key.data(), 1), constant,
                                        wordAt(key.data(), 2), constant, wordAt(key.data(), 3), constant};
        for (int mix = 0; mix < KeyScheduleMixes; ++mix)
            IsaacMix(words);
        next = std::copy(words.begin(), words.end(), next);
    }
}

void DigestBlockCipher::encipherBlock(std::span<quint8, 16> block) const
{
    quint32 l0 = wordAt(block.data(), 0);
    quint32 l1 = wordAt(block.data(), 1);
    quint32 r0 = wordAt(block.data(), 2);
    quint32 r1 = wordAt(block.data(), 3);
    for (int round = 0; round < m_rounds; ++round) {
        quint32 a = l0;
        quint32 b = m_subkeys[2 * round];
        quint32 c = l1;
        quint32 d = m_subkeys[2 * round + 1];
        Stir4(a, b, c, d);
        std::swap(a, c);
        std::swap(b, d);
        Stir4(a, b, c, d);
        const quint32 newL0 = r0 ^ a ^ b;
        const quint32 newL1 = r1 ^ c ^ d;
        r0 = l0;
        r1 = l1;
        l0 = newL0;
        l1 = newL1;
    }
    setWordAt(block.data(), 0, r0);
    setWordAt(block.data(), 1, r1);
    setWordAt(block.data(), 2, l0);
    setWordAt(block.data(), 3, l1);
}

const PassphraseDigest::Pool &PassphraseDigest::startPool()
{
    return PiFractionBytes;
}

PassphraseDigest::PassphraseDigest()
    : m_pool(PiFractionBytes)
{
    m_stir.fill(StirStartByte);
}

void PassphraseDigest::absorb(QByteArrayView bytes)
{
    for (const char byte : bytes)
        absorbByte(static_cast<quint8>(byte));
}

void PassphraseDigest::absorbByte(quint8 byte)
{
    m_pool[m_poolPos] ^= byte;
    m_poolPos = (m_poolPos + 1) % PoolSize;
    m_stir[m_stirPos] ^= byte;
    if (++m_stirPos == StirInputBytes) {
        stirWords();
        m_stirPos = 0;
    }
}

void PassphraseDigest::stirWords()
{
    // The words go in in reverse order and come out in forward order.
    quint32 a = wordAt(m_stir.data(), 3);
    quint32 b = wordAt(m_stir.data(), 2);
    quint32 c = wordAt(m_stir.data(), 1);
    quint32 d = wordAt(m_stir.data(), 0);
    for (int repeat = 0; repeat < StirRepeats; ++repeat)
        Stir4(a, b, c, d);
    setWordAt(m_stir.data(), 0, a);
    setWordAt(m_stir.data(), 1, b);
    setWordAt(m_stir.data(), 2, c);
    setWordAt(m_stir.data(), 3, d);
}

QByteArray PassphraseDigest::finished(qsizetype length) const
{
    length = std::clamp<qsizetype>(length, 0, PoolSize);

    // Padding always ends with a stir: 0x01, then zeros up to the next stir boundary.
    PassphraseDigest last = *this;
    const int paddingBytes = StirInputBytes - last.m_stirPos;
    last.absorbByte(0x01);
    for (int zero = 1; zero < paddingBytes; ++zero)
        last.absorbByte(0x00);

    const DigestBlockCipher cipher(last.m_stir);
    const qsizetype neededBlocks = (length + BlockSize - 1) / BlockSize;
    for (qsizetype block = 0; block < neededBlocks; ++block)
        cipher.encipherBlock(std::span<quint8, 16>(last.m_pool.data() + block * BlockSize, BlockSize));

    return QByteArray(reinterpret_cast<const char *>(last.m_pool.data()), length);
}
