// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Build-time tool: draws a vector picture into the icon files that desktops, Windows and macOS
// want (hicolor PNGs, a multi-size .ico, an .icns), or into the raw pixels that the program takes
// in place of drawing the sizes every start needs. The build names the sizes; the drawing is the
// program's own, so the pixels are those the program would draw.
#include "svgdrawing.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSvgRenderer>

#include <bit>
#include <cstdio>
#include <utility>

namespace {

QByteArray png(QSvgRenderer &svg, int size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    tavlin::drawSvg(svg, QSize(size, size), QImage::Format_ARGB32).save(&buffer, "PNG");
    return bytes;
}

// QImage::Format_ARGB32_Premultiplied as this machine stores it, row after row, so that the
// program can use the bytes as they are. In a cross build this machine is the build machine, whose
// byte order must then be the target's (little-endian, on every desktop the game is built for).
QByteArray raw(QSvgRenderer &svg, int size)
{
    const QImage image = tavlin::drawSvg(svg, QSize(size, size));
    return {reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()};
}

// A multi-size .ico with PNG-compressed entries (read by Windows since Vista); Qt's own .ico
// writer stores a single size.
QByteArray ico(QSvgRenderer &svg, const QList<int> &sizes)
{
    QList<QByteArray> pngs;
    for (const int size : sizes)
        pngs << png(svg, size);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(sizes.size());
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]); // 0 means 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &entry : pngs)
        out.writeRawData(entry.constData(), int(entry.size()));
    return bytes;
}

// The type code of an .icns PNG entry follows the power of two of its side: icp4 to icp6 for 16 to
// 64 pixels, ic07 to ic10 for 128 to 1024. Empty for a size the format has no code for.
QByteArray icnsType(int size)
{
    const int power = std::countr_zero(unsigned(size));
    if (!std::has_single_bit(unsigned(size)) || power < 4 || power > 10)
        return {};
    return (power < 7 ? "icp" : power < 10 ? "ic0" : "ic") + QByteArray::number(power);
}

// A macOS .icns: big-endian, one PNG entry per size, each tagged with its type code.
QByteArray icns(QSvgRenderer &svg, const QList<int> &sizes)
{
    QByteArray body;
    QDataStream entries(&body, QIODevice::WriteOnly);
    for (const int size : sizes) {
        const QByteArray entry = png(svg, size);
        entries.writeRawData(icnsType(size).constData(), 4);
        entries << quint32(8 + entry.size());
        entries.writeRawData(entry.constData(), int(entry.size()));
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData("icns", 4);
    out << quint32(8 + body.size());
    out.writeRawData(body.constData(), int(body.size()));
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList kinds{QStringLiteral("--png"), QStringLiteral("--raw"),
                            QStringLiteral("--ico"), QStringLiteral("--icns")};
    if (args.size() != 5 || !kinds.contains(args[1])) {
        std::fprintf(stderr,
                     "usage: iconmaker --png|--raw|--ico|--icns PICTURE.svg OUTPUT SIZE[,SIZE...]\n"
                     "--png and --raw write OUTPUT-N.png or OUTPUT-NxN.argb for each size N,\n"
                     "--ico and --icns the one file OUTPUT holding every size\n");
        return 2;
    }
    const QString &kind = args[1];
    const QString &output = args[3];
    QList<int> sizes;
    for (const QString &text : args[4].split(u',')) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size <= 0 || (kind == u"--ico" && size > 256) ||
            (kind == u"--icns" && icnsType(size).isEmpty())) {
            std::fprintf(stderr, "iconmaker: %s cannot hold size %s\n", qPrintable(kind),
                         qPrintable(text));
            return 2;
        }
        sizes << size;
    }
    QSvgRenderer svg(args[2]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconmaker: cannot read %s\n", qPrintable(args[2]));
        return 1;
    }

    QList<std::pair<QString, QByteArray>> files;
    if (kind == u"--ico") {
        files.emplaceBack(output, ico(svg, sizes));
    } else if (kind == u"--icns") {
        files.emplaceBack(output, icns(svg, sizes));
    } else {
        const bool isPng = kind == u"--png";
        const QString name = isPng ? QStringLiteral("%1-%2.png") : QStringLiteral("%1-%2x%2.argb");
        for (const int size : sizes)
            files.emplaceBack(name.arg(output).arg(size), isPng ? png(svg, size) : raw(svg, size));
    }
    // A folder that cannot be made shows as a file that cannot be written.
    QFileInfo(output).dir().mkpath(QStringLiteral("."));
    for (const auto &[path, bytes] : files) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            std::fprintf(stderr, "iconmaker: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
