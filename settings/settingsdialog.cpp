#include "settings/settingsdialog.h"

#include "core/error.h"
#include "core/resolution.h"
#include "doclist/browseforfolder.h"
#include "settings/artwork.h"
#include "settings/labelededit.h"
#include "settings/strtofloat.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace folivex::settings {

namespace {

constexpr double kLowestPercent = 30.0;
constexpr double kHighestPercent = 100.0;

QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

void makeCaptionBold(LabeledEdit *edit)
{
    QFont bold = edit->EditLabel()->font();
    bold.setBold(true);
    edit->EditLabel()->setFont(bold);
    edit->EditLabel()->adjustSize();
}

// An edit of the dialog's own look: no frame, a bold caption above it.
void placeField(LabeledEdit *edit, const QString &name, const QRect &geometry, const QString &text)
{
    edit->setObjectName(name);
    edit->setFrame(false);
    edit->setGeometry(geometry);
    edit->setText(text);
    makeCaptionBold(edit);
}

// The range beside a field, as high as the field, so its text sits on the
// same line.
void placeHint(QLabel *label, const QString &name, QPoint at)
{
    label->setObjectName(name);
    label->move(at);
    label->setMinimumHeight(21);
    label->adjustSize();
}

// Boxes belong to the active window, which is this dialog while it is shown.
QWidget *boxOwner(QWidget *fallback)
{
    QWidget *active = QApplication::activeWindow();
    return active != nullptr ? active : fallback;
}

} // namespace

QString DefaultOutputFolder()
{
    return QDir::homePath() + QStringLiteral("/Output");
}

TForm2::TForm2(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      LabeledEdit1(new LabeledEdit(QStringLiteral("Quality && Size:  "), this)),
      Label1(new QLabel(QStringLiteral("(30-100%)"), this)),
      LabeledEdit2(new LabeledEdit(QStringLiteral("Output Path"), this)), SpeedButton1(new QToolButton(this)),
      LabeledEdit3(new LabeledEdit(QStringLiteral("Resolution:  "), this)),
      Label2(new QLabel(QStringLiteral("(72-600 dpi)"), this)), Button1(new QPushButton(QStringLiteral("OK"), this)),
      Button2(new QPushButton(QStringLiteral("Cancel"), this)), background_(SettingsBackground())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Setting"));
    setFont(dialogFont());
    setSizeGripEnabled(false);
    resize(425, 307);
    move(399, 259);

    placeField(LabeledEdit1, QStringLiteral("LabeledEdit1"), QRect(64, 52, 121, 21),
               QString::fromLatin1(kDefaultSizePercent));
    placeHint(Label1, QStringLiteral("Label1"), QPoint(202, 52));
    placeField(LabeledEdit2, QStringLiteral("LabeledEdit2"), QRect(56, 116, 249, 21), DefaultOutputFolder());

    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    SpeedButton1->setIconSize(QSize(24, 24));
    SpeedButton1->setIcon(QIcon(FolderPicture(devicePixelRatioF())));
    SpeedButton1->setGeometry(328, 112, 33, 33);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);

    // The resolution sits below the folder, as the size sits above it.
    placeField(LabeledEdit3, QStringLiteral("LabeledEdit3"), QRect(64, 180, 121, 21),
               QString::fromLatin1(kDefaultResolution));
    placeHint(Label2, QStringLiteral("Label2"), QPoint(202, 180));

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(112, 248, 75, 25);
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(232, 248, 75, 25);
    Button2->setAutoDefault(false);
    Button2->setDefault(false);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, LabeledEdit1);
    setTabOrder(LabeledEdit1, LabeledEdit2);
    setTabOrder(LabeledEdit2, LabeledEdit3);
    setTabOrder(LabeledEdit3, Button1);
}

QString TForm2::SizePercentText() const
{
    return LabeledEdit1->text();
}

QString TForm2::OutputFolderText() const
{
    return LabeledEdit2->text();
}

QString TForm2::ResolutionText() const
{
    return LabeledEdit3->text();
}

void TForm2::Button1Click()
{
    long double percent = 0.0L;
    try {
        percent = StrToFloat(LabeledEdit1->text());
    } catch (const Error &error) {
        ui::ShowErrorBox(boxOwner(this), QString::fromStdString(error.text()));
        return;
    }
    if (percent < kLowestPercent || percent > kHighestPercent) {
        ui::ShowMessageBox(boxOwner(this), QStringLiteral("Please Set quality between 30 to 100."),
                           QStringLiteral("Notice"));
        return;
    }
    try {
        CheckedResolution(LabeledEdit3->text().toStdString());
    } catch (const Error &) {
        ui::ShowMessageBox(boxOwner(this), QStringLiteral("Please set the resolution between 72 and 600 dpi."),
                           QStringLiteral("Notice"));
        return;
    }
    accept();
}

void TForm2::Button2Click()
{
    LabeledEdit1->setText(QString::fromLatin1(kDefaultSizePercent));
    LabeledEdit2->setText(DefaultOutputFolder());
    LabeledEdit3->setText(QString::fromLatin1(kDefaultResolution));
    reject();
}

void TForm2::SpeedButton1Click()
{
    const QString folder = doclist::BrowseForFolder(QString());
    if (!folder.isEmpty())
        LabeledEdit2->setText(folder);
}

void TForm2::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), background_);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // There is no cancel button: Escape leaves the dialog as it is.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // There is no default button: Enter presses the focused button only.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    default: QDialog::keyPressEvent(event);
    }
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first showing starts on the first control of the tab order; later
    // showings come back to the control that had the focus.
    if (focusWidget() == nullptr)
        Button1->setFocus(Qt::OtherFocusReason);
}

} // namespace folivex::settings
