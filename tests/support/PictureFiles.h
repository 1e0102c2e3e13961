#pragma once

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <vector>

// Bitmap and icon files made on the spot, for the picture tests.
inline std::vector<std::uint8_t> imageFile(const QImage &image, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    const QByteArray &bytes = buffer.data();
    return {bytes.begin(), bytes.end()};
}

// A file of one colour; it states the resolution `dotsPerMeter` when that is given.
inline std::vector<std::uint8_t> imageFile(int width, int height, QRgb color, const char *format,
                                           int dotsPerMeter = 0)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    if (dotsPerMeter > 0) {
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
    }
    return imageFile(image, format);
}
