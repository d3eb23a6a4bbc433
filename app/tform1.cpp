#include "tform1.h"

#include <algorithm>

#include "app/helppage.h"
#include "app/resizegrip.h"
#include "app/statuslabel.h"
#include "app/windowskin.h"
#include "artwork/skin.h"
#include "controls/imgbtn.h"
#include "artwork/appicon.h"
#include "artwork/toolbarpictures.h"
#include "core/error.h"
#include "core/resolution.h"
#include "doclist/documentlist.h"
#include "platform/automation.h"
#include "settings/settingsdialog.h"
#include "ui/desktop.h"
#include "ui/messagebox.h"

#include <QApplication>

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QToolButton>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace folivex::app {

namespace {

constexpr int kClientWidth = 724;
constexpr int kClientHeight = 534;
constexpr int kTitleHeight = 33;
constexpr int kEdgeWidth = 4;
constexpr int kStatusHeight = 30;
constexpr int kToolbarHeight = 73;
constexpr int kProgressHeight = 17;
constexpr int kMinimumWidth = 540;  // the toolbar's buttons and the caption buttons
constexpr int kMinimumHeight = 240; // title, toolbar, a few rows, the bar and the status strip
constexpr int kGripWidth = 4;       // the sizing strip along each edge
constexpr int kGripCorner = 12;     // and the square of each corner
constexpr int kManagerGrace = 300;  // ms a window manager has to size a maximised window

struct ToolbarButton {
    QToolButton *TForm1::*button;
    const char *name;
    int left, width;
    const char *caption, *hint;
    void (TForm1::*click)();
    artwork::ToolbarButton picture;
};

// The toolbar from left to right; separators have no caption and no handler.
const ToolbarButton kToolbar[] = {
    {&TForm1::SpeedButton3, "SpeedButton3", 0, 49, "Add", "Add File", &TForm1::SpeedButton3Click,
     artwork::ToolbarButton::Add},
    {&TForm1::SpeedButton4, "SpeedButton4", 48, 49, "Adds", "Add Folder", &TForm1::SpeedButton4Click,
     artwork::ToolbarButton::Adds},
    {&TForm1::SpeedButton20, "SpeedButton20", 96, 49, "Remove", "Remove Selected", &TForm1::SpeedButton20Click,
     artwork::ToolbarButton::Remove},
    {&TForm1::SpeedButton5, "SpeedButton5", 144, 65, "Removes", "Remove All", &TForm1::SpeedButton5Click,
     artwork::ToolbarButton::Removes},
    {&TForm1::SpeedButton6, "SpeedButton6", 208, 49, "Check", "Select All", &TForm1::SpeedButton6Click,
     artwork::ToolbarButton::Check},
    {&TForm1::SpeedButton18, "SpeedButton18", 260, 1, nullptr, nullptr, nullptr, {}},
    {&TForm1::SpeedButton10, "SpeedButton10", 264, 49, "Setting", "Setting", &TForm1::SpeedButton10Click,
     artwork::ToolbarButton::Setting},
    {&TForm1::SpeedButton11, "SpeedButton11", 312, 57, "Convert", "Convert", &TForm1::SpeedButton11Click,
     artwork::ToolbarButton::Convert},
    {&TForm1::SpeedButton1, "SpeedButton1", 368, 49, "Stop", "Stop conversion", &TForm1::SpeedButton1Click,
     artwork::ToolbarButton::Stop},
    {&TForm1::SpeedButton17, "SpeedButton17", 420, 1, nullptr, nullptr, nullptr, {}},
    {&TForm1::SpeedButton13, "SpeedButton13", 424, 49, "Help", "Help", &TForm1::SpeedButton13Click,
     artwork::ToolbarButton::Help},
    {&TForm1::SpeedButton14, "SpeedButton14", 472, 49, "Home", "Homepage", &TForm1::SpeedButton14Click,
     artwork::ToolbarButton::Home},
};

// An image control showing `picture`, stretched over its place when `stretch`.
QLabel *pictureLabel(QWidget *parent, const char *name, const QImage &picture, bool stretch = true)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setScaledContents(stretch);
    label->setPixmap(QPixmap::fromImage(picture));
    return label;
}

constexpr int kCaptionCellWidth = 25;
constexpr int kCaptionCellHeight = 31;
constexpr int kMinimiseColumn = 0, kMaximiseColumn = 25, kCloseColumn = 50, kRestoreColumn = 76;

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QPixmap::fromImage(artwork::AppIcon(256))));
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);

    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    resize(kClientWidth, kClientHeight);
    // Resized by its edges, the window keeps its toolbar and a few rows whole.
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    move(305, 121);
    StartSystemMove = [this] {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
    };

    createFrame();
    createToolbar();
    createList();
    createStatus();
    createContextMenu();
    createGrips();
    layoutComponents();

    applySkin();
    placeStatusLabel();
    SkinListHeader(*ListView1, kHeaderColour);
    SkinListBackground(*ListView1, ImageBk->pixmap().toImage());
    ProgressBar1->hide();
    converter_ = std::make_unique<convert::BatchConverter>(*this);
    // The native window is made now, so its state is followed from the start.
    create();
    connect(windowHandle(), &QWindow::windowStateChanged, this, &TForm1::followWindowState);
    fitOnScreen();
    // The list has the keyboard when the window opens (Delete, Space).
    ListView1->setFocus();
    // Keys of a desktop program: Ctrl+O adds files, F1 opens the help.
    auto *open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, &TForm1::SpeedButton3Click);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TForm1::SpeedButton13Click);
    // An Automation call that waits for its Office host keeps the window alive.
    automation::SetMessagePump([] { QCoreApplication::processEvents(); });
}

TForm1::~TForm1()
{
    automation::SetMessagePump({});
}

void TForm1::createFrame()
{
    Image1 = pictureLabel(this, "Image1", QImage(), false);
    Image1->installEventFilter(this);
    const std::pair<controls::TImgBtn **, const char *> captionButtons[] = {
        {&ImgBtnMin, "ImgBtnMin"}, {&ImgBtnMax, "ImgBtnMax"}, {&ImgBtnClose, "ImgBtnClose"}};
    for (auto [button, name] : captionButtons) {
        *button = new controls::TImgBtn(this);
        (*button)->setObjectName(name);
        (*button)->resize(kCaptionCellWidth, kCaptionCellHeight);
    }
    connect(ImgBtnMin, &controls::TImgBtn::clicked, this, &TForm1::ImgBtnMinClick);
    connect(ImgBtnMax, &controls::TImgBtn::clicked, this, &TForm1::ImgBtnMaxClick);
    connect(ImgBtnClose, &controls::TImgBtn::clicked, this, &TForm1::ImgBtnCloseClick);
    Image9 = pictureLabel(this, "Image9", artwork::LeftEdge());
    Image10 = pictureLabel(this, "Image10", artwork::RightEdge());
    PanelImage = new QWidget(this);
    PanelImage->setObjectName("PanelImage");
    ImageM = pictureLabel(PanelImage, "ImageM", artwork::CaptionButtonSheet(), false);
    ImageTop = pictureLabel(PanelImage, "ImageTop", artwork::TitleStripSource(), false);
    ImageBk = pictureLabel(PanelImage, "ImageBk", artwork::ListBackground(), false);
}

void TForm1::createToolbar()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Image3 = pictureLabel(Panel1, "Image3", artwork::ToolbarBackground());
    QFont caption("Arial");
    caption.setPixelSize(11);
    for (const ToolbarButton &entry : kToolbar) {
        auto *button = new QToolButton(Panel1);
        this->*entry.button = button;
        button->setObjectName(entry.name);
        button->setAutoRaise(true);
        button->setFont(caption);
        if (entry.caption) {
            button->setText(entry.caption);
            button->setToolTip(entry.hint);
            button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            button->setIconSize(QSize(32, 32));
            button->setIcon(QIcon(QPixmap::fromImage(artwork::ToolbarPicture(entry.picture, devicePixelRatioF()))));
            button->setGeometry(entry.left, 8, entry.width, 57);
            button->setCursor(Qt::PointingHandCursor);
            connect(button, &QToolButton::clicked, this, entry.click);
        } else {
            button->setEnabled(false);
            button->setGeometry(entry.left, 16, entry.width, 35);
        }
    }
    Panel1->setStyleSheet("QToolButton { color: white; border: 1px solid transparent; border-radius: 3px;"
                          " background: transparent; padding: 0px; }"
                          "QToolButton:hover { border-color: rgba(255, 255, 255, 110);"
                          " background: rgba(255, 255, 255, 28); }"
                          "QToolButton:pressed { background: rgba(0, 0, 0, 70); }"
                          "QToolButton:focus { border: 1px dotted white; }"
                          "QToolButton:disabled { background: rgba(255, 255, 255, 80); border: none; }");
}

void TForm1::createList()
{
    Panel2 = new QWidget(Panel1);
    Panel2->setObjectName("Panel2");
    auto *layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ListView1 = new doclist::DocumentList(Panel2);
    ListView1->setObjectName("ListView1");
    ProgressBar1 = new QProgressBar(Panel2);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedHeight(kProgressHeight);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    QPalette palette = ProgressBar1->palette();
    palette.setColor(QPalette::Highlight, QColor(0, 128, 0));
    ProgressBar1->setPalette(palette);
    layout->addWidget(ListView1);
    layout->addWidget(ProgressBar1);
    connect(ListView1, &doclist::DocumentList::addingStarted, this, [this] { SetStatusText({}); });
    // Told after the drop has ended, so the dragging program is not held.
    connect(ListView1, &doclist::DocumentList::dropRefused, this, &TForm1::reportRefusedDrop, Qt::QueuedConnection);
}

void TForm1::reportRefusedDrop(const QStringList &names)
{
    ShowMessage("Only Word, PowerPoint and Excel documents can be added; not added: " +
                    names.join(QStringLiteral(", ")).toStdString() + ".",
                "Warning");
}

void TForm1::createGrips()
{
    const Qt::Edges edges[] = {Qt::LeftEdge,
                               Qt::RightEdge,
                               Qt::TopEdge,
                               Qt::BottomEdge,
                               Qt::TopEdge | Qt::LeftEdge,
                               Qt::TopEdge | Qt::RightEdge,
                               Qt::BottomEdge | Qt::LeftEdge,
                               Qt::BottomEdge | Qt::RightEdge};
    for (Qt::Edges edge : edges)
        Grips.push_back(new ResizeGrip(edge, this));
}

// The grips lie over the frame's outer pixels, above everything but the
// caption buttons.
void TForm1::placeGrips()
{
    const int w = width(), h = height();
    for (ResizeGrip *grip : Grips) {
        const Qt::Edges e = grip->edges();
        const bool corner = (e & (Qt::LeftEdge | Qt::RightEdge)) && (e & (Qt::TopEdge | Qt::BottomEdge));
        QRect place;
        if (corner) {
            place = QRect(e & Qt::LeftEdge ? 0 : w - kGripCorner, e & Qt::TopEdge ? 0 : h - kGripCorner, kGripCorner,
                          kGripCorner);
        } else if (e & (Qt::LeftEdge | Qt::RightEdge)) {
            place = QRect(e & Qt::LeftEdge ? 0 : w - kGripWidth, kGripCorner, kGripWidth, h - 2 * kGripCorner);
        } else {
            place = QRect(kGripCorner, e & Qt::TopEdge ? 0 : h - kGripWidth, w - 2 * kGripCorner, kGripWidth);
        }
        grip->setGeometry(place);
        grip->setVisible(!maximised_);
        grip->raise();
    }
    for (QWidget *button : {ImgBtnMin, ImgBtnMax, ImgBtnClose})
        button->raise();
}

void TForm1::createStatus()
{
    Image2 = pictureLabel(this, "Image2", artwork::StatusStrip());
    Label1 = new StatusLabel(this);
    Label1->setObjectName("Label1");
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    font.setBold(true);
    Label1->setFont(font);
    Label1->setStyleSheet("color: yellow; background: transparent;");
    Label1->setAttribute(Qt::WA_TranslucentBackground);
}

void TForm1::createContextMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Remove1 = PopupMenu1->addAction("Remove", SpeedButton20, &QToolButton::click);
    RemoveAll1 = PopupMenu1->addAction("Remove All", SpeedButton5, &QToolButton::click);
    CheckAll1 = PopupMenu1->addAction("Check All", SpeedButton6, &QToolButton::click);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this, &TForm1::showListMenu);
}

void TForm1::showListMenu(const QPoint &position)
{
    PopupMenu1->popup(ListView1->viewport()->mapToGlobal(position));
}

void TForm1::layoutComponents()
{
    const int w = width(), h = height();
    Image1->setGeometry(0, 0, w, kTitleHeight);
    const int middle = h - kTitleHeight - kStatusHeight;
    Image9->setGeometry(0, kTitleHeight, kEdgeWidth, middle);
    Image10->setGeometry(w - kEdgeWidth, kTitleHeight, kEdgeWidth, middle);
    Image2->setGeometry(0, h - kStatusHeight, w, kStatusHeight);
    Panel1->setGeometry(kEdgeWidth, kTitleHeight, w - 2 * kEdgeWidth, middle);
    Image3->setGeometry(0, 0, Panel1->width(), kToolbarHeight);
    Image3->lower();
    Panel2->setGeometry(0, kToolbarHeight, Panel1->width(), Panel1->height() - kToolbarHeight);
    Label1->raise();
    placeGrips();
}

void TForm1::placeStatusLabel()
{
    Label1->adjustSize();
    Label1->move(Image2->x() + Panel1->width() / 2 - 10, Image2->y() + 6);
    // A text that would run past the strip's right edge is drawn shortened.
    const int room = Image2->geometry().right() + 1 - kEdgeWidth - Label1->x();
    if (Label1->width() > room)
        Label1->resize(std::max(room, 0), Label1->height());
}

void TForm1::applySkin()
{
    skinnedSize_ = size();
    setMask(RoundedWindowRegion(width(), height()));
    PanelImage->hide();
    paintTitleStrip(true);
    placeCaptionButtons();
    LoadCaptionButtonPictures(*ImgBtnMin, ImageM->pixmap().toImage(), kCaptionCellWidth, kCaptionCellHeight,
                              kMinimiseColumn, 0);
    LoadCaptionButtonPictures(*ImgBtnMax, ImageM->pixmap().toImage(), kCaptionCellWidth, kCaptionCellHeight,
                              kMaximiseColumn, 0);
    LoadCaptionButtonPictures(*ImgBtnClose, ImageM->pixmap().toImage(), kCaptionCellWidth, kCaptionCellHeight,
                              kCloseColumn, 0);
}

// The strip is built anew for the window's width, then the icon and the
// caption go on it: bold 12 point at creation, the canvas's 8 point after.
void TForm1::paintTitleStrip(bool atCreation)
{
    QImage strip = BuildTitleStrip(ImageTop->pixmap().toImage(), width());
    DrawIconAndCaption(strip, artwork::AppIcon(16), kCaption, atCreation);
    Image1->setPixmap(QPixmap::fromImage(strip));
}

void TForm1::placeCaptionButtons()
{
    ImgBtnMin->move(width() - 87, 3);
    ImgBtnMax->move(width() - 62, 3);
    ImgBtnClose->move(width() - 37, 3);
    for (QWidget *button : {ImgBtnMin, ImgBtnMax, ImgBtnClose})
        button->raise();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Qt also reports the size a window had all along when it is first
    // shown; only a change of size is a resize of the frame.
    if (!converter_ || event->size() == skinnedSize_)
        return;
    skinnedSize_ = event->size();
    layoutComponents();
    setMask(RoundedWindowRegion(width(), height()));
    paintTitleStrip(false);
    placeCaptionButtons();
    placeStatusLabel();
}

// A maximised window fills the screen's available area (the screen less the
// panels), in both directions. A window manager sizes it so itself, and a
// size asked for meanwhile could make it forget the maximised state; so the
// window sizes itself only when, a moment after the state changed, nobody
// has (there is no window manager).
void TForm1::applyMaximisedGeometry()
{
    QTimer::singleShot(kManagerGrace, this, [this] {
        if (!maximised_ || !screen())
            return;
        const QRect area = screen()->availableGeometry();
        if (geometry() != area)
            setGeometry(area);
    });
}

// The window opens wholly on its screen, whatever the screen's size and
// scale factor: moved in from the edges, and made smaller when it does not
// fit at all.
void TForm1::fitOnScreen()
{
    if (!screen())
        return;
    const QRect area = screen()->availableGeometry();
    QRect place(pos(), size().boundedTo(area.size()));
    if (place.right() > area.right())
        place.moveRight(area.right());
    if (place.bottom() > area.bottom())
        place.moveBottom(area.bottom());
    if (place.left() < area.left())
        place.moveLeft(area.left());
    if (place.top() < area.top())
        place.moveTop(area.top());
    if (place != geometry())
        setGeometry(place);
}

// The window follows its real state, whether the caption button, the title
// strip or the window manager (its menu, a shortcut) maximised or restored
// it: the state of the native window, which the window system reports.
// (The widget's own state will not do: Qt drops its maximised flag, without
// a word, when the height rule resizes the window, and then does not pass
// on a later restore.) Minimising keeps the state the window had.
void TForm1::followWindowState(Qt::WindowState state)
{
    if (state == Qt::WindowMinimized)
        return;
    const bool maximised = state == Qt::WindowMaximized;
    if (maximised == maximised_)
        return;
    maximised_ = maximised;
    // Maximised from outside: where the window was is what Qt noted last.
    if (maximised_ && !normalGeometry_.isValid())
        normalGeometry_ = normalGeometry();
    if (!maximised_)
        normalGeometry_ = QRect();
    showMaximiseButtonFor(maximised_);
    for (ResizeGrip *grip : Grips)
        grip->setVisible(!maximised_);
    applyMaximisedGeometry();
}

void TForm1::showMaximiseButtonFor(bool maximised)
{
    ImgBtnMax->raise();
    ImgBtnMax->move(width() - 62, 3);
    LoadCaptionButtonPictures(*ImgBtnMax, ImageM->pixmap().toImage(), kCaptionCellWidth, kCaptionCellHeight,
                              maximised ? kRestoreColumn : kMaximiseColumn, 0);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            dragStart_ = mouse->button() == Qt::LeftButton ? mouse->position().toPoint() : QPoint(-1, -1);
            return true;
        }
        // The window system's move takes the pointer over, so it starts once
        // the pointer moves with the left button held: a double click on the
        // strip still reaches the window.
        if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) && dragStart_.x() >= 0 &&
            (mouse->position().toPoint() - dragStart_).manhattanLength() >= QApplication::startDragDistance()) {
            dragStart_ = QPoint(-1, -1);
            Image1MouseDown(Qt::LeftButton);
            return true;
        }
        // Only the left button maximises and restores.
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (mouse->button() == Qt::LeftButton)
                Image1DblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::Image1MouseDown(Qt::MouseButton button)
{
    if (maximised_ || button != Qt::LeftButton)
        return;
    if (StartSystemMove)
        StartSystemMove();
}

void TForm1::Image1DblClick()
{
    ImgBtnMaxClick();
}

void TForm1::ImgBtnMinClick()
{
    // The whole program goes to the taskbar, not only this window.
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->showMinimized();
}

// The button's pictures follow the state change, which the switch reports
// before it returns.
void TForm1::ImgBtnMaxClick()
{
    if (!maximised_) {
        normalGeometry_ = geometry();
        showMaximized();
        return;
    }
    const QRect normal = normalGeometry_;
    showNormal();
    // The widget may have forgotten that it was maximised; the native window
    // has not.
    if (QWindow *window = windowHandle())
        window->showNormal();
    // Some window managers forget the maximised state once the height is
    // set; the size the window had comes back all the same.
    if (normal.isValid())
        setGeometry(normal);
}

void TForm1::ImgBtnCloseClick()
{
    close();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing in the middle of a batch ends it first: the document being
    // written is abandoned and its host ended; the window closes when the
    // batch has returned.
    if (converter_->running()) {
        closeAfterBatch_ = true;
        converter_->AbortBatch();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::AddPath(const QString &path)
{
    if (QFileInfo(path).isDir())
        ListView1->AddFolder(path);
    else
        ListView1->AddDocumentFile(path);
}

void TForm1::SpeedButton3Click()
{
    ListView1->AddFilesFromDialog();
}
void TForm1::SpeedButton4Click()
{
    ListView1->AddFolderFromPicker();
}
void TForm1::SpeedButton20Click()
{
    ListView1->RemoveSelected();
}
void TForm1::SpeedButton5Click()
{
    ListView1->RemoveAll();
}
void TForm1::SpeedButton6Click()
{
    ListView1->InvertTicks();
}

void TForm1::SpeedButton10Click()
{
    if (Form2)
        Form2->exec();
}

void TForm1::SpeedButton11Click()
{
    if (converter_->running())
        return;
    // The default output folder is made on first use; a folder the user
    // chose must exist.
    if (Form2 && Form2->OutputFolderText() == settings::DefaultOutputFolder())
        QDir().mkpath(settings::DefaultOutputFolder());
    batchResults_.clear();
    try {
        converter_->SpeedButton11Click();
    } catch (const Error &error) {
        ui::ShowErrorBox(this, QString::fromStdString(error.text()));
    } catch (const std::exception &error) {
        ui::ShowErrorBox(this, QString::fromStdString(error.what()));
    }
    if (closeAfterBatch_) {
        closeAfterBatch_ = false;
        close();
    }
}

void TForm1::SpeedButton1Click()
{
    converter_->SpeedButton1Click();
}

void TForm1::SpeedButton13Click()
{
    const QString page = FindHelpPage();
    if (!page.isEmpty())
        ui::OpenWithDesktop(QUrl::fromLocalFile(page));
}

void TForm1::SpeedButton14Click()
{
    ui::OpenWithDesktop(QUrl(QStringLiteral(FOLIVEX_HOME_URL)));
}

void TForm1::DocumentFinished(const convert::DocumentResult &result)
{
    batchResults_.push_back(result);
}

void TForm1::SetStatusText(const std::string &text)
{
    const QString shown = QString::fromStdString(text);
    Label1->setText(shown);
    Label1->setToolTip(shown);
    placeStatusLabel();
}

void TForm1::RepaintStatus()
{
    Label1->repaint();
}
void TForm1::RepaintWindow()
{
    repaint();
}
void TForm1::SetProgressVisible(bool visible)
{
    ProgressBar1->setVisible(visible);
}

void TForm1::SetProgress(std::int32_t maximum, std::int32_t position)
{
    // A maximum of 0 is an empty bar, not Qt's busy indicator.
    ProgressBar1->setMaximum(std::max(maximum, 1));
    ProgressBar1->setValue(position);
}

void TForm1::ShowMessage(const std::string &text, const std::string &caption)
{
    // A window being closed in the middle of a batch has nothing more to
    // say: what fails then fails because its hosts were ended.
    if (closeAfterBatch_)
        return;
    ui::ShowMessageBox(this, QString::fromStdString(text), QString::fromStdString(caption));
}

void TForm1::ShowMessageWithReason(const std::string &text, const std::string &caption, const std::string &document,
                                   const std::string &reason)
{
    if (closeAfterBatch_)
        return;
    const QString name = QFileInfo(QString::fromStdString(document)).fileName();
    ui::ShowMessageBox(this, QString::fromStdString(text), QString::fromStdString(caption),
                       name + QStringLiteral(" (LibreOffice: ") + QString::fromStdString(reason) + QLatin1Char(')'));
}

void TForm1::OpenFolder(const std::string &folder)
{
    ui::OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void TForm1::PumpMessages()
{
    QCoreApplication::processEvents();
}

std::vector<convert::RowId> TForm1::DocumentRows()
{
    return ListView1->RowIds();
}

std::optional<convert::DocumentRow> TForm1::FindDocumentRow(convert::RowId row)
{
    const std::optional<doclist::DocumentEntry> entry = ListView1->FindRow(row);
    if (!entry)
        return std::nullopt;
    return convert::DocumentRow{entry->ticked, entry->path.toStdString()};
}

std::string TForm1::SizePercentText()
{
    return Form2 ? Form2->SizePercentText().toStdString() : "100";
}

std::string TForm1::ResolutionText()
{
    return Form2 ? Form2->ResolutionText().toStdString() : kDefaultResolution;
}

std::string TForm1::OutputFolderText()
{
    return (Form2 ? Form2->OutputFolderText() : settings::DefaultOutputFolder()).toStdString();
}

} // namespace folivex::app
