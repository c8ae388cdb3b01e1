// Renders the program's SVG icon to PNG at the given sizes, for desktops that want bitmaps:
// quorvel-icon <icon.svg> <output-directory> <size>...  writes <size>x<size>.png for each size.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream errors(stderr);
    if (arguments.size() < 4) {
        errors << "usage: quorvel-icon <icon.svg> <output-directory> <size>...\n";
        return 2;
    }
    QSvgRenderer icon(arguments[1]);
    if (!icon.isValid()) {
        errors << "quorvel-icon: cannot read " << arguments[1] << "\n";
        return 1;
    }
    const QDir output(arguments[2]);
    for (const QString &sizeText : arguments.mid(3)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size <= 0) {
            errors << "quorvel-icon: not a size: " << sizeText << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.render(&painter);
        painter.end();
        const QString file = output.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!image.save(file)) {
            errors << "quorvel-icon: cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
