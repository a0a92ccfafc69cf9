// Renders every picture of the editor into a resources folder:
//   res/backgroud.png            the window background, a night ink-wash landscape
//   res/*.png                    side-menu buttons (64 px), title-bar buttons (32 px), the search-line icon (24 px)
//   qss/psblack/*.png            the 20 px marks that the dark style sheet refers to
// Each picture also comes as name@2x.png with twice the pixels, for screens scaled to 200 %.
// Usage: render-art <resources folder>
// The output is deterministic: all randomness comes from fixed seeds, and no fonts are used.

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

// One palette for every icon: dark slate body, light glyph, warm gold for hover, red for quitting.
const QColor kGlyph(0xDC, 0xDC, 0xDC);
const QColor kGlyphHover(0xF6, 0xE7, 0xC2);
const QColor kGold(0xD9, 0xA6, 0x4A);
const QColor kGoldLight(0xF0, 0xC8, 0x6E);
const QColor kSlateTop(0x3A, 0x42, 0x4F);
const QColor kSlateBottom(0x23, 0x28, 0x31);
const QColor kSlateTopHover(0x47, 0x50, 0x5E);
const QColor kSlateBottomHover(0x2B, 0x31, 0x3B);
const QColor kRim(0x64, 0x6E, 0x7E);
const QColor kRedTop(0x9E, 0x3A, 0x33);
const QColor kRedBottom(0x6E, 0x22, 0x1F);
const QColor kRedRim(0xC2, 0x5A, 0x4E);
const QColor kMark(0xC8, 0xCD, 0xD4);
const QColor kMarkDisabled(0x6A, 0x71, 0x7C);

// xorshift32: small, fast and the same on every platform.
class Random
{
public:
    explicit Random(quint32 seed) : state(seed ? seed : 1u) {}
    quint32 next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double uniform() { return (next() >> 8) / double(1u << 24); }
    double range(double low, double high) { return low + (high - low) * uniform(); }

private:
    quint32 state;
};

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Lattice value in [0, 1] for integer coordinates, from an integer hash.
double latticeValue(int x, int y, quint32 seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth 2-D value noise in [0, 1].
double valueNoise(double x, double y, quint32 seed)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    const double sx = fx * fx * (3.0 - 2.0 * fx);
    const double sy = fy * fy * (3.0 - 2.0 * fy);
    const double top = latticeValue(x0, y0, seed) * (1 - sx) + latticeValue(x0 + 1, y0, seed) * sx;
    const double bottom = latticeValue(x0, y0 + 1, seed) * (1 - sx) + latticeValue(x0 + 1, y0 + 1, seed) * sx;
    return top * (1 - sy) + bottom * sy;
}

double fractalNoise(double x, double y, quint32 seed, int octaves)
{
    double sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + quint32(i) * 101u);
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / norm;
}

bool savePng(const QImage& image, const QString& path, QTextStream& log)
{
    if (!image.save(path, "PNG", 9)) {
        log << "cannot write " << path << '\n';
        return false;
    }
    log << "wrote " << QDir::toNativeSeparators(path) << '\n';
    return true;
}

// A transparent square picture of size x size units, drawn by paint in units; scale gives the pixels per unit.
QImage renderPicture(int size, double scale, const std::function<void(QPainter&)>& paint)
{
    QImage image(int(size * scale), int(size * scale), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter);
    return image;
}

QPen glyphPen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// ---------------------------------------------------------------------------------------------
// Background
// ---------------------------------------------------------------------------------------------

struct Rgb
{
    double r, g, b;
};

class FloatCanvas
{
public:
    FloatCanvas(int width, int height) : w(width), h(height), pixels(size_t(width) * size_t(height)) {}

    int width() const { return w; }
    int height() const { return h; }
    Rgb& at(int x, int y) { return pixels[size_t(y) * size_t(w) + size_t(x)]; }

    void blend(int x, int y, const Rgb& color, double alpha)
    {
        if (alpha <= 0)
            return;
        alpha = std::min(alpha, 1.0);
        Rgb& p = at(x, y);
        p.r += (color.r - p.r) * alpha;
        p.g += (color.g - p.g) * alpha;
        p.b += (color.b - p.b) * alpha;
    }

    // Composites a premultiplied ARGB overlay drawn with QPainter.
    void composite(const QImage& overlay)
    {
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(overlay.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = line[x];
                const double a = qAlpha(c) / 255.0;
                if (a <= 0)
                    continue;
                Rgb& p = at(x, y);
                p.r = qRed(c) / 255.0 + p.r * (1 - a);
                p.g = qGreen(c) / 255.0 + p.g * (1 - a);
                p.b = qBlue(c) / 255.0 + p.b * (1 - a);
            }
        }
    }

    // Quantises to 8 bits with a small ordered dither, so the dark gradients show no bands.
    QImage toImage() const
    {
        static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const Rgb& p = pixels[size_t(y) * size_t(w) + size_t(x)];
                const double threshold = (bayer[y & 3][x & 3] + 0.5) / 16.0;
                auto quantise = [threshold](double v) {
                    return std::clamp(int(std::floor(v * 255.0 + threshold)), 0, 255);
                };
                line[x] = qRgb(quantise(p.r), quantise(p.g), quantise(p.b));
            }
        }
        return image;
    }

private:
    int w;
    int h;
    std::vector<Rgb> pixels;
};

Rgb rgb(int r, int g, int b)
{
    return {r / 255.0, g / 255.0, b / 255.0};
}

Rgb mix(const Rgb& a, const Rgb& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A mountain range: overlapping peaks with concave flanks, roughened by noise along their edges.
// Peaks are kept front to back: a lower peak stands in front of a taller one.
struct Range
{
    struct Peak
    {
        double centre, height, leftWidth, rightWidth, sharpness;
    };
    std::vector<Peak> peaks;
    double foot = 0;      // y of the range's base line
    double roughness = 0; // pixels of noise along the edges
    quint32 seed = 0;

    double detail(double x) const
    {
        const double broad = fractalNoise(x / 90.0, seed * 0.37, seed, 3) - 0.5;
        const double fine = fractalNoise(x / 14.0, seed * 0.53, seed + 3u, 3) - 0.5;
        return (broad * 2.0 + fine * 0.8) * roughness;
    }

    // Top edge of one peak at x, or +infinity where the peak does not reach.
    double peakTop(const Peak& peak, double x, double noise) const
    {
        const double t = (x - peak.centre) / (x < peak.centre ? peak.leftWidth : peak.rightWidth);
        if (std::abs(t) >= 1.0)
            return std::numeric_limits<double>::infinity();
        const double s = peak.sharpness;
        const double bump = (1.0 / (1.0 + s * t * t) - 1.0 / (1.0 + s)) / (1.0 - 1.0 / (1.0 + s));
        return foot - peak.height * bump - noise * (0.3 + 0.7 * bump);
    }

    double ridge(double x) const
    {
        const double noise = detail(x);
        double top = foot - noise * 0.3;
        for (const Peak& peak : peaks)
            top = std::min(top, peakTop(peak, x, noise));
        return top;
    }

    void sortFrontToBack()
    {
        std::stable_sort(peaks.begin(), peaks.end(), [](const Peak& a, const Peak& b) { return a.height < b.height; });
    }
};

Range makeRange(quint32 seed, double foot, double minHeight, double maxHeight, double minWidth, double maxWidth,
                int count, double roughness, double width)
{
    Random random(seed);
    Range range;
    range.foot = foot;
    range.roughness = roughness;
    range.seed = seed;
    for (int i = 0; i < count; ++i) {
        const double centre = (i + random.range(0.0, 1.0)) * width / count;
        const double height = random.range(minHeight, maxHeight);
        const double spread = random.range(minWidth, maxWidth);
        const double skew = random.range(0.65, 1.35);
        range.peaks.push_back({centre, height, spread * skew, spread / skew, random.range(3.0, 10.0)});
    }
    range.sortFrontToBack();
    return range;
}

// Paints one range the way an ink wash does: every peak has dense ink along its own edge that fades
// downward into mist, and covers the peaks behind it; faint brush texture on top.
void paintRange(FloatCanvas& canvas, const Range& range, const Rgb& ink, double opacity, double fade, double minDensity,
                double scale)
{
    std::vector<double> tops(range.peaks.size() + 1);
    for (int x = 0; x < canvas.width(); ++x) {
        const double centreX = (x + 0.5) / scale;
        const double noise = range.detail(centreX);
        for (size_t i = 0; i < range.peaks.size(); ++i)
            tops[i] = range.peakTop(range.peaks[i], centreX, noise);
        tops.back() = range.foot - noise * 0.3;
        const double top = *std::min_element(tops.begin(), tops.end());
        const int startY = std::max(0, int(std::floor(top * scale)) - 1);
        for (int y = startY; y < canvas.height(); ++y) {
            // Mist gathers at the foot: there every peak thins to the same wash, so none shows a seam.
            const double clear = smoothstep(range.foot + 5, range.foot - fade * 0.9, y / scale);
            double density = 0;
            double hidden = 1.0; // share of the pixel not yet covered by a peak in front
            for (double peakTop : tops) {
                const double depth = (y + 0.5) / scale - peakTop;
                // The edge is smoothed over one output pixel, whatever the scale.
                const double edge = std::clamp(depth * scale + 0.5, 0.0, 1.0);
                if (edge <= 0)
                    continue;
                const double below = std::max(depth, 0.0);
                const double wash = minDensity + (1.0 - minDensity) * std::exp(-below / fade) * clear;
                const double line = 0.42 * std::exp(-below / 2.2) * clear;
                density += hidden * edge * std::min(wash + line, 1.0);
                hidden *= 1.0 - edge;
                if (hidden <= 0)
                    break;
            }
            if (density <= 0)
                continue;
            const double strokes = fractalNoise(x / scale / 26.0, y / scale / 90.0, range.seed + 7u, 3);
            density *= 0.88 + 0.24 * strokes;
            canvas.blend(x, y, ink, density * opacity);
        }
    }
}

// A band of mist centred on y.
void paintMist(FloatCanvas& canvas, double centreY, double halfHeight, const Rgb& color, double strength, quint32 seed,
               double scale)
{
    const int y0 = std::max(0, int((centreY - 3 * halfHeight) * scale));
    const int y1 = std::min(canvas.height(), int((centreY + 3 * halfHeight) * scale));
    for (int y = y0; y < y1; ++y) {
        const double d = (y / scale - centreY) / halfHeight;
        const double band = std::exp(-d * d);
        for (int x = 0; x < canvas.width(); ++x) {
            const double drift = fractalNoise(x / scale / 420.0, y / scale / 60.0, seed, 4);
            canvas.blend(x, y, color, strength * band * (0.45 + 0.9 * drift));
        }
    }
}

void paintSky(FloatCanvas& canvas)
{
    const Rgb top = rgb(10, 13, 19);
    const Rgb middle = rgb(22, 28, 39);
    const Rgb horizon = rgb(44, 52, 67);
    for (int y = 0; y < canvas.height(); ++y) {
        const double t = double(y) / canvas.height();
        const Rgb c =
            t < 0.38 ? mix(top, middle, smoothstep(0.0, 0.38, t)) : mix(middle, horizon, smoothstep(0.38, 0.62, t));
        for (int x = 0; x < canvas.width(); ++x)
            canvas.at(x, y) = c;
    }
}

void paintMoon(FloatCanvas& canvas, double cx, double cy, double radius, double scale)
{
    const Rgb glow = rgb(140, 150, 168);
    const Rgb face = rgb(192, 194, 186);
    for (int y = 0; y < canvas.height() / 2; ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double d = std::hypot((x + 0.5) / scale - cx, (y + 0.5) / scale - cy);
            const double halo = 0.13 * std::exp(-std::pow(d / (radius * 3.0), 2)) + 0.05 * std::exp(-d / (radius * 6));
            canvas.blend(x, y, glow, halo);
            const double coverage = std::clamp((radius - d) * scale + 0.5, 0.0, 1.0);
            if (coverage > 0) {
                // Faint shadows on the face, so it reads as a moon and not a lamp.
                const double shade = fractalNoise(x / scale / 34.0, y / scale / 34.0, 91u, 2);
                const double rim = smoothstep(0.55, 1.0, d / radius);
                Rgb c = mix(face, rgb(150, 154, 152), smoothstep(0.4, 0.8, shade) * 0.35);
                c = mix(c, rgb(170, 174, 172), rim * 0.5);
                canvas.blend(x, y, c, coverage * 0.9);
            }
        }
    }
}

// Thin horizontal clouds drifting across the upper sky.
void paintClouds(FloatCanvas& canvas, double scale)
{
    const Rgb cloud = rgb(58, 66, 82);
    for (int y = int(120 * scale); y < int(420 * scale); ++y) {
        const double sceneY = y / scale;
        for (int x = 0; x < canvas.width(); ++x) {
            const double n = fractalNoise(x / scale / 520.0, sceneY / 22.0, 17u, 4);
            const double band = smoothstep(120, 200, sceneY) * (1.0 - smoothstep(330, 420, sceneY));
            canvas.blend(x, y, cloud, band * 0.55 * smoothstep(0.52, 0.78, n));
        }
    }
}

// The river in the valley: dark water with moonlight broken into short streaks.
void paintRiver(FloatCanvas& canvas, double moonX, double scale)
{
    const Rgb water = rgb(26, 32, 43);
    const Rgb light = rgb(170, 176, 182);
    Random random(4242u);
    for (int y = int(720 * scale); y < canvas.height(); ++y) {
        const double sceneY = y / scale;
        const double alpha = smoothstep(720, 820, sceneY) * (0.5 + 0.3 * (sceneY - 720) / 330.0);
        for (int x = 0; x < canvas.width(); ++x)
            canvas.blend(x, y, water, alpha);
    }
    QImage streaks(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
    streaks.fill(Qt::transparent);
    QPainter painter(&streaks);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    for (int i = 0; i < 48; ++i) {
        const double y = 778 + std::pow(random.uniform(), 1.6) * 220;
        const double spread = 18 + (y - 780) * 0.55;
        const double x = moonX + random.range(-spread, spread);
        const double length = random.range(8, 40) * (1.0 - std::abs(x - moonX) / (spread + 40));
        QColor c = QColor::fromRgbF(light.r, light.g, light.b);
        c.setAlphaF(std::clamp(0.22 - (y - 780) / 1300.0 + random.range(-0.05, 0.05), 0.04, 0.3));
        painter.setPen(QPen(c, random.range(1.0, 2.2), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(x - length / 2, y), QPointF(x + length / 2, y));
    }
    painter.end();
    canvas.composite(streaks);
}

// A cluster of pine needles as ink painters draw it: short strokes fanning out from one point,
// in the painter's current pen.
void paintNeedles(QPainter& painter, QPointF centre, double radius, Random& random)
{
    const int count = 26;
    for (int i = 0; i < count; ++i) {
        // Mostly upward and sideways; a few strokes droop below the twig.
        const double angle = M_PI * (1.08 + 0.84 * i / (count - 1)) + random.range(-0.06, 0.06);
        const double length = radius * random.range(0.75, 1.05);
        const QPointF tip = centre + QPointF(std::cos(angle) * length, std::sin(angle) * length * 0.62);
        painter.drawLine(centre, tip);
    }
    for (int i = 0; i < 7; ++i) {
        const double angle = M_PI * random.range(0.1, 0.9);
        const double length = radius * random.range(0.35, 0.6);
        painter.drawLine(centre, centre + QPointF(std::cos(angle) * length, std::sin(angle) * length * 0.5));
    }
}

// An ink pine: a tapering, leaning trunk, a few near-horizontal branches and needle clusters.
void paintPine(QPainter& painter, QPointF base, double height, double lean, quint32 seed, const QColor& ink)
{
    Random random(seed);
    QPainterPath trunk;
    const QPointF top(base.x() + lean * height, base.y() - height);
    trunk.moveTo(base);
    trunk.cubicTo(QPointF(base.x() - lean * height * 0.5, base.y() - height * 0.35),
                  QPointF(top.x() + lean * height * 0.3, base.y() - height * 0.7), top);
    const double baseWidth = std::max(2.5, height / 22.0);
    const int steps = 40;
    for (int i = 0; i < steps; ++i) {
        const double t0 = double(i) / steps;
        const double t1 = double(i + 1) / steps;
        painter.setPen(QPen(ink, baseWidth * (1.0 - 0.7 * t0), Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(trunk.pointAtPercent(t0), trunk.pointAtPercent(t1));
    }

    const int branches = 4 + int(random.next() % 2);
    const double needle = std::max(6.0, height / 9.0);
    for (int i = 0; i < branches; ++i) {
        const double t = 0.42 + 0.55 * i / (branches - 1);
        const QPointF from = trunk.pointAtPercent(t);
        const double side = (i % 2 == 0 ? 1.0 : -1.0) * (lean >= 0 ? 1.0 : -1.0);
        const double reach = height * (0.42 - 0.3 * t) * random.range(0.8, 1.15);
        const QPointF to = from + QPointF(side * reach, -reach * random.range(0.02, 0.18));
        const QPointF bend = (from + to) / 2 + QPointF(0, reach * 0.12);
        QPainterPath branch;
        branch.moveTo(from);
        branch.quadTo(bend, to);
        painter.setPen(QPen(ink, std::max(1.2, baseWidth * 0.45 * (1.0 - 0.5 * t)), Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(branch);
        painter.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
        paintNeedles(painter, to, needle * random.range(0.9, 1.2), random);
        paintNeedles(painter, branch.pointAtPercent(0.55) + QPointF(0, -1), needle * random.range(0.7, 0.95), random);
    }
    painter.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
    paintNeedles(painter, top, needle * 1.1, random);
}

// A seal with the two carved characters for "mountains and rivers", read top to bottom.
// The painter draws in scene units, scale output pixels to a unit; the seal is carved at that resolution.
void paintSeal(QPainter& painter, const QRectF& box, double scale, double opacity = 0.62)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QImage seal(int((box.width() + 2) * scale), int((box.height() + 2) * scale), QImage::Format_ARGB32_Premultiplied);
    seal.fill(Qt::transparent);
    seal.setDevicePixelRatio(scale);
    {
        QPainter p(&seal);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(1, 1, box.width(), box.height());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xA8, 0x33, 0x2C));
        p.drawRoundedRect(r, 3, 3);
        // Carve the strokes out of the red, as in a white-character seal.
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        const double s = box.width();
        p.setPen(QPen(Qt::black, s * 0.065, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        const double l = 1 + s * 0.22;
        const double rr = 1 + s * 0.78;
        const double mid = 1 + s * 0.5;
        // 山
        QPainterPath shan;
        shan.moveTo(l, 1 + s * 0.25);
        shan.lineTo(l, 1 + s * 0.44);
        shan.lineTo(rr, 1 + s * 0.44);
        shan.lineTo(rr, 1 + s * 0.25);
        shan.moveTo(mid, 1 + s * 0.12);
        shan.lineTo(mid, 1 + s * 0.44);
        p.drawPath(shan);
        // 川
        for (int i = 0; i < 3; ++i) {
            const double x = l + i * (rr - l) / 2;
            QPainterPath stroke;
            stroke.moveTo(x, 1 + s * 0.56);
            stroke.cubicTo(x + s * 0.05, 1 + s * 0.65, x - s * 0.05, 1 + s * 0.76, x, 1 + s * 0.88);
            p.drawPath(stroke);
        }
        // Worn edges: a few nicks in the border, as an old stamp shows.
        Random random(77u);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        for (int i = 0; i < 14; ++i) {
            const double along = random.range(0, 4 * s);
            const double side = std::floor(along / s);
            const double t = along - side * s;
            QPointF at = side == 0   ? QPointF(1 + t, 1)
                         : side == 1 ? QPointF(1 + s, 1 + t)
                         : side == 2 ? QPointF(1 + t, 1 + s)
                                     : QPointF(1, 1 + t);
            p.drawEllipse(at, random.range(0.6, 1.8), random.range(0.6, 1.8));
        }
    }
    painter.setOpacity(opacity);
    painter.drawImage(box.topLeft() - QPointF(1, 1), seal);
    painter.restore();
}

// Soft paper grain and a vignette that darkens the corners.
void finishPaper(FloatCanvas& canvas, double scale)
{
    const double cx = canvas.width() / 2.0;
    const double cy = canvas.height() / 2.0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double grain = fractalNoise(x / scale / 60.0, y / scale / 60.0, 555u, 3) - 0.5;
            const double fibres = fractalNoise(x / scale / 3.0, y / scale / 160.0, 556u, 2) - 0.5;
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            const double vignette = 1.0 - 0.38 * smoothstep(0.45, 1.45, std::sqrt(dx * dx * 0.9 + dy * dy));
            const double factor = vignette * (1.0 + 0.07 * grain + 0.025 * fibres);
            Rgb& p = canvas.at(x, y);
            p.r *= factor;
            p.g *= factor;
            p.b *= factor;
        }
    }
}

// The scene is laid out in a 1680 x 1050 frame; scale 2 renders the same scene with twice the pixels.
QImage renderBackground(double scale)
{
    const int width = 1680;
    const int height = 1050;
    FloatCanvas canvas(int(width * scale), int(height * scale));
    const double moonX = 1130;

    paintSky(canvas);
    paintMoon(canvas, moonX, 215, 58, scale);
    paintClouds(canvas, scale);

    const Rgb mist = rgb(66, 76, 94);
    // Far to near: each range lower, darker and more solid than the one behind it.
    paintRange(canvas, makeRange(11u, 560, 120, 250, 90, 210, 11, 10, width), rgb(52, 61, 78), 0.75, 90, 0.05, scale);
    paintMist(canvas, 540, 55, mist, 0.55, 21u, scale);
    paintRange(canvas, makeRange(12u, 640, 110, 230, 110, 240, 8, 12, width), rgb(38, 46, 60), 0.85, 80, 0.08, scale);
    paintMist(canvas, 620, 50, mist, 0.5, 22u, scale);
    paintRange(canvas, makeRange(13u, 730, 90, 200, 130, 280, 7, 14, width), rgb(26, 32, 43), 0.92, 70, 0.12, scale);
    paintMist(canvas, 720, 45, mist, 0.45, 23u, scale);
    paintRiver(canvas, moonX, scale);

    // Foreground banks on both sides of the river.
    Range left;
    left.foot = 1130;
    left.roughness = 10;
    left.seed = 31u;
    left.peaks =
        std::vector<Range::Peak>{{720, 190, 280, 320, 2.0}, {400, 320, 420, 500, 3.0}, {40, 420, 560, 560, 2.5}};
    paintRange(canvas, left, rgb(12, 15, 20), 1.0, 60, 0.55, scale);
    Range right;
    right.foot = 1110;
    right.roughness = 9;
    right.seed = 32u;
    right.peaks = std::vector<Range::Peak>{{1460, 260, 260, 340, 3.0}, {1720, 420, 520, 480, 2.5}};
    paintRange(canvas, right, rgb(14, 17, 23), 1.0, 60, 0.55, scale);

    QImage overlay(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    {
        QPainter painter(&overlay);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        const QColor ink(8, 10, 14);
        struct Pine
        {
            double x, height, lean;
            quint32 seed;
        };
        for (const Pine& pine : {Pine{230, 120, 0.18, 5u}, Pine{300, 88, -0.1, 6u}, Pine{520, 70, 0.22, 7u}})
            paintPine(painter, QPointF(pine.x, left.ridge(pine.x) + 6), pine.height, pine.lean, pine.seed, ink);
        paintSeal(painter, QRectF(64, 872, 60, 60), scale);
    }
    canvas.composite(overlay);

    finishPaper(canvas, scale);
    return canvas.toImage();
}

// ---------------------------------------------------------------------------------------------
// Buttons
// ---------------------------------------------------------------------------------------------

struct ButtonLook
{
    QColor top, bottom, rim, glyph, accent;
};

ButtonLook normalLook()
{
    return {kSlateTop, kSlateBottom, kRim, kGlyph, kGlyph};
}

ButtonLook hoverLook()
{
    return {kSlateTopHover, kSlateBottomHover, kGold, kGlyphHover, kGoldLight};
}

ButtonLook quitLook()
{
    return {kRedTop, kRedBottom, kRedRim, kGlyph, kGlyph};
}

// The round body that every button shares; the corners outside it stay fully transparent.
void paintDisc(QPainter& painter, int size, const ButtonLook& look, qreal rimWidth)
{
    const qreal margin = 1.0;
    const QRectF outer(margin, margin, size - 2 * margin, size - 2 * margin);
    QLinearGradient body(0, margin, 0, size - margin);
    body.setColorAt(0, look.top);
    body.setColorAt(1, look.bottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawEllipse(outer);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(look.rim, rimWidth));
    const qreal inset = rimWidth / 2;
    painter.drawEllipse(outer.adjusted(inset, inset, -inset, -inset));
    // A faint inner line gives the disc an edge without a drop shadow.
    QColor inner = look.rim;
    inner.setAlpha(70);
    painter.setPen(QPen(inner, 1.0));
    const qreal innerInset = rimWidth + 2.5;
    painter.drawEllipse(outer.adjusted(innerInset, innerInset, -innerInset, -innerInset));
}

// Handscroll: two rollers with the unrolled paper between them and columns of writing.
void paintScrollGlyph(QPainter& painter, const ButtonLook& look)
{
    const qreal stroke = 3.0;
    // The paper: a light wash with its top and bottom edges drawn.
    QColor paper = look.glyph;
    paper.setAlpha(40);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paper);
    painter.drawRect(QRectF(20, 21, 24, 22));
    painter.setPen(glyphPen(look.glyph, stroke));
    painter.drawLine(QPointF(20, 21), QPointF(44, 21));
    painter.drawLine(QPointF(20, 43), QPointF(44, 43));
    // Rollers, filled so they read as solid wood, with knobs in the accent colour.
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.glyph);
    painter.drawRoundedRect(QRectF(14.5, 17, 6, 30), 2.5, 2.5);
    painter.drawRoundedRect(QRectF(43.5, 17, 6, 30), 2.5, 2.5);
    painter.setBrush(look.accent);
    for (qreal x : {17.5, 46.5}) {
        painter.drawRoundedRect(QRectF(x - 2, 13, 4, 4.5), 1.2, 1.2);
        painter.drawRoundedRect(QRectF(x - 2, 46.5, 4, 4.5), 1.2, 1.2);
    }
    // Columns of writing, read top to bottom.
    painter.setPen(glyphPen(look.accent, 2.0));
    painter.drawLine(QPointF(26.5, 26.5), QPointF(26.5, 37.5));
    painter.drawLine(QPointF(32, 26.5), QPointF(32, 34));
    painter.drawLine(QPointF(37.5, 26.5), QPointF(37.5, 37.5));
}

// Floppy disk: body with a cut corner, metal shutter and label.
void paintSaveGlyph(QPainter& painter, const ButtonLook& look)
{
    const qreal stroke = 3.0;
    QPainterPath body;
    body.moveTo(19, 17);
    body.lineTo(40, 17);
    body.lineTo(47, 24);
    body.lineTo(47, 45);
    body.quadTo(47, 47, 45, 47);
    body.lineTo(19, 47);
    body.quadTo(17, 47, 17, 45);
    body.lineTo(17, 19);
    body.quadTo(17, 17, 19, 17);
    painter.setPen(glyphPen(look.glyph, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
    // Shutter with its window.
    painter.drawLine(QPointF(23, 17), QPointF(23, 26));
    painter.drawLine(QPointF(23, 26), QPointF(37, 26));
    painter.drawLine(QPointF(37, 26), QPointF(37, 17));
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.accent);
    painter.drawRect(QRectF(31, 19.5, 3, 4.5));
    // Label.
    painter.setPen(glyphPen(look.glyph, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(23, 33, 18, 14), 1.5, 1.5);
    painter.setPen(glyphPen(look.accent, 2.0));
    painter.drawLine(QPointF(27, 38.5), QPointF(37, 38.5));
}

// Magnifier: a ring and a handle to the lower right.
void paintMagnifier(QPainter& painter, QPointF centre, qreal radius, qreal stroke, const QColor& color, qreal handle)
{
    painter.setPen(glyphPen(color, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    const qreal diagonal = radius / std::sqrt(2.0);
    const QPointF from = centre + QPointF(diagonal, diagonal);
    painter.setPen(glyphPen(color, stroke * 1.25));
    painter.drawLine(from, from + QPointF(handle, handle));
}

// The body's colour halfway down, for hiding the lines behind a glyph drawn in front of another.
QColor bodyMiddle(const ButtonLook& look)
{
    return QColor((look.top.red() + look.bottom.red()) / 2, (look.top.green() + look.bottom.green()) / 2,
                  (look.top.blue() + look.bottom.blue()) / 2);
}

// Folder with a magnifier in front: choose the game directory.
void paintFolderGlyph(QPainter& painter, const ButtonLook& look)
{
    const qreal stroke = 3.0;
    QPainterPath folder;
    folder.moveTo(16, 43);
    folder.lineTo(16, 20);
    folder.lineTo(26, 20);
    folder.lineTo(29.5, 24);
    folder.lineTo(46, 24);
    folder.lineTo(46, 31);
    painter.setPen(glyphPen(look.glyph, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(folder);
    painter.drawLine(QPointF(16, 43), QPointF(32, 43));
    painter.drawLine(QPointF(16, 29), QPointF(34, 29));
    // Clear the folder's lines behind the lens, then draw the lens.
    const QPointF lens(40, 40);
    painter.setPen(Qt::NoPen);
    painter.setBrush(bodyMiddle(look));
    painter.drawEllipse(lens, 9.5, 9.5);
    paintMagnifier(painter, lens, 6.5, stroke, look.accent, 5.5);
}

// A window split into a side panel and a main area, with a turning arrow in front: put the layout back.
void paintLayoutGlyph(QPainter& painter, const ButtonLook& look)
{
    const qreal stroke = 3.0;
    painter.setPen(glyphPen(look.glyph, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(15, 17, 30, 25), 2.5, 2.5);
    painter.drawLine(QPointF(15, 24), QPointF(45, 24));
    painter.drawLine(QPointF(24, 24), QPointF(24, 42));
    // Clear the window's lines behind the arrow, then draw three quarters of a circle turning
    // anticlockwise, open at the top, with the head at its upper right end.
    const QPointF centre(41, 41);
    const qreal radius = 6.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(bodyMiddle(look));
    painter.drawEllipse(centre, 10.5, 10.5);
    painter.setPen(glyphPen(look.accent, stroke));
    painter.setBrush(Qt::NoBrush);
    const qreal startDegrees = 120;
    const qreal spanDegrees = 290;
    painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), int(startDegrees * 16),
                    int(spanDegrees * 16));
    const qreal end = qDegreesToRadians(startDegrees + spanDegrees);
    const QPointF tip = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
    const QPointF along(-std::sin(end), -std::cos(end)); // direction of travel on screen
    const QPointF across(along.y(), -along.x());
    QPolygonF head;
    head << tip + along * 3.5 << tip - along * 1.5 + across * 4.0 << tip - along * 1.5 - across * 4.0;
    painter.setPen(glyphPen(look.accent, 1.0));
    painter.setBrush(look.accent);
    painter.drawPolygon(head);
}

// A list of three entries with a pencil in front: the changes made so far.
void paintChangesGlyph(QPainter& painter, const ButtonLook& look)
{
    const qreal stroke = 3.0;
    for (int i = 0; i < 3; ++i) {
        const qreal y = 20 + i * 9;
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.accent);
        painter.drawEllipse(QPointF(18.5, y), 2.3, 2.3);
        painter.setPen(glyphPen(look.glyph, stroke));
        painter.drawLine(QPointF(25, y), QPointF(i == 2 ? 33 : 45, y));
    }
    // The pencil, pointing down to the left; the lines behind it are cleared first.
    painter.save();
    painter.translate(41, 40);
    painter.rotate(-45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(bodyMiddle(look));
    painter.drawRoundedRect(QRectF(-15, -6.5, 27, 13), 4, 4);
    painter.setPen(glyphPen(look.glyph, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(-6, -3.5, 15, 7));
    painter.drawLine(QPointF(4.5, -3.5), QPointF(4.5, 3.5));
    QPolygonF point;
    point << QPointF(-6, -3.5) << QPointF(-12, 0) << QPointF(-6, 3.5);
    painter.drawPolyline(point);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.accent);
    painter.drawPolygon(QPolygonF(QVector<QPointF>{{-9.6, -1.4}, {-12.4, 0}, {-9.6, 1.4}}));
    painter.restore();
}

// A wrench lying from the lower left to the upper right, with a spark of the accent: the tools.
void paintToolsGlyph(QPainter& painter, const ButtonLook& look)
{
    painter.save();
    painter.translate(32, 32);
    painter.rotate(-45);
    painter.setPen(glyphPen(look.glyph, 3.0));
    painter.setBrush(Qt::NoBrush);
    // The handle, rounded at its end, then the open jaw at the upper right.
    painter.drawRoundedRect(QRectF(-17, -3.5, 24, 7), 3.5, 3.5);
    QPainterPath jaw;
    jaw.moveTo(7, -3.5);
    jaw.arcTo(QRectF(5, -9, 18, 18), 160, -140);
    jaw.lineTo(15, -2.5);
    jaw.lineTo(15, 2.5);
    jaw.lineTo(22, 3);
    jaw.arcTo(QRectF(5, -9, 18, 18), -20, -140);
    painter.drawPath(jaw);
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.accent);
    painter.drawEllipse(QPointF(19, 20), 3.2, 3.2);
}

void paintSideButton(QPainter& painter, const ButtonLook& look, const std::function<void(QPainter&)>& glyph)
{
    paintDisc(painter, 64, look, 2.0);
    glyph(painter);
}

void paintTitleButton(QPainter& painter, const ButtonLook& look, const std::function<void(QPainter&)>& glyph)
{
    paintDisc(painter, 32, look, 1.5);
    painter.setPen(glyphPen(look.glyph, 2.0));
    painter.setBrush(Qt::NoBrush);
    glyph(painter);
}

// ---------------------------------------------------------------------------------------------
// Style sheet marks (20 x 20)
// ---------------------------------------------------------------------------------------------

enum class CheckState
{
    Unchecked,
    Checked,
    Partial
};

void paintCheckBox(QPainter& painter, CheckState state, bool enabled)
{
    const QColor line = enabled ? kMark : kMarkDisabled;
    QColor fill = enabled && state != CheckState::Unchecked ? kGold : line;
    fill.setAlpha(state == CheckState::Unchecked ? 28 : (enabled ? 70 : 40));
    const QColor frame = enabled && state != CheckState::Unchecked ? kGoldLight : line;
    painter.setPen(QPen(frame, 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(3.25, 3.25, 13.5, 13.5), 2.5, 2.5);
    const QColor mark = enabled ? QColor(0xFF, 0xFF, 0xFF) : kMarkDisabled;
    painter.setPen(glyphPen(mark, 2.0));
    if (state == CheckState::Checked) {
        QPainterPath tick;
        tick.moveTo(6.3, 10.2);
        tick.lineTo(8.9, 12.8);
        tick.lineTo(13.8, 7.2);
        painter.drawPath(tick);
    } else if (state == CheckState::Partial) {
        painter.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    }
}

void paintRadio(QPainter& painter, bool checked, bool enabled)
{
    const QColor line = enabled ? (checked ? kGoldLight : kMark) : kMarkDisabled;
    QColor fill = enabled && checked ? kGold : line;
    fill.setAlpha(checked ? (enabled ? 70 : 40) : 28);
    painter.setPen(QPen(line, 1.5));
    painter.setBrush(fill);
    painter.drawEllipse(QPointF(10, 10), 6.75, 6.75);
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? QColor(0xFF, 0xFF, 0xFF) : kMarkDisabled);
        painter.drawEllipse(QPointF(10, 10), 3.2, 3.2);
    }
}

// A chevron pointing in the given direction (0 up, 1 right, 2 down, 3 left).
void paintChevron(QPainter& painter, int direction, const QColor& color, qreal halfWidth, qreal stroke)
{
    painter.translate(10, 10);
    painter.rotate(90.0 * direction);
    painter.setPen(glyphPen(color, stroke));
    QPainterPath path;
    path.moveTo(-halfWidth, halfWidth / 2);
    path.lineTo(0, -halfWidth / 2);
    path.lineTo(halfWidth, halfWidth / 2);
    painter.drawPath(path);
}

// A filled triangle for tree branches (1 pointing right: closed, 2 pointing down: open).
void paintBranch(QPainter& painter, int direction)
{
    painter.translate(10, 10);
    painter.rotate(90.0 * direction);
    painter.setPen(glyphPen(kMark, 1.0));
    painter.setBrush(kMark);
    QPolygonF triangle;
    triangle << QPointF(-4, 2.3) << QPointF(0, -2.3) << QPointF(4, 2.3);
    painter.drawPolygon(triangle);
}

void paintSearchMark(QPainter& painter)
{
    paintMagnifier(painter, QPointF(8.5, 8.5), 4.8, 1.6, kMark, 4.2);
}

// A picture of the editor other than the background: its path under the resources folder without
// ".png", its size in units, and how it is drawn.
struct Picture
{
    QString path;
    int size;
    std::function<void(QPainter&)> paint;
};

std::vector<Picture> pictures()
{
    using Glyph = void (*)(QPainter&, const ButtonLook&);
    std::vector<Picture> list;
    // Side-menu buttons, each with a hover picture.
    const std::pair<const char*, Glyph> sideButtons[] = {
        {"res/setting", paintScrollGlyph}, {"res/save", paintSaveGlyph},       {"res/search", paintFolderGlyph},
        {"res/layout", paintLayoutGlyph},  {"res/changes", paintChangesGlyph}, {"res/tools", paintToolsGlyph}};
    for (const auto& [path, glyph] : sideButtons) {
        for (bool hover : {false, true}) {
            const ButtonLook look = hover ? hoverLook() : normalLook();
            list.push_back(
                {QString::fromLatin1(path) + (hover ? "_hover" : ""), 64, [look, glyph = glyph](QPainter& p) {
                     paintSideButton(p, look, [&](QPainter& q) { glyph(q, look); });
                 }});
        }
    }

    auto title = [&list](const char* path, const ButtonLook& look, std::function<void(QPainter&)> glyph) {
        list.push_back({QString::fromLatin1(path), 32, [look, glyph](QPainter& p) {
                            paintTitleButton(p, look, glyph);
                        }});
    };
    title("res/min", normalLook(), [](QPainter& p) { p.drawLine(QPointF(10.5, 16), QPointF(21.5, 16)); });
    title("res/nomal", normalLook(), [](QPainter& p) {
        p.drawRect(QRectF(10.5, 13.5, 8, 8));
        QPainterPath back;
        back.moveTo(13.5, 10.5);
        back.lineTo(21.5, 10.5);
        back.lineTo(21.5, 18.5);
        p.drawPath(back);
    });
    title("res/max", normalLook(), [](QPainter& p) { p.drawRect(QRectF(11, 11, 10, 10)); });
    title("res/quit", quitLook(), [](QPainter& p) {
        p.drawLine(QPointF(11.5, 11.5), QPointF(20.5, 20.5));
        p.drawLine(QPointF(20.5, 11.5), QPointF(11.5, 20.5));
    });
    // The program's icon: the seal, in full colour.
    list.push_back({"res/seal", 32, [](QPainter& p) {
                        paintSeal(p, QRectF(1, 1, 30, 30), 4.0, 1.0);
                    }});
    list.push_back({"res/seach-btn", 24, [](QPainter& p) {
                        paintMagnifier(p, QPointF(10.5, 10.5), 5.5, 2.0, kGlyph, 5.0);
                    }});

    // Style sheet marks.
    auto mark = [&list](const char* name, std::function<void(QPainter&)> paint) {
        list.push_back({QStringLiteral("qss/psblack/") + QLatin1String(name), 20, std::move(paint)});
    };
    const std::pair<const char*, CheckState> checks[] = {
        {"unchecked", CheckState::Unchecked}, {"checked", CheckState::Checked}, {"parcial", CheckState::Partial}};
    for (bool enabled : {true, false}) {
        for (const auto& [name, state] : checks) {
            const QByteArray file = QByteArray("checkbox_") + name + (enabled ? "" : "_disable");
            mark(file.constData(), [state = state, enabled](QPainter& p) { paintCheckBox(p, state, enabled); });
        }
    }
    mark("radiobutton_unchecked", [](QPainter& p) { paintRadio(p, false, true); });
    mark("radiobutton_checked", [](QPainter& p) { paintRadio(p, true, true); });
    mark("radiobutton_unchecked_disable", [](QPainter& p) { paintRadio(p, false, false); });
    mark("radiobutton_checked_disable", [](QPainter& p) { paintRadio(p, true, false); });
    mark("branch_close", [](QPainter& p) { paintBranch(p, 1); });
    mark("branch_open", [](QPainter& p) { paintBranch(p, 2); });
    mark("arrow_up", [](QPainter& p) { paintChevron(p, 0, kMark, 4.0, 1.6); });
    mark("arrow_right", [](QPainter& p) { paintChevron(p, 1, kMark, 4.0, 1.6); });
    mark("arrow_down", [](QPainter& p) { paintChevron(p, 2, kMark, 4.0, 1.6); });
    mark("arrow_left", [](QPainter& p) { paintChevron(p, 3, kMark, 4.0, 1.6); });
    mark("arrow_up_disable", [](QPainter& p) { paintChevron(p, 0, kMarkDisabled, 4.0, 1.6); });
    mark("arrow_down_disable", [](QPainter& p) { paintChevron(p, 2, kMarkDisabled, 4.0, 1.6); });
    mark("calendar_prevmonth", [](QPainter& p) { paintChevron(p, 3, kMark, 5.0, 2.0); });
    mark("calendar_nextmonth", [](QPainter& p) { paintChevron(p, 1, kMark, 5.0, 2.0); });
    mark("search", paintSearchMark);
    return list;
}

// A Windows icon file holding the seal at the sizes Explorer and the taskbar ask for, each stored as PNG data.
bool saveIcon(const QString& path, QTextStream& log)
{
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    QList<QByteArray> images;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QImage image = renderPicture(32, size / 32.0, [size](QPainter& p) {
            paintSeal(p, QRectF(1, 1, 30, 30), std::max(4.0, size / 32.0), 1.0);
        });
        image.save(&buffer, "PNG", 9);
        images += png;
    }
    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * quint32(images.size());
    for (int i = 0; i < images.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]);
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(images[i].size())
            << offset;
        offset += quint32(images[i].size());
    }
    for (const QByteArray& png : images)
        out.writeRawData(png.constData(), png.size());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
        log << "cannot write " << path << '\n';
        return false;
    }
    log << "wrote " << QDir::toNativeSeparators(path) << '\n';
    return true;
}

// Writes every picture twice: "name.png" for ordinary screens and "name@2x.png", with twice the pixels,
// which Qt picks on screens scaled to 200 % and picks and shrinks between.
bool renderAll(const QString& root, QTextStream& log)
{
    QDir dir(root);
    if (!dir.mkpath("res") || !dir.mkpath("qss/psblack") || !dir.mkpath("windows")) {
        log << "cannot create the folders under " << root << '\n';
        return false;
    }
    bool ok = true;
    for (double scale : {1.0, 2.0}) {
        const QString suffix = scale == 1.0 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        ok &= savePng(renderBackground(scale), dir.filePath("res/backgroud" + suffix), log);
        for (const Picture& picture : pictures())
            ok &= savePng(renderPicture(picture.size, scale, picture.paint), dir.filePath(picture.path + suffix), log);
    }
    ok &= saveIcon(dir.filePath("windows/gamedata-editor.ico"), log);
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream log(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        log << "usage: render-art <resources folder>\n";
        return 2;
    }
    return renderAll(args.at(1), log) ? 0 : 1;
}
