#pragma once
// Whole-scanline fills and constant-opacity blends, the inner loops of the
// renderer at full zoom. Each has a version compiled for AVX2, chosen once
// at start when the processor has it (and PELMORIN_PORTABLE is not set).
#include <QRgb>

#include <cstdint>

// x / 255 cut toward zero, exact for every product of two channel values
// (0 to 65025), without a division.
inline uint32_t div255(uint32_t x)
{
    return (x + 1 + (x >> 8)) >> 8;
}

// One constant-opacity blend: each channel becomes
// overlay x a / 255 + underlying x (255 - a) / 255, both quotients cut toward
// zero. QPainter::setOpacity rounds differently and is off by a level or two.
// Plain arithmetic on whole scanlines, which the compiler vectorises.
inline QRgb blendPixel(QRgb overlay, QRgb underlying, uint32_t alpha)
{
    const uint32_t rest = 255 - alpha;
    const uint32_t r = div255(((overlay >> 16) & 0xFF) * alpha) + div255(((underlying >> 16) & 0xFF) * rest);
    const uint32_t g = div255(((overlay >> 8) & 0xFF) * alpha) + div255(((underlying >> 8) & 0xFF) * rest);
    const uint32_t b = div255((overlay & 0xFF) * alpha) + div255((underlying & 0xFF) * rest);
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

using BlendRun = void (*)(const QRgb *from, QRgb *to, int count, uint32_t alpha);
using FillRun = void (*)(QRgb *to, int count, QRgb colour);

// The versions in use on this machine.
extern const BlendRun blendRun;
extern const FillRun fillRun;
