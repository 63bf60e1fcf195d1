#include "ui/icon_contrast.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tallimer {

namespace {

double Channel(double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(QColor colour) {
    return 0.2126 * Channel(colour.redF()) + 0.7152 * Channel(colour.greenF()) +
           0.0722 * Channel(colour.blueF());
}

double RatioOf(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double MeanInkLuminance(const QImage& image) {
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            sum += pixel.alphaF() * Luminance(pixel);
            weight += pixel.alphaF();
        }
    }
    return weight > 0 ? sum / weight : 0;
}

// Each pixel's colour mixed with `toward` by `share` (0: as it is), its lightness first turned
// over where `turned`.
QImage Repainted(const QImage& image, bool turned, QColor toward, double share) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            QColor pixel = result.pixelColor(x, y);
            if (turned) {
                pixel.setHslF(pixel.hslHueF(), pixel.hslSaturationF(), 1 - pixel.lightnessF(),
                              pixel.alphaF());
            }
            pixel.setRgbF(float(pixel.redF() + (toward.redF() - pixel.redF()) * share),
                          float(pixel.greenF() + (toward.greenF() - pixel.greenF()) * share),
                          float(pixel.blueF() + (toward.blueF() - pixel.blueF()) * share),
                          pixel.alphaF());
            result.setPixelColor(x, y, pixel);
        }
    }
    return result;
}

}  // namespace

double ContrastRatio(QColor a, QColor b) {
    return RatioOf(Luminance(a), Luminance(b));
}

double InkContrast(const QImage& image, QColor background) {
    const double under = Luminance(background);
    std::vector<double> contrasts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const double alpha = pixel.alphaF();
            if (alpha > 0) {
                const QColor drawn = QColor::fromRgbF(
                    float(background.redF() + (pixel.redF() - background.redF()) * alpha),
                    float(background.greenF() + (pixel.greenF() - background.greenF()) * alpha),
                    float(background.blueF() + (pixel.blueF() - background.blueF()) * alpha));
                contrasts.push_back(RatioOf(Luminance(drawn), under));
            }
        }
    }
    if (contrasts.empty()) {
        return 1;
    }
    const auto quartile = contrasts.begin() + qsizetype(contrasts.size() * 3 / 4);
    std::nth_element(contrasts.begin(), quartile, contrasts.end());
    return *quartile;
}

QImage ImageWithContrast(const QImage& image, QColor background, double least) {
    if (InkContrast(image, background) >= least) {
        return image;
    }
    // Away from the background: light ink on a dark menu, dark ink on a light one.
    const QColor toward = Luminance(background) < 0.18 ? Qt::white : Qt::black;
    const bool turned =
        (MeanInkLuminance(image) < Luminance(background)) == (toward == QColor(Qt::white));
    for (int step = 0; step < 10; ++step) {
        QImage candidate = Repainted(image, turned, toward, step / 10.0);
        if (InkContrast(candidate, background) >= least) {
            return candidate;
        }
    }
    return Repainted(image, turned, toward, 1.0);
}

}  // namespace tallimer
