// The settings dialog TForm2: the size percentage, the output folder and the
// resolution of the page images.
//
// The settings exist only as the texts of LabeledEdit1 (the size
// percentage, "100" at first), LabeledEdit2 (the output folder, the home
// folder + "/Output" at first) and LabeledEdit3 (the resolution, "72" dpi at
// first); readers take SizePercentText(), OutputFolderText() and
// ResolutionText() at the moment they need them and keep no copy. The
// dialog is created once, hidden, at start-up and lives until the program
// ends; the main window shows it modally (exec()) and ignores the result.
//
// OK (Button1) closes only when the percentage is a number from 30 to 100
// and the resolution a whole number from 72 to 600; otherwise it shows a box
// and the dialog stays open with the text as typed. Cancel (Button2) puts
// every default back, whatever they held, and closes.
// The title bar's close box closes without any check. Neither button is the
// default or the cancel button: Enter presses only a focused button, Escape
// does nothing. The folder button (SpeedButton1) asks BrowseForFolder("").
//
// The dialog owns its controls. No member throws.
#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;
class QToolButton;

namespace folivex::settings {

class LabeledEdit;

inline constexpr const char *kDefaultSizePercent = "100";

// The home folder followed by "/Output", as an absolute text.
QString DefaultOutputFolder();

class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    // The texts as they are now; never cached.
    QString SizePercentText() const;
    QString OutputFolderText() const;
    QString ResolutionText() const;

    // The controls, named as the window's components (owned by the dialog).
    LabeledEdit *const LabeledEdit1;
    QLabel *const Label1;
    LabeledEdit *const LabeledEdit2;
    QToolButton *const SpeedButton1;
    LabeledEdit *const LabeledEdit3;
    QLabel *const Label2;
    QPushButton *const Button1;
    QPushButton *const Button2;

public slots:
    void Button1Click();
    void Button2Click();
    void SpeedButton1Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QImage background_;
};

} // namespace folivex::settings
