#include "render/ScanlineRuns.h"

#include "render/PortableCode.h"

namespace {

template <typename = void>
inline void blendLoop(const QRgb *from, QRgb *to, int count, uint32_t alpha)
{
    for (int i = 0; i < count; ++i)
        to[i] = blendPixel(from[i], to[i], alpha);
}

template <typename = void>
inline void fillLoop(QRgb *to, int count, QRgb colour)
{
    for (int i = 0; i < count; ++i)
        to[i] = colour;
}

void blendRunPlain(const QRgb *from, QRgb *to, int count, uint32_t alpha)
{
    blendLoop(from, to, count, alpha);
}

void fillRunPlain(QRgb *to, int count, QRgb colour)
{
    fillLoop(to, count, colour);
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void blendRunAvx2(const QRgb *from, QRgb *to, int count, uint32_t alpha)
{
    blendLoop(from, to, count, alpha);
}

__attribute__((target("avx2"))) void fillRunAvx2(QRgb *to, int count, QRgb colour)
{
    fillLoop(to, count, colour);
}

bool useAvx2()
{
    __builtin_cpu_init();
    return !portableCodeOnly() && __builtin_cpu_supports("avx2");
}
#else
bool useAvx2()
{
    return false;
}
#define blendRunAvx2 blendRunPlain
#define fillRunAvx2 fillRunPlain
#endif

} // namespace

const BlendRun blendRun = useAvx2() ? blendRunAvx2 : blendRunPlain;
const FillRun fillRun = useAvx2() ? fillRunAvx2 : fillRunPlain;
