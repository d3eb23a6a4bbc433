#include "premultipliedcompose.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define FOLIVEX_HAVE_SSSE3_PATH 1
#endif

namespace folivex::automation {

namespace {

void composeEach(const std::uint8_t *s, std::uint8_t *d, int count) noexcept
{
    for (int i = 0; i < count; ++i, s += 4, d += 3) {
        const unsigned a = s[3];
        if (a == 255) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        } else if (a != 0) {
            const unsigned k = 255 - a;
            d[0] = std::uint8_t(s[2] + (d[0] * k + 127) / 255);
            d[1] = std::uint8_t(s[1] + (d[1] * k + 127) / 255);
            d[2] = std::uint8_t(s[0] + (d[2] * k + 127) / 255);
        }
    }
}

#ifdef FOLIVEX_HAVE_SSSE3_PATH
// Four pixels at a time: an opaque group is reordered from BGRA to RGB with
// one byte shuffle and stored as its 12 bytes (a wider store would clobber
// the next pixels, which a translucent group composes over).
__attribute__((target("ssse3"))) int composeOpaqueGroups(const std::uint8_t *s, std::uint8_t *d, int count) noexcept
{
    const __m128i toRgb = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + x * 4));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(pixels, alpha), alpha)) == 0xFFFF) {
            const __m128i rgb = _mm_shuffle_epi8(pixels, toRgb);
            _mm_storel_epi64(reinterpret_cast<__m128i *>(d + x * 3), rgb);
            const std::uint32_t last = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(rgb, 8)));
            std::memcpy(d + x * 3 + 8, &last, 4);
        } else
            composeEach(s + x * 4, d + x * 3, 4);
    }
    return x;
}

bool haveSsse3() noexcept
{
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}
#endif

} // namespace

void ComposePremultipliedRow(const std::uint8_t *bgra, std::uint8_t *rgb, int count) noexcept
{
#ifdef FOLIVEX_HAVE_SSSE3_PATH
    const int done = haveSsse3() ? composeOpaqueGroups(bgra, rgb, count) : 0;
#else
    const int done = 0;
#endif
    composeEach(bgra + done * 4, rgb + done * 3, count - done);
}

} // namespace folivex::automation
