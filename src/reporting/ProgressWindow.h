#pragma once
// The progress window "Generating report..." with its animation clip.

#include <QImage>
#include <QList>
#include <QWidget>

class QTimer;

namespace pelmar {

// Plays an uncompressed AVI clip (8-bit palette or 24-bit frames).
class AnimationControl : public QWidget {
    Q_OBJECT
public:
    explicit AnimationControl(QWidget* parent = nullptr);
    bool AutoPlay = true;
    // Reads the clip; throws pelmar::Error naming the file when it is missing or unreadable.
    void Open(const QString& nativeFile);
    void Play();
    void Stop();
    bool isPlaying() const;
    int frameCount() const { return int(frames_.size()); }
    int currentFrame() const { return current_; }
    int frameInterval() const { return interval_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QList<QImage> frames_;
    int current_ = 0;
    int interval_ = 100;
    QTimer* timer_;
};

class frmAnimate : public QWidget {
    Q_OBJECT
public:
    // Loads the window: automatic play off, then the clip next to the program.
    static frmAnimate* load();
    ~frmAnimate() override;
    AnimationControl* Animation;

    // The one progress window of the program.
    static void openShared();
    static void closeShared();
    static frmAnimate* shared();
    // Where the clip is looked for: the application folder & "\FileCopy.AVI".
    static QString clipPath();
    // Another folder to look in (tests); empty for the application folder.
    static void setClipFolder(const QString& folder);

private:
    frmAnimate();
};

// Writes the program's own clip: a sheet of paper passing between two folders.
void writeFileCopyClip(const QString& nativeFile);

} // namespace pelmar
