#include "platform/os/JpegDecoder.h"

#include "platform/os/OsError.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace os {

namespace {

// Decoded pictures above this size are refused rather than allocated, as Qt's image reader does.
constexpr quint64 maxDecodedBytes = 256ull * 1024 * 1024;

// libjpeg reports errors through a callback that must not return. It jumps back to the decoding function
// instead of ending the process (libjpeg's default) or throwing through libjpeg's C frames.
struct ErrorTrap
{
    jpeg_error_mgr manager; // first, so that libjpeg's pointer to it is a pointer to the trap
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void trapError(j_common_ptr cinfo)
{
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings are corrupt or missing data (a truncated file among them), which libjpeg would paint over in grey.
void trapWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        trapError(cinfo);
}

void silence(j_common_ptr) { }

bool allocate(QImage* image, JDIMENSION width, JDIMENSION height) noexcept
{
    try {
        *image = QImage(int(width), int(height), QImage::Format_RGB888);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return !image->isNull();
}

// The decoding proper. Between setjmp and a longjmp only trivially destructible objects live on these frames,
// so the jump skips no destructor; the image is the caller's.
bool decompress(const unsigned char* data, unsigned long size, QImage* image, ErrorTrap* trap)
{
    jpeg_decompress_struct cinfo {};
    cinfo.err = jpeg_std_error(&trap->manager);
    trap->manager.error_exit = trapError;
    trap->manager.emit_message = trapWarning;
    trap->manager.output_message = silence;
    if (setjmp(trap->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    const char* refusal = nullptr;
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)
        refusal = "CMYK pictures are not supported";
    else if (quint64(cinfo.image_width) * cinfo.image_height * 3 > maxDecodedBytes)
        refusal = "the picture is too large";
    if (!refusal) {
        cinfo.out_color_space = JCS_RGB; // greyscale is widened to RGB by libjpeg
        jpeg_start_decompress(&cinfo);
        if (cinfo.output_components != 3 || !allocate(image, cinfo.output_width, cinfo.output_height))
            refusal = "not enough memory for the picture";
    }
    if (refusal) {
        std::snprintf(trap->message, sizeof trap->message, "%s", refusal);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& data)
{
    QImage image;
    ErrorTrap trap {};
    if (data.isEmpty())
        throw OsError(QStringLiteral("The JPEG picture cannot be decoded: it is empty."));
    if (!decompress(reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()),
            &image, &trap))
        throw OsError(QStringLiteral("The JPEG picture cannot be decoded: %1.").arg(QString::fromLatin1(trap.message)));
    return image;
}

} // namespace os
