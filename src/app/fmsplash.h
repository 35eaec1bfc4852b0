#pragma once

#include <QDialog>
#include <QImage>

namespace kesp::app {

// The splash shown during start-up, and the About window.
class TfmSplash : public QDialog
{
    Q_OBJECT
public:
    // The temporary instance lives only while start-up creates the rest; the lasting
    // one is the About window and is reached through fmSplash().
    enum class Instance { Lasting, Temporary };

    explicit TfmSplash(Instance instance = Instance::Lasting, QWidget *parent = nullptr);
    ~TfmSplash() override;

    // Shows the window modally as the About window; returns when it closes.
    void FromAbout();

    // True exactly while the window is shown as the About window.
    bool isAbout = false;

    static constexpr QSize kWindowSize{314, 465};
    static constexpr QSize kPictureSize{306, 458};

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPoint pictureOrigin() const;

    QImage m_picture;
    bool m_lasting;
};

// The lasting instance (the About window); null before start-up made it.
TfmSplash *fmSplash();

} // namespace kesp::app
