// artwork-sheet OUT.png [MOCKUP.png]: paints every picture of the artwork library,
// enlarged, onto one contact sheet, with a mock-up of the window's frame
// at its real size, so the pictures can be looked at together. MOCKUP.png,
// when given, gets the mock-up alone, twice enlarged.
#include "artwork/appicon.h"
#include "artwork/skin.h"
#include "artwork/toolbarpictures.h"
#include "core/version.h"

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

using namespace folivex::artwork;

namespace {

QImage Keyed(const QImage &cell)
{
    QImage image = cell.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, 0);
    return image;
}

QImage Enlarged(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void Caption(QPainter &p, int x, int y, const QString &text)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(QColor(40, 40, 40));
    p.drawText(x, y, text);
}

// The frame as the window builds it: the strip cut and stretched, the
// caption buttons (one pointer-over, one pressed), icon and caption, the
// toolbar with its pictures, a little of the list, the status strip.
QImage MockWindow(int width, bool maximised)
{
    const int height = 250;
    QImage window(width, height, QImage::Format_RGB32);
    window.fill(QColor(240, 240, 240));
    QPainter p(&window);
    const QImage source = TitleStripSource();
    p.drawImage(QRect(0, 0, 200, 35), source, QRect(0, 0, 200, 35));
    p.drawImage(QRect(200, 0, width - 400, 35), source, QRect(200, 0, 1, 35));
    p.drawImage(QRect(width - 200, 0, 200, 35), source, QRect(599, 0, 200, 35));
    p.fillRect(QRect(0, 33, width, 2), QColor(240, 240, 240));

    const QImage sheet = CaptionButtonSheet();
    const int columns[] = {0, maximised ? 76 : 25, 50};
    const int rows[] = {0, 31, 62};
    const int offsets[] = {87, 62, 37};
    for (int i = 0; i < 3; ++i)
        p.drawImage(width - offsets[i], 3, Keyed(sheet.copy(columns[i], rows[maximised ? 0 : i], 25, 31)));
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QRect(10, 5, 16, 16), AppIcon(16));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(34, 2, 200, 31), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QStringLiteral("Folivex " FOLIVEX_VERSION_MAJOR_MINOR));

    const QImage left = LeftEdge(), right = RightEdge();
    p.drawImage(QRect(0, 33, 4, height - 63), left);
    p.drawImage(QRect(width - 4, 33, 4, height - 63), right);
    p.drawImage(QRect(4, 33, width - 8, 73), ToolbarBackground());
    struct Button {
        ToolbarButton which;
        int left, width;
        const char *caption;
    };
    const Button buttons[] = {
        {ToolbarButton::Add, 0, 49, "Add"},           {ToolbarButton::Adds, 48, 49, "Adds"},
        {ToolbarButton::Remove, 96, 49, "Remove"},    {ToolbarButton::Removes, 144, 65, "Removes"},
        {ToolbarButton::Check, 208, 49, "Check"},     {ToolbarButton::Setting, 264, 49, "Setting"},
        {ToolbarButton::Convert, 312, 57, "Convert"}, {ToolbarButton::Stop, 368, 49, "Stop"},
        {ToolbarButton::Help, 424, 49, "Help"},       {ToolbarButton::Home, 472, 49, "Home"},
    };
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    p.setFont(arial);
    for (const Button &b : buttons) {
        const int x = 4 + b.left;
        p.drawImage(x + (b.width - 32) / 2, 33 + 8 + 4, ToolbarPicture(b.which));
        p.drawText(QRect(x, 33 + 8 + 38, b.width, 16), Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(b.caption));
    }
    for (int x : {260, 420})
        p.fillRect(QRect(4 + x, 33 + 16, 1, 35), QColor(10, 40, 24));
    p.drawImage(QRect(4, 106, width - 8, height - 106 - 30), ListBackground());
    p.fillRect(QRect(4, 106, width - 8, 20), QColor(220, 230, 244));
    p.setPen(Qt::black);
    p.drawRect(QRect(4, 106, width - 9, 19));
    p.drawImage(QRect(0, height - 30, width, 30), StatusStrip());
    return window;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: artwork-sheet OUT.png [MOCKUP.png]\n");
        return 2;
    }

    QImage sheet(1560, 1460, QImage::Format_RGB32);
    sheet.fill(QColor(200, 204, 200));
    QPainter p(&sheet);
    int y = 24;
    Caption(p, 20, y, "Window mock-up, 724 wide: pointer over maximise, close pressed; then maximised, 900 wide");
    p.drawImage(20, y + 8, MockWindow(724, false));
    p.drawImage(760, y + 8, MockWindow(780, true).copy(0, 0, 780, 250));
    y += 280;

    Caption(p, 20, y, "Title strip source 799 x 37 (1x), and its right end x 4");
    p.drawImage(20, y + 8, TitleStripSource());
    p.drawImage(840, y + 8, Enlarged(TitleStripSource().copy(599, 0, 200, 37), 3));
    y += 130;

    Caption(p, 20, y, "Caption button sheet 101 x 93, x 5 (key colour visible), and keyed on the strip");
    p.drawImage(20, y + 8, Enlarged(CaptionButtonSheet(), 5));
    {
        QImage onStrip = TitleStripSource().copy(599, 0, 120, 96);
        QPainter q(&onStrip);
        const QImage strip = TitleStripSource();
        for (int row = 0; row < 3; ++row) {
            q.drawImage(QRect(0, row * 32, 120, 32), strip, QRect(599, 0, 120, 32));
            for (int c = 0; c < 4; ++c) {
                const int cx = c == 3 ? 76 : c * 25;
                q.drawImage(5 + c * 27, row * 32, Keyed(CaptionButtonSheet().copy(cx, row * 31, 25, 31)));
            }
        }
        q.end();
        p.drawImage(560, y + 8, Enlarged(onStrip, 4));
    }
    y += 480;

    Caption(p, 20, y,
            "Toolbar pictures on the toolbar background, x 3; edges x 10; list background x 4; icon 256, 48, 16 (x 4)");
    {
        QImage bar(10 * 40 + 8, 44, QImage::Format_RGB32);
        QPainter q(&bar);
        q.drawImage(bar.rect(), ToolbarBackground());
        for (int i = 0; i < 10; ++i)
            q.drawImage(6 + i * 40, 6, ToolbarPicture(static_cast<ToolbarButton>(i)));
        q.end();
        p.drawImage(20, y + 8, Enlarged(bar, 3));
        QImage light(10 * 40 + 8, 44, QImage::Format_RGB32);
        light.fill(QColor(240, 240, 240));
        QPainter r(&light);
        for (int i = 0; i < 10; ++i)
            r.drawImage(6 + i * 40, 6, ToolbarPicture(static_cast<ToolbarButton>(i)));
        r.end();
        p.drawImage(20, y + 150, Enlarged(light, 3));
    }
    p.drawImage(20, y + 300, Enlarged(LeftEdge(), 10));
    p.drawImage(70, y + 300, Enlarged(RightEdge(), 10));
    p.drawImage(130, y + 300, Enlarged(ListBackground(), 4));
    p.drawImage(240, y + 300, QImage(StatusStrip()).scaled(700, 30));
    p.drawImage(240, y + 340, ToolbarBackground());
    p.drawImage(1280, y + 8, AppIcon(256));
    p.drawImage(1280, y + 280, AppIcon(48));
    p.drawImage(1340, y + 280, Enlarged(AppIcon(16), 4));
    p.drawImage(1420, y + 280, AppIcon(16));
    p.end();

    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "artwork-sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    if (argc == 3 && !Enlarged(MockWindow(724, false), 2).save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "artwork-sheet: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
