// Build tool: renders the program's SVG drawings into the PNG and JPEG
// files that go into the resources. Usage:
//   wattlex_render_images <manifest> <svg dir> <output dir>
// Each manifest line: <source.svg> <output file> <width> <height>.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <manifest> <svg dir> <output dir>\n", argv[0]);
        return 2;
    }
    // Text in the drawings needs the font machinery, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QFile manifest(QString::fromLocal8Bit(argv[1]));
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir svg_dir(QString::fromLocal8Bit(argv[2]));
    const QDir out_dir(QString::fromLocal8Bit(argv[3]));
    if (!out_dir.exists() && !QDir().mkpath(out_dir.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[3]);
        return 1;
    }

    QTextStream in(&manifest);
    int line_no = 0;
    int failures = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++line_no;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok_w = false;
        bool ok_h = false;
        const int w = f.size() == 4 ? f[2].toInt(&ok_w) : 0;
        const int h = f.size() == 4 ? f[3].toInt(&ok_h) : 0;
        if (!ok_w || !ok_h || w <= 0 || h <= 0 || w > 4096 || h > 4096) {
            std::fprintf(stderr, "%s:%d: malformed line\n", argv[1], line_no);
            ++failures;
            continue;
        }
        const QString svg_path = svg_dir.filePath(f[0]);
        QSvgRenderer renderer(svg_path);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a valid SVG drawing\n", qPrintable(svg_path));
            ++failures;
            continue;
        }
        const bool jpeg = f[1].endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
        QImage image(w, h, jpeg ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        // JPEG has no transparency: the drawings paint their own background.
        image.fill(jpeg ? Qt::black : Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, w, h));
        }
        const QString out_path = out_dir.filePath(f[1]);
        if (!image.save(out_path, jpeg ? "JPG" : "PNG", jpeg ? 92 : -1)) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(out_path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
