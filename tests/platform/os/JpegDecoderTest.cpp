#include "platform/os/JpegDecoder.h"

#include "platform/os/OsError.h"

#include <QColor>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

namespace {

// Test pictures made with libjpeg's own compressor; rows come from fill(row, y).
QByteArray encode(
    int width, int height, J_COLOR_SPACE space, int components, const std::function<void(unsigned char*, int)>& fill)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr errors {};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(std::size_t(width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(row.data(), int(cinfo.next_scanline));
        JSAMPROW rows[] = { row.data() };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray picture(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return picture;
}

// Left half red, right half blue.
QByteArray redBlue(int width, int height)
{
    return encode(width, height, JCS_RGB, 3, [width](unsigned char* row, int) {
        for (int x = 0; x < width; ++x) {
            row[3 * x] = x < width / 2 ? 220 : 0;
            row[3 * x + 1] = 0;
            row[3 * x + 2] = x < width / 2 ? 0 : 220;
        }
    });
}

void expectNear(QColor actual, QColor expected)
{
    EXPECT_NEAR(actual.red(), expected.red(), 16);
    EXPECT_NEAR(actual.green(), expected.green(), 16);
    EXPECT_NEAR(actual.blue(), expected.blue(), 16);
}

std::string failureOf(const QByteArray& data)
{
    try {
        os::decodeJpeg(data);
    } catch (const os::OsError& e) {
        return e.what();
    }
    return "decoded";
}

TEST(JpegDecoderTest, ColourPictureDecodesAtItsSizeAndColours)
{
    const QImage image = os::decodeJpeg(redBlue(636, 360));
    ASSERT_EQ(image.size(), QSize(636, 360));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    expectNear(image.pixelColor(10, 10), QColor(220, 0, 0));
    expectNear(image.pixelColor(300, 359), QColor(220, 0, 0));
    expectNear(image.pixelColor(330, 0), QColor(0, 0, 220));
    expectNear(image.pixelColor(635, 200), QColor(0, 0, 220));
}

TEST(JpegDecoderTest, GreyscalePictureDecodesToRgb)
{
    const QImage image = os::decodeJpeg(encode(
        33, 17, JCS_GRAYSCALE, 1, [](unsigned char* row, int y) { std::fill(row, row + 33, y < 8 ? 40 : 200); }));
    ASSERT_EQ(image.size(), QSize(33, 17));
    expectNear(image.pixelColor(5, 2), QColor(40, 40, 40));
    expectNear(image.pixelColor(30, 16), QColor(200, 200, 200));
}

TEST(JpegDecoderTest, BadPicturesAreReportedAsErrors)
{
    const QByteArray good = redBlue(64, 64);
    EXPECT_NE(failureOf(good.left(good.size() / 2)), "decoded") << "truncated";
    EXPECT_NE(failureOf(good.left(good.size() - 2)), "decoded") << "end marker missing";
    EXPECT_NE(failureOf(QByteArray()), "decoded");

    QByteArray noise(4096, '\0');
    QRandomGenerator random(20240229);
    for (char& byte : noise)
        byte = char(random.bounded(256));
    EXPECT_NE(failureOf(noise), "decoded") << "random bytes";
    EXPECT_NE(failureOf("\xFF\xD8" + noise), "decoded") << "random bytes after a start marker";

    const QByteArray cmyk = encode(8, 8, JCS_CMYK, 4, [](unsigned char* row, int) { std::fill(row, row + 32, 90); });
    EXPECT_NE(failureOf(cmyk).find("CMYK"), std::string::npos) << failureOf(cmyk);
    EXPECT_NE(failureOf("not a picture").find("JPEG"), std::string::npos);
}

} // namespace
