// edge-measure: how steep a picture's edges are, as a number to compare
// drawings of the table at different sizes.
//
//   edge-measure PICTURE [LEFT TOP WIDTH HEIGHT]
//
// The 99.5th percentile of the absolute luminance difference between
// neighbouring pixels (right and below), over the part of the picture from
// 35 % to 80 % of its width and 45 % to 85 % of its height (the reels and
// the cabinet's buttons), or over the rectangle given. A sharp drawing keeps
// its steepest edges whatever its size; a magnified one spreads them out.
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Luminance(QRgb pixel)
{
    return 0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: edge-measure PICTURE [LEFT TOP WIDTH HEIGHT]\n");
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "edge-measure: cannot read %s\n", argv[1]);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    QRect part(image.width() * 35 / 100, image.height() * 45 / 100, image.width() * 45 / 100,
               image.height() * 40 / 100);
    if (argc == 6) part = QRect(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    part = part.intersected(image.rect().adjusted(0, 0, -1, -1));
    if (part.isEmpty()) {
        std::fprintf(stderr, "edge-measure: the part measured lies outside the picture\n");
        return 1;
    }
    std::vector<double> steps;
    steps.reserve(static_cast<size_t>(part.width()) * part.height() * 2);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const QRgb* below = reinterpret_cast<const QRgb*>(image.constScanLine(y + 1));
        for (int x = part.left(); x <= part.right(); ++x) {
            const double here = Luminance(row[x]);
            steps.push_back(std::abs(here - Luminance(row[x + 1])));
            steps.push_back(std::abs(here - Luminance(below[x])));
        }
    }
    const auto at = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 995 / 1000);
    std::nth_element(steps.begin(), at, steps.end());
    std::printf("%.2f\n", *at);
    return 0;
}
