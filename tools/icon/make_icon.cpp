// Draws the program's icon: a strip of film with a subtitle bar across it. Writes the window
// icon's six images (16, 32 and 48 pixels, each in 16 and in 256 colours) into the folder given,
// and the true-colour images of every size that desktops look up in the hicolor icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <vector>

namespace {

QImage paintIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);

    // The film: a dark strip with holes along both edges.
    QPainterPath film;
    film.addRoundedRect(QRectF(2, 6, 44, 36), 5, 5);
    painter.fillPath(film, QColor(24, 40, 96));
    painter.setBrush(QColor(240, 240, 240));
    painter.setPen(Qt::NoPen);
    for (int x = 6; x < 44; x += 9) {
        painter.drawRect(QRectF(x, 9, 5, 4));
        painter.drawRect(QRectF(x, 35, 5, 4));
    }
    // The picture, and the subtitle written across its foot.
    painter.setBrush(QColor(64, 128, 220));
    painter.drawRect(QRectF(5, 15, 38, 18));
    painter.setBrush(QColor(255, 208, 0));
    painter.drawRoundedRect(QRectF(9, 25, 30, 5), 1.5, 1.5);
    return image;
}

std::vector<QRgb> sixteenColours() {
    return {qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
            qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128),
            qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

std::vector<QRgb> twoHundredFiftySixColours() {
    std::vector<QRgb> colours{qRgba(0, 0, 0, 0)};
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                colours.push_back(qRgb(r * 51, g * 51, b * 51));
            }
        }
    }
    while (colours.size() < 256) {
        const int grey = static_cast<int>((colours.size() - 217) * 255 / 38);
        colours.push_back(qRgb(grey, grey, grey));
    }
    return colours;
}

// Maps every pixel to the nearest colour of the table; entry 0 is transparent.
QImage toIndexed(const QImage& source, const std::vector<QRgb>& colours) {
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            int best = 0;
            if (qAlpha(pixel) >= 128) {
                long bestDistance = -1;
                for (size_t i = 1; i < colours.size(); ++i) {
                    const long dr = qRed(pixel) - qRed(colours[i]);
                    const long dg = qGreen(pixel) - qGreen(colours[i]);
                    const long db = qBlue(pixel) - qBlue(colours[i]);
                    const long distance = dr * dr + dg * dg + db * db;
                    if (bestDistance < 0 || distance < bestDistance) {
                        bestDistance = distance;
                        best = static_cast<int>(i);
                    }
                }
            }
            out.setPixel(x, y, static_cast<uint>(best));
        }
    }
    return out;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool written = true;
    for (const int size : {16, 32, 48}) {
        const QImage icon = paintIcon(size);
        const QString stem = folder.filePath(QStringLiteral("vantrel-%1").arg(size));
        written =
            written && toIndexed(icon, sixteenColours()).save(stem + QStringLiteral("-16.png"));
        written =
            written &&
            toIndexed(icon, twoHundredFiftySixColours()).save(stem + QStringLiteral("-256.png"));
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        written = written && paintIcon(size)
                                 .convertToFormat(QImage::Format_ARGB32)
                                 .save(folder.filePath(QStringLiteral("hicolor-%1.png").arg(size)));
    }
    if (!written) {
        std::fprintf(stderr, "make_icon: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
