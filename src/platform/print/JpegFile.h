#pragma once

#include <QImage>
#include <QString>

// Page images stored as JPEG files through the IJG library, compressed with its default settings.
// Both throw EPrintError with the file name and the library's or the system's reason; a file that
// could not be written completely is removed.
void SaveJpeg(const QString &fileName, const QImage &image);
QImage LoadJpeg(const QString &fileName);
