#include "model/cp1252.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Cp1252 {

namespace {

// Bytes 0x80..0x9F; the undefined ones map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kObereSteuerzeichen = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character, or -1.
inline int byteFuer(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kObereSteuerzeichen[static_cast<size_t>(i)] == c)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString dekodieren(QByteArrayView bytes)
{
    static const auto tabelle = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[static_cast<size_t>(b)] = (b >= 0x80 && b < 0xA0)
                                            ? kObereSteuerzeichen[static_cast<size_t>(b - 0x80)]
                                            : char16_t(b);
        return t;
    }();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* ziel = reinterpret_cast<char16_t*>(text.data());
    const auto* quelle = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i)
        ziel[i] = tabelle[quelle[i]];
    return text;
}

bool kodierenNach(QStringView text, char* ziel)
{
    const char16_t* quelle = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Plans are nearly all ASCII: eight characters at a time while they are.
    const __m128i ascii = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 8 <= n; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quelle + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(block, ascii), _mm_setzero_si128())) !=
            0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(ziel + i), _mm_packus_epi16(block, block));
    }
#endif
    for (; i < n; ++i) {
        const char16_t c = quelle[i];
        if (c < 0x80) {
            ziel[i] = static_cast<char>(c);
            continue;
        }
        const int b = byteFuer(c);
        if (b < 0)
            return false;
        ziel[i] = static_cast<char>(static_cast<unsigned char>(b));
    }
    return true;
}

bool kodieren(QStringView text, QByteArray* bytes)
{
    bytes->resize(text.size());
    return kodierenNach(text, bytes->data());
}

bool passt(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 && byteFuer(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace Cp1252
