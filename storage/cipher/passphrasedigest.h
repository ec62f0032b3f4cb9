#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <span>

// The digest that turns a password into the cipher key. It is the program's own construction and
// must come out bit for bit the same everywhere, or saved fillings cannot be read back.

// Mixes four words in eight add-add-shift steps; in the seventh step c takes d's shifted bits.
void Stir4(quint32 &a, quint32 &b, quint32 &c, quint32 &d);

// The mix step of the ISAAC generator on the words a to h, in that order.
void IsaacMix(std::array<quint32, 8> &words);

// A small Feistel cipher that finishes the digest pool, keyed by the digest's stir state.
class DigestBlockCipher
{
public:
    using Key = std::array<quint8, 16>;
    using Subkeys = std::array<quint32, 32>;

    static constexpr int DefaultRounds = 8;
    static constexpr int MinRounds = 4;
    static constexpr int MaxRounds = 16;

    // A round count outside MinRounds..MaxRounds is clamped into that range.
    explicit DigestBlockCipher(const Key &key, int rounds = DefaultRounds);

    int rounds() const { return m_rounds; }
    const Subkeys &subkeys() const { return m_subkeys; }

    void encipherBlock(std::span<quint8, 16> block) const;

private:
    int m_rounds;
    Subkeys m_subkeys;
};

// The pool of 256 bytes that input is spread over, plus the stir state that is mixed every eight
// input bytes. Absorb input in any pieces, then take the finished digest.
class PassphraseDigest
{
public:
    static constexpr qsizetype PoolSize = 256;
    using Pool = std::array<quint8, PoolSize>;

    // The pool's start: the first 256 bytes of the fractional part of pi in hexadecimal.
    static const Pool &startPool();

    PassphraseDigest();

    void absorb(QByteArrayView bytes);

    // Pads and finishes a copy of the state, so the digest itself can go on absorbing. Gives the
    // first `length` bytes of the finished pool; a length outside 0..PoolSize is clamped.
    QByteArray finished(qsizetype length) const;

private:
    static constexpr int StirInputBytes = 8;

    void absorbByte(quint8 byte);
    void stirWords();

    qint32 m_poolPos = 0;
    Pool m_pool;
    qint32 m_stirPos = 0;
    std::array<quint8, 16> m_stir;
};
