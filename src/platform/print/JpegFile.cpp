#include "platform/print/JpegFile.h"

#include "platform/print/PrintError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error through error_exit, which must not return: ours keeps the
// library's message, destroys the library object and jumps back to the worker that started it.
struct JpegErrors
{
    jpeg_error_mgr manager;   // first member: the library's error pointer is also a pointer to this
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    auto *errors = reinterpret_cast<JpegErrors *>(info->err);
    info->err->format_message(info, errors->message);
    jpeg_destroy(info);
    std::longjmp(errors->escape, 1);
}

struct RgbPixels
{
    const unsigned char *bits;
    int width;
    int height;
    qsizetype bytesPerLine;
};

// Gives the rows to decompress into: room for an RGB image of the size, or null.
using PixelTarget = unsigned char *(*)(void *context, int width, int height, qsizetype *bytesPerLine);

// The two workers hold setjmp's frame. longjmp skips destructors, so they hold nothing that has one.
bool compress(std::FILE *file, const RgbPixels &pixels, JpegErrors &errors)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOut;
    if (setjmp(errors.escape))
        return false;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(pixels.width);
    info.image_height = JDIMENSION(pixels.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;   // before the defaults, which depend on it
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.bits + qsizetype(info.next_scanline) * pixels.bytesPerLine);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool decompress(std::FILE *file, PixelTarget target, void *context, JpegErrors &errors)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpOut;
    if (setjmp(errors.escape))
        return false;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    qsizetype bytesPerLine = 0;
    unsigned char *bits = target(context, int(info.output_width), int(info.output_height), &bytesPerLine);
    if (!bits) {
        std::snprintf(errors.message, sizeof errors.message, "there is not enough memory for the image");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bits + qsizetype(info.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

unsigned char *newRgbImage(void *context, int width, int height, qsizetype *bytesPerLine)
{
    auto &image = *static_cast<QImage *>(context);
    image = QImage(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return nullptr;
    *bytesPerLine = image.bytesPerLine();
    return image.bits();
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

[[noreturn]] void fail(const char *what, const QString &fileName, const QString &reason)
{
    throw EPrintError(QStringLiteral("Could not %1 the page image %2: %3").arg(QLatin1String(what), fileName, reason));
}

} // namespace

void SaveJpeg(const QString &fileName, const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::FILE *file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
    if (!file)
        fail("write", fileName, systemReason());
    JpegErrors errors;
    const bool compressed = compress(file, {rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine()}, errors);
    const bool closed = std::fclose(file) == 0;
    if (compressed && closed)
        return;
    const QString reason = compressed ? systemReason() : QString::fromLocal8Bit(errors.message);
    if (QFileInfo(fileName).isFile())
        QFile::remove(fileName);
    fail("write", fileName, reason);
}

QImage LoadJpeg(const QString &fileName)
{
    std::FILE *file = std::fopen(QFile::encodeName(fileName).constData(), "rb");
    if (!file)
        fail("read", fileName, systemReason());
    QImage image;
    JpegErrors errors;
    const bool decompressed = decompress(file, newRgbImage, &image, errors);
    std::fclose(file);
    if (!decompressed)
        fail("read", fileName, QString::fromLocal8Bit(errors.message));
    return image;
}
