#!/usr/bin/env python3
"""Independent reference for the passphrase digest, written straight from its tables.

Prints the known values that tst_passphrasedigest.cpp holds, so that they can be recomputed
without the C++ code: the pool's start bytes (pi's fraction in hexadecimal, by Machin's formula),
Stir4, IsaacMix, the digest block cipher and the 16-byte digests of a few passwords.
Run: python3 digest_reference.py
"""

M = 0xFFFFFFFF


def pi_fraction_bytes(count):
    """The first `count` bytes of pi's fractional part in base 16, by Machin's formula on integers."""
    guard = 16
    scale = 1 << (8 * (count + guard))

    def arctan_inverse(x):
        total, term, n, sign = 0, scale // x, 1, 1
        while term:
            total += sign * (term // n)
            term //= x * x
            n += 2
            sign = -sign
        return total

    pi = 4 * (4 * arctan_inverse(5) - arctan_inverse(239))
    fraction = (pi - 3 * scale) >> (8 * guard)
    return fraction.to_bytes(count, 'big')


def stir4(a, b, c, d):
    a = (a + d) & M; d = (d + a) & M; a ^= a >> 7
    b = (b + a) & M; a = (a + b) & M; b ^= (b << 13) & M
    c = (c + b) & M; b = (b + c) & M; c ^= c >> 17
    d = (d + c) & M; c = (c + d) & M; d ^= (d << 9) & M
    a = (a + d) & M; d = (d + a) & M; a ^= a >> 3
    b = (b + a) & M; a = (a + b) & M; b ^= (b << 7) & M
    c = (c + b) & M; b = (b + c) & M; c ^= d >> 15
    d = (d + c) & M; c = (c + d) & M; d ^= (d << 11) & M
    return a, b, c, d


def isaac_mix(a, b, c, d, e, f, g, h):
    a ^= (b << 11) & M; d = (d + a) & M; b = (b + c) & M
    b ^= c >> 2;        e = (e + b) & M; c = (c + d) & M
    c ^= (d << 8) & M;  f = (f + c) & M; d = (d + e) & M
    d ^= e >> 16;       g = (g + d) & M; e = (e + f) & M
    e ^= (f << 10) & M; h = (h + e) & M; f = (f + g) & M
    f ^= g >> 4;        a = (a + f) & M; g = (g + h) & M
    g ^= (h << 8) & M;  b = (b + g) & M; h = (h + a) & M
    h ^= a >> 9;        c = (c + h) & M; a = (a + b) & M
    return a, b, c, d, e, f, g, h


def words(data):
    return [int.from_bytes(data[i:i + 4], 'little') for i in range(0, len(data), 4)]


def to_bytes(ws):
    return b''.join(w.to_bytes(4, 'little') for w in ws)


def subkeys(key):
    w = words(key)
    out = []
    for cj in (0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC):
        v = (w[0], cj, w[1], cj, w[2], cj, w[3], cj)
        for _ in range(8):
            v = isaac_mix(*v)
        out.extend(v)
    return out


def encipher_block(k, block, rounds=8):
    l0, l1, r0, r1 = words(block)
    for r in range(rounds):
        a, b, c, d = stir4(l0, k[2 * r], l1, k[2 * r + 1])
        a, b, c, d = stir4(c, d, a, b)
        nl0, nl1 = r0 ^ a ^ b, r1 ^ c ^ d
        r0, r1, l0, l1 = l0, l1, nl0, nl1
    return to_bytes([r0, r1, l0, l1])


def digest(data, n=16):
    pool = bytearray(pi_fraction_bytes(256))
    stir = bytearray(b'\x55' * 16)
    state = {'pool_pos': 0, 'stir_pos': 0}

    def absorb(x):
        pool[state['pool_pos']] ^= x
        state['pool_pos'] = (state['pool_pos'] + 1) % 256
        stir[state['stir_pos']] ^= x
        state['stir_pos'] += 1
        if state['stir_pos'] == 8:
            s = words(stir)
            a, b, c, d = s[3], s[2], s[1], s[0]
            for _ in range(4):
                a, b, c, d = stir4(a, b, c, d)
            stir[:] = to_bytes([a, b, c, d])
            state['stir_pos'] = 0

    for x in data:
        absorb(x)
    padding = 8 - state['stir_pos']
    absorb(1)
    for _ in range(padding - 1):
        absorb(0)
    k = subkeys(bytes(stir))
    for i in range(0, 256, 16):
        pool[i:i + 16] = encipher_block(k, bytes(pool[i:i + 16]))
    return bytes(pool[:n])


def hexwords(ws):
    return ', '.join('0x%08X' % w for w in ws)


if __name__ == '__main__':
    print('pool start:', pi_fraction_bytes(256).hex().upper())
    print('Stir4(1, 0, 0, 0):', hexwords(stir4(1, 0, 0, 0)))
    print('Stir4(0x01234567, 0x89ABCDEF, 0xDEADBEEF, 0x55555555):',
          hexwords(stir4(0x01234567, 0x89ABCDEF, 0xDEADBEEF, 0x55555555)))
    print('IsaacMix(1..8):', hexwords(isaac_mix(1, 2, 3, 4, 5, 6, 7, 8)))
    print('IsaacMix(0xFFFFFFFF, 0, 0x80000000, 1, 0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC):',
          hexwords(isaac_mix(0xFFFFFFFF, 0, 0x80000000, 1, 0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC)))
    key = bytes(range(16))
    print('subkeys(00..0F) K0..K15:', hexwords(subkeys(key)[:16]))
    print('subkeys(00..0F) K16..K31:', hexwords(subkeys(key)[16:]))
    print('encipher 8 rounds, key 00..0F, block 00..0F:', encipher_block(subkeys(key), bytes(range(16))).hex().upper())
    print('encipher 4 rounds, key 00..0F, block 00..0F:',
          encipher_block(subkeys(key), bytes(range(16)), 4).hex().upper())
    print('encipher 16 rounds, key 00..0F, block 00..0F:',
          encipher_block(subkeys(key), bytes(range(16)), 16).hex().upper())
    passwords = [
        '', 'a', 'jelszo1', 'jelszo12', 'titok', 'á', 'ű', 'árvíztűrő', '0123456789' * 30,
    ]
    for password in passwords:
        key = digest(password.encode('cp1250'))
        shown = repr(password) if len(password) <= 20 else '%d characters %r...' % (len(password), password[:10])
        print('digest of %s in Windows-1250: %s' % (shown, key.hex().upper()))
    print('digest 256 bytes of "titok":', digest(b'titok', 256).hex().upper())
