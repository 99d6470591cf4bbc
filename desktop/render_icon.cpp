// Renders the program's SVG icon into the square PNG sizes that desktop icon themes look up.
// Usage: rz6_render_icon SOURCE.svg OUTPUT_FOLDER NAME SIZE...
// Writes OUTPUT_FOLDER/SIZExSIZE/NAME.png for every SIZE.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        err << "usage: rz6_render_icon SOURCE.svg OUTPUT_FOLDER NAME SIZE...\n";
        return 2;
    }

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "cannot read the icon " << args.at(1) << "\n";
        return 1;
    }
    const QDir output(args.at(2));
    const QString name = args.at(3);

    for (const QString& sizeText : args.mid(4)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size <= 0 || size > 1024) {
            err << "not an icon size: " << sizeText << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QString path =
            output.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!output.mkpath(folder) || !image.save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
