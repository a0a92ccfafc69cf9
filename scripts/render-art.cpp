// Renders every picture of the editor into a resources folder:
//   res/backgroud.png            the window background, a night ink-wash landscape
//   res/*.png                    side-menu buttons (64 px), title-bar buttons (32 px), the search-line icon (24 px)
//   qss/psblack/*.png            the 20 px marks that the dark style sheet refers to
// Usage: render-art <resources folder>
// The output is deterministic: all randomness comes from fixed seeds, and no fonts are used.

#include <QColor>
#include <QDir>
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

QImage transparentCanvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
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
void paintRange(FloatCanvas& canvas, const Range& range, const Rgb& ink, double opacity, double fade, double minDensity)
{
    std::vector<double> tops(range.peaks.size() + 1);
    for (int x = 0; x < canvas.width(); ++x) {
        const double noise = range.detail(x + 0.5);
        for (size_t i = 0; i < range.peaks.size(); ++i)
            tops[i] = range.peakTop(range.peaks[i], x + 0.5, noise);
        tops.back() = range.foot - noise * 0.3;
        const double top = *std::min_element(tops.begin(), tops.end());
        const int startY = std::max(0, int(std::floor(top)) - 1);
        for (int y = startY; y < canvas.height(); ++y) {
            // Mist gathers at the foot: there every peak thins to the same wash, so none shows a seam.
            const double clear = smoothstep(range.foot + 5, range.foot - fade * 0.9, y);
            double density = 0;
            double hidden = 1.0; // share of the pixel not yet covered by a peak in front
            for (double peakTop : tops) {
                const double depth = y + 0.5 - peakTop;
                const double edge = std::clamp(depth + 0.5, 0.0, 1.0);
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
            const double strokes = fractalNoise(x / 26.0, y / 90.0, range.seed + 7u, 3);
            density *= 0.88 + 0.24 * strokes;
            canvas.blend(x, y, ink, density * opacity);
        }
    }
}

// A band of mist centred on y.
void paintMist(FloatCanvas& canvas, double centreY, double halfHeight, const Rgb& color, double strength, quint32 seed)
{
    const int y0 = std::max(0, int(centreY - 3 * halfHeight));
    const int y1 = std::min(canvas.height(), int(centreY + 3 * halfHeight));
    for (int y = y0; y < y1; ++y) {
        const double d = (y - centreY) / halfHeight;
        const double band = std::exp(-d * d);
        for (int x = 0; x < canvas.width(); ++x) {
            const double drift = fractalNoise(x / 420.0, y / 60.0, seed, 4);
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

void paintMoon(FloatCanvas& canvas, double cx, double cy, double radius)
{
    const Rgb glow = rgb(140, 150, 168);
    const Rgb face = rgb(192, 194, 186);
    for (int y = 0; y < canvas.height() / 2; ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double halo = 0.13 * std::exp(-std::pow(d / (radius * 3.0), 2)) + 0.05 * std::exp(-d / (radius * 6));
            canvas.blend(x, y, glow, halo);
            const double coverage = std::clamp(radius - d + 0.5, 0.0, 1.0);
            if (coverage > 0) {
                // Faint shadows on the face, so it reads as a moon and not a lamp.
                const double shade = fractalNoise(x / 34.0, y / 34.0, 91u, 2);
                const double rim = smoothstep(0.55, 1.0, d / radius);
                Rgb c = mix(face, rgb(150, 154, 152), smoothstep(0.4, 0.8, shade) * 0.35);
                c = mix(c, rgb(170, 174, 172), rim * 0.5);
                canvas.blend(x, y, c, coverage * 0.9);
            }
        }
    }
}

// Thin horizontal clouds drifting across the upper sky.
void paintClouds(FloatCanvas& canvas)
{
    const Rgb cloud = rgb(58, 66, 82);
    for (int y = 120; y < 420; ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double n = fractalNoise(x / 520.0, y / 22.0, 17u, 4);
            const double band = smoothstep(120, 200, y) * (1.0 - smoothstep(330, 420, y));
            canvas.blend(x, y, cloud, band * 0.55 * smoothstep(0.52, 0.78, n));
        }
    }
}

// The river in the valley: dark water with moonlight broken into short streaks.
void paintRiver(FloatCanvas& canvas, double moonX)
{
    const Rgb water = rgb(26, 32, 43);
    const Rgb light = rgb(170, 176, 182);
    Random random(4242u);
    for (int y = 720; y < canvas.height(); ++y) {
        const double alpha = smoothstep(720, 820, y) * (0.5 + 0.3 * (y - 720) / 330.0);
        for (int x = 0; x < canvas.width(); ++x)
            canvas.blend(x, y, water, alpha);
    }
    QImage streaks(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
    streaks.fill(Qt::transparent);
    QPainter painter(&streaks);
    painter.setRenderHint(QPainter::Antialiasing);
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
void paintSeal(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QImage seal(int(box.width()) + 2, int(box.height()) + 2, QImage::Format_ARGB32_Premultiplied);
    seal.fill(Qt::transparent);
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
    painter.setOpacity(0.62);
    painter.drawImage(box.topLeft() - QPointF(1, 1), seal);
    painter.restore();
}

// Soft paper grain and a vignette that darkens the corners.
void finishPaper(FloatCanvas& canvas)
{
    const double cx = canvas.width() / 2.0;
    const double cy = canvas.height() / 2.0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const double grain = fractalNoise(x / 60.0, y / 60.0, 555u, 3) - 0.5;
            const double fibres = fractalNoise(x / 3.0, y / 160.0, 556u, 2) - 0.5;
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

QImage renderBackground()
{
    const int width = 1680;
    const int height = 1050;
    FloatCanvas canvas(width, height);
    const double moonX = 1130;

    paintSky(canvas);
    paintMoon(canvas, moonX, 215, 58);
    paintClouds(canvas);

    const Rgb mist = rgb(66, 76, 94);
    // Far to near: each range lower, darker and more solid than the one behind it.
    paintRange(canvas, makeRange(11u, 560, 120, 250, 90, 210, 11, 10, width), rgb(52, 61, 78), 0.75, 90, 0.05);
    paintMist(canvas, 540, 55, mist, 0.55, 21u);
    paintRange(canvas, makeRange(12u, 640, 110, 230, 110, 240, 8, 12, width), rgb(38, 46, 60), 0.85, 80, 0.08);
    paintMist(canvas, 620, 50, mist, 0.5, 22u);
    paintRange(canvas, makeRange(13u, 730, 90, 200, 130, 280, 7, 14, width), rgb(26, 32, 43), 0.92, 70, 0.12);
    paintMist(canvas, 720, 45, mist, 0.45, 23u);
    paintRiver(canvas, moonX);

    // Foreground banks on both sides of the river.
    Range left;
    left.foot = 1130;
    left.roughness = 10;
    left.seed = 31u;
    left.peaks =
        std::vector<Range::Peak>{{720, 190, 280, 320, 2.0}, {400, 320, 420, 500, 3.0}, {40, 420, 560, 560, 2.5}};
    paintRange(canvas, left, rgb(12, 15, 20), 1.0, 60, 0.55);
    Range right;
    right.foot = 1110;
    right.roughness = 9;
    right.seed = 32u;
    right.peaks = std::vector<Range::Peak>{{1460, 260, 260, 340, 3.0}, {1720, 420, 520, 480, 2.5}};
    paintRange(canvas, right, rgb(14, 17, 23), 1.0, 60, 0.55);

    QImage overlay(width, height, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    {
        QPainter painter(&overlay);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor ink(8, 10, 14);
        struct Pine
        {
            double x, height, lean;
            quint32 seed;
        };
        for (const Pine& pine : {Pine{230, 120, 0.18, 5u}, Pine{300, 88, -0.1, 6u}, Pine{520, 70, 0.22, 7u}})
            paintPine(painter, QPointF(pine.x, left.ridge(pine.x) + 6), pine.height, pine.lean, pine.seed, ink);
        paintSeal(painter, QRectF(64, 872, 60, 60));
    }
    canvas.composite(overlay);

    finishPaper(canvas);
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

// Folder with a magnifier in front: choose the game directory.
void paintFolderGlyph(QPainter& painter, const ButtonLook& look, const QColor& discBehind)
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
    painter.setBrush(discBehind);
    painter.drawEllipse(lens, 9.5, 9.5);
    paintMagnifier(painter, lens, 6.5, stroke, look.accent, 5.5);
}

QImage renderSideButton(const ButtonLook& look, const std::function<void(QPainter&)>& glyph)
{
    QImage image = transparentCanvas(64);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDisc(painter, 64, look, 2.0);
    glyph(painter);
    return image;
}

QImage renderTitleButton(const ButtonLook& look, const std::function<void(QPainter&)>& glyph)
{
    QImage image = transparentCanvas(32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintDisc(painter, 32, look, 1.5);
    painter.setPen(glyphPen(look.glyph, 2.0));
    painter.setBrush(Qt::NoBrush);
    glyph(painter);
    return image;
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

QImage renderCheckBox(CheckState state, bool enabled)
{
    QImage image = transparentCanvas(20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
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
    return image;
}

QImage renderRadio(bool checked, bool enabled)
{
    QImage image = transparentCanvas(20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
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
    return image;
}

// A chevron pointing in the given direction (0 up, 1 right, 2 down, 3 left).
QImage renderChevron(int direction, const QColor& color, qreal halfWidth, qreal stroke)
{
    QImage image = transparentCanvas(20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(10, 10);
    painter.rotate(90.0 * direction);
    painter.setPen(glyphPen(color, stroke));
    QPainterPath path;
    path.moveTo(-halfWidth, halfWidth / 2);
    path.lineTo(0, -halfWidth / 2);
    path.lineTo(halfWidth, halfWidth / 2);
    painter.drawPath(path);
    return image;
}

// A filled triangle for tree branches (1 pointing right: closed, 2 pointing down: open).
QImage renderBranch(int direction)
{
    QImage image = transparentCanvas(20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(10, 10);
    painter.rotate(90.0 * direction);
    painter.setPen(glyphPen(kMark, 1.0));
    painter.setBrush(kMark);
    QPolygonF triangle;
    triangle << QPointF(-4, 2.3) << QPointF(0, -2.3) << QPointF(4, 2.3);
    painter.drawPolygon(triangle);
    return image;
}

QImage renderSearchMark()
{
    QImage image = transparentCanvas(20);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintMagnifier(painter, QPointF(8.5, 8.5), 4.8, 1.6, kMark, 4.2);
    return image;
}

bool renderAll(const QString& root, QTextStream& log)
{
    QDir dir(root);
    if (!dir.mkpath("res") || !dir.mkpath("qss/psblack")) {
        log << "cannot create the folders under " << root << '\n';
        return false;
    }
    const QString res = dir.filePath("res/");
    const QString qss = dir.filePath("qss/psblack/");
    bool ok = true;

    ok &= savePng(renderBackground(), res + "backgroud.png", log);

    auto scroll = [](const ButtonLook& look) {
        return [look](QPainter& p) {
            paintScrollGlyph(p, look);
        };
    };
    auto save = [](const ButtonLook& look) {
        return [look](QPainter& p) {
            paintSaveGlyph(p, look);
        };
    };
    auto folder = [](const ButtonLook& look) {
        return [look](QPainter& p) {
            // The lens hides the folder behind it with the body colour at its height.
            const QColor behind((look.top.red() + look.bottom.red()) / 2, (look.top.green() + look.bottom.green()) / 2,
                                (look.top.blue() + look.bottom.blue()) / 2);
            paintFolderGlyph(p, look, behind);
        };
    };
    ok &= savePng(renderSideButton(normalLook(), scroll(normalLook())), res + "setting.png", log);
    ok &= savePng(renderSideButton(hoverLook(), scroll(hoverLook())), res + "setting_hover.png", log);
    ok &= savePng(renderSideButton(normalLook(), save(normalLook())), res + "save.png", log);
    ok &= savePng(renderSideButton(hoverLook(), save(hoverLook())), res + "save_hover.png", log);
    ok &= savePng(renderSideButton(normalLook(), folder(normalLook())), res + "search.png", log);
    ok &= savePng(renderSideButton(hoverLook(), folder(hoverLook())), res + "search_hover.png", log);

    ok &=
        savePng(renderTitleButton(normalLook(), [](QPainter& p) { p.drawLine(QPointF(10.5, 16), QPointF(21.5, 16)); }),
                res + "min.png", log);
    ok &= savePng(renderTitleButton(normalLook(),
                                    [](QPainter& p) {
                                        p.drawRect(QRectF(10.5, 13.5, 8, 8));
                                        QPainterPath back;
                                        back.moveTo(13.5, 10.5);
                                        back.lineTo(21.5, 10.5);
                                        back.lineTo(21.5, 18.5);
                                        p.drawPath(back);
                                    }),
                  res + "nomal.png", log);
    ok &= savePng(renderTitleButton(normalLook(), [](QPainter& p) { p.drawRect(QRectF(11, 11, 10, 10)); }),
                  res + "max.png", log);
    ok &= savePng(renderTitleButton(quitLook(),
                                    [](QPainter& p) {
                                        p.drawLine(QPointF(11.5, 11.5), QPointF(20.5, 20.5));
                                        p.drawLine(QPointF(20.5, 11.5), QPointF(11.5, 20.5));
                                    }),
                  res + "quit.png", log);

    {
        QImage icon = transparentCanvas(24);
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        paintMagnifier(painter, QPointF(10.5, 10.5), 5.5, 2.0, kGlyph, 5.0);
        painter.end();
        ok &= savePng(icon, res + "seach-btn.png", log);
    }

    ok &= savePng(renderCheckBox(CheckState::Unchecked, true), qss + "checkbox_unchecked.png", log);
    ok &= savePng(renderCheckBox(CheckState::Checked, true), qss + "checkbox_checked.png", log);
    ok &= savePng(renderCheckBox(CheckState::Partial, true), qss + "checkbox_parcial.png", log);
    ok &= savePng(renderCheckBox(CheckState::Unchecked, false), qss + "checkbox_unchecked_disable.png", log);
    ok &= savePng(renderCheckBox(CheckState::Checked, false), qss + "checkbox_checked_disable.png", log);
    ok &= savePng(renderCheckBox(CheckState::Partial, false), qss + "checkbox_parcial_disable.png", log);
    ok &= savePng(renderRadio(false, true), qss + "radiobutton_unchecked.png", log);
    ok &= savePng(renderRadio(true, true), qss + "radiobutton_checked.png", log);
    ok &= savePng(renderRadio(false, false), qss + "radiobutton_unchecked_disable.png", log);
    ok &= savePng(renderRadio(true, false), qss + "radiobutton_checked_disable.png", log);
    ok &= savePng(renderBranch(1), qss + "branch_close.png", log);
    ok &= savePng(renderBranch(2), qss + "branch_open.png", log);
    ok &= savePng(renderChevron(0, kMark, 4.0, 1.6), qss + "arrow_up.png", log);
    ok &= savePng(renderChevron(1, kMark, 4.0, 1.6), qss + "arrow_right.png", log);
    ok &= savePng(renderChevron(2, kMark, 4.0, 1.6), qss + "arrow_down.png", log);
    ok &= savePng(renderChevron(3, kMark, 4.0, 1.6), qss + "arrow_left.png", log);
    ok &= savePng(renderChevron(0, kMarkDisabled, 4.0, 1.6), qss + "arrow_up_disable.png", log);
    ok &= savePng(renderChevron(2, kMarkDisabled, 4.0, 1.6), qss + "arrow_down_disable.png", log);
    ok &= savePng(renderChevron(3, kMark, 5.0, 2.0), qss + "calendar_prevmonth.png", log);
    ok &= savePng(renderChevron(1, kMark, 5.0, 2.0), qss + "calendar_nextmonth.png", log);
    ok &= savePng(renderSearchMark(), qss + "search.png", log);
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
