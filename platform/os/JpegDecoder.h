#pragma once

#include <QByteArray>
#include <QImage>

namespace os {

// Decodes a JPEG picture held in memory into an RGB888 image. Colour and greyscale pictures are read; a CMYK
// picture, a truncated or corrupt one, one larger than 256 MB decoded, or anything that is not a JPEG picture
// throws OsError with libjpeg's reason, and nothing is leaked.
QImage decodeJpeg(const QByteArray& data);

} // namespace os
