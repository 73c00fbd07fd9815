#include "cli/DemoPictures.h"

#include "text/LineFile.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vardex::DemoSite {

namespace {

struct Rgb
{
    double r, g, b;
};

Rgb mix(const Rgb &a, const Rgb &b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A picture drawn with soft edges, written as an uncompressed 24-bit BMP
// (the program reads its pictures with Qt, which needs nothing more; the
// core has no painting library, so the pictures are drawn here).
class Canvas
{
public:
    Canvas(int width, int height) : m_w(width), m_h(height), m_px(size_t(width * height)) {}

    void gradient(const Rgb &top, const Rgb &bottom)
    {
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                m_px[size_t(y * m_w + x)] = mix(top, bottom, double(y) / (m_h - 1));
    }

    // Everything is a shape given by its signed distance: inside < 0.
    template <typename Distance> void fill(const Rgb &colour, Distance distance)
    {
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x) {
                const double cover = std::clamp(0.5 - distance(x + 0.5, y + 0.5), 0.0, 1.0);
                if (cover > 0)
                    m_px[size_t(y * m_w + x)] = mix(m_px[size_t(y * m_w + x)], colour, cover);
            }
    }

    void disc(double cx, double cy, double r, const Rgb &c)
    {
        fill(c, [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; });
    }

    void roundedRect(double x0, double y0, double x1, double y1, double radius, const Rgb &c)
    {
        fill(c, [=](double x, double y) {
            const double dx = std::max({x0 + radius - x, 0.0, x - (x1 - radius)});
            const double dy = std::max({y0 + radius - y, 0.0, y - (y1 - radius)});
            return std::hypot(dx, dy) - radius;
        });
    }

    void line(double ax, double ay, double bx, double by, double width, const Rgb &c)
    {
        fill(c, [=](double x, double y) {
            const double vx = bx - ax, vy = by - ay;
            const double t =
                std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
            return std::hypot(x - (ax + t * vx), y - (ay + t * vy)) - width / 2;
        });
    }

    // Capital letters of a stroke font on a 4 × 6 grid, `unit` pixels a step.
    void text(const char *letters, double x, double y, double unit, double width, const Rgb &c)
    {
        for (const char *l = letters; *l; ++l, x += 6 * unit)
            for (const Stroke &s : strokes(*l))
                line(x + s.ax * unit, y + s.ay * unit, x + s.bx * unit, y + s.by * unit, width, c);
    }

    QByteArray bmp() const
    {
        const int row = (3 * m_w + 3) & ~3;
        const quint32 image = quint32(row * m_h);
        QByteArray out;
        auto u16 = [&](quint32 v) { out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); };
        auto u32 = [&](quint32 v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        out.append("BM");
        u32(54 + image);
        u32(0);
        u32(54);
        u32(40);
        u32(quint32(m_w));
        u32(quint32(m_h));
        u16(1);
        u16(24);
        for (quint32 v : {0u, image, 2835u, 2835u, 0u, 0u})
            u32(v);
        for (int y = m_h - 1; y >= 0; --y) { // bottom row first
            for (int x = 0; x < m_w; ++x) {
                const Rgb &p = m_px[size_t(y * m_w + x)];
                for (double v : {p.b, p.g, p.r})
                    out.append(char(std::lround(std::clamp(v, 0.0, 255.0))));
            }
            out.append(QByteArray(row - 3 * m_w, '\0'));
        }
        return out;
    }

private:
    struct Stroke
    {
        double ax, ay, bx, by;
    };
    static std::vector<Stroke> strokes(char letter)
    {
        switch (letter) {
        case 'V':
            return {{0, 0, 2, 6}, {2, 6, 4, 0}};
        case 'A':
            return {{0, 6, 2, 0}, {2, 0, 4, 6}, {1, 3.6, 3, 3.6}};
        case 'R':
            return {{0, 6, 0, 0}, {0, 0, 3, 0}, {3, 0, 4, 1},  {4, 1, 4, 2},
                    {4, 2, 3, 3}, {3, 3, 0, 3}, {1.6, 3, 4, 6}};
        case 'D':
            return {{0, 0, 0, 6},     {0, 0, 2.5, 0},   {2.5, 0, 4, 1.5},
                    {4, 1.5, 4, 4.5}, {4, 4.5, 2.5, 6}, {2.5, 6, 0, 6}};
        case 'E':
            return {{0, 0, 0, 6}, {0, 0, 4, 0}, {0, 3, 3, 3}, {0, 6, 4, 6}};
        case 'X':
            return {{0, 0, 4, 6}, {4, 0, 0, 6}};
        case 'K':
            return {{0, 0, 0, 6}, {4, 0, 0, 3.5}, {1.3, 2.4, 4, 6}};
        case '8':
            return {{0.3, 0, 3.7, 0}, {0, 0.3, 0, 6}, {4, 0.3, 4, 6}, {0, 3, 4, 3}, {0, 6, 4, 6}};
        case '-':
            return {{1, 3, 3, 3}};
        default:
            return {};
        }
    }

    int m_w, m_h;
    std::vector<Rgb> m_px;
};

const Rgb kWhite{255, 255, 255};

// The start picture: a contact key over the program's name.
QByteArray logo()
{
    Canvas c(360, 240);
    c.gradient({11, 60, 93}, {29, 120, 116});
    c.disc(132, 78, 40, {236, 240, 241});
    c.disc(132, 78, 20, {20, 88, 103});
    c.line(168, 78, 262, 78, 16, {236, 240, 241});
    c.line(236, 78, 236, 102, 12, {236, 240, 241});
    c.line(256, 78, 256, 98, 12, {236, 240, 241});
    c.text("VARDEX", 46, 150, 8, 6, kWhite);
    return c.bmp();
}

// The photograph of the hardware: a KVR-8 terminal with its display, the
// contact-key reader and two lamps.
QByteArray photo()
{
    Canvas c(320, 240);
    c.gradient({217, 221, 225}, {168, 175, 182});
    c.roundedRect(48, 22, 272, 222, 18, {40, 44, 48});
    c.roundedRect(56, 30, 264, 214, 13, {62, 68, 74});
    c.roundedRect(78, 48, 242, 96, 6, {24, 52, 40});
    c.text("KVR-8", 104, 60, 4.5, 3, {124, 252, 154});
    c.disc(160, 152, 30, {176, 182, 187});
    c.disc(160, 152, 19, {34, 34, 34});
    c.disc(222, 134, 7, {46, 204, 64});
    c.disc(222, 166, 7, {255, 65, 54});
    return c.bmp();
}

} // namespace

Result<void> writePictures(const QString &dir)
{
    for (const auto &[name, bytes] :
         {std::pair{QStringLiteral("logo.bmp"), logo()}, {QStringLiteral("foto.bmp"), photo()}}) {
        const FileWritten written = writeWholeFile(QDir(dir).filePath(name), bytes);
        if (!written.ok)
            return Failure{written.error};
    }
    return {};
}

} // namespace vardex::DemoSite
