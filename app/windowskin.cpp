#include "windowskin.h"

#include "app/tickboxstyle.h"
#include "controls/imgbtn.h"
#include "controls/transparentbitmap.h"

#include <QEvent>
#include <QString>
#include <QHeaderView>
#include <QPainter>
#include <QPaintEvent>
#include <QTreeView>

#include <iterator>

namespace folivex::app {

namespace {

// The header's paint step: sections in the header colour inside a black
// outline, captions, dividers and the sort mark drawn as the style draws them.
void recolourHeader(QHeaderView *header, const QColor &colour)
{
    const QString rgb = QString("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    header->setStyleSheet(QString("QHeaderView { background: %1; border: 1px solid black; }"
                                  "QHeaderView::section { background: %1; border: none;"
                                  " border-right: 1px solid palette(mid); padding-left: 4px; padding-right: 4px; }")
                              .arg(rgb));
}

// Paints the background picture under each repainted area of the list.
class ListBackgroundSkin : public QObject {
public:
    ListBackgroundSkin(QTreeView *list, const QImage &background) : QObject(list), list_(list), background_(background)
    {
        QWidget *viewport = list->viewport();
        viewport->setAutoFillBackground(false);
        // Rows and texts get no background of their own.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, Qt::transparent);
        list->setPalette(palette);
        list->setAlternatingRowColors(false);
        // Styles fill tick boxes with the base colour, gone now. The list
        // keeps its style for its life; it does not own it.
        auto *style = new TickBoxStyle;
        style->setParent(list);
        list->setStyle(style);
        viewport->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            QPainter painter(list_->viewport());
            const QRect area = static_cast<QPaintEvent *>(event)->rect();
            painter.drawImage(area, background_);
        }
        return false; // the list's own drawing goes on over the picture
    }

private:
    QTreeView *list_;
    QImage background_;
};

} // namespace

QRegion RoundedWindowRegion(int width, int height)
{
    // A rounded-rectangle region built to (width + 1, height + 1) leaves out
    // its right and bottom edges, so it covers the window exactly. Each
    // corner's 6 x 6 ellipse leaves out 2 pixels of the outermost row and 1
    // of the next; the cuts are mirrored, so all four corners look alike.
    constexpr int kCornerCuts[] = {2, 1};
    QRegion region(0, 0, width, height);
    for (int row = 0; row < int(std::size(kCornerCuts)); ++row) {
        const int cut = kCornerCuts[row];
        for (const int y : {row, height - 1 - row}) {
            region -= QRect(0, y, cut, 1);
            region -= QRect(width - cut, y, cut, 1);
        }
    }
    return region;
}

QImage BuildTitleStrip(const QImage &source, int width, int edge, int height)
{
    QImage strip(width, kTitleStripHeight, QImage::Format_RGB888);
    strip.fill(Qt::black);
    QPainter painter(&strip);
    painter.drawImage(QPoint(0, 0), source, QRect(0, 0, edge, height));
    painter.drawImage(QRect(edge, 0, width - 2 * edge, height), source, QRect(edge, 0, 1, height));
    painter.drawImage(QPoint(width - edge, 0), source, QRect(source.width() - edge, 0, edge, height));
    return strip;
}

void LoadCaptionButtonPictures(controls::TImgBtn &button, const QImage &sheet, int cellWidth, int cellHeight, int x,
                               int y)
{
    const QImage normal = controls::TransparentBitmap(sheet.copy(x, y, cellWidth, cellHeight));
    button.SetPic(normal);
    button.SetPicture(normal);
    button.SetPicUp(controls::TransparentBitmap(sheet.copy(x, y + cellHeight, cellWidth, cellHeight)));
    button.SetPicDown(controls::TransparentBitmap(sheet.copy(x, y + 2 * cellHeight, cellWidth, cellHeight)));
}

void DrawIconAndCaption(QImage &strip, const QImage &icon, const QString &caption, bool atCreation)
{
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(10, 5, 16, 16), icon);
    QFont font("MS Sans Serif");
    font.setPointSize(atCreation ? 12 : 8);
    font.setBold(atCreation);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect box(QPoint(34, 2), QPoint((atCreation ? 234 : 134) - 1, strip.height() - 1));
    painter.setClipRect(box);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
}

void SkinListHeader(QTreeView &list, const QColor &colour)
{
    recolourHeader(list.header(), colour);
}

void SkinListBackground(QTreeView &list, const QImage &background)
{
    new ListBackgroundSkin(&list, background);
}

} // namespace folivex::app
