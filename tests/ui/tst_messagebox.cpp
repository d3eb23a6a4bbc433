// What the program's message boxes show: the real modal box with its text,
// caption, informative line, owner and single OK button, dismissed through
// that button as a user would; the recording handler tests install; and the
// desktop opener's replacement.
#include "ui/desktop.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace folivex::ui;

namespace {

// What one shown box held when it was on screen.
struct ShownBox {
    bool found = false;
    bool modal = false;
    QString caption, text, detail;
    QMessageBox::Icon icon = QMessageBox::Information;
    QList<QAbstractButton *> buttons;
    bool okIsTheButton = false;
    QWidget *owner = nullptr;
    int width = 0, captionWidth = 0; // the box's, and its caption's in the box's font
};

// Shows a box through `show` and, once it is up, reads it and presses its OK button.
template <typename Show> ShownBox showAndAnswer(Show show)
{
    ShownBox seen;
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            // Not the active modal window: fails on `modal`, but is still answered.
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *shown = qobject_cast<QMessageBox *>(window); shown && shown->isVisible())
                    box = shown;
            if (!box)
                return; // no box at all: the test fails on `found`
        }
        seen.found = true;
        seen.modal = box == QApplication::activeModalWidget() && box->isModal();
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.detail = box->informativeText();
        seen.icon = box->icon();
        seen.buttons = box->buttons();
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        seen.okIsTheButton = ok && seen.buttons == QList<QAbstractButton *>{ok};
        seen.owner = box->parentWidget();
        seen.width = box->width();
        seen.captionWidth = box->fontMetrics().horizontalAdvance(seen.caption);
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->done(0);
    });
    show();
    return seen;
}

} // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void theBoxShowsTextAndCaptionWithOneOkButtonAndNoIcon();
    void aDetailIsTheBoxsInformativeLine();
    void theErrorBoxCarriesTheProgramsName();
    void aShortTextLeavesRoomForTheWholeCaption();
    void aHandlerGetsTheTextWithItsDetailAfterANewline();
    void theDesktopOpenerCanBeReplacedAndRestored();
};

void MessageBoxTest::theBoxShowsTextAndCaptionWithOneOkButtonAndNoIcon()
{
    QWidget owner;
    owner.show();
    const ShownBox box =
        showAndAnswer([&] { ShowMessageBox(&owner, QStringLiteral("Successed!"), QStringLiteral("Congratulation")); });
    QVERIFY2(box.found, "no modal message box was shown");
    QVERIFY(box.modal);
    QCOMPARE(box.caption, QStringLiteral("Congratulation"));
    QCOMPARE(box.text, QStringLiteral("Successed!"));
    QCOMPARE(box.detail, QString());
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QVERIFY2(box.okIsTheButton, "the box has other buttons than OK");
    QCOMPARE(box.owner, &owner);
    QVERIFY2(!QApplication::activeModalWidget(), "OK did not dismiss the box");
}

void MessageBoxTest::aDetailIsTheBoxsInformativeLine()
{
    const ShownBox box = showAndAnswer([] {
        ShowMessageBox(nullptr, QStringLiteral("Failed to open the word document."), QStringLiteral("Error"),
                       QStringLiteral("LibreOffice: the file is damaged"));
    });
    QVERIFY2(box.found, "no modal message box was shown");
    QCOMPARE(box.text, QStringLiteral("Failed to open the word document.")); // the detail is not in the text
    QCOMPARE(box.detail, QStringLiteral("LibreOffice: the file is damaged"));
    QCOMPARE(box.caption, QStringLiteral("Error"));
    QCOMPARE(box.owner, nullptr);
}

void MessageBoxTest::theErrorBoxCarriesTheProgramsName()
{
    const ShownBox box = showAndAnswer([] { ShowErrorBox(nullptr, QStringLiteral("Cannot open clipboard")); });
    QVERIFY2(box.found, "no modal message box was shown");
    QCOMPARE(box.caption, QStringLiteral("Folivex"));
    QCOMPARE(box.text, QStringLiteral("Cannot open clipboard"));
    QCOMPARE(box.detail, QString());
    QVERIFY(box.okIsTheButton);
}

void MessageBoxTest::aHandlerGetsTheTextWithItsDetailAfterANewline()
{
    QStringList shown;
    const MessageBoxHandler before = SetMessageBoxHandler(
        [&](const QString &text, const QString &caption) { shown << caption + QStringLiteral(": ") + text; });
    QVERIFY2(!before, "the real box was in place");
    ShowMessageBox(nullptr, QStringLiteral("Successed!"), QStringLiteral("Congratulation"));
    ShowMessageBox(nullptr, QStringLiteral("Failed to connect Word."), QStringLiteral("Error"),
                   QStringLiteral("LibreOffice: no such program"));
    ShowErrorBox(nullptr, QStringLiteral("JPEG error #41"));
    QVERIFY2(!QApplication::activeModalWidget(), "a box was shown beside the handler");
    QCOMPARE(shown, (QStringList{QStringLiteral("Congratulation: Successed!"),
                                 QStringLiteral("Error: Failed to connect Word.\nLibreOffice: no such program"),
                                 QStringLiteral("Folivex: JPEG error #41")}));

    // The handler given back is the one installed; an empty one restores the real box.
    const MessageBoxHandler recording = SetMessageBoxHandler({});
    QVERIFY(recording);
    recording(QStringLiteral("again"), QStringLiteral("Check"));
    QCOMPARE(shown.last(), QStringLiteral("Check: again"));
    const ShownBox box = showAndAnswer([] { ShowMessageBox(nullptr, QStringLiteral("real"), QStringLiteral("Box")); });
    QVERIFY2(box.found, "the real box is not back");
    QCOMPARE(shown.size(), 4);
}

void MessageBoxTest::theDesktopOpenerCanBeReplacedAndRestored()
{
    QList<QUrl> opened;
    const DesktopOpener before = SetDesktopOpener([&](const QUrl &url) { opened << url; });
    QVERIFY2(!before, "the desktop's opener was in place");
    OpenWithDesktop(QUrl::fromLocalFile(QStringLiteral("/home/ana/Output")));
    OpenWithDesktop(QUrl(QStringLiteral("https://folivex.org/")));
    QCOMPARE(opened, (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/home/ana/Output")),
                                  QUrl(QStringLiteral("https://folivex.org/"))}));
    const DesktopOpener recording = SetDesktopOpener({});
    QVERIFY(recording);
    QVERIFY2(!SetDesktopOpener({}), "the desktop's opener is not back");
}

QTEST_MAIN(MessageBoxTest)
// The completion box says "Successed!" under the caption "Congratulation":
// sized by its text alone, a window manager cut its title to "C... n".
void MessageBoxTest::aShortTextLeavesRoomForTheWholeCaption()
{
    QWidget owner;
    owner.show();
    const ShownBox box =
        showAndAnswer([&] { ShowMessageBox(&owner, QStringLiteral("Successed!"), QStringLiteral("Congratulation")); });
    QVERIFY(box.found);
    QVERIFY2(box.width >= box.captionWidth + 120,
             qPrintable(QStringLiteral("box %1 px wide, caption %2 px").arg(box.width).arg(box.captionWidth)));
}

#include "tst_messagebox.moc"
