// Writes the small sample media the Home group's starter playlist lists: two JPEG pictures and
// a short text file. Run at build time; needs no display.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QLinearGradient>

#include <cstdio>

namespace {

QImage stripes() {
    QImage img(320, 240, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(20, 60, 140));
    sky.setColorAt(1, QColor(120, 190, 240));
    p.fillRect(img.rect(), sky);
    for (int i = 0; i < 6; ++i)
        p.fillRect(QRect(i * 56 + 8, 150 - i * 12, 40, 90 + i * 12), QColor(250, 200 - i * 25, 40));
    return img;
}

QImage circles() {
    QImage img(320, 240, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(30, 30, 30));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        QRadialGradient g(QPointF(60 + i * 66, 120), 50);
        g.setColorAt(0, QColor::fromHsv(i * 80, 200, 255));
        g.setColorAt(1, QColor::fromHsv(i * 80, 255, 90));
        p.setBrush(g);
        p.drawEllipse(QPointF(60 + i * 66, 120), 48, 48);
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make-samples OUTPUT_FOLDER\n");
        return 2;
    }
    QDir out(args[1]);
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "make-samples: cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    if (!stripes().save(out.filePath("sample1.jpg"), "JPG", 85) ||
        !circles().save(out.filePath("sample2.jpg"), "JPG", 85)) {
        std::fprintf(stderr, "make-samples: cannot write the JPEG pictures\n");
        return 1;
    }
    QFile text(out.filePath("sample.txt"));
    if (!text.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        text.write("Welcome to LUM.\r\nThis text is one of the sample files of the Home group.\r\n") <
            0) {
        std::fprintf(stderr, "make-samples: cannot write sample.txt\n");
        return 1;
    }
    return 0;
}
