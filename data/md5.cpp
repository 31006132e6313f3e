// MD5 message digest (RFC 1321), used only to key the language table.
#include <cmath>
#include <cstring>

#include "data/language.hpp"

namespace HelpFunctions {

uint32_t Rol(uint32_t value, int bits) {
    bits &= 31;
    return bits ? (value << bits) | (value >> (32 - bits)) : value;
}

std::string LEHex(uint32_t value) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < 4; ++i) {
        uint8_t b = uint8_t(value >> (8 * i));
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string MD5(const std::string& text) {
    static const int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                   5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                   4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                   6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    static uint32_t k[64];
    static bool ready = false;
    if (!ready) {
        for (int i = 0; i < 64; ++i) k[i] = uint32_t(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
        ready = true;
    }
    // Pad: 0x80, zeros to 56 mod 64, then the bit length little-endian.
    std::string msg = text;
    uint64_t bitLen = uint64_t(text.size()) * 8;
    msg.push_back(char(0x80));
    while (msg.size() % 64 != 56) msg.push_back(0);
    for (int i = 0; i < 8; ++i) msg.push_back(char(uint8_t(bitLen >> (8 * i))));

    uint32_t a0 = 0x67452301, b0 = 0xefcdab89, c0 = 0x98badcfe, d0 = 0x10325476;
    for (size_t off = 0; off < msg.size(); off += 64) {
        uint32_t m[16];
        for (int i = 0; i < 16; ++i) {
            const auto* p = reinterpret_cast<const uint8_t*>(msg.data() + off + size_t(i) * 4);
            m[i] = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        }
        uint32_t a = a0, b = b0, c = c0, d = d0;
        for (int i = 0; i < 64; ++i) {
            uint32_t f;
            int g;
            if (i < 16) {
                f = (b & c) | (~b & d);
                g = i;
            } else if (i < 32) {
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
            } else if (i < 48) {
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
            } else {
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
            }
            uint32_t tmp = d;
            d = c;
            c = b;
            b = b + Rol(a + f + k[i] + m[g], kShift[i]);
            a = tmp;
        }
        a0 += a;
        b0 += b;
        c0 += c;
        d0 += d;
    }
    return LEHex(a0) + LEHex(b0) + LEHex(c0) + LEHex(d0);
}

}  // namespace HelpFunctions
