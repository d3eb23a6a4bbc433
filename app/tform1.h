// TForm1: the main window. Toolbar, document list, status label, progress
// bar; the conversion's view (it implements ConversionView with widgets).
//
// The window owns its controls and the batch converter (which owns PageJpeg
// and CurrentKind). The settings dialog is created after the window, as the
// program entry does, and handed over with SetSettingsDialog before the
// window is shown; the window does not own it. Slots never throw: an error
// that no operation catches is shown in the top-level error box.
#pragma once

#include "convert/batchconverter.h"
#include "convert/conversionview.h"
#include "core/version.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMenu;
class QAction;
class QProgressBar;
class QToolButton;

namespace folivex::controls {
class TImgBtn;
}
namespace folivex::doclist {
class DocumentList;
}
namespace folivex::settings {
class TForm2;
}

namespace folivex::app {

class ResizeGrip;
class StatusLabel;

inline constexpr const char *kCaption = "Folivex " FOLIVEX_VERSION_MAJOR_MINOR;

class TForm1 : public QWidget, public convert::ConversionView {
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    void SetSettingsDialog(settings::TForm2 *form2) { Form2 = form2; }
    // Adds a document, or every document of a folder, to the list.
    void AddPath(const QString &path);

    std::int32_t CurrentKind() const { return converter_->CurrentKind(); }
    // What became of each document the last Convert reached, in order
    // (DocumentFinished); a batch that an application ended has the
    // document it ended on last.
    const std::vector<convert::DocumentResult> &LastBatchResults() const { return batchResults_; }
    bool Maximised() const { return maximised_; }

    // The components, named as the window's description names them.
    QLabel *Image1 = nullptr;               // title strip
    controls::TImgBtn *ImgBtnMin = nullptr; // caption buttons
    controls::TImgBtn *ImgBtnMax = nullptr;
    controls::TImgBtn *ImgBtnClose = nullptr;
    QLabel *Image9 = nullptr;      // left edge
    QLabel *Image10 = nullptr;     // right edge
    QLabel *Image2 = nullptr;      // status strip
    StatusLabel *Label1 = nullptr; // status text
    QWidget *Panel1 = nullptr;
    QLabel *Image3 = nullptr; // toolbar background
    QToolButton *SpeedButton3 = nullptr, *SpeedButton4 = nullptr, *SpeedButton20 = nullptr, *SpeedButton5 = nullptr,
                *SpeedButton6 = nullptr, *SpeedButton18 = nullptr, *SpeedButton10 = nullptr, *SpeedButton11 = nullptr,
                *SpeedButton1 = nullptr, *SpeedButton17 = nullptr, *SpeedButton13 = nullptr, *SpeedButton14 = nullptr;
    QWidget *Panel2 = nullptr;
    doclist::DocumentList *ListView1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QWidget *PanelImage = nullptr; // holds the skin's source pictures, hidden
    QLabel *ImageM = nullptr;      // caption button sheet
    QLabel *ImageTop = nullptr;    // title strip source
    QLabel *ImageBk = nullptr;     // list background
    QMenu *PopupMenu1 = nullptr;
    QAction *Remove1 = nullptr, *RemoveAll1 = nullptr, *CheckAll1 = nullptr;
    settings::TForm2 *Form2 = nullptr;

    // Starts moving the window with the mouse (the window system's move);
    // tests replace it to see that a drag asked for it.
    std::function<void()> StartSystemMove;
    // The strips along the four edges and the four corners, from which the
    // window manager resizes the window; hidden while it is maximised.
    std::vector<ResizeGrip *> Grips;

    // ConversionView. The label's texts and the boxes are the ones the
    // converter gives; the events are kept as the last batch's results.
    void DocumentFinished(const convert::DocumentResult &result) override;
    void SetStatusText(const std::string &text) override;
    void RepaintStatus() override;
    void RepaintWindow() override;
    void SetProgressVisible(bool visible) override;
    void SetProgress(std::int32_t maximum, std::int32_t position) override;
    void ShowMessage(const std::string &text, const std::string &caption) override;
    // The box's informative line names the document, then LibreOffice's reason.
    void ShowMessageWithReason(const std::string &text, const std::string &caption, const std::string &document,
                               const std::string &reason) override;
    void OpenFolder(const std::string &folder) override;
    void PumpMessages() override;
    std::vector<convert::RowId> DocumentRows() override;
    std::optional<convert::DocumentRow> FindDocumentRow(convert::RowId row) override;
    std::string SizePercentText() override;
    std::string ResolutionText() override;
    std::string OutputFolderText() override;

public slots:
    void SpeedButton3Click();  // Add file
    void SpeedButton4Click();  // Add folder
    void SpeedButton20Click(); // Remove selected
    void SpeedButton5Click();  // Remove all
    void SpeedButton6Click();  // Invert ticks
    void SpeedButton10Click(); // Settings
    void SpeedButton11Click(); // Convert
    void SpeedButton1Click();  // Stop
    void SpeedButton13Click(); // Help
    void SpeedButton14Click(); // Home
    void ImgBtnMinClick();
    void ImgBtnMaxClick();
    void ImgBtnCloseClick();
    void Image1DblClick();

protected:
    void resizeEvent(QResizeEvent *event) override; // FormResize
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void showListMenu(const QPoint &position);
    void followWindowState(Qt::WindowState state);
    void reportRefusedDrop(const QStringList &names);

private:
    void Image1MouseDown(Qt::MouseButton button);
    void applySkin();
    void paintTitleStrip(bool atCreation);
    void placeCaptionButtons();
    void showMaximiseButtonFor(bool maximised);
    void applyMaximisedGeometry();
    void fitOnScreen();
    void createGrips();
    void placeGrips();
    void createFrame();
    void createToolbar();
    void createList();
    void createStatus();
    void createContextMenu();
    void layoutComponents();
    void placeStatusLabel();

    std::unique_ptr<convert::BatchConverter> converter_;
    std::vector<convert::DocumentResult> batchResults_;
    bool closeAfterBatch_ = false;
    QSize skinnedSize_;        // the size the frame was last laid out for
    QPoint dragStart_{-1, -1}; // where the left button went down on the title strip
    bool maximised_ = false;   // the window's own state: maximised, whoever maximised it
    QRect normalGeometry_;     // where the window was before it was maximised
};

} // namespace folivex::app
