#include "fmsplash.h"

#include "application.h"
#include "splashpicture.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace kesp::app {

namespace {
TfmSplash *g_fmSplash = nullptr;
}

TfmSplash *fmSplash()
{
    return g_fmSplash;
}

TfmSplash::TfmSplash(Instance instance, QWidget *parent)
    : QDialog(parent)
    , m_picture(splashPicture(appVersion()))
    , m_lasting(instance == Instance::Lasting)
{
    setObjectName(QStringLiteral("fmSplash"));
    // The start-up instance is a splash to the window system (no task-bar entry, kept
    // on top); the About window is an ordinary modal dialog. Neither has a frame.
    setWindowFlags((m_lasting ? Qt::Dialog : Qt::SplashScreen) | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWindowSize);

    // The window takes the picture's shape, also where the desktop cannot blend.
    QImage shape(kWindowSize, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.drawImage(pictureOrigin(), m_picture);
    }
    setMask(QBitmap::fromImage(shape.createAlphaMask()));

    if (m_lasting)
        g_fmSplash = this;
    centreOnScreen(this);
}

TfmSplash::~TfmSplash()
{
    if (g_fmSplash == this)
        g_fmSplash = nullptr;
}

void TfmSplash::FromAbout()
{
    isAbout = true;
    exec();
}

QPoint TfmSplash::pictureOrigin() const
{
    return QPoint((kWindowSize.width() - kPictureSize.width()) / 2,
                  (kWindowSize.height() - kPictureSize.height()) / 2);
}

void TfmSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(pictureOrigin(), m_picture);
}

void TfmSplash::keyPressEvent(QKeyEvent *event)
{
    // During start-up no key does anything; as About only Esc closes it.
    if (event->key() == Qt::Key_Escape && isAbout)
        reject();
    event->accept();
}

void TfmSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void TfmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    if (isAbout && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        reject();
    event->accept();
}

void TfmSplash::showEvent(QShowEvent *event)
{
    centreOnScreen(this);
    QDialog::showEvent(event);
}

void TfmSplash::hideEvent(QHideEvent *event)
{
    isAbout = false;
    QDialog::hideEvent(event);
}

} // namespace kesp::app
