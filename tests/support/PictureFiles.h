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

inline std::vector<std::uint8_t> imageFile(int width, int height, QRgb color, const char *format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return imageFile(image, format);
}
