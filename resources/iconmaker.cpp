// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Build-time tool: renders the marble picture into the bitmap icons that desktops, Windows and
// macOS want (hicolor PNGs at the usual sizes, a multi-size .ico and an .icns), from the same
// vector source the program draws with. With --raw it renders a picture into the raw pixels that
// the program takes in place of drawing the sizes every start needs.
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QImage render(QSvgRenderer &svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// A multi-size .ico with PNG-compressed entries (read by Windows since Vista); Qt's own .ico
// writer stores a single size.
QByteArray renderPng(QSvgRenderer &svg, int size)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    render(svg, size).save(&buffer, "PNG");
    return png;
}

bool writeIco(const QString &path, QSvgRenderer &svg, const QList<int> &sizes)
{
    QList<QByteArray> pngs;
    for (const int size : sizes)
        pngs << renderPng(svg, size);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]); // 0 means 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok;
}

// A macOS .icns: big-endian, one PNG entry per size, each tagged with its type code.
bool writeIcns(const QString &path, QSvgRenderer &svg)
{
    const QList<std::pair<const char *, int>> entries{{"icp4", 16},  {"icp5", 32},  {"icp6", 64},
                                                      {"ic07", 128}, {"ic08", 256}, {"ic09", 512},
                                                      {"ic10", 1024}};
    QByteArray body;
    for (const auto &[type, size] : entries) {
        const QByteArray png = renderPng(svg, size);
        QDataStream entry(&body, QIODevice::Append);
        entry.writeRawData(type, 4);
        entry << quint32(8 + png.size());
        entry.writeRawData(png.constData(), int(png.size()));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.writeRawData("icns", 4);
    out << quint32(8 + body.size());
    out.writeRawData(body.constData(), int(body.size()));
    return out.status() == QDataStream::Ok;
}

// PREFIX-NxN.argb for each size: QImage::Format_ARGB32_Premultiplied as this machine stores it,
// row after row, drawn exactly as tavlin::Picture::render draws, so that the program can copy the
// bytes instead of drawing. In a cross build this machine is the build machine, whose byte order
// must then be the target's (little-endian, on every desktop the game is built for).
int writeRaw(const QString &picture, const QString &prefix, const QString &sizes)
{
    QSvgRenderer svg(picture);
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconmaker: cannot read %s\n", qPrintable(picture));
        return 1;
    }
    if (!QFileInfo(prefix).dir().mkpath(QStringLiteral(".")))
        return 1;
    for (const QString &text : sizes.split(u',')) {
        bool ok = false;
        const int size = text.toInt(&ok);
        const QString path = QStringLiteral("%1-%2x%2.argb").arg(prefix).arg(size);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "iconmaker: not a size: %s\n", qPrintable(text));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) !=
                image.sizeInBytes()) {
            std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("--raw"))
        return writeRaw(args[2], args[3], args[4]);
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: iconmaker PICTURE.svg OUTPUT-DIRECTORY BASENAME\n"
                             "       iconmaker --raw PICTURE.svg OUTPUT-PREFIX SIZE[,SIZE...]\n");
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconmaker: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QDir out(args[2]);
    const QString base = args[3];
    if (!QDir().mkpath(out.path()))
        return 1;

    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path = out.filePath(QStringLiteral("%1-%2.png").arg(base).arg(size));
        if (!render(svg, size).save(path)) {
            std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString ico = out.filePath(base + QStringLiteral(".ico"));
    if (!writeIco(ico, svg, {16, 24, 32, 48, 64, 256})) {
        std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(ico));
        return 1;
    }
    const QString icns = out.filePath(base + QStringLiteral(".icns"));
    if (!writeIcns(icns, svg)) {
        std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(icns));
        return 1;
    }
    return 0;
}
