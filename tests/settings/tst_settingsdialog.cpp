// The settings dialog on the offscreen platform: what OK accepts and refuses
// with which box, what Cancel and the close box do to the texts, the keys,
// and the folder button. Boxes and the folder picker are recorded, not shown.
#include "doclist/dialogrunner.h"
#include "settings/labelededit.h"
#include "settings/settingsdialog.h"
#include "ui/messagebox.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace folivex;
using folivex::settings::TForm2;

namespace {

struct Box {
    QString text;
    QString caption;
    bool operator==(const Box &) const = default;
};

char *toString(const Box &box)
{
    return QTest::toString(QStringLiteral("[%1] %2").arg(box.caption, box.text));
}

QString decimal(const char *number)
{
    // The number as a user of these regional settings types it.
    return QString::fromLatin1(number).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

} // namespace

Q_DECLARE_METATYPE(Box)

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsHiddenWithTheDefaults();

    void okAcceptsThirtyToHundred_data();
    void okAcceptsThirtyToHundred();
    void okRefusesOutOfRange_data();
    void okRefusesOutOfRange();
    void okRefusesWhatIsNotANumber_data();
    void okRefusesWhatIsNotANumber();

    void okTakesResolutionsFrom72To600_data();
    void okTakesResolutionsFrom72To600();
    void resolutionSitsBelowTheTwoFieldsInTheirPlaces();

    void cancelRestoresBothDefaultsAfterOk();
    void closeBoxChecksNothing();

    void tabOrderStartsAtOk();
    void enterAndEscape();

    void folderButtonTakesThePickedFolder();
    void folderButtonCancelledKeepsTheText();

private:
    void showDialog();
    void typeInto(settings::LabeledEdit *edit, const QString &text);
    void setPercent(const QString &text);

    TForm2 *dialog_ = nullptr;
    QList<Box> boxes_;
    QList<QString> pickerTitles_;
};

void SettingsDialogTest::init()
{
    boxes_.clear();
    pickerTitles_.clear();
    ui::SetMessageBoxHandler([this](const QString &text, const QString &caption) { boxes_.append({text, caption}); });
    dialog_ = new TForm2;
}

void SettingsDialogTest::cleanup()
{
    delete dialog_;
    dialog_ = nullptr;
    ui::SetMessageBoxHandler({});
    doclist::SetDialogRunner({});
}

void SettingsDialogTest::showDialog()
{
    // open() shows the dialog modally without blocking, as exec() would show it.
    dialog_->open();
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_));
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
}

void SettingsDialogTest::typeInto(settings::LabeledEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void SettingsDialogTest::setPercent(const QString &text)
{
    typeInto(dialog_->LabeledEdit1, text);
    QCOMPARE(dialog_->SizePercentText(), text);
}

void SettingsDialogTest::startsHiddenWithTheDefaults()
{
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Setting"));
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("100"));
    QCOMPARE(dialog_->OutputFolderText(), QDir::homePath() + QStringLiteral("/Output"));
    QCOMPARE(dialog_->ResolutionText(), QStringLiteral("72"));
    QVERIFY(!dialog_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The caption's doubled ampersand shows as one, through the label's buddy.
    QCOMPARE(dialog_->LabeledEdit1->EditLabel()->buddy(), dialog_->LabeledEdit1);
    QVERIFY(dialog_->LabeledEdit1->EditLabel()->geometry().bottom() < dialog_->LabeledEdit1->geometry().top());
}

void SettingsDialogTest::okTakesResolutionsFrom72To600_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    QTest::newRow("72") << QStringLiteral("72") << true;
    QTest::newRow("150") << QStringLiteral("150") << true;
    QTest::newRow("blanks around") << QStringLiteral(" 300 ") << true;
    QTest::newRow("600") << QStringLiteral("600") << true;
    QTest::newRow("71") << QStringLiteral("71") << false;
    QTest::newRow("601") << QStringLiteral("601") << false;
    QTest::newRow("a fraction") << QStringLiteral("150.5") << false;
    QTest::newRow("with its unit") << QStringLiteral("300dpi") << false;
    QTest::newRow("empty") << QString() << false;
}

void SettingsDialogTest::okTakesResolutionsFrom72To600()
{
    QFETCH(QString, text);
    QFETCH(bool, taken);
    showDialog();
    typeInto(dialog_->LabeledEdit3, text);
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);

    if (taken) {
        QCOMPARE(boxes_, QList<Box>{});
        QVERIFY(!dialog_->isVisible());
    } else {
        QCOMPARE(boxes_, (QList<Box>{{QStringLiteral("Please set the resolution between 72 and 600 dpi."),
                                      QStringLiteral("Notice")}}));
        QVERIFY(dialog_->isVisible());
    }
    QCOMPARE(dialog_->ResolutionText(), text);
}

void SettingsDialogTest::resolutionSitsBelowTheTwoFieldsInTheirPlaces()
{
    showDialog();
    QCOMPARE(dialog_->LabeledEdit1->geometry(), QRect(64, 52, 121, 21));
    QCOMPARE(dialog_->LabeledEdit2->geometry(), QRect(56, 116, 249, 21));
    QCOMPARE(dialog_->Label1->text(), QStringLiteral("(30-100%)"));
    const QRect resolution = dialog_->LabeledEdit3->geometry();
    const QRect caption = dialog_->LabeledEdit3->EditLabel()->geometry();
    QCOMPARE(dialog_->Label2->text(), QStringLiteral("(72-600 dpi)"));
    QVERIFY(caption.top() > dialog_->SpeedButton1->geometry().bottom());
    QVERIFY(caption.bottom() < resolution.top());
    QVERIFY(resolution.bottom() < dialog_->Button1->geometry().top());
    QVERIFY(dialog_->rect().contains(dialog_->Button1->geometry()));
    QVERIFY(dialog_->rect().contains(dialog_->Button2->geometry()));
    QVERIFY(dialog_->rect().contains(dialog_->Label2->geometry()));
}

void SettingsDialogTest::okAcceptsThirtyToHundred_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("30") << QStringLiteral("30");
    QTest::newRow("100") << QStringLiteral("100");
    QTest::newRow("55.5") << decimal("55.5");
    QTest::newRow("blanks around") << QStringLiteral(" 70 ");
    QTest::newRow("exponent") << decimal("4.5e1");
}

void SettingsDialogTest::okAcceptsThirtyToHundred()
{
    QFETCH(QString, text);
    showDialog();
    setPercent(text);
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);

    QCOMPARE(boxes_, QList<Box>{});
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(dialog_->SizePercentText(), text);
}

void SettingsDialogTest::okRefusesOutOfRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("29.9") << decimal("29.9");
    QTest::newRow("100.5") << decimal("100.5");
    QTest::newRow("0") << QStringLiteral("0");
    QTest::newRow("-50") << QStringLiteral("-50");
}

void SettingsDialogTest::okRefusesOutOfRange()
{
    QFETCH(QString, text);
    showDialog();
    setPercent(text);
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);

    QCOMPARE(boxes_, (QList<Box>{{QStringLiteral("Please Set quality between 30 to 100."), QStringLiteral("Notice")}}));
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), text);
}

void SettingsDialogTest::okRefusesWhatIsNotANumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("number then letters") << QStringLiteral("50abc");
    QTest::newRow("not a number") << QStringLiteral("nan");
    QTest::newRow("infinity") << QStringLiteral("inf");
    // A group separator is not part of a number here.
    QTest::newRow("grouped") << QStringLiteral("1%1000").arg(QLocale::system().groupSeparator());
    // The other separator than the user's decimal one.
    QTest::newRow("foreign decimal") << QStringLiteral("55%1").arg(
        QLocale::system().decimalPoint() == QLatin1String(".") ? QStringLiteral(",5") : QStringLiteral(".5"));
}

void SettingsDialogTest::okRefusesWhatIsNotANumber()
{
    QFETCH(QString, text);
    showDialog();
    setPercent(text);
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);

    const QString message = QStringLiteral("'%1' is not a valid floating point value").arg(text);
    QCOMPARE(boxes_, (QList<Box>{{message, QString::fromLatin1(ui::kErrorBoxCaption)}}));
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), text);
}

void SettingsDialogTest::cancelRestoresBothDefaultsAfterOk()
{
    showDialog();
    setPercent(QStringLiteral("50"));
    dialog_->LabeledEdit2->setText(QStringLiteral("/srv/converted"));
    dialog_->LabeledEdit3->setText(QStringLiteral("300"));
    QTest::mouseClick(dialog_->Button1, Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("50"));
    QCOMPARE(dialog_->OutputFolderText(), QStringLiteral("/srv/converted"));
    QCOMPARE(dialog_->ResolutionText(), QStringLiteral("300"));

    showDialog();
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("50"));
    QTest::mouseClick(dialog_->Button2, Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("100"));
    QCOMPARE(dialog_->OutputFolderText(), QDir::homePath() + QStringLiteral("/Output"));
    QCOMPARE(dialog_->ResolutionText(), QStringLiteral("72"));
    QCOMPARE(boxes_, QList<Box>{});
}

void SettingsDialogTest::closeBoxChecksNothing()
{
    showDialog();
    setPercent(QStringLiteral("abc"));
    QVERIFY(dialog_->close());
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("abc"));
    QCOMPARE(boxes_, QList<Box>{});
}

void SettingsDialogTest::tabOrderStartsAtOk()
{
    showDialog();
    QCOMPARE(QApplication::focusWidget(), dialog_->Button1);
    const QList<QWidget *> expected = {dialog_->Button2, dialog_->LabeledEdit1, dialog_->LabeledEdit2,
                                       dialog_->LabeledEdit3, dialog_->Button1};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void SettingsDialogTest::enterAndEscape()
{
    showDialog();
    setPercent(QStringLiteral("20"));

    // Escape is nobody's: the dialog stays, the texts stay.
    QTest::keyClick(dialog_->LabeledEdit1, Qt::Key_Escape);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("20"));

    // Enter in an edit presses nothing.
    QTest::keyClick(dialog_->LabeledEdit1, Qt::Key_Return);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(boxes_, QList<Box>{});

    // Enter on the focused OK button presses it.
    dialog_->Button1->setFocus();
    QTest::keyClick(dialog_->Button1, Qt::Key_Return);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_.first().caption, QStringLiteral("Notice"));

    // And on the focused Cancel button, Cancel.
    dialog_->Button2->setFocus();
    QTest::keyClick(dialog_->Button2, Qt::Key_Enter);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->SizePercentText(), QStringLiteral("100"));
}

void SettingsDialogTest::folderButtonTakesThePickedFolder()
{
    doclist::SetDialogRunner([this](QFileDialog &picker) {
        pickerTitles_.append(picker.windowTitle());
        return QStringList{QStringLiteral("/srv/pdf/")};
    });
    showDialog();
    QTest::mouseClick(dialog_->SpeedButton1, Qt::LeftButton);
    QCOMPARE(pickerTitles_, QList<QString>{QStringLiteral("Please Choose a Folder")});
    QCOMPARE(dialog_->OutputFolderText(), QStringLiteral("/srv/pdf"));
    QVERIFY(dialog_->isVisible());
}

void SettingsDialogTest::folderButtonCancelledKeepsTheText()
{
    doclist::SetDialogRunner([this](QFileDialog &picker) {
        pickerTitles_.append(picker.windowTitle());
        return QStringList{};
    });
    showDialog();
    dialog_->LabeledEdit2->setText(QStringLiteral("/srv/earlier"));
    QTest::mouseClick(dialog_->SpeedButton1, Qt::LeftButton);
    QCOMPARE(pickerTitles_.size(), 1);
    QCOMPARE(dialog_->OutputFolderText(), QStringLiteral("/srv/earlier"));
}

QTEST_MAIN(SettingsDialogTest)
#include "tst_settingsdialog.moc"
