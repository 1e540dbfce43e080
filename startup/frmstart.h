#pragma once

#include <QColor>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "frmmain.h"
#include "pinyin_dictionary.h"
#include "user_prompts.h"

namespace sorvani::startup {

// A straight line drawn on the splash from its upper end (x1 at y 360) to its lower end (x2 at
// y 3360, below the bottom edge), in twips.
struct SplashLine {
    QColor colour;
    double x1 = 0;
    double x2 = 0;
    bool visible = true;
};

// The splash screen, the program's first window: about a second of animation (two lines opening
// into an X, a third sweeping across, the title), then, in one tick, the dictionary is loaded,
// the main window opens and the splash closes. Geometry is in twips.
class frmstart : public QWidget {
    Q_OBJECT

  public:
    // The dictionary is filled from dictionaryFile; prompts report a failed load.
    frmstart(sorvani::PinyinDictionary& dictionary, std::filesystem::path dictionaryFile,
             shell::UserPrompts& prompts);

    // A file that the main window opens as the import command would, once it shows.
    void OpenWhenShown(QString document) { document_ = std::move(document); }

    // The main window, once the splash has opened it.
    shell::frmmain* MainWindow() const { return main_.get(); }
    // Whether the dictionary could not be loaded; the program then ends with a failure status.
    bool StartFailed() const { return startFailed_; }

    QTimer Timer1;   // swings Line1
    QTimer Timer2;   // swings Line2
    QTimer Timer3;   // sweeps Line3, places the title
    QTimer Timer4;   // colours the title, ends the splash
    QLabel* Label1;  // the title
    QLabel* Label2;  // footer, lower left
    QLabel* Label3;  // footer, lower right
    SplashLine Line1;
    SplashLine Line2;
    SplashLine Line3;

  public slots:
    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Form_MouseMove();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void Finish();
    void ShowMainWindow();
    int WidthInTwips() const;
    int HeightInTwips() const;

    sorvani::PinyinDictionary& dictionary_;
    std::filesystem::path dictionaryFile_;
    shell::UserPrompts& prompts_;
    std::unique_ptr<shell::frmmain> main_;
    QString document_;
    bool dictionaryLoaded_ = false;
    bool startFailed_ = false;

    // The lines' ends as whole twips; the swinging timers step these, never the lines.
    int16_t line1Top_ = 0;
    int16_t line1Bottom_ = 0;
    int16_t line2Top_ = 0;
    int16_t line2Bottom_ = 0;
};

}  // namespace sorvani::startup
