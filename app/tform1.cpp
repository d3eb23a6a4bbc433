#include "tform1.h"

#include "app/helppage.h"
#include "core/error.h"
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
#include <QVBoxLayout>

namespace folivex::app {

namespace {

constexpr int kClientWidth = 724;
constexpr int kClientHeight = 534;
constexpr int kTitleHeight = 33;
constexpr int kEdgeWidth = 4;
constexpr int kStatusHeight = 30;
constexpr int kToolbarHeight = 73;
constexpr int kProgressHeight = 17;

struct ToolbarButton {
    QToolButton *TForm1::*button;
    const char *name;
    int left, width;
    const char *caption, *hint;
    void (TForm1::*click)();
};

// The toolbar from left to right; separators have no caption and no handler.
const ToolbarButton kToolbar[] = {
    {&TForm1::SpeedButton3, "SpeedButton3", 0, 49, "Add", "Add File", &TForm1::SpeedButton3Click},
    {&TForm1::SpeedButton4, "SpeedButton4", 48, 49, "Adds", "Add Folder", &TForm1::SpeedButton4Click},
    {&TForm1::SpeedButton20, "SpeedButton20", 96, 49, "Remove", "Remove Selected", &TForm1::SpeedButton20Click},
    {&TForm1::SpeedButton5, "SpeedButton5", 144, 65, "Removes", "Remove All", &TForm1::SpeedButton5Click},
    {&TForm1::SpeedButton6, "SpeedButton6", 208, 49, "Check", "Select All", &TForm1::SpeedButton6Click},
    {&TForm1::SpeedButton18, "SpeedButton18", 260, 1, nullptr, nullptr, nullptr},
    {&TForm1::SpeedButton10, "SpeedButton10", 264, 49, "Setting", "Setting", &TForm1::SpeedButton10Click},
    {&TForm1::SpeedButton11, "SpeedButton11", 312, 57, "Convert", "Convert", &TForm1::SpeedButton11Click},
    {&TForm1::SpeedButton1, "SpeedButton1", 368, 49, "Stop", "Stop conversion", &TForm1::SpeedButton1Click},
    {&TForm1::SpeedButton17, "SpeedButton17", 420, 1, nullptr, nullptr, nullptr},
    {&TForm1::SpeedButton13, "SpeedButton13", 424, 49, "Help", "Help", &TForm1::SpeedButton13Click},
    {&TForm1::SpeedButton14, "SpeedButton14", 472, 49, "Home", "Homepage", &TForm1::SpeedButton14Click},
};

QLabel *stretchedPicture(QWidget *parent, const char *name, const QColor &colour)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setScaledContents(true);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle(kCaption);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    setFont(font);

    createFrame();
    createToolbar();
    createList();
    createStatus();
    createContextMenu();

    resize(kClientWidth, kClientHeight);
    move(305, 121);
    layoutComponents();
    placeStatusLabel();
    ProgressBar1->hide();

    converter_ = std::make_unique<convert::BatchConverter>(*this);
    // An Automation call that waits for its Office host keeps the window alive.
    automation::SetMessagePump([] { QCoreApplication::processEvents(); });
}

TForm1::~TForm1() { automation::SetMessagePump({}); }

void TForm1::createFrame()
{
    Image1 = stretchedPicture(this, "Image1", QColor(40, 40, 40));
    Image1->setText(QString("  ") + kCaption);
    Image1->setStyleSheet("color: white; font-weight: bold;");
    const std::pair<QToolButton **, const char *> captionButtons[] = {
        {&ImgBtnMin, "ImgBtnMin"}, {&ImgBtnMax, "ImgBtnMax"}, {&ImgBtnClose, "ImgBtnClose"}};
    for (auto [button, name] : captionButtons) {
        *button = new QToolButton(this);
        (*button)->setObjectName(name);
        (*button)->setAutoRaise(true);
    }
    connect(ImgBtnMin, &QToolButton::clicked, this, &QWidget::showMinimized);
    connect(ImgBtnMax, &QToolButton::clicked, this, [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(ImgBtnClose, &QToolButton::clicked, this, &QWidget::close);
    Image9 = stretchedPicture(this, "Image9", QColor(16, 141, 207));
    Image10 = stretchedPicture(this, "Image10", QColor(16, 141, 207));
    PanelImage = new QWidget(this);
    PanelImage->setObjectName("PanelImage");
    PanelImage->hide();
}

void TForm1::createToolbar()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Image3 = stretchedPicture(Panel1, "Image3", QColor(20, 90, 50));
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
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setValue(0);
    QPalette palette = ProgressBar1->palette();
    palette.setColor(QPalette::Highlight, QColor(0, 128, 0));
    ProgressBar1->setPalette(palette);
    layout->addWidget(ListView1);
    layout->addWidget(ProgressBar1);
    connect(ListView1, &doclist::DocumentList::addingStarted, this, [this] { Label1->clear(); });
}

void TForm1::createStatus()
{
    Image2 = stretchedPicture(this, "Image2", QColor(20, 90, 50));
    Label1 = new QLabel(this);
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

void TForm1::showListMenu(const QPoint &position) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(position)); }

void TForm1::layoutComponents()
{
    const int w = width(), h = height();
    Image1->setGeometry(0, 0, w, kTitleHeight);
    ImgBtnMin->setGeometry(w - 87, 3, 25, 31);
    ImgBtnMax->setGeometry(w - 62, 3, 25, 31);
    ImgBtnClose->setGeometry(w - 37, 3, 25, 31);
    for (QWidget *button : {ImgBtnMin, ImgBtnMax, ImgBtnClose})
        button->raise();
    const int middle = h - kTitleHeight - kStatusHeight;
    Image9->setGeometry(0, kTitleHeight, kEdgeWidth, middle);
    Image10->setGeometry(w - kEdgeWidth, kTitleHeight, kEdgeWidth, middle);
    Image2->setGeometry(0, h - kStatusHeight, w, kStatusHeight);
    Panel1->setGeometry(kEdgeWidth, kTitleHeight, w - 2 * kEdgeWidth, middle);
    Image3->setGeometry(0, 0, Panel1->width(), kToolbarHeight);
    Image3->lower();
    Panel2->setGeometry(0, kToolbarHeight, Panel1->width(), Panel1->height() - kToolbarHeight);
    Label1->raise();
}

void TForm1::placeStatusLabel()
{
    Label1->adjustSize();
    Label1->move(Image2->x() + Panel1->width() / 2 - 10, Image2->y() + 6);
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutComponents();
    placeStatusLabel();
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

void TForm1::SpeedButton3Click() { ListView1->AddFilesFromDialog(); }
void TForm1::SpeedButton4Click() { ListView1->AddFolderFromPicker(); }
void TForm1::SpeedButton20Click() { ListView1->RemoveSelected(); }
void TForm1::SpeedButton5Click() { ListView1->RemoveAll(); }
void TForm1::SpeedButton6Click() { ListView1->InvertTicks(); }

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

void TForm1::SpeedButton1Click() { converter_->SpeedButton1Click(); }

void TForm1::SpeedButton13Click()
{
    const QString page = FindHelpPage();
    if (!page.isEmpty())
        ui::OpenWithDesktop(QUrl::fromLocalFile(page));
}

void TForm1::SpeedButton14Click() { ui::OpenWithDesktop(QUrl(QStringLiteral(FOLIVEX_HOME_URL))); }

void TForm1::SetStatusText(const std::string &text)
{
    Label1->setText(QString::fromStdString(text));
    placeStatusLabel();
}

void TForm1::RepaintStatus() { Label1->repaint(); }
void TForm1::RepaintWindow() { repaint(); }
void TForm1::SetProgressVisible(bool visible) { ProgressBar1->setVisible(visible); }

void TForm1::SetProgress(std::int32_t maximum, std::int32_t position)
{
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(position);
}

void TForm1::ShowMessage(const std::string &text, const std::string &caption)
{
    ui::ShowMessageBox(this, QString::fromStdString(text), QString::fromStdString(caption));
}

void TForm1::OpenFolder(const std::string &folder)
{
    ui::OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void TForm1::PumpMessages() { QCoreApplication::processEvents(); }

std::vector<convert::RowId> TForm1::DocumentRows() { return ListView1->RowIds(); }

std::optional<convert::DocumentRow> TForm1::FindDocumentRow(convert::RowId row)
{
    const std::optional<doclist::DocumentEntry> entry = ListView1->FindRow(row);
    if (!entry)
        return std::nullopt;
    return convert::DocumentRow{entry->ticked, entry->path.toStdString()};
}

std::string TForm1::SizePercentText() { return Form2 ? Form2->SizePercentText().toStdString() : "100"; }

std::string TForm1::OutputFolderText()
{
    return (Form2 ? Form2->OutputFolderText() : settings::DefaultOutputFolder()).toStdString();
}

} // namespace folivex::app
